// voranel-sim.exe: the program with its volume functions answered by the
// simulated mount manager. The start state comes from the file named by
// VORANEL_SIM_STATE, which is rewritten after every change of the mounts.
// MessageBoxA and the window stay real.
#include <windows.h>

#include <fstream>
#include <sstream>

#include "app/fatal.h"
#include "app/program.h"
#include "drives/win32_library_loader.h"
#include "tests/sim/mount_manager.h"

namespace voranel {

namespace {

std::string StateFileName() {
  char name[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableA("VORANEL_SIM_STATE", name, sizeof name);
  if (length == 0 || length >= sizeof name) FatalError("VORANEL_SIM_STATE names no state file");
  return name;
}

sim::MountState ReadState(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) FatalError("cannot read the state file " + file);
  std::stringstream text;
  text << in.rdbuf();
  return sim::ParseState(text.str());
}

struct SimulatedSystem {
  SimulatedSystem()
      : file(StateFileName()),
        manager(ReadState(file), file, sim::MountManager::CallLog::Dropped),
        loader(manager, real) {}
  std::string file;
  Win32LibraryLoader real;
  sim::MountManager manager;
  sim::SimulatedLoader loader;
};

}  // namespace

LibraryLoader& ProgramLibraryLoader() {
  static SimulatedSystem system;
  return system.loader;
}

}  // namespace voranel
