#include "tests/sim/mount_manager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "drives/buffers.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace voranel::sim {

namespace {

// A name folded as SameMountPath compares it: ASCII letters in upper case.
std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

bool IsDrivePath(std::string_view path) {
  return path.size() == 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         path[2] == '\\';
}

// Copies text and its NUL into buffer when it fits in capacity characters.
bool CopyOut(const std::string& text, char* buffer, Dword capacity) {
  if (text.size() + 1 > capacity) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

bool MountState::operator==(const MountState& other) const {
  if (volumes.size() != other.volumes.size() || failing != other.failing ||
      missing != other.missing) {
    return false;
  }
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    if (volumes[i].name != other.volumes[i].name || volumes[i].paths != other.volumes[i].paths) {
      return false;
    }
  }
  return true;
}

MountState ParseState(std::string_view text) {
  MountState state;
  for (std::string_view line : Split(text, '\n')) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '!') {
      const std::vector<std::string_view> words = Split(line, ' ');
      if (words.size() == 2 && words[0] == "!fail") state.failing.emplace(words[1]);
      if (words.size() == 2 && words[0] == "!missing") state.missing.emplace(words[1]);
      continue;
    }
    const std::vector<std::string_view> fields = Split(line, '\t');
    Volume volume{std::string(fields[0]), {}};
    for (std::size_t i = 1; i < fields.size(); ++i) {
      if (!fields[i].empty()) volume.paths.emplace_back(fields[i]);
    }
    state.volumes.push_back(std::move(volume));
  }
  return state;
}

std::string FormatState(const MountState& state) {
  std::string text;
  for (const std::string& name : state.failing) text += "!fail " + name + "\n";
  for (const std::string& name : state.missing) text += "!missing " + name + "\n";
  for (const Volume& volume : state.volumes) {
    text += volume.name;
    for (const std::string& path : volume.paths) text += "\t" + path;
    text += "\n";
  }
  return text;
}

MountManager::MountManager(MountState state, std::string stateFile, CallLog callLog)
    : state_(std::move(state)), stateFile_(std::move(stateFile)), callLog_(callLog) {
  for (std::size_t i = 0; i < state_.volumes.size(); ++i) {
    volumeIndex_.emplace(Folded(state_.volumes[i].name), i);
  }
}

bool MountManager::Fails(const char* function, std::string_view text, bool nullText) {
  if (callLog_ == CallLog::Kept) calls_.push_back({function, std::string(text), nullText});
  return state_.failing.count(function) > 0;
}

Volume* MountManager::FindVolume(std::string_view name) {
  const auto found = volumeIndex_.find(Folded(name));
  return found == volumeIndex_.end() ? nullptr : &state_.volumes[found->second];
}

Volume* MountManager::Holder(std::string_view mountPoint) {
  for (Volume& volume : state_.volumes) {
    for (const std::string& path : volume.paths) {
      if (SameMountPath(path, mountPoint)) return &volume;
    }
  }
  return nullptr;
}

Bool MountManager::Fail(Dword error) {
  lastError_ = error;
  return 0;
}

SearchHandle MountManager::FirstVolume(char* name, Dword capacity) {
  if (Fails("FindFirstVolumeA", {}, false) || state_.volumes.empty() ||
      !CopyOut(state_.volumes.front().name, name, capacity)) {
    lastError_ = 18;  // ERROR_NO_MORE_FILES
    return InvalidSearchHandle();
  }
  searches_.push_back({nextSearchId_, 1});
  return reinterpret_cast<SearchHandle>(nextSearchId_++);
}

Bool MountManager::NextVolume(SearchHandle search, char* name, Dword capacity) {
  if (Fails("FindNextVolumeA", {}, false)) return Fail(18);
  const auto open = std::find_if(searches_.begin(), searches_.end(), [&](const Search& s) {
    return s.id == reinterpret_cast<std::uintptr_t>(search);
  });
  if (open == searches_.end()) return Fail(6);  // ERROR_INVALID_HANDLE
  if (open->next >= state_.volumes.size()) return Fail(18);
  if (!CopyOut(state_.volumes[open->next].name, name, capacity)) return Fail(206);
  ++open->next;
  return 1;
}

Bool MountManager::CloseSearch(SearchHandle search) {
  if (Fails("FindVolumeClose", {}, false)) return Fail(6);
  const auto open = std::find_if(searches_.begin(), searches_.end(), [&](const Search& s) {
    return s.id == reinterpret_cast<std::uintptr_t>(search);
  });
  if (open == searches_.end()) return Fail(6);
  searches_.erase(open);
  return 1;
}

Bool MountManager::PathNames(const char* volume, char* paths, Dword capacity, Dword* needed) {
  if (Fails("GetVolumePathNamesForVolumeNameA", volume ? volume : "", !volume)) return Fail(1);
  const Volume* found = volume ? FindVolume(volume) : nullptr;
  if (!found) return Fail(2);  // ERROR_FILE_NOT_FOUND
  std::string list;
  for (const std::string& path : found->paths) list += path + '\0';
  list += '\0';
  if (needed) *needed = static_cast<Dword>(list.size());
  if (list.size() > capacity) return Fail(kErrorMoreData);
  std::memcpy(paths, list.data(), list.size());
  return 1;
}

Bool MountManager::DeleteMountPoint(const char* mountPoint) {
  if (Fails("DeleteVolumeMountPointA", mountPoint ? mountPoint : "", !mountPoint)) return Fail(5);
  Volume* holder = mountPoint ? Holder(mountPoint) : nullptr;
  if (!holder) return Fail(4390);  // ERROR_NOT_A_REPARSE_POINT
  holder->paths.erase(
      std::find_if(holder->paths.begin(), holder->paths.end(),
                   [&](const std::string& p) { return SameMountPath(p, mountPoint); }));
  Save();
  return 1;
}

Bool MountManager::SetMountPoint(const char* mountPoint, const char* volume) {
  if (Fails("SetVolumeMountPointA", mountPoint ? mountPoint : "", !mountPoint)) return Fail(5);
  if (!mountPoint || !volume || !*mountPoint) return Fail(87);  // ERROR_INVALID_PARAMETER
  Volume* target = FindVolume(volume);
  if (!target) return Fail(2);
  if (Holder(mountPoint)) return Fail(85);  // ERROR_ALREADY_ASSIGNED
  // The mount manager gives a volume one drive letter at most.
  if (IsDrivePath(mountPoint) && std::any_of(target->paths.begin(), target->paths.end(),
                                             [](const std::string& p) { return IsDrivePath(p); })) {
    return Fail(85);
  }
  target->paths.emplace_back(mountPoint);
  Save();
  return 1;
}

Bool MountManager::VolumeForMountPoint(const char* mountPoint, char* volume, Dword capacity) {
  if (Fails("GetVolumeNameForVolumeMountPointA", mountPoint ? mountPoint : "", !mountPoint)) {
    return Fail(5);
  }
  const Volume* holder = mountPoint ? Holder(mountPoint) : nullptr;
  if (!holder) return Fail(4390);
  if (!CopyOut(holder->name, volume, capacity)) return Fail(206);
  return 1;
}

// Writes a new file and renames it over the old one, so a reader never sees
// half a state.
void MountManager::Save() const {
  if (stateFile_.empty()) return;
  const std::string fresh = stateFile_ + ".new";
  {
    std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
    out << FormatState(state_);
  }
#ifdef _WIN32
  MoveFileExA(fresh.c_str(), stateFile_.c_str(), MOVEFILE_REPLACE_EXISTING);
#else
  std::rename(fresh.c_str(), stateFile_.c_str());
#endif
}

// --- The functions handed out in place of kernel32.dll's ---

namespace {

MountManager* current = nullptr;

SearchHandle VORANEL_WINAPI SimFindFirstVolumeA(char* name, Dword capacity) {
  return current->FirstVolume(name, capacity);
}
Bool VORANEL_WINAPI SimFindNextVolumeA(SearchHandle search, char* name, Dword capacity) {
  return current->NextVolume(search, name, capacity);
}
Bool VORANEL_WINAPI SimFindVolumeClose(SearchHandle search) {
  return current->CloseSearch(search);
}
Bool VORANEL_WINAPI SimGetVolumePathNamesForVolumeNameA(const char* volume, char* paths,
                                                        Dword capacity, Dword* needed) {
  return current->PathNames(volume, paths, capacity, needed);
}
Bool VORANEL_WINAPI SimDeleteVolumeMountPointA(const char* mountPoint) {
  return current->DeleteMountPoint(mountPoint);
}
Bool VORANEL_WINAPI SimSetVolumeMountPointA(const char* mountPoint, const char* volume) {
  return current->SetMountPoint(mountPoint, volume);
}
Bool VORANEL_WINAPI SimGetVolumeNameForVolumeMountPointA(const char* mountPoint, char* volume,
                                                         Dword capacity) {
  return current->VolumeForMountPoint(mountPoint, volume, capacity);
}

struct SimulatedFunction {
  const char* entryPoint;
  void* address;
};
const SimulatedFunction kSimulatedFunctions[] = {
    {"FindFirstVolumeA", reinterpret_cast<void*>(&SimFindFirstVolumeA)},
    {"FindNextVolumeA", reinterpret_cast<void*>(&SimFindNextVolumeA)},
    {"FindVolumeClose", reinterpret_cast<void*>(&SimFindVolumeClose)},
    {"GetVolumePathNamesForVolumeNameA",
     reinterpret_cast<void*>(&SimGetVolumePathNamesForVolumeNameA)},
    {"DeleteVolumeMountPointA", reinterpret_cast<void*>(&SimDeleteVolumeMountPointA)},
    {"SetVolumeMountPointA", reinterpret_cast<void*>(&SimSetVolumeMountPointA)},
    {"GetVolumeNameForVolumeMountPointA",
     reinterpret_cast<void*>(&SimGetVolumeNameForVolumeMountPointA)},
};

// Stands for the simulated kernel32.dll in the loader's hands.
int simulatedKernel = 0;

bool IsKernel(const std::string& path) {
  constexpr std::string_view kName = "\\kernel32.dll";
  return path.size() >= kName.size() &&
         SameMountPath(std::string_view(path).substr(path.size() - kName.size()), kName);
}

}  // namespace

void SetCurrent(MountManager* manager) {
  current = manager;
}

SimulatedLoader::SimulatedLoader(MountManager& manager, LibraryLoader& fallback)
    : manager_(manager), fallback_(fallback) {
  SetCurrent(&manager_);
}

std::string SimulatedLoader::SystemFolder() {
  return fallback_.SystemFolder();
}

LibraryLoader::Library SimulatedLoader::Load(const std::string& path) {
  loads_.push_back(path);
  if (!IsKernel(path)) return fallback_.Load(path);
  ++kernelHeld_;
  return &simulatedKernel;
}

void* SimulatedLoader::Find(Library library, const char* entryPoint) {
  if (manager_.State().missing.count(entryPoint)) return nullptr;
  if (library != &simulatedKernel) return fallback_.Find(library, entryPoint);
  for (const SimulatedFunction& function : kSimulatedFunctions) {
    if (std::strcmp(function.entryPoint, entryPoint) == 0) return function.address;
  }
  return nullptr;
}

void SimulatedLoader::Release(Library library) {
  if (library == &simulatedKernel) {
    --kernelHeld_;
  } else {
    fallback_.Release(library);
  }
}

}  // namespace voranel::sim
