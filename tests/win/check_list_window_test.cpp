// The Win32 check list driven by the messages a user's mouse and keyboard send,
// at coordinates the list box itself reports, with state read back from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/test_window.h"
#include "toolkit/win32_check_list.h"

namespace voranel::test {
namespace {

constexpr int kListId = 7;
constexpr std::array<win32::ControlDescription, 1> kListControls{{
    {"list", win32::ControlKind::CheckList, kListId, 8, 8, 120, 200, "",
     win32::kCheckListStyle | WS_TABSTOP, win32::kCheckListExStyle},
}};
constexpr std::array<int, 1> kListFocus{{kListId}};
constexpr win32::FormDescription kListForm{"VoranelTestListForm",
                                           "list",
                                           WS_OVERLAPPED | WS_CAPTION,
                                           300,
                                           300,
                                           nullptr,
                                           kListControls.data(),
                                           kListControls.size(),
                                           kListFocus.data(),
                                           kListFocus.size()};

class CheckListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form_.Build());
    form_.Open();
    for (const char* text : {"C:\\", "D:\\", "E:\\", "F:\\", "G:\\"}) list().Add(text);
    Pump();
  }

  win32::CheckListWindow& list() { return form_.List(kListId); }
  HWND hwnd() { return list().handle(); }

  std::vector<int> Ticked() {
    std::vector<int> ticked;
    for (int i = 0; i < list().Count(); ++i) {
      if (list().IsTicked(i)) ticked.push_back(i);
    }
    return ticked;
  }

  POINT At(int item, int x) {
    RECT rect{};
    ::SendMessageA(hwnd(), LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
    return {rect.left + x, (rect.top + rect.bottom) / 2};
  }

  void Mouse(UINT message, POINT point) {
    ::SendMessageA(hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                   MAKELPARAM(point.x, point.y));
  }
  void Click(int item, int x) {
    const POINT point = At(item, x);
    Mouse(WM_LBUTTONDOWN, point);
    Mouse(WM_LBUTTONUP, point);
  }
  void DoubleClick(int item, int x) {
    const POINT point = At(item, x);
    Mouse(WM_LBUTTONDOWN, point);
    Mouse(WM_LBUTTONUP, point);
    Mouse(WM_LBUTTONDBLCLK, point);
    Mouse(WM_LBUTTONUP, point);
  }
  void Key(WPARAM key, char character = 0) {
    ::SendMessageA(hwnd(), WM_KEYDOWN, key, 1);
    if (character) ::SendMessageA(hwnd(), WM_CHAR, static_cast<unsigned char>(character), 1);
    ::SendMessageA(hwnd(), WM_KEYUP, key, 0xC0000001);
  }

  NoEvents events_;
  win32::Form form_{kListForm, events_};
};

TEST_F(CheckListWindowTest, ItemOperationsUseTheListBox) {
  EXPECT_EQ(list().Count(), 5);
  EXPECT_EQ(list().Add(""), 5);
  EXPECT_EQ(list().Add("\\\\?\\Volume{卷}\\"), 6);
  EXPECT_EQ(list().ItemText(0), "C:\\");
  EXPECT_EQ(list().ItemText(5), "");
  EXPECT_EQ(list().ItemText(6), "\\\\?\\Volume{卷}\\");
  for (int outside : {-1, 7, 100}) {
    EXPECT_EQ(list().ItemText(outside), "") << outside;
    EXPECT_FALSE(list().IsTicked(outside)) << outside;
  }
  EXPECT_EQ(list().Selection(), -1);
  EXPECT_TRUE(Ticked().empty());

  ::SendMessageA(hwnd(), LB_SETCURSEL, 3, 0);
  list().SetTicked(2, true);
  EXPECT_EQ(list().Selection(), 3);
  EXPECT_EQ(Ticked(), std::vector<int>{2});

  list().RemoveAll();
  EXPECT_EQ(list().Count(), 0);
  EXPECT_EQ(list().Selection(), -1);
  list().Add("C:\\");
  EXPECT_FALSE(list().IsTicked(0)) << "a new item starts unticked";
}

struct ClickCase {
  const char* what;
  int tickedBefore;  // -1: none
  int item;
  int x;  // from the item's left edge
  bool doubleClick;
  std::vector<int> ticked;
};

TEST_F(CheckListWindowTest, ClicksApplyTheTickRules) {
  const ClickCase cases[] = {
      {"text selects only", -1, 1, 40, false, {}},
      {"mark ticks and selects", -1, 1, 5, false, {1}},
      {"last pixel of the mark", -1, 3, 12, false, {3}},
      {"first pixel past the mark", -1, 3, 13, false, {}},
      {"mark of another item moves the tick", 0, 2, 0, false, {2}},
      {"mark of the ticked item keeps it", 0, 0, 6, false, {0}},
      {"text of another item keeps the tick", 0, 2, 60, false, {0}},
      {"double click on a mark ticks", -1, 4, 6, true, {4}},
      {"double click on a mark moves the tick", 1, 4, 6, true, {4}},
      {"double click on the ticked mark keeps it", 4, 4, 6, true, {4}},
  };
  for (const ClickCase& c : cases) {
    list().RemoveAll();
    for (const char* text : {"C:\\", "D:\\", "E:\\", "F:\\", "G:\\"}) list().Add(text);
    if (c.tickedBefore >= 0) list().SetTicked(c.tickedBefore, true);
    c.doubleClick ? DoubleClick(c.item, c.x) : Click(c.item, c.x);
    EXPECT_EQ(Ticked(), c.ticked) << c.what;
    EXPECT_EQ(list().Selection(), c.item) << c.what;
  }
}

TEST_F(CheckListWindowTest, SpaceTicksTheFocusedItemWithoutMovingTheSelection) {
  list().Add(" blank first");  // a typed blank must not jump here
  Click(2, 40);
  Key(VK_SPACE, ' ');
  EXPECT_EQ(Ticked(), std::vector<int>{2});
  EXPECT_EQ(list().Selection(), 2);

  Key(VK_SPACE, ' ');
  EXPECT_EQ(Ticked(), std::vector<int>{2}) << "the only tick stays";

  Key(VK_DOWN);
  EXPECT_EQ(list().Selection(), 3);
  EXPECT_EQ(Ticked(), std::vector<int>{2}) << "arrows move the selection only";
  Key(VK_SPACE, ' ');
  EXPECT_EQ(Ticked(), std::vector<int>{3});
  EXPECT_EQ(list().Selection(), 3);
}

TEST_F(CheckListWindowTest, DisabledListTakesNoInput) {
  ::EnableWindow(hwnd(), FALSE);
  Click(1, 5);
  Key(VK_SPACE, ' ');
  EXPECT_TRUE(Ticked().empty());
  EXPECT_EQ(list().Selection(), -1);
}

}  // namespace
}  // namespace voranel::test
