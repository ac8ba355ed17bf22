#include "rules/rule_sources.h"

#include <algorithm>
#include <set>

#include "base/text.h"
#include "rules/rule_parser.h"
#include "rules/text_decoding.h"

namespace tidora::rules {

namespace {

using platform::FileContents;

// "4067" as people read it: "4,067".
std::string WithThousands(int number) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (std::size_t index = 0; index < digits.size(); ++index) {
    if (index && (digits.size() - index) % 3 == 0) grouped += ',';
    grouped += digits[index];
  }
  return grouped;
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

// Entries parsed a step: a few milliseconds' work.
constexpr int kEntriesPerStep = 200;

// Whether the line starting at start is an entry's header: only there may a step end, so that no
// key is parted from its entry, whatever a malformed line looks like.
bool IsHeaderLine(std::string_view text, std::size_t start) {
  std::string_view line = text.substr(start, text.find('\n', start) - start);
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
    line.remove_suffix(1);
  }
  return line.size() > 2 && line.front() == '[' && line.back() == ']';
}

// Where the text of the next kEntriesPerStep entries ends: at the start of a header line.
std::size_t ChunkEnd(std::string_view text, std::size_t from) {
  std::size_t at = from;
  for (int entries = 0; entries <= kEntriesPerStep;) {
    at = text.find("\n[", at + 1);
    if (at == std::string_view::npos) return text.size();
    if (IsHeaderLine(text, at + 1)) ++entries;
  }
  return at + 1;
}

int LinesIn(std::string_view text) {
  return static_cast<int>(std::ranges::count(text, '\n'));
}

// A chunk's lines counted from the file's first.
void ShiftLines(RuleFile& file, int lines) {
  for (RuleEntry& entry : file.entries) {
    entry.line += lines;
    for (auto& key : entry.file_keys) key.line += lines;
    for (auto& key : entry.reg_keys) key.line += lines;
    for (auto& key : entry.detect_keys) key.line += lines;
    for (auto& key : entry.excludes) key.line += lines;
  }
  for (Problem& problem : file.problems) {
    if (problem.line > 0) problem.line += lines;
  }
}

}  // namespace

struct RuleLoading::Pending {
  RuleSourceSummary summary;
  RuleSource source;
  std::string text;  // UTF-8, or the raw bytes when they cannot be decoded
  std::size_t parsed = 0;
  int lines_before = 0;
  int origin = -1;
};

class RuleLoading::Loader {
 public:
  int Begin(RuleSourceSummary summary) {
    rules_.sources.push_back(std::move(summary));
    return static_cast<int>(rules_.sources.size()) - 1;
  }
  void Add(int origin, const RuleFile& file, RuleSource source) {
    RuleSourceSummary& summary = rules_.sources[origin];
    summary.read += file.entries_read;
    for (const Problem& problem : file.problems) Note(origin, problem);
    for (const RuleEntry& entry : file.entries) {
      if (!names_.insert(base::AsciiLower(entry.name)).second) {
        Note(origin, {ProblemKind::kSkipped, entry.line, entry.name, "",
                      "an entry of this name is loaded already"});
        continue;
      }
      LoadedEntry loaded{entry, source, origin};
      if (source == RuleSource::kUserFile) loaded.entry.default_ticked = false;
      rules_.entries.push_back(std::move(loaded));
    }
  }
  LoadedRules Take() { return std::move(rules_); }

 private:
  // Counted are entries; a line of no entry (garbage, a stray key) is only listed.
  void Note(int origin, const Problem& problem) {
    RuleSourceSummary& summary = rules_.sources[origin];
    if (!problem.entry.empty()) {
      ++(problem.kind == ProblemKind::kRefused ? summary.refused : summary.skipped);
    }
    rules_.problems.push_back({origin, problem});
  }

  LoadedRules rules_;
  std::set<std::string> names_;
};

RuleLoading::RuleLoading(std::string_view builtin_text, platform::FileSystem& files,
                         platform::Shell& shell, const Places& places)
    : loader_(std::make_unique<Loader>()) {
  Pending builtin;
  builtin.summary.name = "Built-in rules";
  builtin.source = RuleSource::kBuiltIn;
  builtin.text = builtin_text;
  pending_.push_back(std::move(builtin));
  std::set<std::string> seen;
  for (const FileSource& source : FileSources(shell, places)) {
    if (!seen.insert(files.CanonicalPath(source.path)).second) continue;  // one file, two ways
    FileContents contents = files.ReadFile(source.path, kLargestRuleFile);
    if (contents.status == FileContents::Status::kMissing) continue;
    Pending file;
    file.summary.name = source.name;
    file.summary.path = source.path;
    file.summary.failure = FailureOf(contents.status);
    file.source = RuleSource::kUserFile;
    file.text = std::move(contents.bytes);
    pending_.push_back(std::move(file));
  }
  for (Pending& each : pending_) {
    // Decoded once here, so that each step can parse plain UTF-8 from any entry on; text that
    // cannot be decoded goes to the parser whole, which reports it.
    if (auto decoded = DecodeRuleText(each.text)) each.text = std::move(*decoded);
  }
}

RuleLoading::~RuleLoading() = default;

bool RuleLoading::Step() {
  if (current_ >= pending_.size()) return false;
  Pending& source = pending_[current_];
  if (source.origin < 0) source.origin = loader_->Begin(source.summary);
  if (source.summary.failure) {
    ++current_;
    return current_ < pending_.size();
  }
  const std::string_view text = source.text;
  const std::size_t end = ChunkEnd(text, source.parsed);
  const std::string_view chunk = text.substr(source.parsed, end - source.parsed);
  RuleFile file = ParseRuleFile(chunk, source.source);
  ShiftLines(file, source.lines_before);
  loader_->Add(source.origin, file, source.source);
  source.lines_before += LinesIn(chunk);
  source.parsed = end;
  if (source.parsed >= text.size()) ++current_;
  return current_ < pending_.size();
}

LoadedRules RuleLoading::Take() {
  return loader_->Take();
}

LoadedRules LoadRuleSources(std::string_view builtin_text, platform::FileSystem& files,
                            platform::Shell& shell, const Places& places) {
  RuleLoading loading(builtin_text, files, shell, places);
  while (loading.Step()) {
  }
  return loading.Take();
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
      text += WithThousands(source.found) +
              (source.found == 1 ? " entry found on this PC." : " entries found on this PC.");
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
      if (index) text += ", ";
      text += parts[index];
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
