#pragma once
// The Windows fatal path without allocation, for when memory itself ran out.
#include <optional>

namespace voranel {

[[noreturn]] void FatalErrorText(const char* message, std::optional<long> code);

}  // namespace voranel
