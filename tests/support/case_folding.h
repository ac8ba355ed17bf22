#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tidora::testing {
// Names match without regard to case (ASCII, Latin-1, Cyrillic); folded to lower case, the fakes
// list them as Wine does.
std::string Fold(std::string_view utf8);
inline bool SameName(std::string_view a, std::string_view b) {
  return Fold(a) == Fold(b);
}
std::vector<std::string> SplitPath(std::string_view path);
void AppendUtf8(std::string& out, char32_t c);
}  // namespace tidora::testing
