#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/system_info.h"
#include "rules/entry_cleaner.h"
#include "rules/listing_cache.h"
#include "rules/places.h"
#include "rules/rule.h"
#include "rules/target_resolver.h"

namespace tidora::rules {

// Tells which entries are offered on this PC: an entry's DetectOS holds, and any of its Detect
// keys (in either view of HKLM) or DetectFile paths exists; with none, always. Meant for one
// pass over all the entries: each folder is listed once and each key opened once, however many
// entries look there.
class Detector {
 public:
  Detector(const RuleServices& services, const Places& places);
  Detector(const Detector&) = delete;
  Detector& operator=(const Detector&) = delete;

  bool Detected(const RuleEntry& entry);
  const ListingCache& listings() const { return listings_; }

 private:
  bool KeyExists(const RegKey& key);

  platform::Registry& registry_;
  std::optional<platform::OsVersion> version_;
  ListingCache listings_;
  TargetResolver resolver_;
  // A key's subkeys by root, view and folded path: presence is answered from its parent's list.
  std::map<std::string, std::set<std::string>> subkeys_;
};

}  // namespace tidora::rules
