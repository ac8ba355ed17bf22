#include "platform/dry_run/journaled_url_cache.h"

namespace tidora::dry_run {

platform::UrlCacheRead JournaledUrlCache::Skipping(platform::UrlCacheRead read,
                                                   platform::UrlCacheFind find) {
  while (read.error == platform::kErrorSuccess && deleted_.contains(read.entry.source_url))
    read = cache_.FindNext(find);
  return read;
}

platform::UrlCacheRead JournaledUrlCache::Remembered(platform::UrlCacheRead read) {
  if (read.error == platform::kErrorSuccess)
    last_ = {read.entry.source_url, read.entry.local_file, read.entry.size_low};
  return read;
}

// An enumeration left with no entry is closed here, as the system's is when nothing matches.
platform::UrlCacheRead JournaledUrlCache::FindFirst(std::optional<std::string_view> pattern,
                                                    std::uint32_t type_filter, std::int64_t group) {
  auto read = cache_.FindFirst(pattern, type_filter, group);
  const platform::UrlCacheFind find = read.find;
  read = Skipping(std::move(read), find);
  read.find = find;
  if (read.error != platform::kErrorSuccess && find != 0) {
    cache_.CloseFind(find);
    read.find = 0;
  }
  return Remembered(std::move(read));
}

platform::UrlCacheRead JournaledUrlCache::FindNext(platform::UrlCacheFind find) {
  return Remembered(Skipping(cache_.FindNext(find), find));
}

std::uint32_t JournaledUrlCache::DeleteEntry(std::string_view url) {
  if (url.empty() || !deleted_.emplace(url).second) return platform::kErrorFileNotFound;
  if (CountDeleted(url)) file_journal_.Remove(PlaceOf(Canonical(files_, last_.local_file)));
  return platform::kErrorSuccess;
}

bool JournaledUrlCache::CountDeleted(std::string_view url) {
  if (url != last_.url || last_.local_file.empty()) return false;
  run_.Count(1, last_.size);
  return true;
}

void JournaledUrlCache::Clear() {
  deleted_.clear();
  last_ = {};
}

}  // namespace tidora::dry_run
