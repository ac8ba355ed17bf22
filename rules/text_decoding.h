#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tidora::rules {

// A rule file's bytes as UTF-8: a UTF-8 byte-order mark dropped, UTF-16 LE with its mark
// converted (a lone surrogate becomes U+FFFD). Other bytes pass as they are: a line that is not
// UTF-8 is reported by the parser like any other bad line. nullopt for UTF-16 BE, which no
// editor writes for these files and which would otherwise load as noise.
std::optional<std::string> DecodeRuleText(std::string_view bytes);

}  // namespace tidora::rules
