#include "drives/buffers.h"
#include "drives/drive_window.h"

namespace voranel {

namespace {

constexpr char kPromptCaption[] = "提示：";
constexpr char kSelectFirst[] = "请先选中驱动器卷名或要修改为的驱动名";
constexpr char kTickFirst[] = "请先选中驱动器卷名或要修改为的驱动名框前面的小原点，表示确认修改。";

void Prompt(SystemFunctionTable& system, DriveWindow& window, const char* text) {
  system.Call<Entry::MessageBoxA>(window.NativeHandle(), text, kPromptCaption, Uint{0});
}

class WaitCursor {
 public:
  explicit WaitCursor(DriveWindow& window) : window_(window) { window_.SetWaiting(true); }
  ~WaitCursor() { window_.SetWaiting(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  DriveWindow& window_;
};

// Frees target, gives up the volume's first remaining mount path and mounts the
// volume at target. When the mount fails, puts back what was taken on the way,
// so no volume is left without the letter it had. True when the mount succeeded.
bool MoveDriveLetter(SystemFunctionTable& system, const std::string& volume,
                     const std::string& target) {
  std::string holder = WorkBuffer();
  const bool targetHeld = system.Call<Entry::GetVolumeNameForVolumeMountPointA>(
      target.c_str(), holder.data(), kBufferCapacity);

  std::string paths = WorkBuffer();
  const bool volumeListed = system.Call<Entry::GetVolumePathNamesForVolumeNameA>(
      volume.c_str(), paths.data(), kBufferCapacity, nullptr);
  const bool volumeHoldsTarget = volumeListed && PathListHolds(paths, target);

  // Target is taken only from a volume known by name, so that a failed mount
  // can give it back. When the holder cannot be learned, a held target stays
  // where it is and the mount fails without stranding anyone.
  const bool targetFreed =
      targetHeld && system.Call<Entry::DeleteVolumeMountPointA>(target.c_str());

  paths = WorkBuffer();
  const bool listed = system.Call<Entry::GetVolumePathNamesForVolumeNameA>(
      volume.c_str(), paths.data(), kBufferCapacity, nullptr);
  // A volume that already held target gives up nothing else: its other paths
  // can only be folders or a stray letter the user did not ask to lose. When
  // its list could not be read before target was freed (a list too long for
  // the buffer), that is unknown, so it gives up nothing either.
  std::string givenUp;
  if (volumeListed && listed && !volumeHoldsTarget && !FirstString(paths).empty() &&
      system.Call<Entry::DeleteVolumeMountPointA>(paths.c_str())) {
    givenUp = FirstString(paths);
  }

  if (system.Call<Entry::SetVolumeMountPointA>(target.c_str(), volume.c_str())) return true;

  if (targetFreed) {
    system.Call<Entry::SetVolumeMountPointA>(target.c_str(), holder.c_str());
  }
  if (!givenUp.empty()) system.Call<Entry::SetVolumeMountPointA>(givenUp.c_str(), volume.c_str());
  return false;
}

}  // namespace

void ChangeDriveLetter(SystemFunctionTable& system, DriveWindow& window) {
  CheckList& volumes = window.卷名();
  CheckList& targets = window.修改为();
  const int volumeItem = volumes.Selection();
  const int targetItem = targets.Selection();
  if (volumeItem < 0 || targetItem < 0) return Prompt(system, window, kSelectFirst);
  if (!volumes.IsTicked(volumeItem) || !targets.IsTicked(targetItem)) {
    return Prompt(system, window, kTickFirst);
  }

  const std::string volume = volumes.ItemText(volumeItem);
  const std::string target = targets.ItemText(targetItem);
  WaitCursor wait(window);
  const bool mounted = MoveDriveLetter(system, volume, target);
  window.Set标签5(volume + " 修改为 " + target + (mounted ? " 完成。" : " 失败。"));
  RefreshVolumeLists(system, window);
}

}  // namespace voranel
