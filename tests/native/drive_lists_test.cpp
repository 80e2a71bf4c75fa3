// Filling 修改为 and listing the volumes beside their first mount path.
#include <gtest/gtest.h>

#include "tests/native/harness.h"

namespace voranel::testing {
namespace {

using Items = std::vector<std::string>;

TEST(FillDriveLists, OffersCToZAndListsTheVolumes) {
  Harness h("V1\tC:\\\nV2\tD:\\\n");
  FillDriveLists(h.table, h.window);
  Items targets;
  for (char c = 'C'; c <= 'Z'; ++c) targets.push_back(std::string(1, c) + ":\\");
  EXPECT_EQ(h.Items(h.window.targets), targets);
  EXPECT_EQ(h.Items(h.window.volumes), (Items{"V1", "V2"}));
  EXPECT_EQ(h.Items(h.window.current), (Items{"C:\\", "D:\\"}));
}

struct ListingCase {
  const char* name;
  std::string state;
  Items volumes;
  Items current;
};

const ListingCase kListingCases[] = {
    {"no volumes", "", {}, {}},
    {"FindFirstVolumeA failing", "!fail FindFirstVolumeA\nV1\tC:\\\n", {}, {}},
    {"a volume with no mount path",
     "V1\tC:\\\nV2\nV3\tE:\\\n",
     {"V1", "V2", "V3"},
     {"C:\\", "", "E:\\"}},
    {"several paths: the first one shows",
     "V1\tC:\\mnt\\data\tD:\\\tE:\\x\n",
     {"V1"},
     {"C:\\mnt\\data"}},
    // The path call failing for the middle volume must not show the first
    // volume's path beside it.
    {"a failing path call between two good ones",
     "V1\tC:\\\nV2\t" + std::string(300, 'x') + "\nV3\tE:\\\n",
     {"V1", "V2", "V3"},
     {"C:\\", "", "E:\\"}},
    {"path call failing for all",
     "!fail GetVolumePathNamesForVolumeNameA\nV1\tC:\\\nV2\tD:\\\n",
     {"V1", "V2"},
     {"", ""}},
    {"FindNextVolumeA failing ends the listing",
     "!fail FindNextVolumeA\nV1\tC:\\\nV2\tD:\\\n",
     {"V1"},
     {"C:\\"}},
};

TEST(RefreshVolumeLists, ListsWhatTheSystemReports) {
  for (const ListingCase& c : kListingCases) {
    SCOPED_TRACE(c.name);
    Harness h(c.state);
    RefreshVolumeLists(h.table, h.window);
    EXPECT_EQ(h.Items(h.window.volumes), c.volumes);
    EXPECT_EQ(h.Items(h.window.current), c.current);
    EXPECT_EQ(h.manager.OpenSearches(), 0);
    EXPECT_TRUE(FakeSystemLoader::Prompts().empty());
  }
}

TEST(RefreshVolumeLists, ClosesTheSearchOnlyWhenOneWasOpened) {
  Harness h("!fail FindFirstVolumeA\nV1\tC:\\\n");
  RefreshVolumeLists(h.table, h.window);
  EXPECT_EQ(h.CallNames(), Items{"FindFirstVolumeA"});
  EXPECT_FALSE(h.table.IsBound(Entry::FindVolumeClose));
}

TEST(RefreshVolumeLists, RunTwiceGivesTheSameListsAndClearsChoicesButNotTheTarget) {
  Harness h("V1\tC:\\\nV2\tD:\\\n");
  FillDriveLists(h.table, h.window);
  h.Choose(1, 3);
  RefreshVolumeLists(h.table, h.window);
  RefreshVolumeLists(h.table, h.window);
  EXPECT_EQ(h.Items(h.window.volumes), (Items{"V1", "V2"}));
  EXPECT_EQ(h.Items(h.window.current), (Items{"C:\\", "D:\\"}));
  EXPECT_EQ(h.window.volumes.Selection(), -1);
  EXPECT_EQ(FirstTicked(h.window.volumes), -1);
  EXPECT_EQ(h.window.targets.Selection(), 3);
  EXPECT_TRUE(h.window.targets.IsTicked(3));
  EXPECT_EQ(h.window.targets.Count(), 24);
}

TEST(RefreshVolumeLists, MissingFindFirstVolumeAIsFatal) {
  Harness h("!missing FindFirstVolumeA\nV1\tC:\\\n");
  EXPECT_THROW(FillDriveLists(h.table, h.window), FatalStop);
}

}  // namespace
}  // namespace voranel::testing
