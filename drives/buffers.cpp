#include "drives/buffers.h"

namespace voranel {

namespace {
char FoldCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

bool SameMountPath(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

bool PathListHolds(const std::string& list, std::string_view path) {
  for (const char* entry = list.c_str(); *entry && entry < list.c_str() + list.size();
       entry += std::strlen(entry) + 1) {
    if (SameMountPath(entry, path)) return true;
  }
  return false;
}

}  // namespace voranel
