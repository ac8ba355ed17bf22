#include "rules/rule_sources.h"

#include <set>

#include "base/text.h"
#include "rules/rule_parser.h"

namespace tidora::rules {

namespace {

using platform::FileContents;

// "4067" as people read it: "4,067".
std::string WithThousands(int number) {
  std::string digits = std::to_string(number);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

std::optional<std::string> FailureOf(FileContents::Status status) {
  switch (status) {
    case FileContents::Status::kTooLarge:
      return "larger than 16 MB, not read";
    case FileContents::Status::kUnreadable:
      return "could not be read";
    default:
      return std::nullopt;
  }
}

struct FileSource {
  std::string name;
  std::string path;
};

std::vector<FileSource> FileSources(platform::Shell& shell, const Places& places) {
  std::vector<FileSource> sources;
  const std::string program = shell.ProgramFolder();
  if (!program.empty()) sources.push_back({kRuleFileName, program + "\\" + kRuleFileName});
  const auto& app_data = places.FoldersOf(Variable::kAppData);
  if (!app_data.empty()) {
    sources.push_back({std::string("%AppData%\\Tidora\\") + kRuleFileName,
                       app_data.front() + "\\Tidora\\" + kRuleFileName});
  }
  return sources;
}

class Loader {
 public:
  void Add(RuleSourceSummary summary, const RuleFile& file, RuleSource source) {
    const int origin = static_cast<int>(rules_.sources.size());
    summary.read = file.entries_read;
    for (const Problem& problem : file.problems) Note(summary, origin, problem);
    for (const RuleEntry& entry : file.entries) {
      if (!names_.insert(base::AsciiLower(entry.name)).second) {
        Note(summary, origin,
             {ProblemKind::kSkipped, entry.line, entry.name, "",
              "an entry of this name is loaded already"});
        continue;
      }
      LoadedEntry loaded{entry, source, origin};
      if (source == RuleSource::kUserFile) loaded.entry.default_ticked = false;
      rules_.entries.push_back(std::move(loaded));
    }
    rules_.sources.push_back(std::move(summary));
  }
  void AddFailure(RuleSourceSummary summary) { rules_.sources.push_back(std::move(summary)); }
  LoadedRules Take() { return std::move(rules_); }

 private:
  void Note(RuleSourceSummary& summary, int origin, const Problem& problem) {
    ++(problem.kind == ProblemKind::kRefused ? summary.refused : summary.skipped);
    rules_.problems.push_back({origin, problem});
  }

  LoadedRules rules_;
  std::set<std::string> names_;
};

}  // namespace

LoadedRules LoadRuleSources(std::string_view builtin_text, platform::FileSystem& files,
                            platform::Shell& shell, const Places& places) {
  Loader loader;
  RuleSourceSummary builtin;
  builtin.name = "Built-in rules";
  loader.Add(std::move(builtin), ParseRuleFile(builtin_text, RuleSource::kBuiltIn),
             RuleSource::kBuiltIn);
  std::set<std::string> seen;
  for (const FileSource& source : FileSources(shell, places)) {
    if (!seen.insert(files.CanonicalPath(source.path)).second) continue;  // one file, two ways
    const FileContents contents = files.ReadFile(source.path, kLargestRuleFile);
    if (contents.status == FileContents::Status::kMissing) continue;
    RuleSourceSummary summary;
    summary.name = source.name;
    summary.path = source.path;
    if (auto failure = FailureOf(contents.status)) {
      summary.failure = std::move(failure);
      loader.AddFailure(std::move(summary));
      continue;
    }
    loader.Add(std::move(summary), ParseRuleFile(contents.bytes, RuleSource::kUserFile),
               RuleSource::kUserFile);
  }
  return loader.Take();
}

std::string SummaryText(const std::vector<RuleSourceSummary>& sources) {
  std::string text;
  for (const RuleSourceSummary& source : sources) {
    if (!text.empty()) text += " ";
    text += source.name + ": ";
    if (source.failure) {
      text += *source.failure + ".";
      continue;
    }
    if (source.path.empty()) {
      text += WithThousands(source.found) + " entries found on this PC.";
      continue;
    }
    std::vector<std::string> parts;
    const auto part = [&](int count, const char* words) {
      if (count) parts.push_back(WithThousands(count) + " " + words);
    };
    part(source.read, "entries read");
    part(source.found, "found on this PC");
    part(source.refused, "refused as unsafe");
    part(source.skipped, "skipped");
    if (parts.empty()) parts.push_back("no entries");
    for (size_t index = 0; index < parts.size(); ++index) {
      text += (index ? ", " : "") + parts[index];
    }
    text += ".";
  }
  return text;
}

std::string ProblemsText(const LoadedRules& rules) {
  std::string text;
  for (const SourcedProblem& sourced : rules.problems) {
    const Problem& problem = sourced.problem;
    text += rules.sources[sourced.origin].name + ", line " + std::to_string(problem.line) + ": ";
    if (!problem.entry.empty()) text += problem.entry + ": ";
    if (!problem.key.empty()) text += problem.key + ": ";
    text += problem.reason + "\n";
  }
  return text;
}

}  // namespace tidora::rules
