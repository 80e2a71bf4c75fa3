#pragma once
// The system's own library loader: LoadLibraryExA, GetProcAddress, FreeLibrary.
#include "drives/system_functions.h"

namespace voranel {

class Win32LibraryLoader final : public LibraryLoader {
 public:
  constexpr Win32LibraryLoader() = default;
  std::string SystemFolder() override;
  Library Load(const std::string& path) override;
  void* Find(Library library, const char* entryPoint) override;
  void Release(Library library) override;
};

}  // namespace voranel
