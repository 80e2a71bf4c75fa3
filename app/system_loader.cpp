// The real program loads system libraries through Windows itself.
#include "app/program.h"
#include "drives/win32_library_loader.h"

namespace voranel {

LibraryLoader& ProgramLibraryLoader() {
  static Win32LibraryLoader loader;
  return loader;
}

}  // namespace voranel
