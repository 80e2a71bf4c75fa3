// Random mount tables and random user input against the real ChangeDriveLetter
// and RefreshVolumeLists over the simulated mount manager, judged by the
// reference model. VORANEL_SEED=N replays one seed; VORANEL_SEEDS=N sets how
// many seeds run (10,000 by default).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/native/harness.h"
#include "tests/native/model/mount_model.h"
#include "tests/native/model/random_state.h"

namespace voranel::model {
namespace {

constexpr char kMiddle[] = " 修改为 ";
constexpr char kDone[] = " 完成。";
constexpr char kFailed[] = " 失败。";
constexpr char kSelectFirst[] = "请先选中驱动器卷名或要修改为的驱动名";
constexpr char kTickFirst[] = "请先选中驱动器卷名或要修改为的驱动名框前面的小原点，表示确认修改。";
constexpr int kTargetCount = 24;

using voranel::testing::FakeSystemLoader;
using voranel::testing::Harness;

struct ListSnapshot {
  std::vector<std::string> items;
  std::vector<bool> ticks;
  int selection;
  bool operator==(const ListSnapshot& other) const {
    return items == other.items && ticks == other.ticks && selection == other.selection;
  }
};

ListSnapshot Snapshot(const CheckListModel& list) {
  ListSnapshot snapshot{{}, {}, list.Selection()};
  for (int i = 0; i < list.Count(); ++i) {
    snapshot.items.push_back(list.ItemText(i));
    snapshot.ticks.push_back(list.IsTicked(i));
  }
  return snapshot;
}

struct Tally {
  int completed = 0;
  int failed = 0;
  int prompts = 0;
};

// One seed: a random mount table, the lists filled as at start-up, then a few
// rounds of user input, each ended by a press of the button.
class Session {
 public:
  explicit Session(std::uint64_t seed)
      : random_(seed), start_(RandomState(random_)), harness_(sim::FormatState(start_)) {}

  // The first promise broken, or empty when every one was kept.
  std::string Run(Tally& tally) {
    try {
      FillDriveLists(harness_.table, harness_.window);
      if (std::string broken = CheckLists(); !broken.empty()) return "after filling: " + broken;
      const int rounds = Between(random_, 1, 4);
      for (int round = 0; round < rounds; ++round) {
        if (Chance(random_, 0.6) && harness_.window.volumes.Count() > 0) {
          ConfirmChoice();
        } else {
          for (int i = Between(random_, 1, 4); i > 0; --i) RandomInput();
        }
        if (std::string broken = Press(tally); !broken.empty()) return broken;
      }
    } catch (const FatalStop& stop) {
      return "fatal stop: " + stop.message;
    }
    return {};
  }

  std::string Replay() const {
    std::string text = "state:\n" + sim::FormatState(start_) + "input:";
    for (const std::string& action : actions_) text += " " + action + ";";
    return text;
  }

 private:
  CheckListModel& List(bool volumes) {
    return volumes ? harness_.window.volumes : harness_.window.targets;
  }

  void Log(bool volumes, const std::string& action) {
    actions_.push_back(std::string(volumes ? "volumes." : "targets.") + action);
  }

  // Ticks and selects a volume and a target with a click on each mark. The
  // target is often a letter some volume holds, the chosen one included.
  void ConfirmChoice() {
    const int volume = Between(random_, 0, harness_.window.volumes.Count() - 1);
    int target = Between(random_, 0, kTargetCount - 1);
    if (Chance(random_, 0.6)) {
      const std::vector<sim::Volume>& volumes = harness_.manager.State().volumes;
      const int holder =
          Chance(random_, 0.5) ? volume : Between(random_, 0, static_cast<int>(volumes.size()) - 1);
      for (const std::string& path : volumes[holder].paths) {
        const char letter = Folded(path)[0];
        if (IsDrivePath(path) && letter >= 'C') target = letter - 'C';
      }
    }
    for (const auto& [isVolume, item] : {std::pair{true, volume}, std::pair{false, target}}) {
      const int x = Between(random_, 0, kTickMarkWidth - 1);
      List(isVolume).Click(item, x);
      Log(isVolume, "Click(" + std::to_string(item) + ", " + std::to_string(x) + ")");
    }
  }

  void RandomInput() {
    const bool volumes = Chance(random_, 0.5);
    CheckListModel& list = List(volumes);
    const int item = Between(random_, -1, list.Count());
    const int x = Between(random_, 0, 2 * kTickMarkWidth);
    const std::string at = "(" + std::to_string(item) + ", " + std::to_string(x) + ")";
    switch (Between(random_, 0, 5)) {
      case 0:
      case 1:
        list.Click(item, x);
        return Log(volumes, "Click" + at);
      case 2:
        list.DoubleClick(item, x);
        return Log(volumes, "DoubleClick" + at);
      case 3:
        list.Select(item);
        return Log(volumes, "Select(" + std::to_string(item) + ")");
      case 4:
        list.PressSpace();
        return Log(volumes, "PressSpace()");
      default:
        list.PressArrowDown();
        return Log(volumes, "PressArrowDown()");
    }
  }

  // 卷名 and 当前 paired and showing the mount table, 修改为 intact, no search
  // left open.
  std::string CheckLists() {
    const CheckListModel& volumes = harness_.window.volumes;
    const CheckListModel& current = harness_.window.current;
    if (volumes.Count() != current.Count()) return "the volume lists are no longer paired";
    const std::vector<ListedVolume> expected = ExpectedListing(harness_.manager.State());
    if (static_cast<int>(expected.size()) != volumes.Count()) {
      return "listed " + std::to_string(volumes.Count()) + " volumes instead of " +
             std::to_string(expected.size());
    }
    for (int i = 0; i < volumes.Count(); ++i) {
      const ListedVolume shown{volumes.ItemText(i), current.ItemText(i)};
      if (!(shown == expected[i])) {
        return "item " + std::to_string(i) + " shows " + shown.name + " at '" + shown.firstPath +
               "' instead of " + expected[i].name + " at '" + expected[i].firstPath + "'";
      }
    }
    const CheckListModel& targets = harness_.window.targets;
    if (targets.Count() != kTargetCount || targets.ItemText(0) != "C:\\" ||
        targets.ItemText(kTargetCount - 1) != "Z:\\") {
      return "the target list changed";
    }
    const bool closeWorks = harness_.manager.State().failing.count("FindVolumeClose") == 0;
    if (closeWorks && harness_.manager.OpenSearches() != 0) return "a volume search was left open";
    return {};
  }

  std::string CheckCalls(std::size_t from) const {
    const std::vector<sim::SimCall>& calls = harness_.manager.Calls();
    for (std::size_t i = from; i < calls.size(); ++i) {
      const sim::SimCall& call = calls[i];
      const bool takesText = call.function != "FindFirstVolumeA" &&
                             call.function != "FindNextVolumeA" &&
                             call.function != "FindVolumeClose";
      if (takesText && (call.nullText || call.text.find_first_not_of(' ') == std::string::npos)) {
        return call.function + " was called with a " + (call.nullText ? "null" : "blank") + " text";
      }
    }
    return {};
  }

  std::string Press(Tally& tally) {
    actions_.push_back("press");
    const CheckListModel& volumes = harness_.window.volumes;
    const CheckListModel& targets = harness_.window.targets;
    const ListSnapshot volumesBefore = Snapshot(volumes);
    const ListSnapshot currentBefore = Snapshot(harness_.window.current);
    const ListSnapshot targetsBefore = Snapshot(targets);
    const std::string statusBefore = harness_.window.status;
    const sim::MountState before = harness_.manager.State();
    const std::size_t callsBefore = harness_.manager.Calls().size();
    const std::size_t promptsBefore = FakeSystemLoader::Prompts().size();
    const bool selected = volumes.Selection() >= 0 && targets.Selection() >= 0;
    const bool confirmed =
        selected && volumes.IsTicked(volumes.Selection()) && targets.IsTicked(targets.Selection());

    ChangeDriveLetter(harness_.table, harness_.window);

    const std::vector<voranel::testing::Prompt>& prompts = FakeSystemLoader::Prompts();
    if (!confirmed) {
      ++tally.prompts;
      if (prompts.size() != promptsBefore + 1) return "no prompt without a confirmed choice";
      if (prompts.back().text != (selected ? kTickFirst : kSelectFirst)) return "the wrong prompt";
      if (harness_.manager.Calls().size() != callsBefore) return "a prompt called the system";
      if (!(harness_.manager.State() == before)) return "a prompt changed the mount table";
      if (!(Snapshot(volumes) == volumesBefore && Snapshot(targets) == targetsBefore &&
            Snapshot(harness_.window.current) == currentBefore)) {
        return "a prompt changed the lists";
      }
      if (harness_.window.status != statusBefore) return "a prompt changed the status";
      return {};
    }

    if (prompts.size() != promptsBefore) return "a prompt after a confirmed choice";
    const std::string volume = volumesBefore.items[volumesBefore.selection];
    const std::string target = targetsBefore.items[targetsBefore.selection];
    const std::string& status = harness_.window.status;
    const bool completed = status == volume + kMiddle + target + kDone;
    if (!completed && status != volume + kMiddle + target + kFailed) {
      return "unexpected status text";
    }
    ++(completed ? tally.completed : tally.failed);
    const std::string change =
        volume + " to " + target + (completed ? " (completed): " : " (failed): ");
    if (std::string broken = Judge({before, harness_.manager.State(), volume, target, completed});
        !broken.empty()) {
      return change + broken + "\nafter:\n" + sim::FormatState(harness_.manager.State());
    }
    if (std::string broken = CheckCalls(callsBefore); !broken.empty()) return change + broken;
    if (std::string broken = CheckLists(); !broken.empty()) return change + broken;
    if (volumes.Selection() != -1) return change + "a volume is still selected after the refresh";
    if (!(Snapshot(targets) == targetsBefore)) return change + "the target choice was lost";
    return {};
  }

  Random random_;
  sim::MountState start_;
  Harness harness_;
  std::vector<std::string> actions_;
};

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

TEST(ChangeDriveLetterModel, RandomTablesAndInputKeepEveryPromise) {
  const bool replay = std::getenv("VORANEL_SEED") != nullptr;
  const std::uint64_t first = FromEnvironment("VORANEL_SEED", 1);
  const std::uint64_t count = replay ? 1 : FromEnvironment("VORANEL_SEEDS", 10000);
  Tally tally;
  int brokenSeeds = 0;
  for (std::uint64_t seed = first; seed < first + count; ++seed) {
    Session session(seed);
    const std::string broken = session.Run(tally);
    if (broken.empty()) {
      if (replay) std::cout << session.Replay() << "\n";
      continue;
    }
    ADD_FAILURE() << "seed " << seed << " (replay with VORANEL_SEED=" << seed << "): " << broken
                  << "\n"
                  << session.Replay();
    if (++brokenSeeds == 5) break;
  }
  std::cout << count << " seeds: " << tally.completed << " completed, " << tally.failed
            << " failed, " << tally.prompts << " prompts\n";
  // A run that hardly reaches the mount functions proves nothing.
  if (count >= 1000 && brokenSeeds == 0) {
    EXPECT_GT(tally.completed, static_cast<int>(count / 10));
    EXPECT_GT(tally.failed, static_cast<int>(count / 50));
    EXPECT_GT(tally.prompts, static_cast<int>(count / 10));
  }
}

// The model itself must tell a sound outcome from a faulty one.
struct JudgedCase {
  const char* name;
  const char* before;
  const char* after;
  const char* volume;
  const char* target;
  bool completed;
  bool sound;
};

const JudgedCase kJudgedCases[] = {
    {"letter moved, holder lost it", "V1\tC:\\\nV2\tD:\\\n", "V1\nV2\tC:\\\n", "V2", "C:\\", true,
     true},
    {"another volume lost a folder", "V1\tC:\\\tC:\\m\\\nV2\tD:\\\n", "V1\nV2\tC:\\\n", "V2",
     "C:\\", true, false},
    {"volume already at the target lost its folder", "V1\tD:\\\tC:\\m\\\n", "V1\tD:\\\n", "V1",
     "D:\\", true, false},
    {"completed without the target", "V1\tC:\\\nV2\tD:\\\n", "V1\nV2\n", "V2", "C:\\", true, false},
    {"failed, holder left without its letter", "V1\tC:\\\nV2\tC:\\m\\\tD:\\\n",
     "V1\nV2\tC:\\m\\\tD:\\\n", "V2", "C:\\", false, false},
    {"failed and put back, path now last", "V1\tC:\\\nV2\tC:\\m\\\tD:\\\n",
     "V1\tC:\\\nV2\tD:\\\tc:\\M\\\n", "V2", "C:\\", false, true},
    {"every mount refused: the two losses allowed",
     "!fail SetVolumeMountPointA\nV1\tC:\\\nV2\tD:\\\tE:\\m\\\n",
     "!fail SetVolumeMountPointA\nV1\nV2\tE:\\m\\\n", "V2", "C:\\", false, true},
    {"every mount refused: a third loss",
     "!fail SetVolumeMountPointA\nV1\tC:\\\nV2\tD:\\\tE:\\m\\\n",
     "!fail SetVolumeMountPointA\nV1\nV2\n", "V2", "C:\\", false, false},
    {"failed though the mount manager would grant it", "V1\tC:\\\nV2\tD:\\\n",
     "V1\tC:\\\nV2\tD:\\\n", "V2", "C:\\", false, false},
};

TEST(ChangeDriveLetterModel, JudgeTellsSoundOutcomesFromFaultyOnes) {
  for (const JudgedCase& c : kJudgedCases) {
    SCOPED_TRACE(c.name);
    const sim::MountState before = sim::ParseState(c.before);
    const sim::MountState after = sim::ParseState(c.after);
    const std::string verdict = Judge({before, after, c.volume, c.target, c.completed});
    EXPECT_EQ(verdict.empty(), c.sound) << verdict;
  }
}

}  // namespace
}  // namespace voranel::model
