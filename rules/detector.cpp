#include "rules/detector.h"

#include <algorithm>

#include "base/text.h"

namespace tidora::rules {

namespace {

bool WithinOsRange(const OsRange& range, const std::optional<platform::OsVersion>& version) {
  if (!version) return false;
  if (range.min && *version < *range.min) return false;
  if (range.max && *version > *range.max) return false;
  return true;
}

}  // namespace

Detector::Detector(const RuleServices& services, const Places& places)
    : registry_(services.registry),
      version_(services.system.Version()),
      listings_(services.files),
      resolver_(listings_, places) {}

bool Detector::Detected(const RuleEntry& entry) {
  if (entry.detect_os && !WithinOsRange(*entry.detect_os, version_)) return false;
  if (entry.detect_keys.empty() && entry.detect_files.empty()) return true;
  const auto key_exists = [&](const RegKey& key) { return KeyExists(key); };
  if (std::ranges::any_of(entry.detect_keys, key_exists)) return true;
  return std::ranges::any_of(entry.detect_files,
                             [&](const std::string& path) { return resolver_.Exists(path); });
}

bool Detector::KeyExists(const RegKey& key) {
  return std::ranges::any_of(registry_.ViewsOf(key.root), [&](platform::RegistryView view) {
    const std::string id = std::to_string(int(key.root)) + "|" + std::to_string(int(view)) + "|" +
                           base::AsciiLower(key.path);
    const auto found = keys_.find(id);
    if (found != keys_.end()) return found->second;
    return keys_[id] = registry_.OpenForRead(key.root, key.path, view) != nullptr;
  });
}

}  // namespace tidora::rules
