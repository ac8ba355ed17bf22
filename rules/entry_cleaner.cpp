#include "rules/entry_cleaner.h"

#include <algorithm>

#include "rules/exclusions.h"
#include "rules/file_sweep.h"
#include "rules/registry_sweep.h"
#include "rules/rule_safety.h"
#include "rules/tally.h"
#include "rules/target_resolver.h"

namespace tidora::rules {

namespace {

bool WithinOsRange(const OsRange& range, platform::SystemInfo& system) {
  const auto version = system.Version();
  if (!version) return false;
  if (range.min && *version < *range.min) return false;
  if (range.max && *version > *range.max) return false;
  return true;
}

bool KeyExists(const RegKey& key, platform::Registry& registry) {
  return std::ranges::any_of(registry.ViewsOf(key.root), [&](platform::RegistryView view) {
    return registry.OpenForRead(key.root, key.path, view) != nullptr;
  });
}

}  // namespace

bool Detected(const RuleEntry& entry, const RuleServices& services, const Places& places) {
  if (entry.detect_os && !WithinOsRange(*entry.detect_os, services.system)) return false;
  if (entry.detect_keys.empty() && entry.detect_files.empty()) return true;
  const bool by_key = std::ranges::any_of(
      entry.detect_keys, [&](const RegKey& key) { return KeyExists(key, services.registry); });
  if (by_key) return true;
  TargetResolver resolver(services.files, places);
  return std::ranges::any_of(entry.detect_files,
                             [&](const std::string& path) { return resolver.Exists(path); });
}

int CleanEntry(const RuleEntry& entry, RuleSource source, const RuleServices& services,
               const Places& places, cleaning::CleanerProgress& progress) {
  if (RefusedEntryText(entry, source)) return 0;
  TargetResolver resolver(services.files, places);
  const auto exclusions = Exclusions::Resolve(entry.excludes, services.files, resolver);
  if (!exclusions) return 0;
  Tally tally(progress);
  FileSweep files(services.files, places, *exclusions, tally);
  for (const FileKey& key : entry.file_keys) {
    if (tally.Stopped()) break;
    files.Clean(key);
  }
  RegistrySweep registry(services.registry, *exclusions, tally);
  for (const RegKey& key : entry.reg_keys) {
    if (tally.stopped()) break;
    registry.Clean(key);
  }
  return tally.removed();
}

}  // namespace tidora::rules
