#include <windows.h>

#include "app/fatal.h"
#include "app/main_window.h"
#include "app/program.h"

namespace voranel {

namespace {

SystemFunctionTable* g_system = nullptr;

void ReleaseSystemFunctions() {
  if (g_system) g_system->Release();
}

}  // namespace

int StartProgram() {
  SystemFunctionTable system(ProgramLibraryLoader());
  g_system = &system;
  SetFatalCleanup(&ReleaseSystemFunctions);
  {
    MainWindow window(system);
    if (!window.Build()) {
      const DWORD error = ::GetLastError();
      FatalError("无法建立主窗口",
                 error ? std::optional<long>(static_cast<long>(error)) : std::nullopt);
    }
    window.Open();
    win32::RunMessageLoop(window.form());
  }
  system.Release();
  SetFatalCleanup(nullptr);
  g_system = nullptr;
  return 0;
}

}  // namespace voranel
