#pragma once

#include <string>
#include <string_view>

namespace tidora::dry_run {

// Key and file names compare without regard to case. The letters of the common alphabets (Latin,
// Greek, Cyrillic) fold to lower case; the rest compare as written. Folding an upper-cased name
// (as CanonicalPath may give) and the name as listed gives one string.
std::string FoldName(std::string_view utf8);

}  // namespace tidora::dry_run
