#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/dry_run/read_only.h"

namespace tidora::dry_run {

// Where a file lies as both a listing and a look-up find it: its canonical folder, without a
// trailing separator, and its name folded.
struct FilePlace {
  std::string folder;
  std::string name;
};

// From a path Canonical gave.
FilePlace PlaceOf(std::string_view canonical);
// A path's identity, folded: the system is asked only where a name holds a "~", the mark of every
// 8.3 alias; elsewhere the path is its own long form, once its separators are tidied.
std::string Canonical(const FileReader& files, std::string_view path);
// A canonical folder as a place's: "C:\" and the folder of "C:\f" are both "C:".
std::string FolderKey(std::string_view canonical_folder);
// What to ask CanonicalPath for to learn the folder a pattern lists: the part up to its last
// separator, which it keeps, so that the root of a drive stays one.
std::string_view FolderOf(std::string_view pattern);

// The files removed and the attributes set while recording, by folder: a listing looks up its
// folder once and its entries only when the folder has edits.
class FileJournal {
 public:
  struct Folder {
    std::unordered_set<std::string> removed;
    std::unordered_map<std::string, std::uint32_t> attributes;
  };

  // nullptr when nothing in the folder changed. Stays valid as the journal grows.
  const Folder* In(const std::string& folder) const;
  bool Removed(const FilePlace& place) const;
  std::optional<std::uint32_t> AttributesOf(const FilePlace& place) const;
  void Remove(const FilePlace& place);
  void SetAttributes(const FilePlace& place, std::uint32_t attributes);
  bool empty() const { return folders_.empty(); }
  void Clear();

 private:
  std::unordered_map<std::string, Folder> folders_;
};

}  // namespace tidora::dry_run
