#pragma once
#include <cstring>
#include <string>
#include <string_view>

#include "drives/system_functions.h"

namespace voranel {

// A buffer for a system function to write into: 260 blanks and a NUL.
inline std::string WorkBuffer() {
  return std::string(kBufferCapacity, ' ');
}

// The first NUL-terminated string in a buffer.
inline std::string FirstString(const std::string& buffer) {
  return buffer.c_str();
}

// Mount paths and volume names compare as Windows compares them: without
// regard to the case of ASCII letters.
bool SameMountPath(std::string_view a, std::string_view b);

// Whether a path list (NUL-terminated strings ended by an empty one) holds path.
bool PathListHolds(const std::string& list, std::string_view path);

}  // namespace voranel
