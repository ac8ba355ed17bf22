#pragma once

#include "cleaning/cleaner.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "rules/places.h"
#include "rules/rule.h"

namespace tidora::rules {

// The platform services the rules detect and clean through.
struct RuleServices {
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::Shell& shell;
  platform::SystemInfo& system;
  platform::DatabaseOpener& databases;
};

// Runs one entry and returns the files, folders, values and keys it removed. The load-time
// checks run again first, and the exclusions are resolved before anything goes: an entry whose
// exclusions cannot be honoured, or whose text is refused, deletes nothing. Stop is asked once
// per folder and key.
int CleanEntry(const RuleEntry& entry, RuleSource source, const RuleServices& services,
               const Places& places, cleaning::CleanerProgress& progress);

}  // namespace tidora::rules
