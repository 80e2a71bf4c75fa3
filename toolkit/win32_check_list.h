#pragma once
// The Win32 check list: an owner-drawn list box whose items carry a tick in
// their item data. It applies the tick rules of check_list.h to the real mouse
// and key input of the list box, which it subclasses.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/check_list.h"

namespace voranel::win32 {

// Styles every check list is created with (besides WS_CHILD and WS_TABSTOP).
inline constexpr DWORD kCheckListStyle =
    LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
inline constexpr DWORD kCheckListExStyle = WS_EX_CLIENTEDGE;
// Height of one item, in pixels; WM_MEASUREITEM answers it.
inline constexpr UINT kCheckItemHeight = 16;

// What one item looks like.
struct CheckItemLook {
  std::string_view text;
  bool ticked = false;
  bool selected = false;
  bool enabled = true;
  bool focused = false;  // draws the focus rectangle
};

// Draws one item into area: the round tick mark in the 13-pixel column at the
// left edge, then the text. Uses the font selected into dc.
void DrawCheckItem(HDC dc, const RECT& area, const CheckItemLook& look);

class CheckListWindow final : public CheckList, public TickState {
 public:
  CheckListWindow() = default;
  ~CheckListWindow();
  CheckListWindow(const CheckListWindow&) = delete;
  CheckListWindow& operator=(const CheckListWindow&) = delete;

  // Takes over a list box created with kCheckListStyle; false when list is not
  // a window. The list box stays owned by its parent.
  bool Attach(HWND list);
  HWND handle() const { return list_; }

  // CheckList
  void RemoveAll() override;
  int Add(const char* text) override;
  std::string ItemText(int index) const override;
  bool IsTicked(int index) const override;
  int Selection() const override;

  // TickState
  int Count() const override;
  void SetTicked(int index, bool ticked) override;

  // For the parent: WM_DRAWITEM and WM_MEASUREITEM of an owner-drawn check list.
  static void OnDrawItem(const DRAWITEMSTRUCT& item);
  static void OnMeasureItem(MEASUREITEMSTRUCT& item);

 private:
  static LRESULT CALLBACK SubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  void Detach();
  bool Contains(int index) const { return index >= 0 && index < Count(); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(list_, message, wParam, lParam);
  }

  HWND list_ = nullptr;
  WNDPROC listProc_ = nullptr;
};

}  // namespace voranel::win32
