#pragma once

// Cases every UrlCache passes: the fake natively, the Win32 adapter under Wine. Include in one
// source file of a test program and instantiate with an environment offering cache() and
// Plant(kind, name), which makes a private entry and returns its URL as the cache lists it.

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
  // Walks the pattern with the main window's filter, deleting the URLs in doomed it meets; every
  // URL met. The walk must end with 259.
  std::vector<std::string> Walk(std::string_view pattern, const std::vector<std::string>& doomed) {
    std::vector<std::string> met;
    auto read = env.cache().FindFirst(pattern, 0x00300035, 0);
    platform::UrlCacheFindOwner walk(env.cache(), read.find);
    for (; read.error == 0; read = env.cache().FindNext(walk.get())) {
      met.push_back(read.entry.source_url);
      if (std::count(doomed.begin(), doomed.end(), met.back())) {
        EXPECT_EQ(env.cache().DeleteEntry(met.back()), 0u) << met.back();
      }
    }
    EXPECT_EQ(read.error, platform::kErrorNoMoreItems) << pattern;
    return met;
  }
  Environment env;
};

TYPED_TEST_SUITE_P(UrlCacheContract);

TYPED_TEST_P(UrlCacheContract, EachPatternListsItsOwnKindAndEndsWith259) {
  const std::vector<std::string> planted = {this->env.Plant(CacheKind::kContent, "kinds"),
                                            this->env.Plant(CacheKind::kCookie, "kinds"),
                                            this->env.Plant(CacheKind::kVisited, "kinds")};
  const char* patterns[] = {"", "Cookie:", "Visited:"};
  for (size_t pattern = 0; pattern < 3; ++pattern) {
    const auto met = this->Walk(patterns[pattern], {});
    for (size_t kind = 0; kind < 3; ++kind) {
      EXPECT_EQ(std::count(met.begin(), met.end(), planted[kind]), kind == pattern ? 1 : 0)
          << patterns[pattern] << " " << planted[kind];
    }
  }
  const auto none = this->env.cache().FindFirst("Visited:", 0x00010000, 0);  // sparse entries
  EXPECT_EQ(none.error, platform::kErrorNoMoreItems);
  EXPECT_EQ(none.find, 0u);
}

TYPED_TEST_P(UrlCacheContract, DeletingTheEntryAtHandLetsTheWalkGoOn) {
  std::vector<std::string> planted;
  for (const char* name : {"walk-a", "walk-b", "walk-c"}) {
    planted.push_back(this->env.Plant(CacheKind::kContent, name));
  }
  auto met = this->Walk("", planted);
  EXPECT_EQ(
      std::count_if(met.begin(), met.end(),
                    [&](auto& url) { return std::count(planted.begin(), planted.end(), url); }),
      3);
  met = this->Walk("", {});
  for (const auto& url : planted) {
    EXPECT_EQ(std::count(met.begin(), met.end(), url), 0) << url;
    EXPECT_NE(this->env.cache().DeleteEntry(url), 0u) << url;
  }
}

TYPED_TEST_P(UrlCacheContract, TimesBecomeLocalOleDates) {
  // 2000-01-01 12:34:56 UTC; a zone moves it by whole quarter hours, 14 hours at most.
  const double quarters =
      (this->env.cache().LocalDateTime(125911584000000000 + 452960000000) - 36526.524259259) * 96;
  EXPECT_LE(std::abs(quarters), 56);
  EXPECT_NEAR(quarters, std::round(quarters), 1e-4);
  EXPECT_EQ(this->env.cache().LocalDateTime(~std::uint64_t{0}), 0.0);  // beyond any calendar
}

REGISTER_TYPED_TEST_SUITE_P(UrlCacheContract, EachPatternListsItsOwnKindAndEndsWith259,
                            DeletingTheEntryAtHandLetsTheWalkGoOn, TimesBecomeLocalOleDates);

}  // namespace tidora::testing
