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
  const std::string path = base::AsciiLower(key.path);
  const auto cut = path.find_last_of('\\');
  const std::string parent = cut == std::string::npos ? std::string() : path.substr(0, cut);
  const std::string name = path.substr(cut == std::string::npos ? 0 : cut + 1);
  return std::ranges::any_of(registry_.ViewsOf(key.root), [&](platform::RegistryView view) {
    const std::string id =
        std::to_string(int(key.root)) + "|" + std::to_string(int(view)) + "|" + parent;
    auto found = subkeys_.find(id);
    if (found == subkeys_.end()) {
      std::set<std::string> names;
      if (const auto listed = registry_.OpenForRead(key.root, parent, view)) {
        for (const std::string& subkey : listed->SubkeyNames())
          names.insert(base::AsciiLower(subkey));
      }
      found = subkeys_.emplace(id, std::move(names)).first;
    }
    if (found->second.contains(name)) return true;
    // A root's own keys cannot be listed this way, nor can ASCII folding settle every name.
    const bool settled = !parent.empty() && std::ranges::none_of(name, [](char c) {
      return static_cast<unsigned char>(c) >= 0x80;
    });
    return !settled && registry_.OpenForRead(key.root, key.path, view) != nullptr;
  });
}

}  // namespace tidora::rules
