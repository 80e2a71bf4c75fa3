// Times start-up: from CreateProcess until the program's main window is visible
// and answers (for Voranel also: 修改为 holds its 24 targets). Voranel and the
// baseline window are started alternately, so both see the same machine state.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct OwnedHandle {
  HANDLE handle = nullptr;
  ~OwnedHandle() {
    if (handle) CloseHandle(handle);
  }
};

struct Search {
  DWORD processId;
  int wantedListItems;  // 0: visible is enough
  HWND found = nullptr;
};

BOOL CALLBACK CountListItems(HWND child, LPARAM found) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "ListBox") == 0) {
    *reinterpret_cast<LRESULT*>(found) =
        std::max(*reinterpret_cast<LRESULT*>(found), SendMessageA(child, LB_GETCOUNT, 0, 0));
  }
  return TRUE;
}

BOOL CALLBACK FindReadyWindow(HWND window, LPARAM context) {
  Search& search = *reinterpret_cast<Search*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search.processId || !IsWindowVisible(window)) return TRUE;
  // Ready means visible and answering: a message sent to the window comes
  // back once its program has finished starting and runs its message loop.
  // Both programs are held to that, since counting the list's items needs an
  // answer too.
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 30000, &ignored)) return TRUE;
  if (search.wantedListItems > 0) {
    LRESULT items = 0;
    EnumChildWindows(window, CountListItems, reinterpret_cast<LPARAM>(&items));
    if (items < search.wantedListItems) return TRUE;
  }
  search.found = window;
  return FALSE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Milliseconds until the window is ready; negative when it never was.
double TimeStart(const std::string& program, int wantedListItems) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + program + "\"";
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    return -1;
  }
  OwnedHandle process{info.hProcess};
  OwnedHandle thread{info.hThread};
  Search search{info.dwProcessId, wantedListItems};
  for (;;) {
    EnumWindows(FindReadyWindow, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found || Seconds(start, now) > 30) break;
    Sleep(1);
  }
  const double elapsed = search.found ? Seconds(start, now) * 1000 : -1;
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.handle, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.handle, 1);
  }
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench VORANEL.EXE BASELINE.EXE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
  std::vector<double> program, baseline;
  TimeStart(argv[1], 24);  // warm the caches once for both; not counted
  TimeStart(argv[2], 0);
  for (int run = 0; run < runs; ++run) {
    // Alternate which goes first, so neither always follows the other.
    const bool programFirst = run % 2 == 0;
    const double a = programFirst ? TimeStart(argv[1], 24) : TimeStart(argv[2], 0);
    const double b = programFirst ? TimeStart(argv[2], 0) : TimeStart(argv[1], 24);
    const double programMs = programFirst ? a : b;
    const double baselineMs = programFirst ? b : a;
    if (programMs < 0 || baselineMs < 0) {
      std::fprintf(stderr, "run %d: a window never became ready\n", run);
      return 1;
    }
    program.push_back(programMs);
    baseline.push_back(baselineMs);
  }
  const double programMedian = Median(program);
  const double baselineMedian = Median(baseline);
  std::printf("runs %d\nvoranel median ms %.1f\nbaseline median ms %.1f\nratio %.3f\n", runs,
              programMedian, baselineMedian, programMedian / baselineMedian);
  return 0;
}
