#include "tests/support/case_folding.h"

namespace tidora::testing {
namespace {
char32_t Lower(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
      (c >= 0x410 && c <= 0x42F))
    return c + 0x20;
  return c >= 0x400 && c <= 0x40F ? c + 0x50 : c;
}
}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) return out.push_back(static_cast<char>(c));
  if (c >= 0x800) out.push_back(static_cast<char>(0xE0 | (c >> 12)));
  out.push_back(static_cast<char>((c < 0x800 ? 0xC0 | (c >> 6) : 0x80 | ((c >> 6) & 0x3F))));
  out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

// Two-byte sequences hold every letter folded here; the rest passes through unchanged.
std::string Fold(std::string_view utf8) {
  std::string folded;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xE0) == 0xC0 && i + 1 < utf8.size())
      AppendUtf8(folded, Lower(((byte & 0x1F) << 6) | (utf8[++i] & 0x3F)));
    else
      folded.push_back(static_cast<char>(byte < 0x80 ? Lower(byte) : byte));
  }
  return folded;
}

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts(1);
  for (char c : path) {
    if (c != '\\' && c != '/')
      parts.back().push_back(c);
    else if (!parts.back().empty())
      parts.emplace_back();
  }
  if (parts.back().empty()) parts.pop_back();
  return parts;
}
}  // namespace tidora::testing
