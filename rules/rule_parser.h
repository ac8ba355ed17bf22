#pragma once

#include <string_view>

#include "rules/rule.h"

namespace tidora::rules {

// Reads a rule file: UTF-8 with or without a byte-order mark, or UTF-16 LE with one; lines end
// with CR LF or LF. Never throws on bad input: an entry with a problem is left out and the
// problem reported with its line, and the rest of the file loads. Every entry also passes the
// load-time safety checks (RefusedEntryText) before it is kept.
RuleFile ParseRuleFile(std::string_view bytes, RuleSource source);

}  // namespace tidora::rules
