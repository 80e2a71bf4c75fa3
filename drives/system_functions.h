#pragma once
// The table of system functions the drive routines call. Each entry is bound by
// name on its first call, from the Windows system folder only, and keeps its own
// library reference until Release.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "drives/checked_call.h"

struct HWND__;  // the same incomplete type <windows.h> uses for HWND

namespace voranel {

#ifdef _WIN32
using Dword = unsigned long;
#else
using Dword = std::uint32_t;
#endif
using Bool = int;
using SearchHandle = void*;
using WindowHandle = HWND__*;
using Uint = unsigned int;

// What FindFirstVolumeA returns when no volume can be listed.
inline SearchHandle InvalidSearchHandle() {
  return reinterpret_cast<SearchHandle>(~std::uintptr_t{0});
}

// Capacity, in characters, of every buffer handed to a system function.
inline constexpr Dword kBufferCapacity = 260;

enum class Entry : std::size_t {
  FindFirstVolumeA,
  GetVolumePathNamesForVolumeNameA,
  FindNextVolumeA,
  FindVolumeClose,
  DeleteVolumeMountPointA,
  SetVolumeMountPointA,
  MessageBoxA,
  GetVolumeNameForVolumeMountPointA,
};
inline constexpr std::size_t kEntryCount = 8;

// One declaration per entry, exactly as the system declares the function.
namespace signature {
using FindFirstVolumeA = SearchHandle(VORANEL_WINAPI*)(char*, Dword);
using GetVolumePathNamesForVolumeNameA = Bool(VORANEL_WINAPI*)(const char*, char*, Dword, Dword*);
using FindNextVolumeA = Bool(VORANEL_WINAPI*)(SearchHandle, char*, Dword);
using FindVolumeClose = Bool(VORANEL_WINAPI*)(SearchHandle);
using DeleteVolumeMountPointA = Bool(VORANEL_WINAPI*)(const char*);
using SetVolumeMountPointA = Bool(VORANEL_WINAPI*)(const char*, const char*);
using MessageBoxA = int(VORANEL_WINAPI*)(WindowHandle, const char*, const char*, Uint);
using GetVolumeNameForVolumeMountPointA = Bool(VORANEL_WINAPI*)(const char*, char*, Dword);
}  // namespace signature

template <Entry E>
struct EntrySignature;
#define VORANEL_ENTRY_SIGNATURE(name)  \
  template <>                          \
  struct EntrySignature<Entry::name> { \
    using type = signature::name;      \
  };
VORANEL_ENTRY_SIGNATURE(FindFirstVolumeA)
VORANEL_ENTRY_SIGNATURE(GetVolumePathNamesForVolumeNameA)
VORANEL_ENTRY_SIGNATURE(FindNextVolumeA)
VORANEL_ENTRY_SIGNATURE(FindVolumeClose)
VORANEL_ENTRY_SIGNATURE(DeleteVolumeMountPointA)
VORANEL_ENTRY_SIGNATURE(SetVolumeMountPointA)
VORANEL_ENTRY_SIGNATURE(MessageBoxA)
VORANEL_ENTRY_SIGNATURE(GetVolumeNameForVolumeMountPointA)
#undef VORANEL_ENTRY_SIGNATURE

struct EntryName {
  const char* library;
  const char* entryPoint;
};
inline constexpr std::array<EntryName, kEntryCount> kEntryNames{{
    {"kernel32.dll", "FindFirstVolumeA"},
    {"kernel32.dll", "GetVolumePathNamesForVolumeNameA"},
    {"kernel32.dll", "FindNextVolumeA"},
    {"kernel32.dll", "FindVolumeClose"},
    {"kernel32.dll", "DeleteVolumeMountPointA"},
    {"kernel32.dll", "SetVolumeMountPointA"},
    {"user32.dll", "MessageBoxA"},
    {"kernel32.dll", "GetVolumeNameForVolumeMountPointA"},
}};

// How the table reaches the system's library loader; the simulated mount
// manager and the tests supply their own.
class LibraryLoader {
 public:
  using Library = void*;
  // The Windows system folder, without a trailing backslash; empty when unknown.
  virtual std::string SystemFolder() = 0;
  // Loads the library at this full path; null when it cannot be loaded.
  virtual Library Load(const std::string& path) = 0;
  virtual void* Find(Library library, const char* entryPoint) = 0;
  virtual void Release(Library library) = 0;

 protected:
  ~LibraryLoader() = default;
};

class SystemFunctionTable {
 public:
  explicit SystemFunctionTable(LibraryLoader& loader) : loader_(loader) {}
  ~SystemFunctionTable() { Release(); }
  SystemFunctionTable(const SystemFunctionTable&) = delete;
  SystemFunctionTable& operator=(const SystemFunctionTable&) = delete;

  // Binds entry E if it is not bound yet, calls it and checks the call.
  template <Entry E, class... Args>
  auto Call(Args... args) {
    using Function = typename EntrySignature<E>::type;
    static_assert(std::is_invocable_v<Function, Args...>, "arguments do not match the entry");
    return CallChecked(reinterpret_cast<Function>(Bind(E)), args...);
  }

  bool IsBound(Entry entry) const { return slots_[Index(entry)].address != nullptr; }
  // Releases the library reference of every bound entry, one per entry.
  void Release();

 private:
  struct Slot {
    void* address = nullptr;
    LibraryLoader::Library library = nullptr;
  };
  static constexpr std::size_t Index(Entry entry) { return static_cast<std::size_t>(entry); }
  void* Bind(Entry entry);

  LibraryLoader& loader_;
  std::array<Slot, kEntryCount> slots_{};
};

}  // namespace voranel
