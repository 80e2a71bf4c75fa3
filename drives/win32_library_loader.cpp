#include "drives/win32_library_loader.h"

#include <windows.h>

#include <type_traits>

namespace voranel {

// The table's declarations are the system's own, so they cannot drift.
static_assert(std::is_same_v<signature::FindFirstVolumeA, decltype(&::FindFirstVolumeA)>);
static_assert(std::is_same_v<signature::GetVolumePathNamesForVolumeNameA,
                             decltype(&::GetVolumePathNamesForVolumeNameA)>);
static_assert(std::is_same_v<signature::FindNextVolumeA, decltype(&::FindNextVolumeA)>);
static_assert(std::is_same_v<signature::FindVolumeClose, decltype(&::FindVolumeClose)>);
static_assert(
    std::is_same_v<signature::DeleteVolumeMountPointA, decltype(&::DeleteVolumeMountPointA)>);
static_assert(std::is_same_v<signature::SetVolumeMountPointA, decltype(&::SetVolumeMountPointA)>);
static_assert(std::is_same_v<signature::MessageBoxA, decltype(&::MessageBoxA)>);
static_assert(std::is_same_v<signature::GetVolumeNameForVolumeMountPointA,
                             decltype(&::GetVolumeNameForVolumeMountPointA)>);
static_assert(std::is_same_v<WindowHandle, HWND>);

std::string Win32LibraryLoader::SystemFolder() {
  char folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};  // failed, or the folder did not fit
  return std::string(folder, length);
}

LibraryLoader::Library Win32LibraryLoader::Load(const std::string& path) {
  // A full path: the library's own dependencies are searched from its folder first.
  return ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void* Win32LibraryLoader::Find(Library library, const char* entryPoint) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), entryPoint));
}

void Win32LibraryLoader::Release(Library library) {
  ::FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace voranel
