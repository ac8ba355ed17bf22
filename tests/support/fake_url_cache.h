#pragma once

#include <map>
#include <tuple>
#include <vector>

#include "platform/url_cache.h"
#include "platform/url_history.h"

namespace tidora::testing {
// WinINet's cache where only the basic search works, as under Wine: a pattern picks a container by
// URL prefix ("": content), the type filter is not applied, a locked entry stays, a growing one
// fails to read without the walk moving on. A deleted entry's URL is empty.
struct FakeUrlCache : platform::UrlCache {
  struct Entry {
    std::string url;
    std::uint32_t type = 1;
    bool locked = false;
    int unreadable_reads = 0;
    std::string local_file{};
    std::uint32_t size = 0;
  };
  bool Load() override { return true; }
  platform::UrlCacheRead FindFirst(std::optional<std::string_view> pattern, std::uint32_t filter,
                                   std::int64_t) override {
    filters.push_back(filter);
    walks[++last_find] = {pattern, filter, 0};
    auto read = FindNext(last_find);
    if (read.error) walks.erase(last_find), read.find = 0;
    return read;
  }
  platform::UrlCacheRead FindNext(platform::UrlCacheFind find) override {
    auto& [pattern, filter, next] = walks.at(find);
    for (platform::UrlCacheRead read{0, find, {}}; next < entries.size(); ++next) {
      Entry& entry = entries[next];
      const bool content = !entry.url.starts_with("Cookie:") && !entry.url.starts_with("Visited:");
      if (entry.url.empty() ||
          (pattern && (pattern->empty() ? !content : !entry.url.starts_with(*pattern)))) {
        continue;
      }
      if (entry.unreadable_reads-- > 0) return {platform::kErrorInsufficientBuffer, find, {}};
      read.entry.type = entry.type;
      read.entry.local_file = entry.local_file;
      read.entry.size_low = entry.size;
      read.entry.source_url = entries[next++].url;
      read.entry.last_access = 125911584000000000;  // 2000-01-01 00:00 UTC
      return read;
    }
    return {platform::kErrorNoMoreItems, find, {}};
  }
  bool CloseFind(platform::UrlCacheFind find) override { return walks.erase(find) > 0; }
  std::uint32_t DeleteEntry(std::string_view url) override {
    for (auto& entry : entries)
      if (!url.empty() && entry.url == url) return entry.locked ? 32 : (entry.url.clear(), 0);
    return platform::kErrorFileNotFound;
  }
  double LocalDateTime(std::uint64_t ticks) override {
    return ticks >> 63 ? 0 : static_cast<double>(ticks) / 864e9 - 109205;  // a zone at UTC
  }
  std::vector<Entry> entries;
  std::vector<std::uint32_t> filters;  // as each walk was given it
  std::map<platform::UrlCacheFind,
           std::tuple<std::optional<std::string_view>, std::uint32_t, size_t>>
      walks;  // pattern (the callers' are literals), filter, next entry
  platform::UrlCacheFind last_find = 0;
};

struct FakeUrlHistoryStore final : platform::UrlHistoryStore {
  explicit FakeUrlHistoryStore(std::int32_t answer) : answer(answer) {}
  std::int32_t ClearHistory() override { return answer; }
  std::int32_t answer;
};
}  // namespace tidora::testing
