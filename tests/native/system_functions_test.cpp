// Binding of the system function table: lazy, once per entry, one library
// reference per entry, from the system folder only, and fatal when it fails.
#include <gtest/gtest.h>

#include "drives/buffers.h"
#include "tests/native/harness.h"

namespace voranel::testing {
namespace {

constexpr char kOneVolume[] = "\\\\?\\Volume{1}\\\tC:\\\n";

void CallEntriesZeroToFive(SystemFunctionTable& table) {
  std::string name = WorkBuffer();
  std::string paths = WorkBuffer();
  SearchHandle search = table.Call<Entry::FindFirstVolumeA>(name.data(), kBufferCapacity);
  table.Call<Entry::GetVolumePathNamesForVolumeNameA>(name.c_str(), paths.data(), kBufferCapacity,
                                                      nullptr);
  table.Call<Entry::FindNextVolumeA>(search, name.data(), kBufferCapacity);
  table.Call<Entry::FindVolumeClose>(search);
  table.Call<Entry::DeleteVolumeMountPointA>("C:\\");
  table.Call<Entry::SetVolumeMountPointA>("C:\\", name.c_str());
}

TEST(SystemFunctionTable, BindsNothingUntilAnEntryIsCalled) {
  Harness h(kOneVolume);
  for (std::size_t i = 0; i < kEntryCount; ++i) EXPECT_FALSE(h.table.IsBound(Entry(i)));
  EXPECT_TRUE(h.loader.Loads().empty());
}

TEST(SystemFunctionTable, EachEntryBindsOnceAndHoldsItsOwnReference) {
  Harness h(kOneVolume);
  CallEntriesZeroToFive(h.table);
  EXPECT_EQ(h.loader.KernelReferences(), 6);
  CallEntriesZeroToFive(h.table);  // bound entries load nothing again
  EXPECT_EQ(h.loader.KernelReferences(), 6);
  EXPECT_EQ(h.loader.Loads().size(), 6u);
  EXPECT_FALSE(h.table.IsBound(Entry::MessageBoxA));
  EXPECT_EQ(h.system.user32References, 0);

  h.table.Release();
  EXPECT_EQ(h.loader.KernelReferences(), 0);
  for (std::size_t i = 0; i < kEntryCount; ++i) EXPECT_FALSE(h.table.IsBound(Entry(i)));
}

TEST(SystemFunctionTable, LoadsLibrariesFromTheSystemFolderOnly) {
  Harness h(kOneVolume);
  std::string name = WorkBuffer();
  h.table.Call<Entry::FindFirstVolumeA>(name.data(), kBufferCapacity);
  h.table.Call<Entry::MessageBoxA>(nullptr, "x", "y", Uint{0});
  EXPECT_EQ(h.loader.Loads(), (std::vector<std::string>{
                                  "C:\\Windows\\system32\\kernel32.dll",
                                  "C:\\Windows\\system32\\user32.dll",
                              }));
  EXPECT_EQ(h.system.user32References, 1);
}

struct BindFailure {
  const char* name;
  const char* state;
  std::string systemFolder;
  const char* expectedInMessage;
};

TEST(SystemFunctionTable, UnbindableEntryIsFatalAndNamesLibraryAndEntryPoint) {
  const BindFailure cases[] = {
      {"entry point missing", "!missing FindFirstVolumeA\n", kSystemFolder, "FindFirstVolumeA"},
      // Without the system folder nothing is loaded: no fallback to the search path.
      {"system folder unknown", "", "", "FindFirstVolumeA"},
  };
  for (const BindFailure& c : cases) {
    SCOPED_TRACE(c.name);
    Harness h(c.state);
    h.system.systemFolder = c.systemFolder;
    std::string name = WorkBuffer();
    try {
      h.table.Call<Entry::FindFirstVolumeA>(name.data(), kBufferCapacity);
      ADD_FAILURE() << "binding did not stop the program";
    } catch (const FatalStop& stop) {
      EXPECT_NE(stop.message.find("kernel32.dll"), std::string::npos) << stop.message;
      EXPECT_NE(stop.message.find(c.expectedInMessage), std::string::npos) << stop.message;
      EXPECT_FALSE(stop.code.has_value());
    }
    EXPECT_FALSE(h.table.IsBound(Entry::FindFirstVolumeA));
    EXPECT_EQ(h.loader.KernelReferences(), 0);  // a library without the entry is released
  }
}

TEST(SystemFunctionTable, LibraryThatCannotBeLoadedIsFatal) {
  Harness h("");
  h.system.systemFolder = "D:\\elsewhere";  // user32.dll is not found there
  try {
    h.table.Call<Entry::MessageBoxA>(nullptr, "x", "y", Uint{0});
    ADD_FAILURE() << "binding did not stop the program";
  } catch (const FatalStop& stop) {
    EXPECT_NE(stop.message.find("user32.dll"), std::string::npos);
    EXPECT_NE(stop.message.find("MessageBoxA"), std::string::npos);
  }
}

TEST(SystemFunctionTable, CallReturnsTheFunctionsResultUnchanged) {
  Harness h("!fail FindFirstVolumeA\nV1\tC:\\\n");
  std::string name = WorkBuffer();
  EXPECT_EQ(h.table.Call<Entry::FindFirstVolumeA>(name.data(), kBufferCapacity),
            InvalidSearchHandle());
  EXPECT_EQ(h.table.Call<Entry::SetVolumeMountPointA>("D:\\", "V1"), 0);
  EXPECT_EQ(h.table.Call<Entry::DeleteVolumeMountPointA>("C:\\"), 1);
}

}  // namespace
}  // namespace voranel::testing
