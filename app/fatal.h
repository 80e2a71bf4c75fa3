#pragma once
// The one way out for conditions the program cannot continue from. The Windows
// build shows an error box and ends the process with exit code -1; the native
// test build throws FatalStop so a test can see what was reported.
#include <optional>
#include <string>

namespace voranel {

// Error code of a call whose arguments did not match the called function.
inline constexpr long kStackErrorCode = 6;

[[noreturn]] void FatalError(const std::string& message, std::optional<long> code = std::nullopt);

// Start-up registers what must be released before the process ends (the bound
// libraries); FatalError runs it after the error box closes.
using FatalCleanup = void (*)();
void SetFatalCleanup(FatalCleanup cleanup);

// True once FatalError has begun: from then on no event reaches a handler.
bool FatalErrorRaised();

}  // namespace voranel
