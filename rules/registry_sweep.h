#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "rules/exclusions.h"
#include "rules/rule.h"
#include "rules/tally.h"

namespace tidora::rules {

// Deletes what an entry's registry keys name, in every view of HKLM: a key with all beneath it
// save what is excluded, or one value. A link on the way, or below, is never followed, and every
// concrete key is checked again against the protected keys.
class RegistrySweep {
 public:
  RegistrySweep(platform::Registry& registry, const Exclusions& exclusions, Tally& tally)
      : registry_(registry), exclusions_(exclusions), tally_(tally) {}

  void Clean(const RegKey& key);

 private:
  // The concrete paths a written one names: "*" segments (the program's own rules) stand for
  // every subkey that is no link. A path that passes through a link names nothing.
  std::vector<std::string> Expand(const RegKey& key, platform::RegistryView view);
  bool ReachedWithoutLinks(platform::RegistryRoot root, const std::string& path,
                           platform::RegistryView view);
  void DeleteKey(platform::RegistryRoot root, const std::string& path, platform::RegistryView view);
  void DeleteValue(platform::RegistryRoot root, const std::string& path, const std::string& value,
                   platform::RegistryView view);

  platform::Registry& registry_;
  const Exclusions& exclusions_;
  Tally& tally_;
};

}  // namespace tidora::rules
