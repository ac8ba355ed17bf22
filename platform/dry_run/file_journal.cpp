#include "platform/dry_run/file_journal.h"

#include "platform/dry_run/name_folding.h"

namespace tidora::dry_run {

std::string FolderKey(std::string_view canonical_folder) {
  while (canonical_folder.ends_with('\\') || canonical_folder.ends_with('/'))
    canonical_folder.remove_suffix(1);
  return std::string(canonical_folder);
}

namespace {

// As the system gives a canonical path: one separator where there were several, none at the end,
// no long-path prefix.
std::string Tidy(std::string_view path) {
  if (path.starts_with("\\\\?\\")) path.remove_prefix(4);
  std::string tidy;
  tidy.reserve(path.size());
  for (char c : path) {
    if (c == '/') c = '\\';
    if (c == '\\' && tidy.size() > 1 && tidy.back() == '\\') continue;
    tidy.push_back(c);
  }
  while (tidy.size() > 1 && tidy.back() == '\\') tidy.pop_back();
  return tidy;
}

}  // namespace

std::string Canonical(const FileReader& files, std::string_view path) {
  return FoldName(path.find('~') == std::string_view::npos ? Tidy(path)
                                                           : files.CanonicalPath(path));
}

FilePlace PlaceOf(std::string_view canonical) {
  const auto split = canonical.find_last_of("\\/");
  if (split == std::string_view::npos) return {{}, FoldName(canonical)};
  return {FolderKey(canonical.substr(0, split)), FoldName(canonical.substr(split + 1))};
}

std::string_view FolderOf(std::string_view pattern) {
  const auto split = pattern.find_last_of("\\/");
  return split == std::string_view::npos ? std::string_view() : pattern.substr(0, split + 1);
}

const FileJournal::Folder* FileJournal::In(const std::string& folder) const {
  const auto found = folders_.find(folder);
  return found == folders_.end() ? nullptr : &found->second;
}

bool FileJournal::Removed(const FilePlace& place) const {
  const Folder* folder = In(place.folder);
  return folder && folder->removed.contains(place.name);
}

std::optional<std::uint32_t> FileJournal::AttributesOf(const FilePlace& place) const {
  const Folder* folder = In(place.folder);
  if (!folder) return std::nullopt;
  const auto found = folder->attributes.find(place.name);
  return found == folder->attributes.end() ? std::nullopt : std::optional(found->second);
}

void FileJournal::Remove(const FilePlace& place) {
  Folder& folder = folders_[place.folder];
  folder.removed.insert(place.name);
  folder.attributes.erase(place.name);
}

void FileJournal::SetAttributes(const FilePlace& place, std::uint32_t attributes) {
  folders_[place.folder].attributes[place.name] = attributes;
}

void FileJournal::Clear() {
  folders_.clear();
}

}  // namespace tidora::dry_run
