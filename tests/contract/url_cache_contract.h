#pragma once

// Cases every UrlCache passes; the environment offers cache() and Plant(kind, name) (its URL).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/url_cache.h"

namespace tidora::testing {
enum class CacheKind { kContent, kCookie, kVisited };

template <typename Environment>
struct UrlCacheContract : ::testing::Test {
  // How many wanted URLs a walk with the main window's filter meets (and deletes); it ends in 259.
  int Walk(std::string_view pattern, const std::vector<std::string>& wanted, bool delete_them) {
    int met = 0;
    auto read = env.cache().FindFirst(pattern, 0x00300035, 0);
    platform::UrlCacheFindOwner walk(env.cache(), read.find);
    for (; read.error == 0; read = env.cache().FindNext(walk.get())) {
      if (!std::ranges::count(wanted, read.entry.source_url)) continue;
      ++met;
      EXPECT_TRUE(!delete_them || env.cache().DeleteEntry(read.entry.source_url) == 0);
    }
    EXPECT_EQ(read.error, platform::kErrorNoMoreItems) << pattern;
    return met;
  }
  Environment env;
};
TYPED_TEST_SUITE_P(UrlCacheContract);

TYPED_TEST_P(UrlCacheContract, EachPatternListsItsOwnKindAndDeletingLetsTheWalkGoOn) {
  const char* patterns[] = {"", "Cookie:", "Visited:"};
  for (int kind = 0; kind < 3; ++kind) {
    const std::string url = this->env.Plant(CacheKind(kind), "kinds");
    for (int pattern = 0; pattern < 3; ++pattern)
      EXPECT_EQ(this->Walk(patterns[pattern], {url}, false), pattern == kind) << url;
  }
  // A pattern no container has: the walk ends at once, leaving no enumeration to close.
  const auto none = this->env.cache().FindFirst("Tidora-none:", 0x00300035, 0);
  EXPECT_EQ(none.error, platform::kErrorNoMoreItems);
  EXPECT_EQ(none.find, 0u);
  std::vector<std::string> urls;
  for (const char* name : {"a", "b", "c"}) urls.push_back(this->env.Plant(CacheKind{}, name));
  EXPECT_EQ(this->Walk("", urls, true), 3);
  EXPECT_EQ(this->Walk("", urls, false), 0);
  EXPECT_NE(this->env.cache().DeleteEntry(urls[0]), 0u);
}

TYPED_TEST_P(UrlCacheContract, TimesBecomeLocalOleDates) {
  // 2000-01-01 12:34:56 UTC; a zone moves it by whole quarter hours, 14 hours at most.
  const double quarters =
      (this->env.cache().LocalDateTime(125911584000000000 + 452960000000) - 36526.524259259) * 96;
  EXPECT_LE(std::abs(quarters), 56);
  EXPECT_NEAR(quarters, std::round(quarters), 1e-4);
  EXPECT_EQ(this->env.cache().LocalDateTime(~std::uint64_t{0}), 0.0);  // beyond any calendar
}

REGISTER_TYPED_TEST_SUITE_P(UrlCacheContract, EachPatternListsItsOwnKindAndDeletingLetsTheWalkGoOn,
                            TimesBecomeLocalOleDates);
}  // namespace tidora::testing
