#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/shell.h"
#include "rules/places.h"
#include "rules/rule.h"

namespace tidora::rules {

// A rule file larger than this is refused unread: no rule file needs more, and reading one
// would keep the window from answering.
inline constexpr std::uint64_t kLargestRuleFile = 16u << 20;
inline constexpr const char* kRuleFileName = "winapp2.ini";

// Where rules came from and what became of them.
struct RuleSourceSummary {
  std::string name;  // "Built-in rules", "winapp2.ini", "%AppData%\Tidora\winapp2.ini"
  std::string path;  // empty for the built-in rules
  std::optional<std::string> failure;  // why nothing of the file is offered
  int read = 0;                        // every entry of the file
  int found = 0;                       // offered: detected, neither refused nor skipped
  int refused = 0;                     // refused as unsafe
  int skipped = 0;  // the rest that could not be used, duplicates across files included
};

struct LoadedEntry {
  RuleEntry entry;
  RuleSource source;
  int origin = 0;  // its source in LoadedRules::sources
};

struct SourcedProblem {
  int origin = 0;
  Problem problem;
};

struct LoadedRules {
  std::vector<LoadedEntry> entries;  // in the order read, names unique across sources
  std::vector<RuleSourceSummary> sources;
  std::vector<SourcedProblem> problems;
};

// Reads the built-in rules, then a winapp2.ini beside the program, then
// %AppData%\Tidora\winapp2.ini, a few hundred entries a step, so that even a file of thousands
// never holds the window for long. A name already loaded is skipped with a note. Entries from
// files always start unticked: the files' own convention is that cleaning is opted into.
class RuleLoading {
 public:
  // Reads the files (whole, each at most kLargestRuleFile); parses nothing yet.
  RuleLoading(std::string_view builtin_text, platform::FileSystem& files, platform::Shell& shell,
              const Places& places);
  RuleLoading(const RuleLoading&) = delete;
  RuleLoading& operator=(const RuleLoading&) = delete;
  ~RuleLoading();

  // Parses the next few hundred entries; true while more remain.
  bool Step();
  LoadedRules Take();

 private:
  struct Pending;
  class Loader;
  std::vector<Pending> pending_;
  std::size_t current_ = 0;
  std::unique_ptr<Loader> loader_;
};

// All of it at once.
LoadedRules LoadRuleSources(std::string_view builtin_text, platform::FileSystem& files,
                            platform::Shell& shell, const Places& places);

// One sentence per source, parts with 0 left out: "Built-in rules: 38 entries found on this PC.
// winapp2.ini: 4,067 entries read, 212 found on this PC, 12 refused as unsafe, 3 skipped."
std::string SummaryText(const std::vector<RuleSourceSummary>& sources);

// One line per refused or skipped entry: file, line, entry, key and reason.
std::string ProblemsText(const LoadedRules& rules);

}  // namespace tidora::rules
