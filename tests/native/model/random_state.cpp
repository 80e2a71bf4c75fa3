#include "tests/native/model/random_state.h"

#include <algorithm>
#include <array>
#include <string>

namespace voranel::model {

namespace {

// The functions the simulation can be told to fail. A function that cannot be
// bound at all is a fatal stop by design and is tested elsewhere.
constexpr std::array<const char*, 7> kFailable{
    "FindFirstVolumeA",
    "FindNextVolumeA",
    "FindVolumeClose",
    "DeleteVolumeMountPointA",
    "SetVolumeMountPointA",
    "GetVolumePathNamesForVolumeNameA",
    "GetVolumeNameForVolumeMountPointA",
};

std::string Hex(Random& random, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < digits; ++i) text += kDigits[Between(random, 0, 15)];
  return text;
}

char Letter(Random& random, char first) {
  return static_cast<char>(Between(random, first, 'Z'));
}

// Lower case now and then: Windows compares paths without regard to case.
std::string DrivePath(Random& random, char letter) {
  if (Chance(random, 0.15)) letter = static_cast<char>(letter - 'A' + 'a');
  return std::string(1, letter) + ":\\";
}

std::string Folder(Random& random, int serial, std::size_t length) {
  std::string folder = DrivePath(random, Letter(random, 'C')) + "mnt" + std::to_string(serial);
  if (folder.size() + 1 < length) folder.append(length - folder.size() - 1, 'x');
  return folder + "\\";
}

std::size_t ListLength(const sim::Volume& volume) {
  std::size_t length = 1;
  for (const std::string& path : volume.paths) length += path.size() + 1;
  return length;
}

// Grows or shrinks the volume's last folder so its path list takes close to
// the 260 characters the program's buffer holds, on either side of the limit.
void BringListNearBufferSize(Random& random, sim::Volume& volume, int serial) {
  const auto isFolder = [](const std::string& path) { return path.size() > 3; };
  auto folder = std::find_if(volume.paths.rbegin(), volume.paths.rend(), isFolder);
  if (folder == volume.paths.rend()) {
    if (volume.paths.size() == 4) volume.paths.pop_back();
    volume.paths.push_back(Folder(random, serial, 8));
    folder = volume.paths.rbegin();
  }
  const std::size_t others = ListLength(volume) - folder->size();
  const std::size_t wanted = static_cast<std::size_t>(Between(random, 250, 268));
  if (wanted > others + 8) *folder = Folder(random, serial, wanted - others);
}

}  // namespace

bool Chance(Random& random, double chance) {
  return std::bernoulli_distribution(chance)(random);
}

int Between(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

sim::MountState RandomState(Random& random) {
  sim::MountState state;
  const int count = Chance(random, 0.5) ? Between(random, 0, 6) : Between(random, 0, 40);
  // Now and then a table the mount manager would not make itself: a volume
  // with two drive letters.
  const bool twoLettersAllowed = Chance(random, 0.08);
  std::string freeLetters = "CDEFGHIJKLMNOPQRSTUVWXYZ";
  if (Chance(random, 0.3)) freeLetters += "AB";
  std::shuffle(freeLetters.begin(), freeLetters.end(), random);
  int serial = 0;

  for (int v = 0; v < count; ++v) {
    sim::Volume volume;
    volume.name = "\\\\?\\Volume{" + Hex(random, 4) + std::to_string(1000 + v) +
                  "-0000-11ee-8000-" + Hex(random, 12) + "}\\";
    const int paths = Between(random, 0, 4);
    int letters = 0;
    for (int p = 0; p < paths; ++p) {
      const bool letterWanted = Chance(random, 0.45) && !freeLetters.empty() &&
                                (letters == 0 || (twoLettersAllowed && Chance(random, 0.5)));
      if (letterWanted) {
        volume.paths.push_back(DrivePath(random, freeLetters.back()));
        freeLetters.pop_back();
        ++letters;
      } else {
        const std::size_t length = Chance(random, 0.05) ? Between(random, 40, 120) : 0;
        volume.paths.push_back(Folder(random, ++serial, length));
      }
    }
    state.volumes.push_back(std::move(volume));
  }

  if (!state.volumes.empty() && Chance(random, 0.1)) {
    sim::Volume& crowded = state.volumes[Between(random, 0, count - 1)];
    BringListNearBufferSize(random, crowded, ++serial);
  }
  if (Chance(random, 0.25)) {
    const int failing = Chance(random, 0.7) ? 1 : 2;
    for (int i = 0; i < failing; ++i) {
      state.failing.insert(kFailable[Between(random, 0, static_cast<int>(kFailable.size()) - 1)]);
    }
  }
  return state;
}

}  // namespace voranel::model
