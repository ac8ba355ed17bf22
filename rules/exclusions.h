#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "rules/rule.h"
#include "rules/target_resolver.h"

namespace tidora::rules {

// What an entry's deletions must leave alone, resolved on this PC. Files and folders compare by
// their canonical paths; keys by root and path, case folded, with the views' aliases removed.
class Exclusions {
 public:
  // nullopt when an exclusion cannot be honoured (an unknown variable, a malformed key): the
  // entry then deletes nothing at all.
  static std::optional<Exclusions> Resolve(const std::vector<ExcludeKey>& excludes,
                                           platform::FileSystem& files, TargetResolver& resolver);

  bool empty() const { return files_.empty() && paths_.empty() && keys_.empty(); }
  bool HasFiles() const { return !files_.empty() || !paths_.empty(); }
  // canonical_folder: the file's folder as FileSystem::CanonicalPath gives it.
  bool KeepsFile(std::string_view canonical_folder, std::string_view name) const;
  // The key itself, or an ancestor of it, is kept whole.
  bool KeepsKey(platform::RegistryRoot root, std::string_view path) const;
  bool KeepsValue(platform::RegistryRoot root, std::string_view path, std::string_view value) const;
  // Something at or below the key is kept.
  bool KeepsBelow(platform::RegistryRoot root, std::string_view path) const;

 private:
  struct FolderPatterns {
    std::string folder;                 // canonical
    std::vector<std::string> patterns;  // FILE: names; PATH: patterns, none for every file
  };
  struct KeptKey {
    platform::RegistryRoot root;
    std::string path;  // folded
    std::optional<std::string> value;
  };

  std::vector<FolderPatterns> files_;  // FILE: exact names in one folder
  std::vector<FolderPatterns> paths_;  // PATH: patterns there and below
  std::vector<KeptKey> keys_;
};

// A key path as the exclusions compare it: lower case, "Wow6432Node\" dropped.
std::string FoldedKeyPath(std::string_view path);

}  // namespace tidora::rules
