#include "toolkit/form.h"

#include "app/fatal.h"

namespace voranel::win32 {

namespace {

bool g_loopEntered = false;
int g_liveForms = 0;  // forms whose window exists

const char* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return "STATIC";
    case ControlKind::Button:
      return "BUTTON";
    case ControlKind::CheckList:
      return "LISTBOX";
  }
  return "STATIC";
}

bool Pressed(int key) {
  return ::GetKeyState(key) < 0;
}

HINSTANCE Instance() {
  return ::GetModuleHandleA(nullptr);
}

}  // namespace

POINT CentredPlace(int width, int height) {
  return {(::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
          (::GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

bool LoopEntered() {
  return g_loopEntered;
}

void RunMessageLoop(Form& form) {
  g_loopEntered = true;
  if (::IsWindow(form.handle())) {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (form.PreTranslate(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  g_loopEntered = false;
}

Form::Form(const FormDescription& description, FormEvents& events)
    : description_(description), events_(events) {
  controls_.reserve(description.controlCount);
  for (std::size_t i = 0; i < description.controlCount; ++i) {
    const ControlDescription& control = description.controls[i];
    controls_.push_back(
        {&control, nullptr,
         control.kind == ControlKind::CheckList ? std::make_unique<CheckListWindow>() : nullptr});
  }
}

Form::~Form() {
  if (window_) ::DestroyWindow(window_);
}

HWND Form::Control(int id) const {
  for (const auto& control : controls_) {
    if (control.description->id == id) return control.window;
  }
  return nullptr;
}

CheckListWindow& Form::List(int id) {
  for (auto& control : controls_) {
    if (control.description->id == id && control.list) return *control.list;
  }
  return noList_;
}

void Form::SetText(int id, const std::string& text) {
  if (HWND control = Control(id)) ::SetWindowTextA(control, text.c_str());
}

void Form::SetWaiting(bool waiting) {
  if (waiting == waiting_) return;
  waiting_ = waiting;
  if (waiting) {
    cursorBeforeWaiting_ = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  } else {
    ::SetCursor(cursorBeforeWaiting_ ? cursorBeforeWaiting_ : ::LoadCursorA(nullptr, IDC_ARROW));
  }
}

bool Form::RegisterWindowClass() const {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(Instance(), description_.className, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = Instance();
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = description_.className;
  return ::RegisterClassExA(&windowClass) != 0;
}

bool Form::Build() {
  if (window_ || !RegisterWindowClass()) return false;
  eventsLive_ = false;
  const POINT place = CentredPlace(description_.width, description_.height);
  // WindowProc stores window_ at WM_NCCREATE, so messages of creation find it.
  if (!::CreateWindowExA(0, description_.className, description_.caption, description_.style,
                         place.x, place.y, description_.width, description_.height, nullptr,
                         nullptr, Instance(), this)) {
    return false;
  }
  if (description_.iconName) {
    largeIcon_.reset(
        static_cast<HICON>(::LoadImageA(Instance(), description_.iconName, IMAGE_ICON, 32, 32, 0)));
    smallIcon_.reset(
        static_cast<HICON>(::LoadImageA(Instance(), description_.iconName, IMAGE_ICON, 16, 16, 0)));
    ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
    ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  }
  if (!CreateControls()) {
    ::DestroyWindow(window_);
    return false;
  }
  return true;
}

bool Form::CreateControls() {
  const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
  for (auto& control : controls_) {
    const ControlDescription& description = *control.description;
    const DWORD style = (description.style & ~WS_VISIBLE) | WS_CHILD;
    control.window = ::CreateWindowExA(
        description.exStyle, ClassOf(description.kind), description.text, style, description.left,
        description.top, description.width, description.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(description.id)), Instance(), nullptr);
    if (!control.window) return false;
    // Each control goes below the ones before it: the first in form order is on top.
    ::SetWindowPos(control.window, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageA(control.window, WM_SETFONT, font, FALSE);
    if (control.list && !control.list->Attach(control.window)) return false;
  }
  for (const auto& control : controls_) ::ShowWindow(control.window, SW_SHOWNA);
  return true;
}

void Form::Open() {
  eventsLive_ = true;
  if (EventsLive()) events_.Created();
  if (!::IsWindow(window_)) return;
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::UpdateWindow(window_);
  if (::GetActiveWindow() == window_ && !::IsChild(window_, ::GetFocus())) RestoreFocus();
}

bool Form::EventsLive() const {
  return eventsLive_ && window_ && !FatalErrorRaised();
}

bool Form::IsFocusCandidate(HWND control) const {
  if (!control || !::IsChild(window_, control)) return false;
  const LONG style = ::GetWindowLongA(control, GWL_STYLE);
  return (style & WS_VISIBLE) && !(style & WS_DISABLED) && (style & WS_TABSTOP);
}

void Form::MoveFocus(int step) {
  const int count = static_cast<int>(description_.focusCount);
  if (count == 0) return;
  const HWND focus = ::GetFocus();
  int current = -1;
  for (int i = 0; i < count; ++i) {
    if (Control(description_.focusOrder[i]) == focus) current = i;
  }
  if (current < 0)
    current = step > 0 ? count - 1 : 0;  // so the first step lands on the first or last
  for (int i = 1; i <= count; ++i) {
    const HWND next =
        Control(description_.focusOrder[((current + step * i) % count + count) % count]);
    if (IsFocusCandidate(next)) {
      ::SetFocus(next);
      return;
    }
  }
}

void Form::RestoreFocus() {
  if (IsFocusCandidate(savedFocus_)) {
    ::SetFocus(savedFocus_);
    return;
  }
  for (std::size_t i = 0; i < description_.focusCount; ++i) {
    const HWND candidate = Control(description_.focusOrder[i]);
    if (IsFocusCandidate(candidate)) {
      ::SetFocus(candidate);
      return;
    }
  }
}

bool Form::PreTranslate(const MSG& msg) {
  if (!window_ || msg.message != WM_KEYDOWN) return false;
  if (msg.hwnd != window_ && !::IsChild(window_, msg.hwnd)) return false;
  const bool shift = Pressed(VK_SHIFT), control = Pressed(VK_CONTROL), alt = Pressed(VK_MENU);
  if (msg.wParam == VK_ESCAPE && !shift && !control && !alt) {
    ::SendMessageA(window_, WM_CLOSE, 0, 0);
    return true;
  }
  if (msg.wParam == VK_TAB && !control && !alt) {
    MoveFocus(shift ? -1 : 1);
    return true;
  }
  return false;
}

void Form::OnDestroyed() {
  window_ = nullptr;
  eventsLive_ = false;
  for (auto& control : controls_) control.window = nullptr;
  largeIcon_.reset();
  smallIcon_.reset();
  if (--g_liveForms == 0 && g_loopEntered && !FatalErrorRaised()) ::PostQuitMessage(0);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* self;
  if (message == WM_NCCREATE) {
    self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    ++g_liveForms;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Form*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->OnDestroyed();
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam && EventsLive()) {
        const int id = LOWORD(wParam);
        for (const auto& control : controls_) {
          if (control.description->id == id && control.description->kind == ControlKind::Button)
            events_.Clicked(id);
        }
      }
      return 0;
    case WM_MEASUREITEM:
      CheckListWindow::OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_LISTBOX) break;
      CheckListWindow::OnDrawItem(item);
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_, focus)) savedFocus_ = focus;
      } else {
        RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_SETCURSOR:
      if (!waiting_) break;
      ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
      return TRUE;
    default:
      break;
  }
  return ::DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace voranel::win32
