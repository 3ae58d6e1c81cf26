#include "texttools/EditorClass.h"

#include <algorithm>

namespace tagsling::texttools {

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNameChar(char c) { return IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

// The name without its trailing number; empty when the name is not a plain
// name, has no trailing number or is a number alone.
std::string_view VersionStem(std::string_view name) {
  if (name.empty() || !std::all_of(name.begin(), name.end(), IsNameChar)) return {};
  std::size_t end = name.size();
  while (end > 0 && IsAsciiDigit(name[end - 1])) --end;
  if (end == name.size()) return {};
  return name.substr(0, end);
}

}  // namespace

bool IsEditorClass(std::string_view window_class, std::string_view stored_class) {
  if (window_class == stored_class) return true;
  const std::string_view stem = VersionStem(stored_class);
  return !stem.empty() && stem == VersionStem(window_class);
}

}  // namespace tagsling::texttools
