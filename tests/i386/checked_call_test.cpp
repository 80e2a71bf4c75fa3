// On 32-bit x86 a WINAPI function removes its own arguments, so calling one
// through a declaration with another argument count moves the stack pointer.
// The table's calls catch that as a fatal stack error with code 6.
#include <gtest/gtest.h>

#include "drives/buffers.h"
#include "tests/native/harness.h"

namespace voranel::testing {
namespace {

static_assert(sizeof(void*) == 4, "this suite is built for 32-bit x86");

int VORANEL_WINAPI Subtract(int a, int b) {
  return a - b;
}
int VORANEL_WINAPI TakesThree(int a, int, int) {
  return a;
}
int TakesTwoCallerCleans(int a, int b) {
  return a + b;
}

TEST(CallWithStackCheck, MatchingCallIsIntactAndReturnsTheResult) {
  const std::uint32_t words[] = {50, 8};
  int intact = 0;
  EXPECT_EQ(
      voranel_call_with_stack_check(reinterpret_cast<const void*>(&Subtract), words, 2, &intact),
      42u);
  EXPECT_EQ(intact, 1);
}

TEST(CallWithStackCheck, MismatchesAreSeenAndTheCallerCarriesOn) {
  struct Mismatch {
    const char* name;
    const void* function;
    std::uint32_t count;
  };
  const Mismatch cases[] = {
      {"function takes more than supplied", reinterpret_cast<const void*>(&TakesThree), 2},
      {"function takes fewer than supplied", reinterpret_cast<const void*>(&Subtract), 3},
      {"function leaves its arguments to the caller",
       reinterpret_cast<const void*>(&TakesTwoCallerCleans), 2},
  };
  const std::uint32_t words[] = {7, 1, 2, 3};
  for (const Mismatch& c : cases) {
    SCOPED_TRACE(c.name);
    int intact = 1;
    voranel_call_with_stack_check(c.function, words, c.count, &intact);
    EXPECT_EQ(intact, 0);
  }
}

// FindVolumeClose, as the table declares it, takes one argument.
int VORANEL_WINAPI CloseTakingTwo(void*, int) {
  return 1;
}

class MismatchedKernel final : public LibraryLoader {
 public:
  explicit MismatchedKernel(LibraryLoader& real) : real_(real) {}
  std::string SystemFolder() override { return real_.SystemFolder(); }
  Library Load(const std::string& path) override { return real_.Load(path); }
  void* Find(Library library, const char* entryPoint) override {
    if (std::string(entryPoint) == "FindVolumeClose") {
      return reinterpret_cast<void*>(&CloseTakingTwo);
    }
    return real_.Find(library, entryPoint);
  }
  void Release(Library library) override { real_.Release(library); }

 private:
  LibraryLoader& real_;
};

TEST(SystemFunctionTable, MismatchedDeclarationIsAFatalStackError) {
  Harness h("V1\tC:\\\n");
  MismatchedKernel mismatched(h.loader);
  SystemFunctionTable table(mismatched);
  try {
    RefreshVolumeLists(table, h.window);
    ADD_FAILURE() << "the mismatched call went unnoticed";
  } catch (const FatalStop& stop) {
    EXPECT_EQ(stop.code, kStackErrorCode);
  }
  EXPECT_EQ(h.Items(h.window.volumes), std::vector<std::string>{"V1"});
}

TEST(SystemFunctionTable, CorrectlyDeclaredCallsNeverTripTheCheck) {
  Harness h("V1\tC:\\\tE:\\m\nV2\tD:\\\nV3\n");
  FillDriveLists(h.table, h.window);
  h.Choose(1, 'F' - 'C');
  ChangeDriveLetter(h.table, h.window);  // every entry but the prompt
  h.window.volumes.Click(0, 40);
  ChangeDriveLetter(h.table, h.window);  // the prompt
  EXPECT_EQ(FakeSystemLoader::Prompts().size(), 1u);
  EXPECT_EQ(h.manager.State().volumes[1].paths, std::vector<std::string>{"F:\\"});
}

}  // namespace
}  // namespace voranel::testing
