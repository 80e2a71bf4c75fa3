#pragma once
// Check lists: list boxes with a round tick mark in front of every item. The
// interfaces and rules here carry no Windows types, so the drive routines and
// the tick rules are tested natively; the Win32 list applies the same rules to
// its real mouse and key input.
#include <string>
#include <vector>

namespace voranel {

// Width of the column at an item's left edge that holds its tick mark.
inline constexpr int kTickMarkWidth = 13;

// Whether a click x pixels right of an item's left edge lands on its tick mark.
constexpr bool HitsTickMark(int x) {
  return x >= 0 && x < kTickMarkWidth;
}

// The ticks of one list, as the tick rules see them.
class TickState {
 public:
  virtual int Count() const = 0;
  virtual bool IsTicked(int index) const = 0;
  virtual void SetTicked(int index, bool ticked) = 0;

 protected:
  ~TickState() = default;
};

// Index of the first ticked item; -1 when none is ticked.
int FirstTicked(const TickState& ticks);

// Single-tick mode, run after a click, double click or key press was handled.
// tickedBefore is FirstTicked from before that input. A list that had a tick
// keeps exactly one: the new one if the input ticked another item, else the old.
void KeepSingleTick(TickState& ticks, int tickedBefore);

// What the drive routines do with a check list.
class CheckList {
 public:
  virtual void RemoveAll() = 0;
  // Adds an unticked item at the end; its index, or -1 when the list refuses
  // it. A null text counts as empty. The list keeps its own copy.
  virtual int Add(const char* text) = 0;
  // The item's text; empty for an index outside the list.
  virtual std::string ItemText(int index) const = 0;
  // False for an index outside the list.
  virtual bool IsTicked(int index) const = 0;
  // Index of the selected item; -1 when none is selected.
  virtual int Selection() const = 0;

 protected:
  ~CheckList() = default;
};

// A check list held in memory, with the user's input as the window's lists
// handle it. Tests use it as the window's lists.
class CheckListModel final : public CheckList, public TickState {
 public:
  void RemoveAll() override;
  int Add(const char* text) override;
  std::string ItemText(int index) const override;
  bool IsTicked(int index) const override;
  int Selection() const override { return selection_; }
  int Count() const override { return static_cast<int>(items_.size()); }
  void SetTicked(int index, bool ticked) override;

  // The user's input: item is the index of the item under the pointer (-1 below
  // the last item), x the distance from the item's left edge.
  void Click(int item, int x);
  void DoubleClick(int item, int x);
  void PressSpace();
  void PressArrowDown();
  void PressArrowUp();
  // Selects an item without ticking, as the arrow keys or a click on text do.
  void Select(int index);

 private:
  struct Item {
    std::string text;
    bool ticked = false;
  };
  bool Contains(int index) const { return index >= 0 && index < Count(); }
  template <class Input>
  void Handle(Input input);

  std::vector<Item> items_;
  int selection_ = -1;
  int focus_ = 0;  // the item that has the keyboard focus (the caret)
};

}  // namespace voranel
