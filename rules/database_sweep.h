#pragma once

#include <optional>

#include "cleaning/cleaner.h"
#include "cleaning/cookie_keep_list.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "rules/rule.h"
#include "rules/tally.h"
#include "rules/target_resolver.h"

namespace tidora::rules {

// Cleans the databases of an entry's Database keys: every profile folder the written folder
// names, the file in it when it is a plain file. What a database left untouched, and why, goes
// to the row.
class DatabaseSweep {
 public:
  DatabaseSweep(platform::FileSystem& files, platform::Registry& registry,
                platform::DatabaseOpener& opener, TargetResolver& resolver,
                cleaning::CleanerProgress& progress, Tally& tally)
      : files_(files),
        registry_(registry),
        opener_(opener),
        resolver_(resolver),
        progress_(progress),
        tally_(tally) {}

  void Clean(const DatabaseKey& key);

 private:
  const cleaning::CookieKeepList& KeepList();

  platform::FileSystem& files_;
  platform::Registry& registry_;
  platform::DatabaseOpener& opener_;
  TargetResolver& resolver_;
  cleaning::CleanerProgress& progress_;
  Tally& tally_;
  std::optional<cleaning::CookieKeepList> keep_;
};

}  // namespace tidora::rules
