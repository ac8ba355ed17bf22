#include "platform/dry_run/journaled_files.h"

#include "platform/dry_run/name_folding.h"

namespace tidora::dry_run {
namespace attribute = platform::attribute;

FilePlace JournaledFiles::PlaceOf(std::string_view path) const {
  return dry_run::PlaceOf(Canonical(files_, path));
}

platform::FindEnd JournaledFiles::Find(std::string_view pattern,
                                       const platform::FoundEntryVisitor& visit) {
  VisitMemo::Listing listing(memo_, FolderKey(Canonical(files_, FolderOf(pattern))));
  // Taken once: an entry removed ahead of its visit may still come, as the system's listing may
  // still bring it; removing it again then refuses.
  const FileJournal::Folder* edits = journal_.In(listing.folder());
  bool shown = false;
  const auto end = files_.Find(pattern, [&](const platform::FoundEntry& entry) {
    platform::FoundEntry edited;
    const platform::FoundEntry* seen = &entry;
    if (edits) {
      const std::string name = FoldName(entry.name);
      if (edits->removed.contains(name)) return true;
      if (const auto set = edits->attributes.find(name); set != edits->attributes.end()) {
        edited = entry;
        edited.attributes = set->second;
        seen = &edited;
      }
    }
    shown = true;
    listing.Visiting(seen);
    const bool go_on = visit(*seen);
    listing.Visiting(nullptr);
    return go_on;
  });
  // A listing whose every match was removed matched nothing.
  return end == platform::FindEnd::kListed && !shown ? platform::FindEnd::kNoMatch : end;
}

std::optional<std::uint32_t> JournaledFiles::Attributes(std::string_view path) {
  if (journal_.empty()) return files_.Attributes(path);
  return AttributesAt(path, PlaceOf(path));
}

platform::FileContents JournaledFiles::ReadFile(std::string_view path, std::uint64_t max_bytes) {
  if (!journal_.empty() && journal_.Removed(PlaceOf(path))) return {};
  return files_.ReadFile(path, max_bytes);
}

std::optional<std::uint32_t> JournaledFiles::AttributesAt(std::string_view path,
                                                          const FilePlace& place) {
  if (journal_.Removed(place)) return std::nullopt;
  if (const auto set = journal_.AttributesOf(place)) return set;
  return files_.Attributes(path);
}

std::optional<platform::FoundEntry> JournaledFiles::EntryAt(std::string_view path,
                                                            const FilePlace& place) {
  if (journal_.Removed(place)) return std::nullopt;
  std::optional<platform::FoundEntry> entry;
  if (const platform::FoundEntry* visited = memo_.Visited(place)) {
    entry = *visited;
  } else {
    files_.Find(path, [&](const platform::FoundEntry& found) { return entry = found, false; });
  }
  // Set during the visit, as a cleaner clears the read-only bit before it removes the file.
  if (const auto set = journal_.AttributesOf(place); entry && set) entry->attributes = *set;
  return entry;
}

bool JournaledFiles::RemoveFile(std::string_view path) {
  const FilePlace place = PlaceOf(path);
  const auto entry = EntryAt(path, place);
  if (!entry || (entry->attributes & (attribute::kDirectory | attribute::kReadOnly)) ||
      !files_.CouldRemoveNow(path))
    return false;
  journal_.Remove(place);
  run_.Count(1, entry->size);
  return true;
}

bool JournaledFiles::RemoveFolder(std::string_view path) {
  constexpr std::uint32_t kFolderOrLink = attribute::kDirectory | attribute::kReparsePoint;
  const FilePlace place = PlaceOf(path);
  const auto attributes = AttributesAt(path, place);
  if (!attributes || (*attributes & kFolderOrLink) != attribute::kDirectory) return false;
  bool empty = true;
  Find(FolderKey(path) + "\\*", [&](const platform::FoundEntry&) { return empty = false; });
  if (empty) journal_.Remove(place);
  return empty;
}

// As the system: the folder and link bits stay, and "normal" stands only alone.
bool JournaledFiles::SetAttributes(std::string_view path, std::uint32_t attributes) {
  constexpr std::uint32_t kKept = attribute::kDirectory | attribute::kReparsePoint;
  const FilePlace place = PlaceOf(path);
  const auto current = AttributesAt(path, place);
  if (!current) return false;
  const std::uint32_t set = (*current & kKept) | (attributes & ~kKept & ~attribute::kNormal);
  journal_.SetAttributes(place, set ? set : attribute::kNormal);
  return true;
}

}  // namespace tidora::dry_run
