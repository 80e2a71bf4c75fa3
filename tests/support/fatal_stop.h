#pragma once
// In the native tests FatalError throws instead of ending the process, so a
// test sees what would have been reported.
#include <optional>
#include <string>

namespace voranel {

struct FatalStop {
  std::string message;
  std::optional<long> code;
};

}  // namespace voranel
