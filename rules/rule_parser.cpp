#include "rules/rule_parser.h"

#include <optional>
#include <unordered_set>

#include "base/text.h"
#include "rules/entry_builder.h"
#include "rules/text_decoding.h"

namespace tidora::rules {

namespace {

// "[Name *]" shows as "Name": the star is a convention of community files.
std::string ShownName(std::string_view bracketed) {
  std::string_view name = base::TrimBlanks(bracketed.substr(1, bracketed.size() - 2));
  if (name == "*") return {};
  if (name.ends_with(" *")) name = base::TrimBlanks(name.substr(0, name.size() - 2));
  return std::string(name);
}

// Reads the lines in order, gathering each entry's lines until the next entry starts.
class Loader {
 public:
  Loader(RuleSource source, RuleFile& file) : source_(source), file_(file) {}

  void Take(int line, std::string_view text) {
    text = base::TrimBlanks(text);
    if (text.empty() || text.front() == ';') return;
    if (text.front() == '[' && text.back() == ']') {
      Close();
      Open(line, text);
    } else if (const size_t equals = text.find('='); equals != std::string_view::npos) {
      AddKey(line, text, equals);
    } else {
      Report(line, text, "neither an entry, a key nor a comment");
    }
  }

  void Close() {
    if (!current_) return;
    if (current_problem_) {
      file_.problems.push_back(std::move(*current_problem_));
    } else {
      auto built = BuildEntry(*current_, source_);
      if (auto* entry = std::get_if<RuleEntry>(&built)) {
        file_.entries.push_back(std::move(*entry));
      } else {
        file_.problems.push_back(std::move(std::get<Problem>(built)));
      }
    }
    current_.reset();
    current_problem_.reset();
  }

 private:
  void Open(int line, std::string_view text) {
    ++file_.entries_read;
    current_ = RawEntry{line, ShownName(text), {}};
    if (current_->name.empty()) {
      Report(line, text, "an entry without a name");
    } else if (!names_.insert(base::AsciiLower(current_->name)).second) {
      Report(line, text, "a second entry of the same name");
    }
  }

  void AddKey(int line, std::string_view text, size_t equals) {
    if (!current_) {
      Report(line, text, "a key outside an entry");
      return;
    }
    current_->keys.push_back({line, std::string(text),
                              std::string(base::TrimBlanks(text.substr(0, equals))),
                              std::string(base::TrimBlanks(text.substr(equals + 1)))});
  }

  // A bad line inside an entry keeps the entry out: it may have been one of its exclusions.
  void Report(int line, std::string_view text, std::string reason) {
    Problem problem{ProblemKind::kSkipped, line, "", std::string(text), std::move(reason)};
    if (!current_) {
      file_.problems.push_back(std::move(problem));
    } else if (!current_problem_) {
      problem.entry = current_->name;
      current_problem_ = std::move(problem);
    }
  }

  RuleSource source_;
  RuleFile& file_;
  std::optional<RawEntry> current_;
  std::optional<Problem> current_problem_;
  std::unordered_set<std::string> names_;
};

}  // namespace

RuleFile ParseRuleFile(std::string_view bytes, RuleSource source) {
  RuleFile file;
  const auto text = DecodeRuleText(bytes);
  if (!text) {
    file.problems.push_back(
        {ProblemKind::kSkipped, 0, "", "", "UTF-16 big-endian text, which is not read"});
    return file;
  }
  Loader loader(source, file);
  std::string_view rest = *text;
  int line = 0;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    loader.Take(++line, rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  loader.Close();
  return file;
}

}  // namespace tidora::rules
