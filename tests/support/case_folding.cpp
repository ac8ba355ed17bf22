#include "tests/support/case_folding.h"

#include "base/text.h"

namespace tidora::testing {

std::string Lower(std::string_view text) {
  return base::AsciiLower(text);
}

bool SameName(std::string_view a, std::string_view b) {
  return Lower(a) == Lower(b);
}

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

}  // namespace tidora::testing
