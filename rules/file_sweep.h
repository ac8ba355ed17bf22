#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "rules/exclusions.h"
#include "rules/places.h"
#include "rules/rule.h"
#include "rules/tally.h"
#include "rules/target_resolver.h"

namespace tidora::rules {

// Deletes what an entry's file keys name, folder by folder: files by their long names, links
// below a target never entered, read-only, hidden and system files like others, files in use
// left. Every concrete target is checked again against the protected folders.
class FileSweep {
 public:
  FileSweep(platform::FileSystem& files, const Places& places, const Exclusions& exclusions,
            Tally& tally)
      : files_(files),
        places_(places),
        exclusions_(exclusions),
        tally_(tally),
        resolver_(files, places) {}

  void Clean(const FileKey& key);

 private:
  // Whether the key may work in this concrete folder at all.
  bool Allowed(const FileKey& key, const std::string& folder);
  // Cleans one folder (and below, for the flags); true when it held entries and holds none now.
  bool CleanFolder(const FileKey& key, const std::string& folder, int depth);
  bool Wanted(const FileKey& key, const std::string& folder, const platform::FoundEntry& entry);
  void RemoveIfEmptied(const std::string& folder, bool emptied);

  platform::FileSystem& files_;
  const Places& places_;
  const Exclusions& exclusions_;
  Tally& tally_;
  TargetResolver resolver_;
};

}  // namespace tidora::rules
