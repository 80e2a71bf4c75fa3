// The tick rules of the window's check lists, as sequences of user input on a
// list of four items.
#include <gtest/gtest.h>

#include <sstream>

#include "toolkit/check_list.h"

namespace voranel {
namespace {

struct TickCase {
  const char* name;
  const char* input;  // space-separated steps: mark<N>, text<N>, dblmark<N>, dbltext<N>, below,
                      // space, down, up
  std::vector<int> ticked;
  int selection;
};

void Apply(CheckListModel& list, const std::string& step) {
  const auto item = [&](std::size_t prefix) { return std::stoi(step.substr(prefix)); };
  if (step.rfind("mark", 0) == 0) return list.Click(item(4), 3);
  if (step.rfind("text", 0) == 0) return list.Click(item(4), 40);
  if (step.rfind("dblmark", 0) == 0) return list.DoubleClick(item(7), 12);
  if (step.rfind("dbltext", 0) == 0) return list.DoubleClick(item(7), 13);
  if (step == "below") return list.Click(-1, 3);
  if (step == "space") return list.PressSpace();
  if (step == "down") return list.PressArrowDown();
  if (step == "up") return list.PressArrowUp();
  FAIL() << "unknown step " << step;
}

std::vector<int> Ticked(const CheckListModel& list) {
  std::vector<int> ticked;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.IsTicked(i)) ticked.push_back(i);
  }
  return ticked;
}

const TickCase kTickCases[] = {
    {"fresh list: nothing ticked or selected", "", {}, -1},
    {"click on mark ticks and selects", "mark1", {1}, 1},
    {"click on text selects only", "text2", {}, 2},
    {"mark is the 13 pixels at the left edge", "dbltext2", {}, 2},
    {"click below the items moves the selection only", "mark0 below", {0}, 3},
    {"ticking another item moves the tick", "mark0 mark2", {2}, 2},
    {"mark of the only ticked item leaves it ticked", "mark1 mark1", {1}, 1},
    {"double click on a mark: that item ticked, others clear", "mark0 mark3 dblmark3", {3}, 3},
    {"double click on an unticked mark ticks it", "mark0 dblmark2", {2}, 2},
    {"text click after a tick: selection and tick differ", "mark1 text3", {1}, 3},
    {"space ticks the focused item without moving the selection", "text2 space", {2}, 2},
    {"space on the ticked item keeps the tick", "text2 space space", {2}, 2},
    {"space moves the tick to the focused item", "mark0 down space", {1}, 1},
    {"arrow keys move the selection only", "mark0 down down up", {0}, 1},
};

// Names the case in failure reports, instead of GoogleTest dumping its bytes.
void PrintTo(const TickCase& tickCase, std::ostream* out) {
  *out << tickCase.name;
}

class TickRules : public ::testing::TestWithParam<TickCase> {};

TEST_P(TickRules, InputGivesTicksAndSelection) {
  CheckListModel list;
  for (const char* text : {"C:\\", "D:\\", "E:\\", "F:\\"}) list.Add(text);
  std::istringstream steps(GetParam().input);
  for (std::string step; steps >> step;) Apply(list, step);
  EXPECT_EQ(Ticked(list), GetParam().ticked);
  EXPECT_EQ(list.Selection(), GetParam().selection);
}

INSTANTIATE_TEST_SUITE_P(Cases, TickRules, ::testing::ValuesIn(kTickCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(CheckListModel, RemoveAllDiscardsTicksAndSelection) {
  CheckListModel list;
  list.Add("a");
  list.Add("b");
  list.Click(1, 3);
  list.RemoveAll();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Selection(), -1);
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(Ticked(list), std::vector<int>{});
  // A refilled list has no remembered tick to restore.
  list.Click(0, 40);
  EXPECT_EQ(Ticked(list), std::vector<int>{});
}

TEST(CheckListModel, OutsideIndexesReadAsEmptyAndUnticked) {
  CheckListModel list;
  list.Add("C:\\");
  list.Click(0, 3);
  for (int index : {-1, 1, 100}) {
    EXPECT_EQ(list.ItemText(index), "");
    EXPECT_FALSE(list.IsTicked(index));
  }
}

}  // namespace
}  // namespace voranel
