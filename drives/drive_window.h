#pragma once
// What the drive routines need of the main window: its three check lists, the
// status label, the owner handle for prompts and the wait cursor.
#include <string>

#include "drives/system_functions.h"
#include "toolkit/check_list.h"

namespace voranel {

class DriveWindow {
 public:
  virtual CheckList& 卷名() = 0;
  virtual CheckList& 当前() = 0;
  virtual CheckList& 修改为() = 0;
  // Sets the text of the status label 标签5.
  virtual void Set标签5(const std::string& text) = 0;
  virtual WindowHandle NativeHandle() = 0;
  // Shows the wait cursor while the user waits on work the window does.
  virtual void SetWaiting(bool waiting) = 0;

 protected:
  ~DriveWindow() = default;
};

// Fills 修改为 with C:\ to Z:\, then lists the volumes.
void FillDriveLists(SystemFunctionTable& system, DriveWindow& window);
// Empties 卷名 and 当前 and lists every volume beside its first mount path.
void RefreshVolumeLists(SystemFunctionTable& system, DriveWindow& window);
// Moves the drive path chosen in 修改为 to the volume chosen in 卷名.
void ChangeDriveLetter(SystemFunctionTable& system, DriveWindow& window);

}  // namespace voranel
