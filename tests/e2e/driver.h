#pragma once
// Drives a running copy of the program from another process, as a user would:
// starts it, finds its window and controls, clicks with the real mouse, presses
// real keys and reads back what the window shows. Everything here works across
// processes, so the program under test runs unchanged.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/unique_handle.h"

namespace voranel::e2e {

using UniqueHandle = win32::UniqueAny<HANDLE, BOOL, ::CloseHandle>;

// Turns a path of the machine running Wine (/work/...) into one Windows
// programs understand (Z:\work\...); other paths are kept.
std::string WindowsPath(const std::string& path);

// Polls until ready() holds or timeoutMs has passed; the last answer of ready().
bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs = 5000);

// One run of a program. Ending the run is the test's business; a program still
// running when its Program goes away is terminated.
class Program {
 public:
  // Starts path with the current environment plus extra (name, value) pairs,
  // which replace variables of the same name. started() tells whether it ran.
  explicit Program(const std::string& path,
                   const std::vector<std::pair<std::string, std::string>>& extra = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return static_cast<bool>(process_); }
  // Why the start failed; empty when it did not.
  const std::string& error() const { return error_; }
  DWORD processId() const { return processId_; }

  // The visible top-level window of this process with the given caption;
  // nullptr when none appears in time.
  HWND WaitForWindow(const std::string& caption, DWORD timeoutMs = 30000) const;
  // Any visible top-level window of this process other than except.
  HWND OtherWindow(HWND except) const;
  bool Running() const;
  // The exit code once the process has ended; nothing if it is still running
  // after timeoutMs.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000) const;

 private:
  UniqueHandle process_;
  UniqueHandle thread_;
  DWORD processId_ = 0;
  std::string error_;
};

// Window facts, read from outside the owning process.
std::string ClassName(HWND window);
std::string Text(HWND window);  // through WM_GETTEXT, which crosses processes
// The control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control);
// The direct children of a window, first on top (the stacking order).
std::vector<HWND> Children(HWND parent);
// The window with the keyboard focus in the thread that owns window.
HWND Focus(HWND window);
// The active window of the thread that owns window.
HWND ActiveWindow(HWND window);
// Waits until the window's thread has handled what was sent to it so far.
void Settle(HWND window);

// Check lists: list boxes whose item data is nonzero for a ticked item.
int ItemCount(HWND list);
std::string ItemText(HWND list, int index);
std::vector<std::string> Items(HWND list);
bool IsTicked(HWND list, int index);
std::vector<int> TickedItems(HWND list);
int Selection(HWND list);

// Where on an item to click: its tick mark (the 13-pixel column at the item's
// left edge) or its text.
enum class ItemPart { Mark, Text };
// Screen point on the item; the item must be in view.
POINT ItemPoint(HWND list, int index, ItemPart part);
// Screen point below the last item of a list that does not fill its height.
POINT BelowLastItem(HWND list, ItemPart part);

// The screen point at the middle of a window, for clicking a button.
POINT Centre(HWND window);
// Whether the window's thread has no mouse capture: a list box holds the mouse
// from a button press until it has handled the release.
bool MouseReleased(HWND window);
// Ticks and selects an item with one click on its mark, then waits until the
// list has let go of the mouse, so the next click goes where it is aimed.
// False when the item did not end up selected and ticked.
bool Pick(HWND list, int index);

// The whole content of a file, as bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Real input, through SendInput: it goes to whatever window is under the
// pointer or has the focus, exactly as a user's would.
void ClickAt(POINT screen);
void DoubleClickAt(POINT screen);
// Presses and releases key while the modifier keys are held down.
void PressKey(WORD key, const std::vector<WORD>& modifiers = {});

}  // namespace voranel::e2e
