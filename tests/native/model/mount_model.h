#pragma once
// A reference model of the mount table, written from what a user and Windows
// expect of a drive-letter change, not from how the simulation or the program
// work. It says what the two volume lists must show for a mount table and
// whether the table after a change is one a correct program may leave.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/sim/mount_manager.h"

namespace voranel::model {

// Mount paths and volume names as Windows compares them: ASCII case folded.
std::string Folded(const std::string& text);
bool IsDrivePath(const std::string& path);

// A volume's mount paths as a set: the order of a volume's list is the mount
// manager's business, and a path put back after a failure comes back last.
using PathSet = std::set<std::string>;         // folded paths
using Table = std::map<std::string, PathSet>;  // folded volume name to its paths
Table TableOf(const sim::MountState& state);

// Whether every volume holds at most one drive letter and no path is held by
// two volumes, as the mount manager itself keeps it.
bool IsRegular(const sim::MountState& state);

// Whether a volume's path list fits the 260-character buffer the program hands
// to GetVolumePathNamesForVolumeNameA.
bool PathListFits(const sim::Volume& volume);

struct ListedVolume {
  std::string name;
  std::string firstPath;  // empty when the volume has none, or it cannot be read
  bool operator==(const ListedVolume& other) const {
    return name == other.name && firstPath == other.firstPath;
  }
};
// What 卷名 and 当前 must show for a mount table, item by item.
std::vector<ListedVolume> ExpectedListing(const sim::MountState& state);

// One confirmed change: the volume chosen, the target drive path, the table
// before and after, and whether the program reported success.
struct Change {
  const sim::MountState& before;
  const sim::MountState& after;
  std::string volume;
  std::string target;
  bool completed;
};

// Why the outcome breaks what a correct change promises; empty when it keeps
// every promise.
std::string Judge(const Change& change);

}  // namespace voranel::model
