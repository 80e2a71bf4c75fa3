#pragma once
// A top-level window built once from a fixed description: a constant table of
// controls in form order, created hidden, stacked in that order and shown before
// the window itself. Keys and focus are handled explicitly, not by
// IsDialogMessage, whose Tab order would follow the stacking order.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/unique_handle.h"
#include "toolkit/win32_check_list.h"

namespace voranel::win32 {

enum class ControlKind { Label, Button, CheckList };

struct ControlDescription {
  const char* name;
  ControlKind kind;
  int id;
  int left, top, width, height;
  const char* text;
  DWORD style;  // WS_CHILD is added; WS_VISIBLE is not honoured (shown after creation)
  DWORD exStyle;
};

struct FormDescription {
  const char* className;
  const char* caption;
  DWORD style;
  int width, height;  // outer size, frame and title bar included
  const char* iconName;
  const ControlDescription* controls;
  std::size_t controlCount;
  const int* focusOrder;  // control ids of the focus candidates, in Tab order
  std::size_t focusCount;
};

// The window's two bindable events.
class FormEvents {
 public:
  virtual void Created() = 0;
  virtual void Clicked(int controlId) = 0;

 protected:
  ~FormEvents() = default;
};

// Where the description puts a window of this size on the primary screen:
// centred on the full screen with truncating division, not clamped.
POINT CentredPlace(int width, int height);

class Form {
 public:
  Form(const FormDescription& description, FormEvents& events);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and its controls, hidden; false when any cannot be
  // created (nothing is left behind then). Events raised meanwhile reach no handler.
  bool Build();
  // Raises the created event, then shows and activates the window if it still exists.
  void Open();

  HWND handle() const { return window_; }
  HWND Control(int id) const;
  // The check list with this id; an unattached one if there is none.
  CheckListWindow& List(int id);
  void SetText(int id, const std::string& text);
  void SetWaiting(bool waiting);

  // Keys the window handles before any control sees them: Esc closes, Tab and
  // Shift+Tab move the focus. True when msg was handled and must not be dispatched.
  bool PreTranslate(const MSG& msg);

 private:
  struct Child {
    const ControlDescription* description;
    HWND window;
    std::unique_ptr<CheckListWindow> list;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool RegisterWindowClass() const;
  bool CreateControls();
  bool IsFocusCandidate(HWND control) const;
  void MoveFocus(int step);
  void RestoreFocus();
  bool EventsLive() const;
  void OnDestroyed();

  const FormDescription& description_;
  FormEvents& events_;
  HWND window_ = nullptr;
  std::vector<Child> controls_;
  CheckListWindow noList_;
  UniqueIcon largeIcon_;
  UniqueIcon smallIcon_;
  HWND savedFocus_ = nullptr;
  bool eventsLive_ = false;
  bool waiting_ = false;
  HCURSOR cursorBeforeWaiting_ = nullptr;
};

// Runs the message loop until the quit message; sets the loop-entered flag and
// returns at once if form's window does not exist.
void RunMessageLoop(Form& form);
bool LoopEntered();

}  // namespace voranel::win32
