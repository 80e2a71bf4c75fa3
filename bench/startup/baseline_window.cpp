// The start-up yardstick: an empty window of the main window's size and frame
// that does nothing else. Built with the same flags as the program.
#include <windows.h>

namespace {

LRESULT CALLBACK BaselineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = BaselineProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "VoranelBaseline";
  if (!RegisterClassA(&windowClass)) return 1;
  constexpr int kWidth = 577;
  constexpr int kHeight = 365;
  HWND window = CreateWindowExA(
      0, windowClass.lpszClassName, "Voranel baseline", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
      (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2,
      kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
