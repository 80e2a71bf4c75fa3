// Endurance: many confirmed drive-letter moves in a row, by real clicks, on the
// simulated program. Every move must complete and leave a consistent state
// file; after a warm-up the process must not keep GDI or USER objects, and its
// private bytes must stay level.
//
//   voranel_endurance VORANEL-SIM.EXE [ROUNDS]
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "tests/e2e/driver.h"

namespace voranel::e2e {
namespace {

constexpr char kCaption[] = "Voranel  v1.0";
constexpr int kWarmUpRounds = 50;

struct Usage {
  DWORD gdiObjects;
  DWORD userObjects;
  SIZE_T privateBytes;
};

Usage Measure(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  // Wine leaves PrivateUsage at 0; PagefileUsage, the commit charge, is the
  // same figure on Windows and is filled in there.
  return {GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
          memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage};
}

int Run(const std::string& simulated, int rounds) {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(sizeof folder, folder);
  const std::string stateFile = std::string(folder) + "voranel-endurance.txt";
  std::ofstream(stateFile, std::ios::binary) << "V1\tC:\\\nV2\tD:\\\n";

  Program program(simulated, {{"VORANEL_SIM_STATE", stateFile}});
  const HWND main = program.WaitForWindow(kCaption);
  const std::vector<HWND> children = main ? Children(main) : std::vector<HWND>{};
  if (children.size() != 9) {
    std::printf("the main window did not open\n");
    return 1;
  }
  const HWND status = children[0], current = children[2], targets = children[5],
             volumes = children[6], button = children[8];
  using ProcessHandle = win32::UniqueAny<HANDLE, BOOL, ::CloseHandle>;
  const ProcessHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.processId()));

  Usage warm{};
  const DWORD start = GetTickCount();
  for (int round = 1; round <= rounds; ++round) {
    const std::string target = round % 2 ? "E:\\" : "F:\\";
    const std::string expected = "V2 修改为 " + target + " 完成。";
    const bool picked = Pick(volumes, 1) && Pick(targets, target[0] - 'C');
    ClickAt(Centre(button));
    // Done once the status shows the outcome and the lists show the new state.
    const bool done = picked && WaitUntil(
                                    [&] {
                                      return Text(status) == expected &&
                                             ItemText(current, 1) == target &&
                                             ItemCount(volumes) == 2;
                                    },
                                    10000);
    const std::string state = ReadWholeFile(stateFile);
    if (!done || state != "V1\tC:\\\nV2\t" + target + "\n") {
      std::printf(
          "round %d: picked %d, volume selection %d ticked %d, target selection %d, "
          "status \"%s\", state file \"%s\"\n",
          round, picked, Selection(volumes), IsTicked(volumes, 1), Selection(targets),
          Text(status).c_str(), state.c_str());
      return 1;
    }
    if (round == kWarmUpRounds) {
      Settle(main);
      warm = Measure(process.get());
    }
  }
  Settle(main);
  const Usage end = Measure(process.get());
  const double seconds = (GetTickCount() - start) / 1000.0;
  PostMessageA(main, WM_CLOSE, 0, 0);
  const auto exitCode = program.WaitForExit();
  DeleteFileA(stateFile.c_str());

  const double growth = warm.privateBytes
                            ? 100.0 * (double(end.privateBytes) - double(warm.privateBytes)) /
                                  double(warm.privateBytes)
                            : 0;
  std::printf("rounds %d, all completed, %.1f s (%.0f ms a round)\n", rounds, seconds,
              1000 * seconds / rounds);
  std::printf("after %d rounds: GDI %lu, USER %lu, private bytes %zu\n", kWarmUpRounds,
              warm.gdiObjects, warm.userObjects, static_cast<size_t>(warm.privateBytes));
  std::printf("after %d rounds: GDI %lu, USER %lu, private bytes %zu (%+.2f%%)\n", rounds,
              end.gdiObjects, end.userObjects, static_cast<size_t>(end.privateBytes), growth);
  const bool level = end.gdiObjects <= warm.gdiObjects && end.userObjects <= warm.userObjects &&
                     growth < 1.0 && exitCode == 0u;
  std::printf("%s\n", level ? "resources level" : "resources GREW or the program did not end");
  return level ? 0 : 1;
}

}  // namespace
}  // namespace voranel::e2e

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s VORANEL-SIM.EXE [ROUNDS]\n", argv[0]);
    return 2;
  }
  const int rounds = argc > 2 ? std::max(51, std::atoi(argv[2])) : 1000;
  return voranel::e2e::Run(argv[1], rounds);
}
