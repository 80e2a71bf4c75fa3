#include "tests/support/fatal_stop.h"

#include "app/fatal.h"

namespace voranel {

namespace {
FatalCleanup cleanup = nullptr;
bool raised = false;
}  // namespace

void SetFatalCleanup(FatalCleanup newCleanup) {
  cleanup = newCleanup;
}
bool FatalErrorRaised() {
  return raised;
}

void FatalError(const std::string& message, std::optional<long> code) {
  if (cleanup) cleanup();
  throw FatalStop{message, code};
}

}  // namespace voranel
