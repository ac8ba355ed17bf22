#include "rules/entry_cleaner.h"

#include <algorithm>

#include "rules/database_sweep.h"
#include "rules/exclusions.h"
#include "rules/file_sweep.h"
#include "rules/registry_sweep.h"
#include "rules/rule_safety.h"
#include "rules/tally.h"
#include "rules/target_resolver.h"

namespace tidora::rules {

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
  DatabaseSweep databases(services.files, services.registry, services.databases, resolver, progress,
                          tally);
  for (const DatabaseKey& key : entry.databases) {
    if (tally.stopped()) break;
    databases.Clean(key);
  }
  return tally.removed();
}

}  // namespace tidora::rules
