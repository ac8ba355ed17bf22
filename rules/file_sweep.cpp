#include "rules/file_sweep.h"

#include <algorithm>

#include "cleaning/shared_routines.h"
#include "rules/rule_safety.h"
#include "rules/wildcard.h"

namespace tidora::rules {

namespace {

using platform::attribute::kDirectory;
using platform::attribute::kReparsePoint;

std::string Below(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + std::string(name);
}

std::vector<platform::FoundEntry> ListFolder(platform::FileSystem& files,
                                             const std::string& folder) {
  std::vector<platform::FoundEntry> entries;
  files.Find(Below(folder, "*"), [&](const platform::FoundEntry& entry) {
    entries.push_back(entry);
    return true;
  });
  return entries;
}

bool IsEmpty(platform::FileSystem& files, const std::string& folder) {
  bool any = false;
  files.Find(Below(folder, "*"), [&](const platform::FoundEntry&) {
    any = true;
    return false;
  });
  return !any;
}

}  // namespace

bool FileSweep::Allowed(const FileKey& key, const std::string& folder) {
  const std::string canonical = files_.CanonicalPath(folder);
  const auto sweeping = [](const std::string& pattern) { return MatchesEverything(pattern); };
  if (places_.IsProtected(canonical)) {
    if (key.flag != FileKeyFlag::kNone) return false;
    if (std::ranges::any_of(key.patterns, sweeping)) return false;
  }
  if (places_.IsDocumentFolder(canonical)) {
    if (std::ranges::any_of(key.patterns, [](const auto& p) { return HasWildcard(p); })) {
      return false;
    }
  }
  return std::ranges::none_of(key.patterns,
                              [](const auto& p) { return RefusedPattern(p).has_value(); });
}

void FileSweep::Clean(const FileKey& key) {
  for (const std::string& folder : resolver_.Folders(key.path)) {
    if (tally_.stopped()) return;
    if (!Allowed(key, folder)) continue;
    const bool emptied = CleanFolder(key, folder);
    if (key.flag == FileKeyFlag::kRemoveSelf) RemoveIfEmptied(folder, emptied);
  }
}

bool FileSweep::Wanted(const FileKey& key, const std::string& folder,
                       const platform::FoundEntry& entry) {
  const bool matches = std::ranges::any_of(key.patterns, [&](const std::string& pattern) {
    return MatchesWildcard(pattern, entry.name);
  });
  if (!matches) return false;
  return !exclusions_.HasFiles() ||
         !exclusions_.KeepsFile(files_.CanonicalPath(folder), entry.name);
}

bool FileSweep::CleanFolder(const FileKey& key, const std::string& folder) {
  // Listed first, then changed: what a deletion does to an open listing is the system's affair.
  const std::vector<platform::FoundEntry> entries = ListFolder(files_, folder);
  for (const platform::FoundEntry& entry : entries) {
    if (entry.attributes & kDirectory) continue;
    if (!Wanted(key, folder, entry)) continue;
    if (cleaning::RemoveFileClearingAttributes(files_, Below(folder, entry.name),
                                               entry.attributes)) {
      tally_.Removed();
    }
  }
  if (key.flag != FileKeyFlag::kNone) {
    for (const platform::FoundEntry& entry : entries) {
      // A link below a target is never entered, nor removed.
      if (!(entry.attributes & kDirectory) || (entry.attributes & kReparsePoint)) continue;
      if (tally_.Stopped()) break;
      const std::string below = Below(folder, entry.name);
      const bool emptied = CleanFolder(key, below);
      if (key.flag == FileKeyFlag::kRemoveSelf) RemoveIfEmptied(below, emptied);
    }
  }
  return !entries.empty() && IsEmpty(files_, folder);
}

void FileSweep::RemoveIfEmptied(const std::string& folder, bool emptied) {
  if (!emptied || tally_.stopped()) return;
  if (places_.IsKeptAsFolder(files_.CanonicalPath(folder))) return;
  if (files_.RemoveFolder(folder)) tally_.Removed();
}

}  // namespace tidora::rules
