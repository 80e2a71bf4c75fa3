// Listing and moving drive letters through the real window, driven by real
// input: voranel-sim.exe against state files, and voranel.exe against Wine's
// own volumes, where mount changes always fail.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/driver.h"

namespace voranel::e2e {
namespace {

std::string programPath;
std::string simulatedPath;
std::string outOfMemoryPath;

constexpr char kCaption[] = "Voranel  v1.0";
constexpr char kPromptCaption[] = "提示：";
constexpr char kSelectFirst[] = "请先选中驱动器卷名或要修改为的驱动名";
constexpr char kTickFirst[] = "请先选中驱动器卷名或要修改为的驱动名框前面的小原点，表示确认修改。";
constexpr DWORD kFatalExitCode = 0xFFFFFFFF;

// The controls, by their place in the stacking order (the form order).
struct MainWindow {
  explicit MainWindow(HWND window) : handle(window) {
    const std::vector<HWND> children = Children(window);
    if (children.size() != 9) return;
    标签5 = children[0];
    当前 = children[2];
    修改为 = children[5];
    卷名 = children[6];
    按钮1 = children[8];
  }
  HWND handle;
  HWND 标签5 = nullptr, 当前 = nullptr, 修改为 = nullptr, 卷名 = nullptr, 按钮1 = nullptr;
};

int IndexOf(HWND list, const std::string& text) {
  const std::vector<std::string> items = Items(list);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return static_cast<int>(i);
  }
  return -1;
}

// Presses 按钮1 and waits until 标签5 no longer shows what it did.
std::string PressAndReadStatus(const MainWindow& main) {
  const std::string before = Text(main.标签5);
  ClickAt(Centre(main.按钮1));
  WaitUntil([&] { return Text(main.标签5) != before; }, 10000);
  Settle(main.handle);
  return Text(main.标签5);
}

// A state file in the temporary folder, removed when the test ends.
class StateFile {
 public:
  explicit StateFile(const std::string& text) {
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(sizeof folder, folder);
    path_ = std::string(folder) + "voranel-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter_++) + ".txt";
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~StateFile() { DeleteFileA(path_.c_str()); }
  const std::string& path() const { return path_; }
  std::string Read() const { return ReadWholeFile(path_); }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

// The text of a message box: its static control that carries text.
std::string BoxText(HWND box) {
  for (HWND child : Children(box)) {
    if (ClassName(child) == "Static" && !Text(child).empty()) return Text(child);
  }
  return {};
}

HWND WaitForBox(const Program& program, HWND main, DWORD timeoutMs = 10000) {
  HWND box = nullptr;
  WaitUntil([&] { return (box = program.OtherWindow(main)) != nullptr; }, timeoutMs);
  return box;
}

TEST(SimulatedProgram, ListsTheStateFilesVolumesBesideTheirFirstPath) {
  // The middle volume's path list does not fit the buffer: its call fails,
  // and it must not appear at the first volume's letter.
  StateFile state("V1\tC:\\\tD:\\m\nV2\t" + std::string(300, 'x') + "\nV3\nV4\tE:\\\n");
  Program program(simulatedPath, {{"VORANEL_SIM_STATE", state.path()}});
  const MainWindow main(program.WaitForWindow(kCaption));
  ASSERT_NE(main.卷名, nullptr);
  EXPECT_EQ(Items(main.卷名), (std::vector<std::string>{"V1", "V2", "V3", "V4"}));
  EXPECT_EQ(Items(main.当前), (std::vector<std::string>{"C:\\", "", "", "E:\\"}));
  EXPECT_EQ(ItemCount(main.修改为), 24);
}

TEST(SimulatedProgram, MissingFindFirstVolumeStopsBeforeTheWindowIsShown) {
  StateFile state("!missing FindFirstVolumeA\nV1\tC:\\\n");
  Program program(simulatedPath, {{"VORANEL_SIM_STATE", state.path()}});
  const HWND box = WaitForBox(program, nullptr);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ClassName(box), "#32770");  // a message box, not the main window
  const std::string text = BoxText(box);
  EXPECT_NE(text.find("kernel32.dll"), std::string::npos) << text;
  EXPECT_NE(text.find("FindFirstVolumeA"), std::string::npos) << text;
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
  EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & WS_VISIBLE, WS_VISIBLE);
  // The main window was built but is never shown.
  const HWND main = FindWindowA("VoranelMainWindow", kCaption);
  EXPECT_TRUE(main == nullptr || !IsWindowVisible(main));
  PostMessageA(box, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), kFatalExitCode);
}

TEST(FatalError, ExhaustedMemoryNamesTheBytesAskedForAndEndsWithMinusOne) {
  Program program(outOfMemoryPath);
  // Wine takes several seconds over the first dialog of a process that has no
  // window of its own yet.
  const HWND box = WaitForBox(program, nullptr, 60000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ClassName(box), "#32770");
  std::string text;
  WaitUntil([&] { return !(text = BoxText(box)).empty(); });
  EXPECT_NE(text.find("4611686018427387904"), std::string::npos) << text;
  PostMessageA(box, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), kFatalExitCode);
}

struct ChangeCase {
  const char* name;
  const char* before;
  const char* volume;
  const char* target;
  const char* after;  // the state file once the change has run
  const char* outcome;
  std::vector<std::string> current;  // 当前 after the refresh
};

const ChangeCase kChangeCases[] = {
    {"target held by another volume",
     "V1\tC:\\\nV2\tD:\\\nV3\tE:\\\n",
     "V2",
     "E:\\",
     "V1\tC:\\\nV2\tE:\\\nV3\n",
     " 完成。",
     {"C:\\", "E:\\", ""}},
    {"volume already at the target keeps its folder",
     "V1\tC:\\\nV2\tD:\\\tC:\\m\n",
     "V2",
     "D:\\",
     "V1\tC:\\\nV2\tC:\\m\tD:\\\n",
     " 完成。",
     {"C:\\", "C:\\m"}},
    {"failed mount puts both volumes back",
     "V2\tC:\\m\tD:\\\nV3\tE:\\\n",
     "V2",
     "E:\\",
     "V2\tD:\\\tC:\\m\nV3\tE:\\\n",
     " 失败。",
     {"D:\\", "E:\\"}},
};

TEST(SimulatedProgram, RealClicksMoveTheLetterAndTheListsShowTheNewState) {
  for (const ChangeCase& c : kChangeCases) {
    SCOPED_TRACE(c.name);
    StateFile state(c.before);
    Program program(simulatedPath, {{"VORANEL_SIM_STATE", state.path()}});
    const MainWindow main(program.WaitForWindow(kCaption));
    ASSERT_NE(main.卷名, nullptr);
    const int target = IndexOf(main.修改为, c.target);
    Pick(main.卷名, IndexOf(main.卷名, c.volume));
    Pick(main.修改为, target);

    EXPECT_EQ(PressAndReadStatus(main), std::string(c.volume) + " 修改为 " + c.target + c.outcome);
    EXPECT_EQ(state.Read(), c.after);
    EXPECT_EQ(Items(main.当前), c.current);
    EXPECT_EQ(Selection(main.卷名), -1);
    EXPECT_EQ(TickedItems(main.卷名), std::vector<int>{});
    EXPECT_EQ(Selection(main.修改为), target);
    EXPECT_EQ(TickedItems(main.修改为), std::vector<int>{target});
    PostMessageA(main.handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
}

TEST(SimulatedProgram, PromptsAreModalAndChangeNothing) {
  constexpr char kState[] = "V1\tC:\\\nV2\tD:\\\n";
  StateFile state(kState);
  Program program(simulatedPath, {{"VORANEL_SIM_STATE", state.path()}});
  const MainWindow main(program.WaitForWindow(kCaption));
  ASSERT_NE(main.卷名, nullptr);

  struct Step {
    const char* name;
    std::function<void()> choose;
    const char* prompt;
  };
  const Step steps[] = {
      {"nothing chosen", [] {}, kSelectFirst},
      {"volume selected by its text, not ticked",
       [&] {
         ClickAt(ItemPoint(main.卷名, 1, ItemPart::Text));
         Pick(main.修改为, 3);
       },
       kTickFirst},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.choose();
    Settle(main.handle);
    const int volumeSelection = Selection(main.卷名);
    ClickAt(Centre(main.按钮1));
    const HWND box = WaitForBox(program, main.handle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(box), kPromptCaption);
    EXPECT_EQ(BoxText(box), step.prompt);
    EXPECT_FALSE(IsWindowEnabled(main.handle));  // modal to the main window
    EXPECT_EQ(GetWindow(box, GW_OWNER), main.handle);
    PostMessageA(box, WM_CLOSE, 0, 0);
    WaitUntil([&] { return IsWindowEnabled(main.handle) != FALSE; });
    EXPECT_EQ(state.Read(), kState);
    EXPECT_EQ(Text(main.标签5), "");
    EXPECT_EQ(Selection(main.卷名), volumeSelection);
    EXPECT_EQ(Items(main.当前), (std::vector<std::string>{"C:\\", "D:\\"}));
  }
}

TEST(RealProgram, ListsWinesVolumesAndReportsTheRefusedMount) {
  Program program(programPath);
  const MainWindow main(program.WaitForWindow(kCaption));
  ASSERT_NE(main.卷名, nullptr);
  const std::vector<std::string> volumes = Items(main.卷名);
  const std::vector<std::string> current = Items(main.当前);
  ASSERT_EQ(volumes.size(), current.size());
  const int systemVolume = IndexOf(main.当前, "C:\\");
  ASSERT_GE(systemVolume, 0);
  EXPECT_GE(IndexOf(main.当前, "Z:\\"), 0);

  // Wine refuses every mount change: the move fails and nothing is lost.
  Pick(main.卷名, systemVolume);
  Pick(main.修改为, IndexOf(main.修改为, "Q:\\"));
  EXPECT_EQ(PressAndReadStatus(main), volumes[systemVolume] + " 修改为 Q:\\ 失败。");
  EXPECT_EQ(Items(main.卷名), volumes);
  EXPECT_EQ(Items(main.当前), current);
  PostMessageA(main.handle, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace voranel::e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s VORANEL.EXE VORANEL-SIM.EXE OUT-OF-MEMORY-PROBE.EXE\n",
                 argv[0]);
    return 2;
  }
  voranel::e2e::programPath = argv[1];
  voranel::e2e::simulatedPath = argv[2];
  voranel::e2e::outOfMemoryPath = argv[3];
  return RUN_ALL_TESTS();
}
