#include "tests/e2e/driver.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace voranel::e2e {

namespace {

// Builds an environment block: the current variables, those named in extra
// replaced, then extra, each NUL-terminated, the block ending in one more NUL.
std::string EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& extra) {
  auto overridden = [&extra](const char* entry) {
    const char* equals = std::strchr(entry + 1, '=');  // entries like "=C:=C:\" start with '='
    if (!equals) return false;
    const std::string name(entry, equals);
    return std::any_of(extra.begin(), extra.end(), [&name](const auto& variable) {
      return ::lstrcmpiA(variable.first.c_str(), name.c_str()) == 0;
    });
  };
  std::string block;
  if (char* current = ::GetEnvironmentStringsA()) {
    for (const char* entry = current; *entry; entry += std::strlen(entry) + 1) {
      if (!overridden(entry)) block.append(entry).push_back('\0');
    }
    ::FreeEnvironmentStringsA(current);
  }
  for (const auto& [name, value] : extra) block.append(name + "=" + value).push_back('\0');
  block.push_back('\0');
  return block;
}

struct WindowSearch {
  DWORD processId;
  const std::string* caption;  // nullptr: any caption
  HWND except;
  HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || window == search.except || !::IsWindowVisible(window)) {
    return TRUE;
  }
  if (search.caption && Text(window) != *search.caption) return TRUE;
  search.found = window;
  return FALSE;
}

HWND FindTopLevel(DWORD processId, const std::string* caption, HWND except) {
  WindowSearch search{processId, caption, except, nullptr};
  ::EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

GUITHREADINFO ThreadInfo(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
  return info;
}

void Send(std::vector<INPUT>& inputs) {
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A button event that carries its own screen position: Wine may not have
// seen the warped pointer yet when a bare button event arrives, and would
// deliver the click where the pointer was before.
INPUT MouseButton(DWORD flags, POINT screen) {
  const auto normalise = [](LONG value, int metric) {
    const LONG extent = std::max(2, ::GetSystemMetrics(metric)) - 1;
    return static_cast<LONG>((value * 65535 + extent / 2) / extent);
  };
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = normalise(screen.x, SM_CXSCREEN);
  input.mi.dy = normalise(screen.y, SM_CYSCREEN);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Texts cross between processes as UTF-16 (the ANSI forms of the messages come
// back garbled under Wine); the program's texts are ANSI, so turn them back.
std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), size,
                        nullptr, nullptr);
  return narrow;
}

void MoveTo(POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  WaitUntil(
      [screen] {
        POINT now{};
        return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
      },
      1000);
}

}  // namespace

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (!ready()) {
    if (::GetTickCount64() >= deadline) return ready();
    ::Sleep(20);
  }
  return true;
}

Program::Program(const std::string& path,
                 const std::vector<std::pair<std::string, std::string>>& extra) {
  std::string commandLine = "\"" + WindowsPath(path) + "\"";
  std::string environment = EnvironmentBlock(extra);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, environment.data(),
                        nullptr, &startup, &info)) {
    error_ = "cannot start " + commandLine + ": error " + std::to_string(::GetLastError());
    return;
  }
  process_.reset(info.hProcess);
  thread_.reset(info.hThread);
  processId_ = info.dwProcessId;
}

Program::~Program() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

HWND Program::WaitForWindow(const std::string& caption, DWORD timeoutMs) const {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        window = FindTopLevel(processId_, &caption, nullptr);
        return window != nullptr || !Running();
      },
      timeoutMs);
  return window;
}

HWND Program::OtherWindow(HWND except) const {
  return FindTopLevel(processId_, nullptr, except);
}

bool Program::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) const {
  if (!process_ || ::WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

std::string Text(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(std::min<std::size_t>(copied, length));
  return Narrow(text);
}

RECT RectInParent(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HWND Focus(HWND window) {
  return ThreadInfo(window).hwndFocus;
}

HWND ActiveWindow(HWND window) {
  return ThreadInfo(window).hwndActive;
}

void Settle(HWND window) {
  // Input reaches the program's queue a little after SendInput returns; a sent
  // message is answered only once the thread is back in its message loop.
  for (int round = 0; round < 3; ++round) {
    ::Sleep(50);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  }
}

int ItemCount(HWND list) {
  return static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
}

std::string ItemText(HWND list, int index) {
  const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : std::min<std::size_t>(copied, length));
  return Narrow(text);
}

std::vector<std::string> Items(HWND list) {
  std::vector<std::string> items;
  for (int i = 0, count = ItemCount(list); i < count; ++i) items.push_back(ItemText(list, i));
  return items;
}

bool IsTicked(HWND list, int index) {
  const LRESULT data = ::SendMessageA(list, LB_GETITEMDATA, index, 0);
  return data != LB_ERR && data != 0;
}

std::vector<int> TickedItems(HWND list) {
  std::vector<int> ticked;
  for (int i = 0, count = ItemCount(list); i < count; ++i) {
    if (IsTicked(list, i)) ticked.push_back(i);
  }
  return ticked;
}

int Selection(HWND list) {
  return static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
}

POINT ItemPoint(HWND list, int index, ItemPart part) {
  RECT item{};
  ::SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  // The mark column is 13 pixels wide; its middle is safely on it, and 30
  // pixels in is safely on the text.
  POINT point{item.left + (part == ItemPart::Mark ? 6 : 30), (item.top + item.bottom) / 2};
  ::ClientToScreen(list, &point);
  return point;
}

POINT BelowLastItem(HWND list, ItemPart part) {
  RECT item{};
  ::SendMessageA(list, LB_GETITEMRECT, ItemCount(list) - 1, reinterpret_cast<LPARAM>(&item));
  POINT point{item.left + (part == ItemPart::Mark ? 6 : 30), item.bottom + 20};
  ::ClientToScreen(list, &point);
  return point;
}

void ClickAt(POINT screen) {
  MoveTo(screen);
  std::vector<INPUT> click{MouseButton(MOUSEEVENTF_LEFTDOWN, screen),
                           MouseButton(MOUSEEVENTF_LEFTUP, screen)};
  Send(click);
}

void DoubleClickAt(POINT screen) {
  MoveTo(screen);
  std::vector<INPUT> clicks{
      MouseButton(MOUSEEVENTF_LEFTDOWN, screen), MouseButton(MOUSEEVENTF_LEFTUP, screen),
      MouseButton(MOUSEEVENTF_LEFTDOWN, screen), MouseButton(MOUSEEVENTF_LEFTUP, screen)};
  Send(clicks);
}

void PressKey(WORD key, const std::vector<WORD>& modifiers) {
  std::vector<INPUT> keys;
  for (WORD modifier : modifiers) keys.push_back(Key(modifier, false));
  keys.push_back(Key(key, false));
  keys.push_back(Key(key, true));
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) keys.push_back(Key(*it, true));
  Send(keys);
}

POINT Centre(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool MouseReleased(HWND window) {
  return ThreadInfo(window).hwndCapture == nullptr;
}

bool Pick(HWND list, int index) {
  ClickAt(ItemPoint(list, index, ItemPart::Mark));
  return WaitUntil(
      [&] { return Selection(list) == index && IsTicked(list, index) && MouseReleased(list); });
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(WindowsPath(path), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace voranel::e2e
