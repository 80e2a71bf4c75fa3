// The main window as a user meets it: started as a separate process, looked at
// from outside and driven with the real mouse and keyboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace voranel::e2e {
namespace {

std::string g_program;  // the program under test, from the command line

constexpr char kCaption[] = "Voranel  v1.0";
constexpr int kWidth = 577;
constexpr int kHeight = 365;

// Positions of the controls in form order, which is also the stacking order.
enum Control {
  k标签5,
  k标签1,
  k当前,
  k标签4,
  k标签2,
  k修改为,
  k卷名,
  k标签3,
  k按钮1,
  kControlCount
};

enum class Kind { OneLineLabel, WrappingLabel, CheckList, Button };

struct ExpectedControl {
  const char* name;
  Kind kind;
  RECT rect;  // left, top, right, bottom in the window's client area
  const char* text;
  DWORD styleSet;    // style bits that must be set
  DWORD styleClear;  // style bits that must be clear
};

constexpr DWORD kListModes = LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_MULTICOLUMN;

// A list carries WS_VSCROLL only while its items overflow, as 修改为's 24 always
// do. Fonts and icons are not checked here: Wine answers WM_GETFONT and
// WM_GETICON from another process with 0; the in-process window tests see them.
// clang-format off
const std::array<ExpectedControl, kControlCount> kControls{{
    {"标签5", Kind::WrappingLabel, {464, 272, 568, 328}, "", 0, WS_TABSTOP | WS_DISABLED},
    {"标签1", Kind::OneLineLabel, {16, 16, 56, 40}, "当前：", 0, WS_TABSTOP | WS_DISABLED},
    {"当前", Kind::CheckList, {16, 40, 56, 328}, "", WS_DISABLED,
     WS_TABSTOP | kListModes},
    {"标签4", Kind::OneLineLabel, {72, 16, 152, 40}, "卷名：", 0, WS_TABSTOP | WS_DISABLED},
    {"标签2", Kind::OneLineLabel, {400, 16, 456, 40}, "修改为：", 0, WS_TABSTOP | WS_DISABLED},
    {"修改为", Kind::CheckList, {400, 40, 456, 328}, "", WS_TABSTOP | WS_VSCROLL,
     WS_DISABLED | kListModes},
    {"卷名", Kind::CheckList, {72, 40, 376, 328}, "", WS_TABSTOP,
     WS_DISABLED | kListModes},
    {"标签3", Kind::WrappingLabel, {464, 56, 568, 176},
     "注意：修改系统引导盘（例如：C：\\盘）可能会出错。\r\n"
     "在修改前请先退出正在欲修改盘符的应用程序，请慎重使用。。。",
     0, WS_TABSTOP | WS_DISABLED},
    {"按钮1", Kind::Button, {464, 8, 544, 40}, "修改分区映射", WS_TABSTOP | BS_MULTILINE,
     WS_DISABLED},
}};
// clang-format on

std::string Describe(const RECT& r) {
  char text[64];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return text;
}

// Every volume the system lists, with its first mount path ("" when it has none).
std::vector<std::pair<std::string, std::string>> SystemVolumes() {
  std::vector<std::pair<std::string, std::string>> volumes;
  char name[MAX_PATH];
  HANDLE search = ::FindFirstVolumeA(name, MAX_PATH);
  if (search == INVALID_HANDLE_VALUE) return volumes;
  do {
    char paths[MAX_PATH + 1] = {};
    DWORD length = 0;
    if (!::GetVolumePathNamesForVolumeNameA(name, paths, MAX_PATH, &length)) paths[0] = '\0';
    volumes.emplace_back(name, paths);
  } while (::FindNextVolumeA(search, name, MAX_PATH));
  ::FindVolumeClose(search);
  return volumes;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.started()) << program_.error();
    window_ = program_.WaitForWindow(kCaption);
    ASSERT_NE(window_, nullptr) << "no window captioned \"" << kCaption << "\" appeared";
    controls_ = Children(window_);
    ASSERT_EQ(controls_.size(), static_cast<size_t>(kControlCount));
    // The window comes up active with the focus on the button; input goes there.
    ASSERT_TRUE(WaitUntil([this] { return Focus(window_) == at(k按钮1); }))
        << "the focus is not on 按钮1 once the window is open";
  }

  void TearDown() override {
    if (program_.Running()) {
      ::PostMessageA(window_, WM_CLOSE, 0, 0);
      program_.WaitForExit(5000);
    }
  }

  HWND at(Control control) const { return controls_[control]; }

  // Presses a key and waits until the program has handled it.
  void Press(WORD key, const std::vector<WORD>& modifiers = {}) {
    PressKey(key, modifiers);
    Settle(window_);
  }

  Program program_{g_program};
  HWND window_ = nullptr;
  std::vector<HWND> controls_;
};

TEST_F(MainWindowTest, WindowHasItsCaptionSizePlaceAndFixedFrame) {
  EXPECT_EQ(Text(window_), kCaption);

  RECT outer{};
  ASSERT_TRUE(::GetWindowRect(window_, &outer));
  EXPECT_EQ(outer.right - outer.left, kWidth);
  EXPECT_EQ(outer.bottom - outer.top, kHeight);
  // Centred on the full screen, not the work area, truncating toward zero.
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2);

  const LONG style = ::GetWindowLongA(window_, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
  EXPECT_FALSE(::GetWindowLongA(window_, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
  EXPECT_EQ(::GetWindow(window_, GW_OWNER), nullptr);
  EXPECT_EQ(::GetParent(window_), nullptr);
  EXPECT_EQ(ActiveWindow(window_), window_);
}

TEST_F(MainWindowTest, ControlsStandInFormOrderWithTheirPlacesTextsAndSettings) {
  for (int i = 0; i < kControlCount; ++i) {
    const ExpectedControl& expected = kControls[i];
    const HWND control = at(static_cast<Control>(i));
    SCOPED_TRACE(expected.name);
    const bool list = expected.kind == Kind::CheckList;
    const char* className = list ? "ListBox" : expected.kind == Kind::Button ? "Button" : "Static";
    EXPECT_STREQ(ClassName(control).c_str(), className);
    EXPECT_EQ(Describe(RectInParent(control)), Describe(expected.rect));
    if (!list) {
      EXPECT_EQ(Text(control), expected.text);
    }

    const DWORD style = ::GetWindowLongA(control, GWL_STYLE);
    const DWORD exStyle = ::GetWindowLongA(control, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(style & expected.styleSet, expected.styleSet);
    EXPECT_EQ(style & expected.styleClear, 0u);
    switch (expected.kind) {
      case Kind::OneLineLabel:
        EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFTNOWORDWRAP));
        EXPECT_TRUE(style & SS_CENTERIMAGE) << "not centred vertically";
        break;
      case Kind::WrappingLabel:
        EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
        EXPECT_FALSE(style & SS_CENTERIMAGE);
        break;
      case Kind::Button:
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << "not a plain button";
        break;
      case Kind::CheckList:
        EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE) << "no sunken edge";
        break;
    }
    if (!list) {
      EXPECT_FALSE(style & WS_BORDER);
    }
  }
  EXPECT_FALSE(::IsWindowEnabled(at(k当前)));
}

TEST_F(MainWindowTest, ListsAreFilledBeforeTheWindowIsFirstSeen) {
  // SetUp found the window as soon as it was visible, so this is its first look.
  std::vector<std::string> targets;
  for (char letter = 'C'; letter <= 'Z'; ++letter)
    targets.push_back(std::string(1, letter) + ":\\");
  EXPECT_EQ(Items(at(k修改为)), targets);

  std::vector<std::string> names, paths;
  for (const auto& [name, path] : SystemVolumes()) {
    names.push_back(name);
    paths.push_back(path);
  }
  ASSERT_FALSE(names.empty()) << "the system lists no volume";
  EXPECT_EQ(Items(at(k卷名)), names);
  EXPECT_EQ(Items(at(k当前)), paths);

  for (Control list : {k当前, k修改为, k卷名}) {
    EXPECT_TRUE(TickedItems(at(list)).empty());
    EXPECT_EQ(Selection(at(list)), -1);
  }
  EXPECT_EQ(Text(at(k标签5)), "");
}

// One step of the user's input on a list and what the list must show after it.
struct TickStep {
  const char* what;
  enum { Click, DoubleClick, Space, Down } input;
  int item;
  ItemPart part;
  int ticked;  // the only ticked item; -1 for none
  int selected;
};

TEST_F(MainWindowTest, MouseAndSpaceBarTickAndSelectByTheRules) {
  const HWND list = at(k修改为);
  const TickStep steps[] = {
      {"click on text selects without ticking", TickStep::Click, 3, ItemPart::Text, -1, 3},
      {"click on mark ticks and selects", TickStep::Click, 5, ItemPart::Mark, 5, 5},
      {"click on another text leaves the tick", TickStep::Click, 1, ItemPart::Text, 5, 1},
      {"click on the ticked mark keeps it ticked", TickStep::Click, 5, ItemPart::Mark, 5, 5},
      {"ticking another item moves the tick", TickStep::Click, 2, ItemPart::Mark, 2, 2},
      {"double click on a mark leaves it the only tick", TickStep::DoubleClick, 7, ItemPart::Mark,
       7, 7},
      {"arrow key moves only the selection", TickStep::Down, -1, ItemPart::Text, 7, 8},
      {"space ticks the focused item, selection stays", TickStep::Space, -1, ItemPart::Text, 8, 8},
      {"space on the only tick keeps it", TickStep::Space, -1, ItemPart::Text, 8, 8},
      {"double click on text ticks nothing", TickStep::DoubleClick, 0, ItemPart::Text, 8, 0},
  };
  for (const TickStep& step : steps) {
    SCOPED_TRACE(step.what);
    switch (step.input) {
      case TickStep::Click:
        ClickAt(ItemPoint(list, step.item, step.part));
        break;
      case TickStep::DoubleClick:
        DoubleClickAt(ItemPoint(list, step.item, step.part));
        break;
      case TickStep::Space:
        PressKey(VK_SPACE);
        break;
      case TickStep::Down:
        PressKey(VK_DOWN);
        break;
    }
    Settle(window_);
    const std::vector<int> ticked = TickedItems(list);
    EXPECT_EQ(ticked, step.ticked < 0 ? std::vector<int>{} : std::vector<int>{step.ticked});
    EXPECT_EQ(Selection(list), step.selected);
    EXPECT_EQ(Focus(window_), list);
  }
  // Ticks in one list leave the others alone.
  EXPECT_TRUE(TickedItems(at(k卷名)).empty());
}

TEST_F(MainWindowTest, ClickBelowTheLastItemTicksNothing) {
  const HWND list = at(k卷名);
  RECT client{}, last{};
  ::GetClientRect(list, &client);
  ::SendMessageA(list, LB_GETITEMRECT, ItemCount(list) - 1, reinterpret_cast<LPARAM>(&last));
  if (last.bottom + 30 > client.bottom) GTEST_SKIP() << "the volumes fill the list";

  ClickAt(ItemPoint(list, 0, ItemPart::Mark));
  Settle(window_);
  ASSERT_EQ(TickedItems(list), std::vector<int>{0});
  // Under the mark column, but below every item: no item's mark is hit.
  ClickAt(BelowLastItem(list, ItemPart::Mark));
  Settle(window_);
  EXPECT_EQ(TickedItems(list), std::vector<int>{0});
}

TEST_F(MainWindowTest, 当前TakesNoMouseInput) {
  const HWND list = at(k当前);
  ASSERT_GT(ItemCount(list), 0);
  for (ItemPart part : {ItemPart::Mark, ItemPart::Text}) {
    ClickAt(ItemPoint(list, 0, part));
    Settle(window_);
  }
  EXPECT_TRUE(TickedItems(list).empty());
  EXPECT_EQ(Selection(list), -1);
  EXPECT_NE(Focus(window_), list);
}

TEST_F(MainWindowTest, TabAndShiftTabCycleButtonVolumesAndTargets) {
  struct {
    bool shift;
    Control focus;
  } const steps[] = {{false, k卷名}, {false, k修改为}, {false, k按钮1}, {false, k卷名},
                     {true, k按钮1}, {true, k修改为},  {true, k卷名},   {true, k按钮1}};
  for (const auto& step : steps) {
    Press(VK_TAB, step.shift ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{});
    EXPECT_EQ(Focus(window_), at(step.focus))
        << (step.shift ? "Shift+Tab" : "Tab") << " should reach " << kControls[step.focus].name;
  }
}

TEST_F(MainWindowTest, EnterOnTheButtonPressesNothingButSpaceDoes) {
  Press(VK_RETURN);
  EXPECT_EQ(program_.OtherWindow(window_), nullptr) << "Enter pressed the button";
  EXPECT_EQ(Focus(window_), at(k按钮1));
  EXPECT_TRUE(program_.Running());

  // The space bar presses it: with nothing chosen, a prompt owned by the window.
  PressKey(VK_SPACE);
  HWND prompt = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (prompt = program_.OtherWindow(window_)) != nullptr; }))
      << "the space bar did not press the button";
  EXPECT_EQ(Text(prompt), "提示：");
  EXPECT_EQ(::GetWindow(prompt, GW_OWNER), window_);
  EXPECT_EQ(Text(at(k标签5)), "");

  // Closing the prompt gives the focus back to the button.
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(prompt); }));
  EXPECT_TRUE(WaitUntil([&] { return Focus(window_) == at(k按钮1); }));
}

TEST_F(MainWindowTest, FocusComesBackToItsControlWhenTheWindowIsActivatedAgain) {
  Press(VK_TAB);
  Press(VK_TAB);
  ASSERT_EQ(Focus(window_), at(k修改为));

  // Another program's window takes the activation, then the user clicks the
  // main window's title bar.
  Program other{g_program};
  ASSERT_TRUE(other.started()) << other.error();
  const HWND otherWindow = other.WaitForWindow(kCaption);
  ASSERT_NE(otherWindow, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == otherWindow; }));
  ::PostMessageA(otherWindow, WM_CLOSE, 0, 0);
  ASSERT_EQ(other.WaitForExit(), std::optional<DWORD>(0));

  RECT outer{};
  ::GetWindowRect(window_, &outer);
  ClickAt({outer.left + 120, outer.top + ::GetSystemMetrics(SM_CYFRAME) + 6});
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window_; }));
  EXPECT_TRUE(WaitUntil([&] { return Focus(window_) == at(k修改为); }));
}

// Ways of ending the program, each tried on a fresh copy.
struct CloseCase {
  const char* name;
  int tabsFirst;  // Tab presses before, to move the focus away from the button
  void (*close)(HWND window);
};

void PressEsc(HWND) {
  PressKey(VK_ESCAPE);
}
void PressAltF4(HWND) {
  PressKey(VK_F4, {VK_MENU});
}
void ClickCloseBox(HWND window) {
  RECT outer{};
  ::GetWindowRect(window, &outer);
  const POINT box{
      outer.right - ::GetSystemMetrics(SM_CXFIXEDFRAME) - ::GetSystemMetrics(SM_CXSIZE) / 2,
      outer.top + ::GetSystemMetrics(SM_CYFIXEDFRAME) + ::GetSystemMetrics(SM_CYSIZE) / 2};
  ASSERT_EQ(::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y)), HTCLOSE)
      << "no close box at " << box.x << "," << box.y;
  ClickAt(box);
}
void ChooseCloseInSystemMenu(HWND window) {
  // What the menu's Close item sends.
  ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class ClosingTest : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingTest, EndsTheProgramWithExitCode0) {
  for (int i = 0; i < GetParam().tabsFirst; ++i) Press(VK_TAB);
  GetParam().close(window_);
  if (HasFatalFailure()) return;
  EXPECT_EQ(program_.WaitForExit(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClosingTest,
    ::testing::Values(CloseCase{"EscOnButton", 0, PressEsc}, CloseCase{"EscOnVolumes", 1, PressEsc},
                      CloseCase{"EscOnTargets", 2, PressEsc}, CloseCase{"AltF4", 0, PressAltF4},
                      CloseCase{"CloseBox", 0, ClickCloseBox},
                      CloseCase{"SystemMenuClose", 0, ChooseCloseInSystemMenu}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, EscWithAModifierDoesNotClose) {
  for (WORD modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
    SCOPED_TRACE(modifier);
    Press(VK_ESCAPE, {modifier});
    Settle(window_);
    EXPECT_TRUE(program_.Running());
    EXPECT_TRUE(::IsWindowVisible(window_));
  }
}

}  // namespace
}  // namespace voranel::e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PROGRAM.exe [gtest options]\n", argv[0]);
    return 2;
  }
  voranel::e2e::g_program = argv[1];
  return RUN_ALL_TESTS();
}
