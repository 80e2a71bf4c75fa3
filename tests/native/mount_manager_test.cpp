// The simulated mount manager keeps the Windows contracts that the tests of
// listing and reassignment stand on.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "drives/buffers.h"
#include "tests/sim/mount_manager.h"

namespace voranel::sim {
namespace {

TEST(MountState, ParsesAndFormatsTheStateFile) {
  const MountState state = ParseState(
      "# a comment\n\n!fail SetVolumeMountPointA\n!missing FindFirstVolumeA\r\n"
      "V1\tC:\\\tD:\\m\nV2\n");
  ASSERT_EQ(state.volumes.size(), 2u);
  EXPECT_EQ(state.volumes[0].paths, (std::vector<std::string>{"C:\\", "D:\\m"}));
  EXPECT_TRUE(state.volumes[1].paths.empty());
  EXPECT_EQ(state.failing, std::set<std::string>{"SetVolumeMountPointA"});
  EXPECT_EQ(state.missing, std::set<std::string>{"FindFirstVolumeA"});
  EXPECT_EQ(ParseState(FormatState(state)), state);
}

TEST(MountManager, PathListIsNulSeparatedAndFailsWhenItDoesNotFit) {
  MountManager m(ParseState("V1\tC:\\\tD:\\m\n"));
  std::string buffer = WorkBuffer();
  Dword needed = 0;
  ASSERT_TRUE(m.PathNames("v1", buffer.data(), kBufferCapacity, &needed));
  EXPECT_EQ(std::string(buffer.data(), 10), std::string("C:\\\0D:\\m\0\0", 10));
  EXPECT_EQ(needed, 10u);

  std::string small(8, ' ');
  EXPECT_FALSE(m.PathNames("V1", small.data(), 8, &needed));
  EXPECT_EQ(m.LastError(), kErrorMoreData);
  EXPECT_EQ(small, std::string(8, ' '));  // left as it was
}

TEST(MountManager, MountRules) {
  MountManager m(ParseState("V1\tC:\\\nV2\tD:\\\nV3\n"));
  EXPECT_FALSE(m.DeleteMountPoint("F:\\"));       // nobody holds it
  EXPECT_FALSE(m.SetMountPoint("c:\\", "V3"));    // already held, any case
  EXPECT_FALSE(m.SetMountPoint("F:\\", "V9"));    // unknown volume
  EXPECT_FALSE(m.SetMountPoint("F:\\", "V1"));    // V1 has a letter already
  EXPECT_TRUE(m.SetMountPoint("C:\\m\\", "V1"));  // folders are fine
  EXPECT_TRUE(m.DeleteMountPoint("d:\\"));
  EXPECT_TRUE(m.SetMountPoint("D:\\", "v3"));
  EXPECT_EQ(FormatState(m.State()), "V1\tC:\\\tC:\\m\\\nV2\nV3\tD:\\\n");
  std::string name = WorkBuffer();
  ASSERT_TRUE(m.VolumeForMountPoint("c:\\m\\", name.data(), kBufferCapacity));
  EXPECT_STREQ(name.c_str(), "V1");
}

TEST(MountManager, EnumeratesVolumesInOrderAndCountsOpenSearches) {
  MountManager m(ParseState("V1\nV2\n"));
  std::string name = WorkBuffer();
  const SearchHandle search = m.FirstVolume(name.data(), kBufferCapacity);
  ASSERT_NE(search, InvalidSearchHandle());
  EXPECT_STREQ(name.c_str(), "V1");
  EXPECT_TRUE(m.NextVolume(search, name.data(), kBufferCapacity));
  EXPECT_STREQ(name.c_str(), "V2");
  EXPECT_FALSE(m.NextVolume(search, name.data(), kBufferCapacity));
  EXPECT_EQ(m.OpenSearches(), 1);
  EXPECT_TRUE(m.CloseSearch(search));
  EXPECT_EQ(m.OpenSearches(), 0);
  EXPECT_FALSE(m.CloseSearch(search));
}

TEST(MountManager, RewritesTheStateFileAfterEveryChange) {
  const std::string file = ::testing::TempDir() + "voranel-state.txt";
  MountManager m(ParseState("!fail FindNextVolumeA\nV1\tC:\\\nV2\n"), file);
  ASSERT_TRUE(m.DeleteMountPoint("C:\\"));
  ASSERT_TRUE(m.SetMountPoint("C:\\", "V2"));
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "!fail FindNextVolumeA\nV1\nV2\tC:\\\n");
  std::remove(file.c_str());
}

}  // namespace
}  // namespace voranel::sim
