#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/url_cache.h"
#include "platform/url_history.h"

namespace tidora::testing {

// WinINet's cache as its callers meet it: a pattern picks the container by URL prefix ("" the
// content one), the filter passes an entry that shares a type bit with it, deleting the entry at
// hand leaves the walk on its way, the end is 259, a missing library 2, a locked entry stays, and
// a growing one fails to read (122) without the walk moving on.
class FakeUrlCache final : public platform::UrlCache {
 public:
  struct Entry {
    std::string url;
    std::uint32_t type = 1;
    bool locked = false;
    int unreadable_reads = 0;
  };
  struct Walk {
    std::optional<std::string_view> pattern;  // the callers' patterns are literals
    std::uint32_t filter;
    size_t next;
  };

  bool Load() override { return library_present; }
  platform::UrlCacheRead FindFirst(std::optional<std::string_view> pattern, std::uint32_t filter,
                                   std::int64_t) override {
    if (!Load()) return {platform::kErrorFileNotFound, 0, {}};
    filters.push_back(filter);
    walks[++last_find_] = {pattern, filter, 0};
    auto read = FindNext(last_find_);
    if (read.error) walks.erase(last_find_), read.find = 0;
    return read;
  }
  platform::UrlCacheRead FindNext(platform::UrlCacheFind find) override {
    for (Walk& walk = walks.at(find); walk.next < entries.size(); ++walk.next) {
      Entry& entry = entries[walk.next];
      if (entry.url.empty() || !(entry.type & walk.filter) || !Matches(walk, entry.url)) continue;
      if (entry.unreadable_reads-- > 0) return {platform::kErrorInsufficientBuffer, find, {}};
      ++walk.next;
      platform::UrlCacheRead read{0, find, {}};
      read.entry.source_url = entry.url;
      read.entry.type = entry.type;
      read.entry.last_access = kYear2000;
      return read;
    }
    return {platform::kErrorNoMoreItems, find, {}};
  }
  bool CloseFind(platform::UrlCacheFind find) override { return walks.erase(find) > 0; }
  std::uint32_t DeleteEntry(std::string_view url) override {
    for (auto& entry : entries) {
      if (!url.empty() && entry.url == url) return entry.locked ? 32 : (entry.url.clear(), 0);
    }
    return platform::kErrorFileNotFound;
  }
  double LocalDateTime(std::uint64_t ticks) override {
    return ticks >> 63 ? 0 : static_cast<double>(ticks) / 864e9 - 109205;  // a zone at UTC
  }

  static constexpr std::uint64_t kYear2000 = 125911584000000000;  // 1 January, 00:00 UTC
  std::vector<Entry> entries;                                     // a deleted one's URL is empty
  bool library_present = true;
  std::vector<std::uint32_t> filters;  // as each walk was given it
  std::map<platform::UrlCacheFind, Walk> walks;

 private:
  static bool Matches(const Walk& walk, const std::string& url) {
    if (!walk.pattern || !walk.pattern->empty())
      return !walk.pattern || url.starts_with(*walk.pattern);
    return !url.starts_with("Cookie:") && !url.starts_with("Visited:");
  }
  platform::UrlCacheFind last_find_ = 0;
};

class FakeUrlHistoryStore final : public platform::UrlHistoryStore {
 public:
  explicit FakeUrlHistoryStore(std::int32_t answer) : answer_(answer) {}
  std::int32_t ClearHistory() override { return answer_; }

 private:
  std::int32_t answer_;
};

}  // namespace tidora::testing
