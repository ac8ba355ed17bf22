#pragma once

#include <string>
#include <string_view>

namespace tidora::base {

// Without the blanks and control characters at either end.
std::string_view TrimBlanks(std::string_view text);
// ASCII letters lower-cased; every other byte as it is.
std::string AsciiLower(std::string_view text);
// Whether text ends with suffix, ASCII letters compared without regard to case.
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

}  // namespace tidora::base
