#pragma once
// A drive window of in-memory check lists wired to the simulated mount manager
// through a real SystemFunctionTable, with a fake user32.dll whose MessageBoxA
// records the prompts.
#include <memory>
#include <string>
#include <vector>

#include "drives/drive_window.h"
#include "tests/sim/mount_manager.h"
#include "tests/support/fatal_stop.h"

namespace voranel::testing {

inline constexpr char kSystemFolder[] = "C:\\Windows\\system32";

struct Prompt {
  WindowHandle owner;
  std::string text;
  std::string caption;
  Uint style;
};

// Answers for user32.dll; kernel32.dll goes to the simulation in front of it.
class FakeSystemLoader final : public LibraryLoader {
 public:
  std::string SystemFolder() override { return systemFolder; }
  Library Load(const std::string& path) override;
  void* Find(Library library, const char* entryPoint) override;
  void Release(Library library) override;

  std::string systemFolder = kSystemFolder;
  int user32References = 0;
  static std::vector<Prompt>& Prompts();
};

class FakeWindow final : public DriveWindow {
 public:
  CheckList& 卷名() override { return volumes; }
  CheckList& 当前() override { return current; }
  CheckList& 修改为() override { return targets; }
  void Set标签5(const std::string& text) override { status = text; }
  WindowHandle NativeHandle() override { return kHandle; }
  void SetWaiting(bool waiting) override { waitingChanges.push_back(waiting); }

  static inline WindowHandle const kHandle = reinterpret_cast<WindowHandle>(0x1234);
  CheckListModel volumes;
  CheckListModel current;
  CheckListModel targets;
  std::string status;
  std::vector<bool> waitingChanges;
};

// Everything one test needs, built from a state file's text.
struct Harness {
  explicit Harness(std::string_view stateText);
  ~Harness();

  // Picks a volume and a target as the user does: a click on each item's mark.
  void Choose(int volume, int target);
  std::vector<std::string> Items(const CheckListModel& list) const;
  // The calls made to the simulation after the first index given.
  std::vector<std::string> CallNames(std::size_t from = 0) const;

  sim::MountManager manager;
  FakeSystemLoader system;
  sim::SimulatedLoader loader;
  SystemFunctionTable table;
  FakeWindow window;
};

}  // namespace voranel::testing
