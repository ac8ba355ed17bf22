#pragma once

#include <map>

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
  // Enumerations opened through the basic API (where the extended one is only a stub, as in
  // Wine) and the type filter the adapter then applies itself.
  std::map<platform::UrlCacheFind, std::uint32_t> filtered_finds_;
};

}  // namespace tidora::win32
