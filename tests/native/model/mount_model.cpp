#include "tests/native/model/mount_model.h"

#include <algorithm>
#include <iterator>

namespace voranel::model {

namespace {

bool Fails(const sim::MountState& state, const char* function) {
  return state.failing.count(function) > 0;
}

PathSet Without(PathSet paths, const PathSet& removed) {
  for (const std::string& path : removed) paths.erase(path);
  return paths;
}

std::string Describe(const PathSet& paths) {
  std::string text = "{";
  for (const std::string& path : paths) text += " " + path;
  return text + " }";
}

bool IsSubset(const PathSet& part, const PathSet& whole) {
  return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

}  // namespace

std::string Folded(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

bool IsDrivePath(const std::string& path) {
  if (path.size() != 3 || path[1] != ':' || path[2] != '\\') return false;
  const char letter = Folded(path.substr(0, 1))[0];
  return letter >= 'A' && letter <= 'Z';
}

Table TableOf(const sim::MountState& state) {
  Table table;
  for (const sim::Volume& volume : state.volumes) {
    PathSet& paths = table[Folded(volume.name)];
    for (const std::string& path : volume.paths) paths.insert(Folded(path));
  }
  return table;
}

bool IsRegular(const sim::MountState& state) {
  std::set<std::string> names;
  std::set<std::string> held;
  for (const sim::Volume& volume : state.volumes) {
    if (!names.insert(Folded(volume.name)).second) return false;
    if (std::count_if(volume.paths.begin(), volume.paths.end(), IsDrivePath) > 1) return false;
    for (const std::string& path : volume.paths) {
      if (!held.insert(Folded(path)).second) return false;
    }
  }
  return true;
}

bool PathListFits(const sim::Volume& volume) {
  std::size_t length = 1;  // the empty string that ends the list
  for (const std::string& path : volume.paths) length += path.size() + 1;
  return length <= kBufferCapacity;
}

std::vector<ListedVolume> ExpectedListing(const sim::MountState& state) {
  std::vector<ListedVolume> listing;
  if (Fails(state, "FindFirstVolumeA")) return listing;
  const bool pathsReadable = !Fails(state, "GetVolumePathNamesForVolumeNameA");
  for (const sim::Volume& volume : state.volumes) {
    const bool shown = pathsReadable && PathListFits(volume) && !volume.paths.empty();
    listing.push_back({volume.name, shown ? volume.paths.front() : std::string()});
    // A failing FindNextVolumeA ends the enumeration after the first volume.
    if (Fails(state, "FindNextVolumeA")) break;
  }
  return listing;
}

std::string Judge(const Change& change) {
  const Table before = TableOf(change.before);
  const Table after = TableOf(change.after);
  const std::string volume = Folded(change.volume);
  const std::string target = Folded(change.target);
  if (before.count(volume) == 0) return "the chosen volume " + change.volume + " is not listed";
  if (std::size(after) != std::size(before) || after.count(volume) == 0) {
    return "the set of volumes changed";
  }

  const bool heldTarget = before.at(volume).count(target) > 0;
  // The one path the volume may give up: its first, unless it already held
  // the target and so asked for nothing it lacked.
  PathSet givenUp;
  const sim::Volume& chosen =
      *std::find_if(change.before.volumes.begin(), change.before.volumes.end(),
                    [&](const sim::Volume& v) { return Folded(v.name) == volume; });
  if (!heldTarget && !chosen.paths.empty()) givenUp.insert(Folded(chosen.paths.front()));

  if (change.completed) {
    for (const auto& [name, paths] : before) {
      const PathSet& now = after.at(name);
      if (name != volume) {
        if (now != Without(paths, {target})) {
          return name + " changed from " + Describe(paths) + " to " + Describe(now) +
                 "; only losing " + change.target + " was allowed";
        }
        continue;
      }
      PathSet kept = paths;
      kept.insert(target);
      if (now != kept && (givenUp.empty() || now != Without(kept, givenUp))) {
        return "the chosen volume went from " + Describe(paths) + " to " + Describe(now) +
               "; expected " + Describe(kept) +
               (givenUp.empty() ? std::string() : " or " + Describe(Without(kept, givenUp)));
      }
    }
    return {};
  }

  // A regular table can always be put back; only a mount manager that refuses
  // every mount, or a table it would not itself have made, may stop that.
  const bool restorable = IsRegular(change.before) && !Fails(change.before, "SetVolumeMountPointA");
  if (restorable) {
    if (after != before) {
      for (const auto& [name, paths] : before) {
        if (after.at(name) != paths) {
          return "failed change left " + name + " at " + Describe(after.at(name)) + " instead of " +
                 Describe(paths);
        }
      }
    }
  } else {
    for (const auto& [name, paths] : before) {
      const PathSet& now = after.at(name);
      PathSet mayLose{target};
      if (name == volume) mayLose.insert(givenUp.begin(), givenUp.end());
      if (!IsSubset(now, paths) || !IsSubset(Without(paths, now), mayLose)) {
        return "failed change took " + name + " from " + Describe(paths) + " to " + Describe(now) +
               "; it may only lose " + Describe(mayLose);
      }
    }
  }

  // Whether the change had to succeed: no mount function fails, the volume's
  // list can be read, and once the target is free and the volume has given up
  // its first path it holds no other drive letter. A target whose holder
  // cannot be named may be refused, as it could not be given back.
  const bool targetHeld = std::any_of(before.begin(), before.end(), [&](const auto& entry) {
    return entry.second.count(target) > 0;
  });
  const bool mountFunctionsWork =
      !Fails(change.before, "GetVolumePathNamesForVolumeNameA") &&
      !Fails(change.before, "DeleteVolumeMountPointA") &&
      !Fails(change.before, "SetVolumeMountPointA") &&
      !(targetHeld && Fails(change.before, "GetVolumeNameForVolumeMountPointA"));
  const PathSet left = Without(Without(before.at(volume), {target}), givenUp);
  const bool letterLeft = std::any_of(left.begin(), left.end(), IsDrivePath);
  if (mountFunctionsWork && IsRegular(change.before) && PathListFits(chosen) && !letterLeft) {
    return "the change failed although the mount manager would have granted it";
  }
  return {};
}

}  // namespace voranel::model
