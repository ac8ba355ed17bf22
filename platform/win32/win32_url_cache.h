#pragma once

#include <set>

#include "platform/url_cache.h"

namespace tidora::win32 {

class Win32UrlCache final : public platform::UrlCache {
 public:
  bool Load() override;
  platform::UrlCacheRead FindFirst(std::optional<std::string_view> pattern,
                                   std::uint32_t type_filter, std::int64_t group) override;
  platform::UrlCacheRead FindNext(platform::UrlCacheFind find) override;
  bool CloseFind(platform::UrlCacheFind find) override;
  std::uint32_t DeleteEntry(std::string_view url) override;
  double LocalDateTime(std::uint64_t utc_ticks) override;

 private:
  // Enumerations opened through the basic API, where the extended one is only a stub (as in
  // Wine): they go on with the basic API too.
  std::set<platform::UrlCacheFind> basic_finds_;
};

}  // namespace tidora::win32
