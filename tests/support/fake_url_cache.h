#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/url_cache.h"
#include "platform/url_history.h"

namespace tidora::testing {

// A URL cache as WinINet keeps it: patterns choose the container by URL prefix, the type filter
// lets an entry through when they share a bit, deleting the entry at hand leaves the walk on its
// way, and an entry can be locked (cannot be deleted) or keep growing while read.
class FakeUrlCache final : public platform::UrlCache {
 public:
  struct Entry {
    std::string url;
    std::uint32_t type = 0x1;
    bool locked = false;
    int unreadable_reads = 0;  // reads that fail as the entry outgrows its buffer
    bool gone = false;
  };
  struct Walk {
    std::optional<std::string> pattern;
    std::uint32_t filter = 0;
    size_t next = 0;
  };

  void Add(std::string url, std::uint32_t type, bool locked = false, int unreadable_reads = 0) {
    entries.push_back({std::move(url), type, locked, unreadable_reads});
  }
  std::vector<std::string> Urls() const {
    std::vector<std::string> urls;
    for (const auto& entry : entries) {
      if (!entry.gone) urls.push_back(entry.url);
    }
    return urls;
  }

  bool Load() override { return ++loads, library_present; }
  platform::UrlCacheRead FindFirst(std::optional<std::string_view> pattern, std::uint32_t filter,
                                   std::int64_t) override {
    if (!Load()) return {platform::kErrorFileNotFound, 0, {}};
    filters.push_back(filter);
    const platform::UrlCacheFind find = ++last_find;
    walks[find] = {pattern ? std::optional<std::string>(*pattern) : std::nullopt, filter, 0};
    auto read = FindNext(find);
    if (read.error != platform::kErrorSuccess) walks.erase(find), read.find = 0;
    return read;
  }
  platform::UrlCacheRead FindNext(platform::UrlCacheFind find) override {
    if (!Load()) return {platform::kErrorFileNotFound, find, {}};
    Walk& walk = walks.at(find);
    for (; walk.next < entries.size(); ++walk.next) {
      Entry& entry = entries[walk.next];
      if (entry.gone || !Matches(walk, entry.url) || !(entry.type & walk.filter)) continue;
      if (entry.unreadable_reads > 0 && entry.unreadable_reads--) {
        return {platform::kErrorInsufficientBuffer, find, {}};
      }
      platform::UrlCacheEntry found;
      found.source_url = entry.url;
      found.type = entry.type;
      found.last_access = 125911584000000000;  // 2000-01-01 00:00 UTC
      ++walk.next;
      return {platform::kErrorSuccess, find, found};
    }
    return {platform::kErrorNoMoreItems, find, {}};
  }
  bool CloseFind(platform::UrlCacheFind find) override { return walks.erase(find) > 0; }
  std::uint32_t DeleteEntry(std::string_view url) override {
    for (auto& entry : entries) {
      if (entry.gone || entry.url != url) continue;
      if (entry.locked) return 32;  // ERROR_SHARING_VIOLATION
      entry.gone = true;
      return platform::kErrorSuccess;
    }
    return platform::kErrorFileNotFound;
  }
  // UTC ticks to OLE days, shifted by the zone a test sets; the top bit set cannot be converted.
  double LocalDateTime(std::uint64_t ticks) override {
    if (ticks >> 63) return 0;
    return static_cast<double>(ticks) / 864e9 - 109205 + local_offset_days;
  }

  std::vector<Entry> entries;
  bool library_present = true;
  double local_offset_days = 0;
  // What it was asked.
  int loads = 0;
  std::vector<std::uint32_t> filters;
  std::map<platform::UrlCacheFind, Walk> walks;  // the open enumerations

 private:
  // No pattern: every container; "" the content one, whose URLs carry no container prefix.
  static bool Matches(const Walk& walk, const std::string& url) {
    if (!walk.pattern) return true;
    if (!walk.pattern->empty()) return url.rfind(*walk.pattern, 0) == 0;
    return url.rfind("Cookie:", 0) != 0 && url.rfind("Visited:", 0) != 0;
  }
  platform::UrlCacheFind last_find = 0;
};

// A history store that answers ClearHistory with the HRESULT a test sets.
class FakeUrlHistoryStore final : public platform::UrlHistoryStore {
 public:
  explicit FakeUrlHistoryStore(std::int32_t answer) : answer_(answer) {}
  std::int32_t ClearHistory() override { return answer_; }

 private:
  std::int32_t answer_;
};

}  // namespace tidora::testing
