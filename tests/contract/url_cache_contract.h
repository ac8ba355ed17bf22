#pragma once

// Cases every UrlCache must pass: the fake natively and the Win32 adapter under Wine. Include in
// exactly one source file of a test program, then instantiate UrlCacheContract with an
// environment that offers cache() and Plant(kind, name), which makes an entry and returns its URL
// as the cache lists it; planted entries are private to the test.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/url_cache.h"

namespace tidora::testing {

enum class CacheKind { kContent, kCookie, kVisited };

template <typename Environment>
class UrlCacheContract : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kStoredMask = 0x00300035;

  // Every URL a walk with the pattern meets; the walk must end with error 259.
  std::vector<std::string> List(std::string_view pattern) {
    std::vector<std::string> urls;
    auto read = cache().FindFirst(pattern, kStoredMask, 0);
    platform::UrlCacheFindOwner walk(cache(), read.find);
    for (; read.error == platform::kErrorSuccess; read = cache().FindNext(walk.get())) {
      urls.push_back(read.entry.source_url);
    }
    EXPECT_EQ(read.error, platform::kErrorNoMoreItems) << pattern;
    return urls;
  }
  static bool Has(const std::vector<std::string>& urls, const std::string& url) {
    return std::find(urls.begin(), urls.end(), url) != urls.end();
  }
  platform::UrlCache& cache() { return environment_.cache(); }

  Environment environment_;
};

TYPED_TEST_SUITE_P(UrlCacheContract);

TYPED_TEST_P(UrlCacheContract, EachPatternListsItsOwnKindOfEntry) {
  const std::string planted[] = {this->environment_.Plant(CacheKind::kContent, "kinds"),
                                 this->environment_.Plant(CacheKind::kCookie, "kinds"),
                                 this->environment_.Plant(CacheKind::kVisited, "kinds")};
  const char* patterns[] = {"", "Cookie:", "Visited:"};
  for (int pattern = 0; pattern < 3; ++pattern) {
    const auto urls = this->List(patterns[pattern]);
    for (int kind = 0; kind < 3; ++kind) {
      EXPECT_EQ(this->Has(urls, planted[kind]), kind == pattern)
          << "pattern \"" << patterns[pattern] << "\", entry " << planted[kind];
    }
  }
}

TYPED_TEST_P(UrlCacheContract, DeletingTheEntryAtHandLetsTheWalkGoOn) {
  std::vector<std::string> planted;
  for (const char* name : {"walk-a", "walk-b", "walk-c"}) {
    planted.push_back(this->environment_.Plant(CacheKind::kContent, name));
  }
  int deleted = 0;
  auto read = this->cache().FindFirst("", this->kStoredMask, 0);
  platform::UrlCacheFindOwner walk(this->cache(), read.find);
  for (; read.error == platform::kErrorSuccess; read = this->cache().FindNext(walk.get())) {
    if (!this->Has(planted, read.entry.source_url)) continue;
    EXPECT_EQ(this->cache().DeleteEntry(read.entry.source_url), platform::kErrorSuccess);
    ++deleted;
  }
  EXPECT_EQ(read.error, platform::kErrorNoMoreItems);
  EXPECT_EQ(deleted, 3);
  const auto left = this->List("");
  for (const auto& url : planted) {
    EXPECT_FALSE(this->Has(left, url)) << url;
    EXPECT_NE(this->cache().DeleteEntry(url), platform::kErrorSuccess) << url;
  }
}

TYPED_TEST_P(UrlCacheContract, AWalkThatFindsNothingEndsAtOnceWithoutAHandle) {
  this->environment_.Plant(CacheKind::kVisited, "sparse");
  const auto read = this->cache().FindFirst("Visited:", 0x00010000, 0);  // sparse entries only
  EXPECT_EQ(read.error, platform::kErrorNoMoreItems);
  EXPECT_EQ(read.find, 0u);
}

TYPED_TEST_P(UrlCacheContract, TimesBecomeLocalOleDates) {
  // 2000-01-01 12:34:56 UTC; the local zone may move it by whole quarter hours, 14 hours at most.
  const double date = this->cache().LocalDateTime(125911584000000000 + 452960000000);
  const double utc = 36526 + 45296.0 / 86400;
  const double quarters = (date - utc) * 96;
  EXPECT_LE(std::abs(quarters), 14 * 4) << date;
  EXPECT_NEAR(quarters, std::round(quarters), 1e-6) << date;
  EXPECT_EQ(this->cache().LocalDateTime(~std::uint64_t{0}), 0.0);  // beyond any calendar
}

REGISTER_TYPED_TEST_SUITE_P(UrlCacheContract, EachPatternListsItsOwnKindOfEntry,
                            DeletingTheEntryAtHandLetsTheWalkGoOn,
                            AWalkThatFindsNothingEndsAtOnceWithoutAHandle,
                            TimesBecomeLocalOleDates);

}  // namespace tidora::testing
