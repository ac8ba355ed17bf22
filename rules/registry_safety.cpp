// Which registry deletions no rule may make, on a key's text or on a concrete key.

#include <array>
#include <span>
#include <vector>

#include "base/text.h"
#include "rules/path_text.h"
#include "rules/rule_safety.h"

namespace tidora::rules {

namespace {

using platform::RegistryRoot;

// A key as seen from the top of its hive: HKCR, HKU\<account> and HKCC folded into HKCU or HKLM.
struct HiveKey {
  bool machine = false;
  std::vector<std::string> segments;  // lower case, without Wow6432Node
};

// Below HKCU, HKLM and every account's hive; "*" stands for any one key. Each of their ancestors
// is protected too.
constexpr std::array<std::string_view, 15> kProtectedKeys = {
    "Software",
    "Software\\Classes",
    "Software\\Classes\\*",
    "Software\\Microsoft",
    "Software\\Microsoft\\Windows",
    "Software\\Microsoft\\Windows\\CurrentVersion",
    "Software\\Microsoft\\Windows\\CurrentVersion\\*",
    "Software\\Microsoft\\Windows NT\\CurrentVersion",
    // Winlogon, ProfileList, Fonts and their like: a whole one is never a trace.
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\*",
    "Software\\Policies",
    "Software\\Wow6432Node",
    "Software\\*",
    "Control Panel",
    // Desktop, Mouse, International: a user's settings, not traces.
    "Control Panel\\*",
    "Environment",
};

// HKLM trees no rule reaches into at all.
constexpr std::array<std::string_view, 4> kMachineTrees = {"SYSTEM", "SAM", "SECURITY", "HARDWARE"};

constexpr std::array<std::string_view, 2> kClasses = {"software", "classes"};
// HKCC is a view of this key.
constexpr std::array<std::string_view, 4> kCurrentConfig = {"system", "currentcontrolset",
                                                            "hardware profiles", "current"};

// A written "*" may be any key: it is taken to be the protected one.
bool SegmentMayBe(std::string_view segment, std::string_view protected_segment) {
  return protected_segment == "*" || HasWildcard(segment) ||
         segment == base::AsciiLower(protected_segment);
}

std::vector<std::string> KeySegments(std::string_view path) {
  std::vector<std::string> segments;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\') continue;
    std::string segment = base::AsciiLower(path.substr(start, i - start));
    if (!segment.empty() && segment != "wow6432node") segments.push_back(std::move(segment));
    start = i + 1;
  }
  return segments;
}

template <size_t N>
HiveKey Under(bool machine, const std::array<std::string_view, N>& prefix,
              std::span<const std::string> segments) {
  HiveKey key{machine, {prefix.begin(), prefix.end()}};
  key.segments.insert(key.segments.end(), segments.begin(), segments.end());
  return key;
}

// HKU\<sid> is an account's HKCU, HKU\<sid>_Classes its Software\Classes.
std::vector<HiveKey> FoldUsers(const std::vector<std::string>& segments) {
  if (segments.empty()) return {HiveKey{}};
  const std::string& account = segments.front();
  const auto below = std::span(segments).subspan(1);
  const std::array<std::string_view, 0> none{};
  if (HasWildcard(account)) return {Under(false, none, below), Under(false, kClasses, below)};
  if (account.ends_with("_classes")) return {Under(false, kClasses, below)};
  return {Under(false, none, below)};
}

std::vector<HiveKey> Fold(RegistryRoot root, std::string_view path) {
  auto segments = KeySegments(path);
  switch (root) {
    case RegistryRoot::CurrentUser:
      return {HiveKey{false, std::move(segments)}};
    case RegistryRoot::LocalMachine:
      return {HiveKey{true, std::move(segments)}};
    case RegistryRoot::ClassesRoot:
      return {Under(false, kClasses, segments)};
    case RegistryRoot::CurrentConfig:
      return {Under(true, kCurrentConfig, segments)};
    case RegistryRoot::Users:
      return FoldUsers(segments);
  }
  return {};
}

std::optional<std::string> RefusedValueDelete(const HiveKey& key) {
  if (!key.segments.empty() && SegmentMayBe(key.segments.front(), "Environment")) {
    return "deletes a value under Environment";
  }
  for (const auto& segment : key.segments) {
    if (SegmentMayBe(segment, "Winlogon")) return "deletes a value under a Winlogon key";
  }
  return std::nullopt;
}

// The key is a protected one, or an ancestor of one, when its segments may be the first ones of
// the protected key's.
std::optional<std::string> RefusedKeyDelete(const HiveKey& key) {
  if (key.segments.empty()) return "deletes a hive root";
  for (auto protected_key : kProtectedKeys) {
    std::size_t count = 0;
    bool may_be = true;
    ForEachSegment({protected_key}, [&](std::string_view segment) {
      if (count < key.segments.size() && may_be) {
        may_be = SegmentMayBe(key.segments[count], segment);
      }
      ++count;
    });
    if (key.segments.size() > count || !may_be) continue;
    const bool same = key.segments.size() == count;
    return std::string(same ? "deletes a protected key ("
                            : "deletes an ancestor of a protected key (") +
           std::string(protected_key) + ")";
  }
  return std::nullopt;
}

std::optional<std::string> Refused(const HiveKey& key, const std::optional<std::string>& value) {
  // Each key directly under HKLM is a hive of its own (the boot configuration among them).
  if (key.machine && key.segments.size() == 1 && !value) return "deletes a hive of HKLM";
  if (key.machine && !key.segments.empty()) {
    for (auto tree : kMachineTrees) {
      if (SegmentMayBe(key.segments.front(), tree)) return "under HKLM\\" + std::string(tree);
    }
  }
  return value ? RefusedValueDelete(key) : RefusedKeyDelete(key);
}

}  // namespace

std::optional<std::string> RefusedRegistryDelete(RegistryRoot root, std::string_view path,
                                                 const std::optional<std::string>& value) {
  // The system ends a name at a NUL: the key deleted would not be the key checked.
  if (HasControlCharacter(path) || (value && HasControlCharacter(*value))) {
    return "a control character in a registry key";
  }
  for (const auto& key : Fold(root, path)) {
    if (auto refused = Refused(key, value)) return refused;
  }
  return std::nullopt;
}

}  // namespace tidora::rules
