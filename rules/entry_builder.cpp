#include "rules/entry_builder.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "rules/groups.h"
#include "rules/key_names.h"
#include "rules/rule_safety.h"
#include "rules/rule_values.h"

namespace tidora::rules {

namespace {

template <typename T>
struct Numbered {
  int number = 0;
  T item;
};

template <typename T>
std::vector<T> InNumberOrder(std::vector<Numbered<T>> numbered) {
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const auto& a, const auto& b) { return a.number < b.number; });
  std::vector<T> items;
  for (auto& entry : numbered) items.push_back(std::move(entry.item));
  return items;
}

template <typename T>
bool Keep(std::optional<T> parsed, const KeyName& name, int line, std::vector<Numbered<T>>& into) {
  if (!parsed) return false;
  parsed->line = line;
  into.push_back({name.number, std::move(*parsed)});
  return true;
}

class EntryBuilder {
 public:
  explicit EntryBuilder(const RawEntry& raw) : raw_(raw) {
    entry_.name = raw.name;
    entry_.line = raw.line;
  }

  std::optional<Problem> Add(const KeyLine& key) {
    const auto name = ClassifyKey(key.name);
    if (!name) return Skip(key.line, key.text, "unknown key " + key.name);
    if (!seen_.insert({name->kind, name->number}).second) {
      return Skip(key.line, key.text, "duplicate key " + key.name);
    }
    if (Take(*name, key)) return std::nullopt;
    Problem problem = Skip(key.line, key.text,
                           "malformed value, expected " + std::string(ExpectedValue(name->kind)));
    // An exclusion that cannot be read cannot be honoured: fail closed.
    if (name->kind == KeyKind::kExcludeKey) problem.kind = ProblemKind::kRefused;
    return problem;
  }

  std::variant<RuleEntry, Problem> Finish(RuleSource source) {
    entry_.detect_keys = InNumberOrder(std::move(detect_keys_));
    entry_.detect_files = InNumberOrder(std::move(detect_files_));
    entry_.file_keys = InNumberOrder(std::move(file_keys_));
    entry_.reg_keys = InNumberOrder(std::move(reg_keys_));
    entry_.excludes = InNumberOrder(std::move(excludes_));
    entry_.databases = InNumberOrder(std::move(databases_));
    entry_.group = lang_sec_ref_      ? GroupName(*lang_sec_ref_)
                   : section_.empty() ? "Other"
                                      : section_;
    if (!entry_.databases.empty() && source != RuleSource::kBuiltIn) {
      return Skip(entry_.databases.front().line, LineText(entry_.databases.front().line),
                  "Database keys belong to the program's own rules");
    }
    if (entry_.file_keys.empty() && entry_.reg_keys.empty() && entry_.databases.empty()) {
      return Skip(raw_.line, "", "nothing to clean: no FileKey or RegKey");
    }
    if (auto refused = RefusedEntryText(entry_, source)) {
      refused->key = LineText(refused->line);
      return *refused;
    }
    return std::move(entry_);
  }

 private:
  Problem Skip(int line, const std::string& text, std::string reason) const {
    return Problem{ProblemKind::kSkipped, line, entry_.name, text, std::move(reason)};
  }

  std::string LineText(int line) const {
    for (const auto& key : raw_.keys) {
      if (key.line == line) return key.text;
    }
    return {};
  }

  // False when the value is malformed.
  bool Take(const KeyName& name, const KeyLine& key) {
    const std::string& value = key.value;
    switch (name.kind) {
      case KeyKind::kLangSecRef:
        lang_sec_ref_ = ParseGroupNumber(value);
        return lang_sec_ref_.has_value();
      case KeyKind::kSection:
        section_ = value;
        return !value.empty();
      case KeyKind::kDetect:
        return Keep(ParseDetectKey(value), name, key.line, detect_keys_);
      case KeyKind::kDetectFile:
        if (value.empty()) return false;
        detect_files_.push_back({name.number, value});
        return true;
      case KeyKind::kDetectOs:
        entry_.detect_os = ParseOsRange(value);
        return entry_.detect_os.has_value();
      case KeyKind::kSpecialDetect:
        return true;
      case KeyKind::kDefault: {
        const auto ticked = ParseTruth(value);
        entry_.default_ticked = ticked.value_or(false);
        return ticked.has_value();
      }
      case KeyKind::kWarning:
        entry_.warning = value;
        return true;
      case KeyKind::kFileKey:
        return Keep(ParseFileKey(value), name, key.line, file_keys_);
      case KeyKind::kRegKey:
        return Keep(ParseRegKey(value), name, key.line, reg_keys_);
      case KeyKind::kExcludeKey:
        return Keep(ParseExcludeKey(value), name, key.line, excludes_);
      case KeyKind::kDatabase:
        return Keep(ParseDatabaseKey(value), name, key.line, databases_);
    }
    return false;
  }

  const RawEntry& raw_;
  RuleEntry entry_;
  std::set<std::pair<KeyKind, int>> seen_;
  std::optional<int> lang_sec_ref_;
  std::string section_;
  std::vector<Numbered<RegKey>> detect_keys_;
  std::vector<Numbered<std::string>> detect_files_;
  std::vector<Numbered<FileKey>> file_keys_;
  std::vector<Numbered<RegKey>> reg_keys_;
  std::vector<Numbered<ExcludeKey>> excludes_;
  std::vector<Numbered<DatabaseKey>> databases_;
};

}  // namespace

std::variant<RuleEntry, Problem> BuildEntry(const RawEntry& raw, RuleSource source) {
  EntryBuilder builder(raw);
  for (const auto& key : raw.keys) {
    if (auto problem = builder.Add(key)) return *problem;
  }
  return builder.Finish(source);
}

}  // namespace tidora::rules
