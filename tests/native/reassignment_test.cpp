// Moving a drive letter, against the simulated mount manager: the mount table
// before and after each kind of choice, the prompts, and the status text.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/native/harness.h"

namespace voranel::testing {
namespace {

using Items = std::vector<std::string>;

// The status text's endings and the prompts, as the bytes the program holds.
constexpr char kMiddle[] = " \xd0\xde\xb8\xc4\xce\xaa ";  // " 修改为 "
constexpr char kDone[] = " \xcd\xea\xb3\xc9\xa1\xa3";     // " 完成。"
constexpr char kFailed[] = " \xca\xa7\xb0\xdc\xa1\xa3";   // " 失败。"
constexpr char kCaption[] = "\xcc\xe1\xca\xbe\xa3\xba";   // "提示："
constexpr char kSelectFirst[] = "请先选中驱动器卷名或要修改为的驱动名";
constexpr char kTickFirst[] = "请先选中驱动器卷名或要修改为的驱动名框前面的小原点，表示确认修改。";

// A mount table compared as Windows tools do: each volume's set of paths.
std::string Normalized(const sim::MountState& state) {
  sim::MountState sorted = state;
  for (sim::Volume& volume : sorted.volumes) std::sort(volume.paths.begin(), volume.paths.end());
  return sim::FormatState(sorted);
}
std::string Normalized(std::string_view stateText) {
  return Normalized(sim::ParseState(stateText));
}

bool MountFunction(const std::string& name) {
  return name == "DeleteVolumeMountPointA" || name == "SetVolumeMountPointA";
}

struct ChangeCase {
  const char* name;
  const char* before;
  int volume;
  char target;  // drive letter
  const char* after;
  bool done;
};

const ChangeCase kChangeCases[] = {
    {"target free", "V1\tC:\\\nV2\tD:\\\n", 1, 'F', "V1\tC:\\\nV2\tF:\\\n", true},
    {"target held by another volume", "V1\tC:\\\nV2\tD:\\\nV3\tE:\\\n", 1, 'E',
     "V1\tC:\\\nV2\tE:\\\nV3\n", true},
    {"target held by another volume with a folder too", "V2\tD:\\\nV3\tE:\\\tC:\\m\n", 0, 'E',
     "V2\tE:\\\nV3\tC:\\m\n", true},
    {"volume already at the target keeps its mounted folder", "V1\tC:\\\nV2\tD:\\\tC:\\m\\d\n", 1,
     'D', "V1\tC:\\\nV2\tC:\\m\\d\tD:\\\n", true},
    {"volume whose only path is the target", "V1\tC:\\\nV2\tD:\\\n", 1, 'D', "V1\tC:\\\nV2\tD:\\\n",
     true},
    {"first path a mounted folder", "V1\tC:\\\nV2\tC:\\m\\d\n", 1, 'G', "V1\tC:\\\nV2\tG:\\\n",
     true},
    {"volume with no mount path", "V1\tC:\\\nV2\n", 1, 'G', "V1\tC:\\\nV2\tG:\\\n", true},
    {"lower-case path held by the volume counts as the target", "V1\tC:\\\nV2\td:\\\tC:\\m\n", 1,
     'D', "V1\tC:\\\nV2\tC:\\m\tD:\\\n", true},
    // The mount fails (the volume keeps a second letter after its folder is
    // given up): the target's holder and the volume get back what they lost.
    {"mount failing: both volumes restored", "V2\tC:\\m\tD:\\\nV3\tE:\\\n", 0, 'E',
     "V2\tC:\\m\tD:\\\nV3\tE:\\\n", false},
    // Every mount call fails, restores included: nothing is lost beyond the
    // target's holder losing the target and the volume its first path.
    {"every mount call failing", "!fail SetVolumeMountPointA\nV1\tC:\\\nV2\tD:\\\nV3\tE:\\\n", 1,
     'E', "!fail SetVolumeMountPointA\nV1\tC:\\\nV2\nV3\n", false},
    {"unknown holder lookup failing changes nothing else",
     "!fail GetVolumeNameForVolumeMountPointA\nV1\tC:\\\nV2\tD:\\\n", 1, 'F',
     "!fail GetVolumeNameForVolumeMountPointA\nV1\tC:\\\nV2\tF:\\\n", true},
};

TEST(ChangeDriveLetter, MovesTheLetterAndReportsTheOutcome) {
  for (const ChangeCase& c : kChangeCases) {
    SCOPED_TRACE(c.name);
    Harness h(c.before);
    FillDriveLists(h.table, h.window);
    const std::string volume = h.window.volumes.ItemText(c.volume);
    const std::string target = std::string(1, c.target) + ":\\";
    h.Choose(c.volume, c.target - 'C');
    const std::size_t callsBefore = h.manager.Calls().size();

    ChangeDriveLetter(h.table, h.window);

    EXPECT_EQ(Normalized(h.manager.State()), Normalized(c.after));
    EXPECT_EQ(h.window.status, volume + kMiddle + target + (c.done ? kDone : kFailed));
    EXPECT_TRUE(FakeSystemLoader::Prompts().empty());
    for (std::size_t i = callsBefore; i < h.manager.Calls().size(); ++i) {
      const sim::SimCall& call = h.manager.Calls()[i];
      if (!MountFunction(call.function)) continue;
      EXPECT_FALSE(call.nullText) << call.function;
      EXPECT_NE(call.text.find_first_not_of(' '), std::string::npos) << call.function;
    }
    // The lists show the new state, with no choice left in 卷名.
    RefreshVolumeLists(h.table, h.window);  // a second listing must agree
    Items current;
    for (const sim::Volume& v : h.manager.State().volumes) {
      current.push_back(v.paths.empty() ? "" : v.paths.front());
    }
    EXPECT_EQ(h.Items(h.window.current), current);
    EXPECT_EQ(h.window.volumes.Selection(), -1);
    EXPECT_TRUE(h.window.targets.IsTicked(c.target - 'C'));
    EXPECT_EQ(h.window.waitingChanges, (std::vector<bool>{true, false}));
  }
}

TEST(ChangeDriveLetter, FreesTheTargetBeforeReadingAndGivingUpTheVolumesPath) {
  Harness h("V1\tC:\\\nV2\tD:\\\nV3\tE:\\\n");
  FillDriveLists(h.table, h.window);
  h.Choose(1, 'E' - 'C');
  const std::size_t from = h.manager.Calls().size();
  ChangeDriveLetter(h.table, h.window);
  const Items calls = h.CallNames(from);
  const Items expected{"GetVolumeNameForVolumeMountPointA", "GetVolumePathNamesForVolumeNameA",
                       "DeleteVolumeMountPointA",           "GetVolumePathNamesForVolumeNameA",
                       "DeleteVolumeMountPointA",           "SetVolumeMountPointA"};
  ASSERT_GE(calls.size(), expected.size());
  EXPECT_EQ(Items(calls.begin(), calls.begin() + expected.size()), expected);
  EXPECT_EQ(h.manager.Calls()[from + 2].text, "E:\\");
  EXPECT_EQ(h.manager.Calls()[from + 4].text, "D:\\");
}

struct PromptCase {
  const char* name;
  int volumeSelected, volumeTicked;  // item indexes, -1 for none
  int targetSelected, targetTicked;
  const char* prompt;
};

const PromptCase kPromptCases[] = {
    {"no volume selected", -1, -1, 2, 2, kSelectFirst},
    {"no target selected", 1, 1, -1, -1, kSelectFirst},
    {"nothing selected", -1, -1, -1, -1, kSelectFirst},
    {"volume tick on another item", 1, 0, 2, 2, kTickFirst},
    {"target tick on another item", 1, 1, 2, 3, kTickFirst},
    {"no tick at all", 1, -1, 2, -1, kTickFirst},
};

TEST(ChangeDriveLetter, WithoutAConfirmedChoicePromptsAndChangesNothing) {
  constexpr char kState[] = "V1\tC:\\\nV2\tD:\\\n";
  for (const PromptCase& c : kPromptCases) {
    SCOPED_TRACE(c.name);
    Harness h(kState);
    FillDriveLists(h.table, h.window);
    h.window.status = "earlier";
    if (c.volumeTicked >= 0) h.window.volumes.Click(c.volumeTicked, 3);
    if (c.volumeSelected >= 0) h.window.volumes.Select(c.volumeSelected);
    if (c.targetTicked >= 0) h.window.targets.Click(c.targetTicked, 3);
    if (c.targetSelected >= 0) h.window.targets.Select(c.targetSelected);
    const std::size_t callsBefore = h.manager.Calls().size();

    ChangeDriveLetter(h.table, h.window);

    ASSERT_EQ(FakeSystemLoader::Prompts().size(), 1u);
    const Prompt& prompt = FakeSystemLoader::Prompts().front();
    EXPECT_EQ(prompt.text, c.prompt);
    EXPECT_EQ(prompt.caption, kCaption);
    EXPECT_EQ(prompt.owner, FakeWindow::kHandle);
    EXPECT_EQ(prompt.style, 0u);
    EXPECT_EQ(h.manager.Calls().size(), callsBefore);  // no system call beyond the prompt
    EXPECT_EQ(h.manager.State(), sim::ParseState(kState));
    EXPECT_EQ(h.window.status, "earlier");
    EXPECT_EQ(h.window.volumes.Selection(), c.volumeSelected);
    EXPECT_EQ(h.window.volumes.Count(), 2);
    EXPECT_TRUE(h.window.waitingChanges.empty());
  }
}

TEST(ChangeDriveLetter, SecondClickAfterAConfirmedOnePromptsToSelect) {
  Harness h("V1\tC:\\\nV2\tD:\\\n");
  FillDriveLists(h.table, h.window);
  h.Choose(1, 3);
  ChangeDriveLetter(h.table, h.window);
  ASSERT_TRUE(FakeSystemLoader::Prompts().empty());
  const sim::MountState afterFirst = h.manager.State();

  ChangeDriveLetter(h.table, h.window);
  ASSERT_EQ(FakeSystemLoader::Prompts().size(), 1u);
  EXPECT_EQ(FakeSystemLoader::Prompts().front().text, kSelectFirst);
  EXPECT_EQ(h.manager.State(), afterFirst);
}

TEST(ChangeDriveLetter, MissingMountFunctionIsFatalAtTheFirstConfirmedClick) {
  Harness h("!missing SetVolumeMountPointA\nV1\tC:\\\nV2\tD:\\\n");
  FillDriveLists(h.table, h.window);  // listing does not need it
  h.Choose(1, 3);
  EXPECT_THROW(ChangeDriveLetter(h.table, h.window), FatalStop);
}

}  // namespace
}  // namespace voranel::testing
