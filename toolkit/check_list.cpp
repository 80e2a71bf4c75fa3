#include "toolkit/check_list.h"

namespace voranel {

int FirstTicked(const TickState& ticks) {
  for (int i = 0; i < ticks.Count(); ++i) {
    if (ticks.IsTicked(i)) return i;
  }
  return -1;
}

void KeepSingleTick(TickState& ticks, int tickedBefore) {
  if (tickedBefore < 0 || tickedBefore >= ticks.Count()) return;
  bool anotherTicked = false;
  for (int i = 0; i < ticks.Count(); ++i) {
    if (i != tickedBefore && ticks.IsTicked(i)) anotherTicked = true;
  }
  if (anotherTicked) {
    ticks.SetTicked(tickedBefore, false);
  } else if (!ticks.IsTicked(tickedBefore)) {
    ticks.SetTicked(tickedBefore, true);
  }
}

void CheckListModel::RemoveAll() {
  items_.clear();
  selection_ = -1;
  focus_ = 0;
}

int CheckListModel::Add(const char* text) {
  items_.push_back({text ? text : "", false});
  return Count() - 1;
}

std::string CheckListModel::ItemText(int index) const {
  return Contains(index) ? items_[index].text : std::string();
}

bool CheckListModel::IsTicked(int index) const {
  return Contains(index) && items_[index].ticked;
}

void CheckListModel::SetTicked(int index, bool ticked) {
  if (Contains(index)) items_[index].ticked = ticked;
}

void CheckListModel::Select(int index) {
  if (!Contains(index)) return;
  selection_ = index;
  focus_ = index;
}

template <class Input>
void CheckListModel::Handle(Input input) {
  const int tickedBefore = FirstTicked(*this);
  input();
  KeepSingleTick(*this, tickedBefore);
}

void CheckListModel::Click(int item, int x) {
  Handle([&] {
    if (!Contains(item)) {
      Select(Count() - 1);  // a click below the items selects the last one, as a list box does
      return;
    }
    if (HitsTickMark(x)) SetTicked(item, !IsTicked(item));
    Select(item);
  });
}

void CheckListModel::DoubleClick(int item, int x) {
  Click(item, x);
}

void CheckListModel::PressSpace() {
  Handle([&] {
    if (Contains(focus_)) SetTicked(focus_, !IsTicked(focus_));
  });
}

void CheckListModel::PressArrowDown() {
  Handle([&] { Select(selection_ < 0 ? 0 : selection_ + 1); });
}

void CheckListModel::PressArrowUp() {
  Handle([&] { Select(selection_ <= 0 ? 0 : selection_ - 1); });
}

}  // namespace voranel
