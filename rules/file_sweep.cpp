#include "rules/file_sweep.h"

#include <algorithm>

#include "cleaning/shared_routines.h"
#include "rules/path_text.h"
#include "rules/rule_safety.h"
#include "rules/wildcard.h"

namespace tidora::rules {

namespace {

using platform::attribute::kDirectory;
using platform::attribute::kReparsePoint;

// Folders below a target deeper than this are left: no cache nests so deep, and a planted tree
// of thousands of levels must not exhaust the stack.
constexpr int kDeepest = 64;

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
    const bool emptied = CleanFolder(key, folder, 0);
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

bool FileSweep::CleanFolder(const FileKey& key, const std::string& folder, int depth) {
  // Listed first, then changed: what a deletion does to an open listing is the system's affair.
  const std::vector<platform::FoundEntry> entries = ListFolder(files_, folder);
  for (const platform::FoundEntry& entry : entries) {
    // A link is never touched, nor a name the system would read as another file's.
    if (entry.attributes & (kDirectory | kReparsePoint)) continue;
    if (!UsableListedName(entry.name) || !Wanted(key, folder, entry)) continue;
    if (cleaning::RemoveFileClearingAttributes(files_, Below(folder, entry.name),
                                               entry.attributes)) {
      tally_.Removed();
    }
  }
  if (key.flag != FileKeyFlag::kNone) {
    for (const platform::FoundEntry& entry : entries) {
      // A link below a target is never entered, nor removed.
      if (!(entry.attributes & kDirectory) || (entry.attributes & kReparsePoint)) continue;
      if (!UsableListedName(entry.name) || depth >= kDeepest) continue;
      if (tally_.Stopped()) break;
      const std::string below = Below(folder, entry.name);
      const bool emptied = CleanFolder(key, below, depth + 1);
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
