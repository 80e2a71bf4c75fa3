#include "drives/buffers.h"
#include "drives/drive_window.h"

namespace voranel {

void FillDriveLists(SystemFunctionTable& system, DriveWindow& window) {
  char drivePath[] = "C:\\";
  for (char letter = 'C'; letter <= 'Z'; ++letter) {
    drivePath[0] = letter;
    window.修改为().Add(drivePath);
  }
  RefreshVolumeLists(system, window);
}

void RefreshVolumeLists(SystemFunctionTable& system, DriveWindow& window) {
  window.卷名().RemoveAll();
  window.当前().RemoveAll();

  std::string volume = WorkBuffer();
  std::string paths = WorkBuffer();
  const SearchHandle search = system.Call<Entry::FindFirstVolumeA>(volume.data(), kBufferCapacity);
  if (search == InvalidSearchHandle()) return;
  do {
    window.卷名().Add(volume.c_str());
    const Bool listed = system.Call<Entry::GetVolumePathNamesForVolumeNameA>(
        volume.c_str(), paths.data(), kBufferCapacity, nullptr);
    // A failed call may leave the previous volume's path in the buffer; showing
    // it would place this volume at another volume's letter.
    window.当前().Add(listed ? paths.c_str() : "");
  } while (system.Call<Entry::FindNextVolumeA>(search, volume.data(), kBufferCapacity));
  // Nothing between the search's opening and here returns early: every failure
  // inside the loop is fatal and ends the process.
  system.Call<Entry::FindVolumeClose>(search);
}

}  // namespace voranel
