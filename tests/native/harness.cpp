#include "tests/native/harness.h"

namespace voranel::testing {

namespace {
int user32;  // stands for the loaded user32.dll

int VORANEL_WINAPI FakeMessageBoxA(WindowHandle owner, const char* text, const char* caption,
                                   Uint style) {
  FakeSystemLoader::Prompts().push_back({owner, text, caption, style});
  return 1;
}
}  // namespace

std::vector<Prompt>& FakeSystemLoader::Prompts() {
  static std::vector<Prompt> prompts;
  return prompts;
}

LibraryLoader::Library FakeSystemLoader::Load(const std::string& path) {
  if (path != std::string(kSystemFolder) + "\\user32.dll") return nullptr;
  ++user32References;
  return &user32;
}

void* FakeSystemLoader::Find(Library library, const char* entryPoint) {
  if (library != &user32 || std::string(entryPoint) != "MessageBoxA") return nullptr;
  return reinterpret_cast<void*>(&FakeMessageBoxA);
}

void FakeSystemLoader::Release(Library library) {
  if (library == &user32) --user32References;
}

Harness::Harness(std::string_view stateText)
    : manager(sim::ParseState(stateText)), loader(manager, system), table(loader) {
  FakeSystemLoader::Prompts().clear();
}

Harness::~Harness() {
  sim::SetCurrent(nullptr);
}

void Harness::Choose(int volume, int target) {
  window.volumes.Click(volume, 5);
  window.targets.Click(target, 5);
}

std::vector<std::string> Harness::Items(const CheckListModel& list) const {
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.ItemText(i));
  return items;
}

std::vector<std::string> Harness::CallNames(std::size_t from) const {
  std::vector<std::string> names;
  for (std::size_t i = from; i < manager.Calls().size(); ++i) {
    names.push_back(manager.Calls()[i].function);
  }
  return names;
}

}  // namespace voranel::testing
