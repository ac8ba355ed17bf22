#pragma once

#include <string>
#include <variant>
#include <vector>

#include "rules/rule.h"

namespace tidora::rules {

// One "Key=Value" line of an entry, trimmed.
struct KeyLine {
  int line = 0;
  std::string text;  // the whole line, for reports
  std::string name;
  std::string value;
};

// An entry as the file lists it: its name line and its key lines in file order.
struct RawEntry {
  int line = 0;
  std::string name;  // as shown
  std::vector<KeyLine> keys;
};

// The entry its lines make, numbered keys in number order, past the load-time safety checks; or
// the first problem that keeps it out.
std::variant<RuleEntry, Problem> BuildEntry(const RawEntry& raw, RuleSource source);

}  // namespace tidora::rules
