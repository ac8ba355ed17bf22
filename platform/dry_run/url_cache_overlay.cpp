#include "platform/dry_run/url_cache_overlay.h"

namespace tidora::dry_run {

std::uint32_t UrlCacheOverlay::DeleteEntry(std::string_view url) {
  if (run_.recording()) return journaled_.DeleteEntry(url);
  const std::uint32_t error = real_.DeleteEntry(url);
  if (error == platform::kErrorSuccess) journaled_.CountDeleted(url);
  return error;
}

}  // namespace tidora::dry_run
