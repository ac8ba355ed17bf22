#include "rules/rule_values.h"

#include <array>
#include <vector>

#include "base/text.h"
#include "databases/database_layouts.h"

namespace tidora::rules {

namespace {

using platform::RegistryRoot;

struct RootName {
  std::string_view short_name;
  std::string_view long_name;
  RegistryRoot root;
};

constexpr std::array<RootName, 5> kRoots = {{
    {"hkcu", "hkey_current_user", RegistryRoot::CurrentUser},
    {"hklm", "hkey_local_machine", RegistryRoot::LocalMachine},
    {"hku", "hkey_users", RegistryRoot::Users},
    {"hkcr", "hkey_classes_root", RegistryRoot::ClassesRoot},
    {"hkcc", "hkey_current_config", RegistryRoot::CurrentConfig},
}};

constexpr size_t kMostVersionDigits = 4;
constexpr size_t kMostGroupDigits = 6;

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (true) {
    const size_t at = text.find(separator);
    parts.push_back(base::TrimBlanks(text.substr(0, at)));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

// "a;;b;" gives a and b: a stray separator is no pattern.
std::vector<std::string> NonEmptyItems(std::string_view list) {
  std::vector<std::string> items;
  for (auto item : Split(list, ';')) {
    if (!item.empty()) items.emplace_back(item);
  }
  return items;
}

std::optional<int> ParseDigits(std::string_view text, size_t most) {
  if (text.empty() || text.size() > most) return std::nullopt;
  int number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

// "10.0", "6.1" or a bare major number.
std::optional<platform::OsVersion> ParseVersion(std::string_view text) {
  const size_t dot = text.find('.');
  const auto major = ParseDigits(text.substr(0, dot), kMostVersionDigits);
  if (!major) return std::nullopt;
  if (dot == std::string_view::npos) return platform::OsVersion{*major, 0};
  const auto minor = ParseDigits(text.substr(dot + 1), kMostVersionDigits);
  if (!minor) return std::nullopt;
  return platform::OsVersion{*major, *minor};
}

std::optional<FileKeyFlag> ParseFlag(std::string_view text) {
  const std::string flag = base::AsciiLower(text);
  if (flag == "recurse") return FileKeyFlag::kRecurse;
  if (flag == "removeself") return FileKeyFlag::kRemoveSelf;
  return std::nullopt;
}

std::optional<RegistryRoot> ParseRoot(std::string_view text) {
  const std::string name = base::AsciiLower(text);
  for (const auto& root : kRoots) {
    if (name == root.short_name || name == root.long_name) return root.root;
  }
  return std::nullopt;
}

// A key without its value: a root, then segments none of which is empty.
std::optional<RegKey> ParseKeyPath(std::string_view text) {
  while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
  const size_t slash = text.find('\\');
  const auto root = ParseRoot(text.substr(0, slash));
  if (!root) return std::nullopt;
  RegKey key;
  key.root = *root;
  if (slash == std::string_view::npos) return key;
  key.path = std::string(text.substr(slash + 1));
  if (key.path.empty() || key.path.find("\\\\") != std::string::npos) return std::nullopt;
  return key;
}

std::optional<RegKey> ParseKeyAndValue(std::string_view key_text,
                                       std::optional<std::string_view> value) {
  auto key = ParseKeyPath(key_text);
  if (!key) return std::nullopt;
  if (value) {
    // The unnamed default value is never a trace worth a rule.
    if (value->empty()) return std::nullopt;
    key->value = std::string(*value);
  }
  return key;
}

}  // namespace

std::optional<int> ParseGroupNumber(std::string_view value) {
  return ParseDigits(value, kMostGroupDigits);
}

std::optional<bool> ParseTruth(std::string_view value) {
  const std::string truth = base::AsciiLower(value);
  if (truth == "true") return true;
  if (truth == "false") return false;
  return std::nullopt;
}

std::optional<OsRange> ParseOsRange(std::string_view value) {
  const auto sides = Split(value, '|');
  if (sides.size() != 2) return std::nullopt;
  OsRange range;
  if (!sides[0].empty() && !(range.min = ParseVersion(sides[0]))) return std::nullopt;
  if (!sides[1].empty() && !(range.max = ParseVersion(sides[1]))) return std::nullopt;
  if (range.min && range.max && *range.min > *range.max) return std::nullopt;
  return range;
}

std::optional<FileKey> ParseFileKey(std::string_view value) {
  const auto parts = Split(value, '|');
  if (parts.size() < 2 || parts.size() > 3 || parts[0].empty()) return std::nullopt;
  FileKey key;
  key.path = std::string(parts[0]);
  key.patterns = NonEmptyItems(parts[1]);
  if (key.patterns.empty()) return std::nullopt;
  if (parts.size() == 3) {
    const auto flag = ParseFlag(parts[2]);
    if (!flag) return std::nullopt;
    key.flag = *flag;
  }
  return key;
}

std::optional<RegKey> ParseRegKey(std::string_view value) {
  const auto parts = Split(value, '|');
  if (parts.size() > 2) return std::nullopt;
  return ParseKeyAndValue(parts[0], parts.size() == 2 ? std::optional(parts[1]) : std::nullopt);
}

std::optional<DatabaseKey> ParseDatabaseKey(std::string_view value) {
  const auto parts = Split(value, '|');
  if (parts.size() != 3 || parts[1].empty() || parts[2].empty()) return std::nullopt;
  if (databases::LayoutNamed(parts[0]) == nullptr) return std::nullopt;
  if (parts[2].find_first_of("\\/:*?") != std::string_view::npos) return std::nullopt;
  DatabaseKey key;
  key.layout = std::string(parts[0]);
  key.folder = std::string(parts[1]);
  key.file = std::string(parts[2]);
  return key;
}

std::optional<RegKey> ParseDetectKey(std::string_view value) {
  if (value.find('|') != std::string_view::npos) return std::nullopt;
  return ParseKeyPath(base::TrimBlanks(value));
}

std::optional<ExcludeKey> ParseExcludeKey(std::string_view value) {
  const auto parts = Split(value, '|');
  if (parts.size() < 2 || parts.size() > 3 || parts[1].empty()) return std::nullopt;
  const std::string kind = base::AsciiLower(parts[0]);
  ExcludeKey exclude;
  if (kind == "reg") {
    auto key =
        ParseKeyAndValue(parts[1], parts.size() == 3 ? std::optional(parts[2]) : std::nullopt);
    if (!key) return std::nullopt;
    exclude.kind = ExcludeKind::kRegistry;
    exclude.key = std::move(*key);
    return exclude;
  }
  exclude.folder = std::string(parts[1]);
  if (parts.size() == 3) exclude.names = NonEmptyItems(parts[2]);
  if (kind == "path") {
    // "PATH|folder\|" keeps the whole folder, as "PATH|folder\" does: the safe reading.
    exclude.kind = ExcludeKind::kPath;
    return exclude;
  }
  if (kind == "file" && !exclude.names.empty()) {
    exclude.kind = ExcludeKind::kFile;
    return exclude;
  }
  return std::nullopt;
}

}  // namespace tidora::rules
