#pragma once
// The main window as data: its settings and its nine controls in form order,
// which is also their stacking order, the first on top.
#include <windows.h>

#include <array>

#include "toolkit/form.h"
#include "toolkit/win32_check_list.h"

namespace voranel {

enum ControlId : int {
  k标签5 = 101,
  k标签1,
  k当前,
  k标签4,
  k标签2,
  k修改为,
  k卷名,
  k标签3,
  k按钮1,
};

inline constexpr char kMainCaption[] = "Voranel  v1.0";
inline constexpr int kMainWidth = 577;
inline constexpr int kMainHeight = 365;
// Fixed single frame: caption, system menu and close box, no sizing, no min/max box.
inline constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

namespace detail {
using win32::ControlKind;
constexpr DWORD kOneLineLabel = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX;
constexpr DWORD kWrappingLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER | WS_TABSTOP;
constexpr DWORD kList = win32::kCheckListStyle;
constexpr DWORD kListEx = win32::kCheckListExStyle;
}  // namespace detail

inline constexpr std::array<win32::ControlDescription, 9> kMainControls{{
    {"标签5", detail::ControlKind::Label, k标签5, 464, 272, 104, 56, "", detail::kWrappingLabel, 0},
    {"标签1", detail::ControlKind::Label, k标签1, 16, 16, 40, 24, "当前：", detail::kOneLineLabel,
     0},
    {"当前", detail::ControlKind::CheckList, k当前, 16, 40, 40, 288, "",
     detail::kList | WS_DISABLED, detail::kListEx},
    {"标签4", detail::ControlKind::Label, k标签4, 72, 16, 80, 24, "卷名：", detail::kOneLineLabel,
     0},
    {"标签2", detail::ControlKind::Label, k标签2, 400, 16, 56, 24, "修改为：",
     detail::kOneLineLabel, 0},
    {"修改为", detail::ControlKind::CheckList, k修改为, 400, 40, 56, 288, "",
     detail::kList | WS_TABSTOP, detail::kListEx},
    {"卷名", detail::ControlKind::CheckList, k卷名, 72, 40, 304, 288, "",
     detail::kList | WS_TABSTOP, detail::kListEx},
    {"标签3", detail::ControlKind::Label, k标签3, 464, 56, 104, 120,
     "注意：修改系统引导盘（例如：C：\\盘）可能会出错。\r\n"
     "在修改前请先退出正在欲修改盘符的应用程序，请慎重使用。。。",
     detail::kWrappingLabel, 0},
    {"按钮1", detail::ControlKind::Button, k按钮1, 464, 8, 80, 32, "修改分区映射", detail::kButton,
     0},
}};
static_assert(kMainControls.size() == 9, "the main window holds exactly nine controls");

// Tab order: 按钮1, 卷名, 修改为.
inline constexpr std::array<int, 3> kFocusOrder{{k按钮1, k卷名, k修改为}};

inline constexpr win32::FormDescription kMainForm{
    "VoranelMainWindow", kMainCaption,      kMainStyle,           kMainWidth,
    kMainHeight,         "DEFAULT_ICON",    kMainControls.data(), kMainControls.size(),
    kFocusOrder.data(),  kFocusOrder.size()};

}  // namespace voranel
