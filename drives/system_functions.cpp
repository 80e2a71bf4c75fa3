#include "drives/system_functions.h"

#include "app/fatal.h"

namespace voranel {

void* SystemFunctionTable::Bind(Entry entry) {
  Slot& slot = slots_[Index(entry)];
  if (slot.address) return slot.address;

  const EntryName& name = kEntryNames[Index(entry)];
  // Only from the system folder: a library of the same name beside the program
  // (a downloads folder, say) must never run inside this elevated process.
  const std::string folder = loader_.SystemFolder();
  const LibraryLoader::Library library =
      folder.empty() ? nullptr : loader_.Load(folder + '\\' + name.library);
  void* const address = library ? loader_.Find(library, name.entryPoint) : nullptr;
  if (!address) {
    if (library) loader_.Release(library);
    FatalError(std::string("无法调用系统函数：") + name.library + " 中的 " + name.entryPoint);
  }
  slot = {address, library};
  return address;
}

void SystemFunctionTable::Release() {
  for (Slot& slot : slots_) {
    if (slot.library) loader_.Release(slot.library);
    slot = {};
  }
}

}  // namespace voranel
