// The main window as the user meets it: built from its description, with the
// places, texts, styles, stacking, keys and focus of every control.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/main_window.h"
#include "app/main_window_description.h"
#include "app/program.h"
#include "drives/win32_library_loader.h"
#include "tests/win/test_window.h"

namespace voranel {

LibraryLoader& ProgramLibraryLoader() {
  static Win32LibraryLoader loader;
  return loader;
}

namespace test {
namespace {

struct Expected {
  int id;
  const char* className;
  RECT place;  // left, top, right, bottom in the client area
  const char* text;
  DWORD styleBits;   // these bits set
  DWORD absentBits;  // these clear
};

constexpr DWORD kOneLine = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX;
// The list box shows WS_VSCROLL only while its items need the scroll bar.
constexpr DWORD kList = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

// In form order, which is also the stacking order from the top.
const Expected kExpected[] = {
    {k标签5, "Static", {464, 272, 568, 328}, "", SS_NOPREFIX, SS_TYPEMASK | WS_TABSTOP},
    {k标签1, "Static", {16, 16, 56, 40}, "当前：", kOneLine, WS_TABSTOP},
    {k当前, "ListBox", {16, 40, 56, 328}, "", kList | WS_DISABLED, WS_TABSTOP | LBS_SORT},
    {k标签4, "Static", {72, 16, 152, 40}, "卷名：", kOneLine, WS_TABSTOP},
    {k标签2, "Static", {400, 16, 456, 40}, "修改为：", kOneLine, WS_TABSTOP},
    {k修改为, "ListBox", {400, 40, 456, 328}, "", kList | WS_TABSTOP, WS_DISABLED | LBS_SORT},
    {k卷名, "ListBox", {72, 40, 376, 328}, "", kList | WS_TABSTOP, WS_DISABLED | LBS_SORT},
    {k标签3,
     "Static",
     {464, 56, 568, 176},
     "注意：修改系统引导盘（例如：C：\\盘）可能会出错。\r\n在修改前请先退出正在欲修改盘符的应用程序"
     "，"
     "请慎重使用。。。",
     SS_NOPREFIX,
     SS_TYPEMASK | WS_TABSTOP},
    {k按钮1,
     "Button",
     {464, 8, 544, 40},
     "修改分区映射",
     BS_MULTILINE | BS_CENTER | BS_VCENTER | WS_TABSTOP,
     BS_DEFPUSHBUTTON | BS_TYPEMASK},
};

std::string TextOf(HWND window) {
  char text[512] = "";
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

// Records what the created event sees.
class CreatedProbe final : public win32::FormEvents {
 public:
  void Created() override {
    ++created;
    visibleAtCreated = ::IsWindowVisible(form->handle());
    if (fill) form->List(k修改为).Add("C:\\");
  }
  void Clicked(int id) override { clicked.push_back(id); }
  win32::Form* form = nullptr;
  bool fill = true;
  int created = 0;
  BOOL visibleAtCreated = TRUE;
  std::vector<int> clicked;
};

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    probe_.form = &form_;
    ASSERT_TRUE(form_.Build());
  }
  HWND Control(int id) { return form_.Control(id); }
  void PressKey(WPARAM key) {
    MSG msg{};
    msg.hwnd = ::GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    if (!form_.PreTranslate(msg)) {
      ::SendMessageA(msg.hwnd, WM_KEYDOWN, key, 1);
      ::SendMessageA(msg.hwnd, WM_KEYUP, key, 0xC0000001);
    }
    Pump();
  }

  CreatedProbe probe_;
  win32::Form form_{kMainForm, probe_};
};

TEST_F(MainFormTest, WindowSettings) {
  const HWND window = form_.handle();
  EXPECT_EQ(TextOf(window), "Voranel  v1.0");
  EXPECT_FALSE(::IsWindowVisible(window)) << "built hidden";
  EXPECT_EQ(::GetParent(window), nullptr);
  EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);

  RECT outer{};
  ::GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 577);
  EXPECT_EQ(outer.bottom - outer.top, 365);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 577) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 365) / 2);

  const LONG style = ::GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
  EXPECT_EQ(::GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0);
  EXPECT_EQ(::GetClassLongPtrA(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);

  // DEFAULT_ICON, linked into this test program too, as the large and the small icon.
  const std::pair<WPARAM, LONG> icons[] = {{ICON_BIG, 32}, {ICON_SMALL, 16}};
  for (const auto& [which, size] : icons) {
    const auto icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, which, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info)) << size;
    BITMAP bitmap{};
    ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
  }
}

TEST_F(MainFormTest, NineControlsInFormOrderWithTheirPlacesTextsAndStyles) {
  const auto font = reinterpret_cast<LRESULT>(::GetStockObject(DEFAULT_GUI_FONT));
  HWND child = ::GetWindow(form_.handle(), GW_CHILD);  // the top of the stacking order
  for (const Expected& e : kExpected) {
    const HWND control = Control(e.id);
    ASSERT_NE(control, nullptr) << e.id;
    EXPECT_EQ(child, control) << "stacking order at control " << e.id;
    child = ::GetWindow(child, GW_HWNDNEXT);

    EXPECT_EQ(::GetParent(control), form_.handle()) << e.id;
    EXPECT_FALSE(::IsWindowUnicode(control)) << e.id << ": texts are GBK bytes";
    EXPECT_STRCASEEQ(ClassOf(control).c_str(), e.className) << e.id;
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, form_.handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_TRUE(::EqualRect(&place, &e.place)) << e.id << ": " << place.left << ',' << place.top
                                               << ',' << place.right << ',' << place.bottom;
    if (std::string(e.className) != "ListBox") {
      EXPECT_EQ(TextOf(control), e.text) << e.id;
    }
    const DWORD style = ::GetWindowLongA(control, GWL_STYLE);
    EXPECT_EQ(style & e.styleBits, e.styleBits) << e.id;
    EXPECT_EQ(style & e.absentBits, 0u) << e.id;
    EXPECT_TRUE(style & WS_VISIBLE) << e.id;
    EXPECT_EQ(::SendMessageA(control, WM_GETFONT, 0, 0), font) << e.id;
    if (std::string(e.className) == "ListBox") {
      EXPECT_TRUE(::GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << e.id;
      EXPECT_EQ(::SendMessageA(control, LB_GETCOUNT, 0, 0), 0) << e.id;
    }
  }
  EXPECT_EQ(child, nullptr) << "no tenth control";
  for (int i = 0; i < 40; ++i) form_.List(k卷名).Add("\\\\?\\Volume");
  EXPECT_TRUE(::GetWindowLongA(Control(k卷名), GWL_STYLE) & WS_VSCROLL) << "a full list scrolls";
  EXPECT_EQ(::GetWindowLongA(Control(k标签3), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
  EXPECT_EQ(::GetWindowLongA(Control(k按钮1), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(MainFormTest, CreatedRunsOnceWhileHiddenThenTheWindowOpensWithFocusOnTheButton) {
  EXPECT_EQ(probe_.created, 0) << "creation itself raises no event";
  form_.Open();
  Pump();
  EXPECT_EQ(probe_.created, 1);
  EXPECT_FALSE(probe_.visibleAtCreated);
  EXPECT_TRUE(::IsWindowVisible(form_.handle()));
  EXPECT_EQ(form_.List(k修改为).Count(), 1);
  EXPECT_EQ(::GetFocus(), Control(k按钮1));
}

TEST_F(MainFormTest, TabCyclesButtonVolumesTargetsAndEnterDoesNotPress) {
  form_.Open();
  Pump();
  ASSERT_EQ(::GetFocus(), Control(k按钮1));
  const int forward[] = {k卷名, k修改为, k按钮1, k卷名};
  for (int id : forward) {
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), Control(id)) << id;
  }
  ::SetKeyboardState(std::array<BYTE, 256>{}.data());
  BYTE keys[256]{};
  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  const int backward[] = {k按钮1, k修改为, k卷名};
  for (int id : backward) {
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), Control(id)) << "Shift+Tab " << id;
  }
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);

  ::SetFocus(Control(k按钮1));
  PressKey(VK_RETURN);
  EXPECT_TRUE(probe_.clicked.empty()) << "Enter presses nothing";
  PressKey(VK_SPACE);
  EXPECT_EQ(probe_.clicked, std::vector<int>{k按钮1});
}

TEST_F(MainFormTest, FocusComesBackToWhereItWasWhenTheWindowIsActivatedAgain) {
  form_.Open();
  Pump();
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  ASSERT_EQ(::GetFocus(), Control(k修改为));

  // Another window of the program takes the activation, as a prompt does.
  const HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                       nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  ::SetActiveWindow(other);
  Pump();
  EXPECT_NE(::GetFocus(), Control(k修改为));
  ::SetActiveWindow(form_.handle());
  Pump();
  EXPECT_EQ(::GetFocus(), Control(k修改为));

  // A control that can no longer take the focus gives it to the first candidate.
  ::SetActiveWindow(other);
  ::EnableWindow(Control(k修改为), FALSE);
  ::SetActiveWindow(form_.handle());
  Pump();
  EXPECT_EQ(::GetFocus(), Control(k按钮1));
  ::DestroyWindow(other);
}

TEST_F(MainFormTest, WaitCursorStaysWhileWaiting) {
  form_.Open();
  Pump();
  const HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
  form_.SetWaiting(true);
  EXPECT_EQ(::GetCursor(), wait);
  // The pointer moving over a control asks for its cursor: it stays the wait cursor.
  ::SendMessageA(Control(k卷名), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(k卷名)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), wait);
  form_.SetWaiting(false);
  EXPECT_NE(::GetCursor(), wait);
}

TEST_F(MainFormTest, EscClosesOnlyWithoutModifiers) {
  form_.Open();
  Pump();
  BYTE keys[256]{};
  for (int modifier : {VK_SHIFT, VK_CONTROL}) {
    keys[modifier] = 0x80;
    ::SetKeyboardState(keys);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(form_.handle())) << modifier;
    keys[modifier] = 0;
  }
  ::SetKeyboardState(keys);
  ::SetFocus(Control(k卷名));
  PressKey(VK_ESCAPE);
  EXPECT_EQ(form_.handle(), nullptr);
  EXPECT_FALSE(win32::LoopEntered());
  MSG quit;
  EXPECT_FALSE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
      << "no quit message before the loop has started";
}

TEST_F(MainFormTest, ClosingEndsTheMessageLoop) {
  form_.Open();
  ::PostMessageA(form_.handle(), WM_CLOSE, 0, 0);
  win32::RunMessageLoop(form_);
  EXPECT_EQ(form_.handle(), nullptr);
  EXPECT_FALSE(win32::LoopEntered());
}

// The real window on Wine's volumes, through the real library loader.
TEST(MainWindowTest, OpensWithTheDriveListsFilled) {
  SystemFunctionTable system(ProgramLibraryLoader());
  MainWindow window(system);
  ASSERT_TRUE(window.Build());
  window.Open();
  Pump();
  ASSERT_EQ(window.修改为().Selection(), -1);
  EXPECT_EQ(static_cast<win32::CheckListWindow&>(window.修改为()).Count(), 24);
  EXPECT_EQ(window.修改为().ItemText(0), "C:\\");
  EXPECT_EQ(window.修改为().ItemText(23), "Z:\\");
  const int volumes = static_cast<win32::CheckListWindow&>(window.卷名()).Count();
  EXPECT_GT(volumes, 0);
  EXPECT_EQ(static_cast<win32::CheckListWindow&>(window.当前()).Count(), volumes);
  EXPECT_TRUE(system.IsBound(Entry::FindFirstVolumeA));
  EXPECT_FALSE(system.IsBound(Entry::MessageBoxA));

  window.Set标签5("C:\\ 修改为 D:\\ 完成。");
  char text[64] = "";
  ::GetWindowTextA(window.form().Control(k标签5), text, sizeof text);
  EXPECT_STREQ(text, "C:\\ 修改为 D:\\ 完成。");
}

}  // namespace
}  // namespace test
}  // namespace voranel
