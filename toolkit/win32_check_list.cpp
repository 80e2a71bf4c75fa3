#include "toolkit/win32_check_list.h"

#include "app/fatal.h"
#include "toolkit/unique_handle.h"

namespace voranel::win32 {

namespace {

constexpr int kMarkDiameter = 11;
constexpr int kDotDiameter = 5;
constexpr int kTextGap = 3;  // between the mark column and the text
constexpr COLORREF kMarkGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

std::string ListText(HWND list, int index) {
  const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length), '\0');
  // LB_GETTEXT writes the NUL after the text, into the string's own terminator.
  const LRESULT copied =
      ::SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
  return text;
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void DrawEllipse(HDC dc, int left, int top, int diameter, COLORREF pen, COLORREF brush) {
  SelectGuard selectPen(dc, ::GetStockObject(DC_PEN));
  SelectGuard selectBrush(dc, ::GetStockObject(DC_BRUSH));
  ::SetDCPenColor(dc, pen);
  ::SetDCBrushColor(dc, brush);
  ::Ellipse(dc, left, top, left + diameter, top + diameter);
}

}  // namespace

void DrawCheckItem(HDC dc, const RECT& area, const CheckItemLook& look) {
  const bool highlighted = look.selected && look.enabled;

  RECT mark = area;
  mark.right = area.left + kTickMarkWidth;
  FillSolid(dc, mark, kWhite);
  const int circleLeft = area.left + (kTickMarkWidth - kMarkDiameter) / 2;
  const int circleTop = area.top + (area.bottom - area.top - kMarkDiameter) / 2;
  DrawEllipse(dc, circleLeft, circleTop, kMarkDiameter, kMarkGrey, kWhite);
  if (look.ticked) {
    const int inset = (kMarkDiameter - kDotDiameter) / 2;
    DrawEllipse(dc, circleLeft + inset, circleTop + inset, kDotDiameter, kBlack, kBlack);
  }

  RECT body = area;
  body.left = mark.right;
  FillSolid(dc, body, ::GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  RECT text = body;
  text.left += kTextGap;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(!look.enabled ? COLOR_GRAYTEXT
                                   : highlighted ? COLOR_HIGHLIGHTTEXT
                                                 : COLOR_WINDOWTEXT));
  ::DrawTextA(dc, look.text.data(), static_cast<int>(look.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (look.focused) ::DrawFocusRect(dc, &body);
}

CheckListWindow::~CheckListWindow() {
  Detach();
}

bool CheckListWindow::Attach(HWND list) {
  Detach();
  if (!::IsWindow(list)) return false;
  list_ = list;
  ::SetWindowLongPtrA(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  listProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  if (!listProc_) {
    ::SetWindowLongPtrA(list, GWLP_USERDATA, 0);
    list_ = nullptr;
    return false;
  }
  return true;
}

void CheckListWindow::Detach() {
  if (!list_) return;
  ::SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc_));
  ::SetWindowLongPtrA(list_, GWLP_USERDATA, 0);
  list_ = nullptr;
  listProc_ = nullptr;
}

void CheckListWindow::RemoveAll() {
  Send(LB_RESETCONTENT);
}

int CheckListWindow::Add(const char* text) {
  if (!list_) return -1;
  const LRESULT index = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : ""));
  if (index < 0) return -1;  // LB_ERR or LB_ERRSPACE
  Send(LB_SETITEMDATA, index, 0);
  return static_cast<int>(index);
}

std::string CheckListWindow::ItemText(int index) const {
  return Contains(index) ? ListText(list_, index) : std::string();
}

bool CheckListWindow::IsTicked(int index) const {
  return Contains(index) && Send(LB_GETITEMDATA, index) == 1;
}

int CheckListWindow::Selection() const {
  if (!list_) return -1;
  const LRESULT selection = Send(LB_GETCURSEL);
  return selection < 0 ? -1 : static_cast<int>(selection);
}

int CheckListWindow::Count() const {
  if (!list_) return 0;
  const LRESULT count = Send(LB_GETCOUNT);
  return count < 0 ? 0 : static_cast<int>(count);
}

void CheckListWindow::SetTicked(int index, bool ticked) {
  if (!Contains(index) || IsTicked(index) == ticked) return;
  Send(LB_SETITEMDATA, index, ticked ? 1 : 0);
  RECT item{};
  if (Send(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
    ::InvalidateRect(list_, &item, FALSE);
  }
}

void CheckListWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) {  // an empty list that has the focus
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const std::string text = ListText(item.hwndItem, static_cast<int>(item.itemID));
  CheckItemLook look;
  look.text = text;
  look.ticked = item.itemData == 1;
  look.selected = (item.itemState & ODS_SELECTED) != 0;
  look.enabled = !(item.itemState & ODS_DISABLED) && ::IsWindowEnabled(item.hwndItem);
  look.focused = (item.itemState & ODS_FOCUS) != 0;
  DrawCheckItem(item.hDC, item.rcItem, look);
}

void CheckListWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemHeight = kCheckItemHeight;
}

LRESULT CALLBACK CheckListWindow::SubclassProc(HWND list, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* self = reinterpret_cast<CheckListWindow*>(::GetWindowLongPtrA(list, GWLP_USERDATA));
  if (!self || self->list_ != list) return ::DefWindowProcA(list, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const WNDPROC proc = self->listProc_;
    self->Detach();
    return ::CallWindowProcA(proc, list, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT CheckListWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(listProc_, list_, message, wParam, lParam);
}

LRESULT CheckListWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool click = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
  const bool key = message == WM_KEYDOWN || message == WM_CHAR;
  if (!click && !key) return Default(message, wParam, lParam);
  // A disabled list takes no input, nor does anything once a fatal error began.
  if (!::IsWindowEnabled(list_) || FatalErrorRaised()) return 0;

  const int tickedBefore = FirstTicked(*this);
  LRESULT result = 0;
  if (click) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const LRESULT hit = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    const int index = LOWORD(hit);
    RECT item{};
    if (HIWORD(hit) == 0 && Contains(index) &&
        Send(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR &&
        HitsTickMark(point.x - item.left)) {
      SetTicked(index, !IsTicked(index));
    }
    result = Default(message, wParam, lParam);
  } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    const LRESULT caret = Send(LB_GETCARETINDEX);
    if (caret >= 0 && Contains(static_cast<int>(caret))) {
      SetTicked(static_cast<int>(caret), !IsTicked(static_cast<int>(caret)));
    }
  } else if (message == WM_CHAR && wParam == ' ') {
    // The space bar ticks; it must not also search for an item starting with a blank.
  } else {
    result = Default(message, wParam, lParam);
  }
  KeepSingleTick(*this, tickedBefore);
  return result;
}

}  // namespace voranel::win32
