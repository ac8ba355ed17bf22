#include "rules/listing_cache.h"

#include "base/text.h"
#include "rules/wildcard.h"

namespace tidora::rules {

namespace {

std::string_view WithoutTrailingBackslash(std::string_view path) {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

// The folder part of a path and its last name; no folder for a bare drive.
std::pair<std::string_view, std::string_view> SplitLast(std::string_view path) {
  path = WithoutTrailingBackslash(path);
  const auto cut = path.find_last_of('\\');
  if (cut == std::string_view::npos) return {{}, path};
  return {path.substr(0, cut), path.substr(cut + 1)};
}

// Names the listing cannot settle by long name and ASCII case: 8.3 aliases and names whose
// case the system folds beyond ASCII.
bool NeedsTheSystem(std::string_view name) {
  for (char c : name) {
    if (c == '~' || static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace

const ListingCache::Listing& ListingCache::ListingOf(std::string_view folder) {
  const std::string key = base::AsciiLower(WithoutTrailingBackslash(folder));
  if (const auto found = listings_.find(key); found != listings_.end()) return found->second;
  Listing listing;
  ++listings_made_;
  listing.end = files_.Find(std::string(WithoutTrailingBackslash(folder)) + "\\*",
                            [&](const platform::FoundEntry& entry) {
                              listing.entries.push_back(entry);
                              return true;
                            });
  return listings_[key] = std::move(listing);
}

platform::FindEnd ListingCache::Find(std::string_view pattern,
                                     const platform::FoundEntryVisitor& visit) {
  const auto [folder, name_pattern] = SplitLast(pattern);
  if (folder.empty()) return files_.Find(pattern, visit);
  const Listing& listing = ListingOf(folder);
  if (listing.end == platform::FindEnd::kFailed) return files_.Find(pattern, visit);
  bool any = false;
  for (const platform::FoundEntry& entry : listing.entries) {
    if (!MatchesWildcard(name_pattern, entry.name)) continue;
    any = true;
    if (!visit(entry)) return platform::FindEnd::kStopped;
  }
  return any ? platform::FindEnd::kListed : platform::FindEnd::kNoMatch;
}

std::optional<std::uint32_t> ListingCache::Attributes(std::string_view path) {
  const auto [folder, name] = SplitLast(path);
  if (folder.empty() || NeedsTheSystem(name)) return files_.Attributes(path);
  const Listing& listing = ListingOf(folder);
  if (listing.end == platform::FindEnd::kFailed) return files_.Attributes(path);
  const std::string wanted = base::AsciiLower(name);
  for (const platform::FoundEntry& entry : listing.entries) {
    if (base::AsciiLower(entry.name) == wanted) return entry.attributes;
  }
  return std::nullopt;
}

void ListingCache::Forget(std::string_view path) {
  listings_.erase(base::AsciiLower(SplitLast(path).first));
  listings_.erase(base::AsciiLower(WithoutTrailingBackslash(path)));
}

bool ListingCache::RemoveFile(std::string_view path) {
  Forget(path);
  return files_.RemoveFile(path);
}

bool ListingCache::RemoveFolder(std::string_view path) {
  Forget(path);
  return files_.RemoveFolder(path);
}

bool ListingCache::SetAttributes(std::string_view path, std::uint32_t attributes) {
  Forget(path);
  return files_.SetAttributes(path, attributes);
}

}  // namespace tidora::rules
