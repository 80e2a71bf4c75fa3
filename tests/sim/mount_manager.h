#pragma once
// A simulated mount manager: the volume functions of the system function table
// answered from an in-memory mount table, following the Windows contracts. It
// backs the native tests and the test build voranel-sim.exe; the shipped
// program never contains it.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drives/system_functions.h"

namespace voranel::sim {

struct Volume {
  std::string name;
  std::vector<std::string> paths;  // in the order the system lists them
};

struct MountState {
  std::vector<Volume> volumes;    // in enumeration order
  std::set<std::string> failing;  // entry points that fail on every call
  std::set<std::string> missing;  // entry points that cannot be bound
  bool operator==(const MountState& other) const;
};

// The state file: one volume per line, its name then its mount paths, separated
// by tabs. "!fail NAME" and "!missing NAME" lines; empty and "#" lines ignored.
MountState ParseState(std::string_view text);
std::string FormatState(const MountState& state);

// One call made to the simulation: the function and its first text argument.
struct SimCall {
  std::string function;
  std::string text;
  bool nullText = false;
};

inline constexpr Dword kErrorMoreData = 234;

class MountManager {
 public:
  // stateFile, when given, is rewritten after every change of the mounts.
  // Without a call log the simulation keeps no memory per call, as the test
  // program does, so its memory use reflects the program's own.
  enum class CallLog { Kept, Dropped };
  explicit MountManager(MountState state, std::string stateFile = {},
                        CallLog callLog = CallLog::Kept);

  SearchHandle FirstVolume(char* name, Dword capacity);
  Bool NextVolume(SearchHandle search, char* name, Dword capacity);
  Bool CloseSearch(SearchHandle search);
  Bool PathNames(const char* volume, char* paths, Dword capacity, Dword* needed);
  Bool DeleteMountPoint(const char* mountPoint);
  Bool SetMountPoint(const char* mountPoint, const char* volume);
  Bool VolumeForMountPoint(const char* mountPoint, char* volume, Dword capacity);

  const MountState& State() const { return state_; }
  const std::vector<SimCall>& Calls() const { return calls_; }
  // Forgets the calls logged so far, so that long runs keep the log small.
  void ClearCalls() { calls_.clear(); }
  Dword LastError() const { return lastError_; }
  int OpenSearches() const { return static_cast<int>(searches_.size()); }

 private:
  bool Fails(const char* function, std::string_view text, bool nullText);
  Volume* FindVolume(std::string_view name);
  Volume* Holder(std::string_view mountPoint);
  Bool Fail(Dword error);
  void Save() const;

  MountState state_;
  std::string stateFile_;
  CallLog callLog_;
  std::vector<SimCall> calls_;
  // Volume names folded to upper case, to the first volume of that name. The
  // volumes never change after construction, and a lookup by name must not
  // cost a scan of them all: listing would grow with the square of their number.
  std::unordered_map<std::string, std::size_t> volumeIndex_;
  struct Search {
    std::uintptr_t id;
    std::size_t next;
  };
  std::vector<Search> searches_;
  std::uintptr_t nextSearchId_ = 1;
  Dword lastError_ = 0;
};

// The simulation that the functions handed out by SimulatedLoader answer from.
void SetCurrent(MountManager* manager);

// A loader that hands out the simulated volume functions for kernel32.dll and
// leaves every other library to fallback (the real loader, or a test's fake).
// Entry points listed as missing cannot be found.
class SimulatedLoader final : public LibraryLoader {
 public:
  SimulatedLoader(MountManager& manager, LibraryLoader& fallback);
  std::string SystemFolder() override;
  Library Load(const std::string& path) override;
  void* Find(Library library, const char* entryPoint) override;
  void Release(Library library) override;

  // Every path the table asked to load, in order.
  const std::vector<std::string>& Loads() const { return loads_; }
  // References on the simulated kernel32.dll not yet released.
  int KernelReferences() const { return kernelHeld_; }

 private:
  MountManager& manager_;
  LibraryLoader& fallback_;
  std::vector<std::string> loads_;
  int kernelHeld_ = 0;
};

}  // namespace voranel::sim
