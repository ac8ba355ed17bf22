#include "platform/dry_run/name_folding.h"

namespace tidora::dry_run {
namespace {

// Upper-case letters and how far their lower case lies; where `paired`, only every other code
// point from `first` on is upper case (the rest are already the lower ones).
struct UpperRange {
  char32_t first, last;
  int offset;
  bool paired;
};

constexpr UpperRange kUpperRanges[] = {
    {U'A', U'Z', 32, false},  {0xB5, 0xB5, 775, false},  {0xC0, 0xD6, 32, false},
    {0xD8, 0xDE, 32, false},  {0x100, 0x12F, 1, true},   {0x132, 0x137, 1, true},
    {0x139, 0x148, 1, true},  {0x14A, 0x177, 1, true},   {0x178, 0x178, -121, false},
    {0x179, 0x17E, 1, true},  {0x391, 0x3A1, 32, false}, {0x3A3, 0x3AB, 32, false},
    {0x3C2, 0x3C2, 1, false}, {0x400, 0x40F, 80, false}, {0x410, 0x42F, 32, false},
    {0x460, 0x481, 1, true},  {0x48A, 0x4BF, 1, true},   {0x4D0, 0x52F, 1, true},
};

char32_t Lower(char32_t c) {
  for (const auto& range : kUpperRanges) {
    if (c >= range.first && c <= range.last && (!range.paired || (c - range.first) % 2 == 0))
      return static_cast<char32_t>(static_cast<int>(c) + range.offset);
  }
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) return out.push_back(static_cast<char>(c));
  out.push_back(static_cast<char>(0xC0 | (c >> 6)));
  out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

}  // namespace

// Every folded letter lies below U+0800, so only one- and two-byte sequences are decoded.
std::string FoldName(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const bool two_bytes = (byte & 0xE0) == 0xC0 && i + 1 < utf8.size() &&
                           (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80;
    if (two_bytes)
      AppendUtf8(folded, Lower(((byte & 0x1F) << 6) | (utf8[++i] & 0x3F)));
    else
      folded.push_back(static_cast<char>(byte < 0x80 ? Lower(byte) : byte));
  }
  return folded;
}

}  // namespace tidora::dry_run
