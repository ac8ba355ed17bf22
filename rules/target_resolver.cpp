#include "rules/target_resolver.h"

#include <algorithm>
#include <optional>

#include "base/text.h"
#include "rules/path_text.h"
#include "rules/rule_safety.h"
#include "rules/wildcard.h"

namespace tidora::rules {

namespace {

using platform::attribute::kDirectory;
using platform::attribute::kReparsePoint;

constexpr int kPlainLead = 3;  // characters a wildcard segment next to a protected folder needs

std::string Below(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + std::string(name);
}

bool IsPlainFolder(std::uint32_t attributes) {
  return (attributes & kDirectory) && !(attributes & kReparsePoint);
}

// "%UserName%" anywhere below the variable, case-insensitive; nullopt when it cannot be filled.
std::optional<std::string> WithUserName(std::string_view rest, const std::string& user) {
  static constexpr std::string_view kToken = "%username%";
  std::string out;
  const std::string lower = base::AsciiLower(rest);
  std::size_t from = 0;
  for (auto at = lower.find(kToken); at != std::string::npos; at = lower.find(kToken, from)) {
    if (user.empty()) return std::nullopt;
    out.append(rest.substr(from, at - from)).append(user);
    from = at + kToken.size();
  }
  out.append(rest.substr(from));
  return out;
}

// Windows drops trailing dots and blanks of a name: "Cache. " opens "Cache".
std::string_view Resolved(std::string_view segment) {
  while (!segment.empty() && (segment.back() == '.' || segment.back() == ' ')) {
    segment.remove_suffix(1);
  }
  return segment;
}

bool StartsPlain(std::string_view segment) {
  return segment.size() >= kPlainLead && !HasWildcard(segment.substr(0, kPlainLead));
}

}  // namespace

TargetResolver::Split TargetResolver::SplitWritten(std::string_view written) const {
  Split split;
  const auto variable = SplitVariable(written);
  if (!variable) return split;
  const auto rest = WithUserName(variable->rest, places_.user_name());
  if (!rest) return split;
  std::size_t from = 0;
  while (from <= rest->size()) {
    auto end = rest->find_first_of("\\/", from);
    if (end == std::string::npos) end = rest->size();
    const std::string_view raw = std::string_view(*rest).substr(from, end - from);
    from = end + 1;
    if (raw.empty() || raw == ".") continue;
    const std::string_view segment = Resolved(raw);
    if (segment.empty() || raw == ".." || segment.find_first_of(":%") != std::string_view::npos ||
        !UsableListedName(segment)) {
      return split;
    }
    split.segments.emplace_back(segment);
  }
  split.bases = places_.FoldersOf(variable->variable);
  split.sound = true;
  return split;
}

bool TargetResolver::MayExpandBelow(const std::string& folder, const std::string& segment,
                                    bool after_variable) {
  if (StartsPlain(segment)) return true;
  return !after_variable && !places_.IsProtected(files_.CanonicalPath(folder));
}

std::vector<std::string> TargetResolver::Step(const std::vector<std::string>& folders,
                                              const std::string& segment, bool after_variable) {
  std::vector<std::string> next;
  for (const std::string& folder : folders) {
    if (!HasWildcard(segment)) {
      const std::string path = Below(folder, segment);
      const auto found = files_.Attributes(path);
      if (found && IsPlainFolder(*found)) next.push_back(path);
      continue;
    }
    if (!MayExpandBelow(folder, segment, after_variable)) continue;
    files_.Find(Below(folder, segment), [&](const platform::FoundEntry& entry) {
      // The long name decides: the system's match also takes 8.3 short names.
      if (IsPlainFolder(entry.attributes) && UsableListedName(entry.name) &&
          MatchesWildcard(segment, entry.name)) {
        next.push_back(Below(folder, entry.name));
      }
      return true;
    });
  }
  return next;
}

std::vector<std::string> TargetResolver::Folders(std::string_view written) {
  const Split split = SplitWritten(written);
  if (!split.sound) return {};
  std::vector<std::string> current;
  for (const std::string& base : split.bases) {
    if (files_.IsFolder(base)) current.push_back(base);
  }
  for (std::size_t index = 0; index < split.segments.size() && !current.empty(); ++index) {
    current = Step(current, split.segments[index], index == 0);
  }
  std::erase_if(current, [](const std::string& folder) { return RefusedPathShape(folder); });
  return current;
}

bool TargetResolver::Exists(std::string_view written) {
  Split split = SplitWritten(written);
  if (!split.sound) return false;
  if (split.segments.empty()) {
    return std::ranges::any_of(split.bases,
                               [&](const auto& base) { return files_.IsFolder(base); });
  }
  const std::string last = split.segments.back();
  split.segments.pop_back();
  std::vector<std::string> folders;
  for (const std::string& base : split.bases) folders.push_back(base);
  for (std::size_t index = 0; index < split.segments.size() && !folders.empty(); ++index) {
    folders = Step(folders, split.segments[index], index == 0);
  }
  for (const std::string& folder : folders) {
    bool found = false;
    files_.Find(Below(folder, last), [&](const platform::FoundEntry& entry) {
      found = MatchesWildcard(last, entry.name);
      return !found;
    });
    if (found) return true;
  }
  return false;
}

}  // namespace tidora::rules
