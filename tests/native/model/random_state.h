#pragma once
// Random mount tables for the model test: up to 40 volumes with up to 4 mount
// paths each, drive letters and mounted folders mixed, now and then in lower
// case, with path lists near the 260-character buffer, a volume carrying two
// drive letters, or functions of the mount manager that fail on every call.
#include <random>

#include "tests/sim/mount_manager.h"

namespace voranel::model {

using Random = std::mt19937_64;

// True with the given chance, 0 to 1.
bool Chance(Random& random, double chance);
// A whole number from low to high, both included.
int Between(Random& random, int low, int high);

sim::MountState RandomState(Random& random);

}  // namespace voranel::model
