#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tidora::platform {

inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;  // also: the library is missing
inline constexpr std::uint32_t kErrorNoMoreItems = 259;
// From a read: the entry at hand kept growing through every read the adapter made of it; the
// enumeration stands on it.
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;

// One entry of the WinINet URL cache, times as FILETIME ticks (UTC).
struct UrlCacheEntry {
  std::string source_url;
  std::string local_file;
  std::uint32_t type = 0;
  std::uint32_t use_count = 0;
  std::uint32_t hit_rate = 0;
  std::uint32_t size_low = 0;
  std::uint64_t last_modified = 0;
  std::uint64_t expires = 0;
  std::uint64_t last_access = 0;
  std::uint64_t last_sync = 0;
  std::string header_info;
  std::string file_extension;
  std::uint32_t exempt_delta = 0;
};

using UrlCacheFind = std::uintptr_t;  // 0 is none

struct UrlCacheRead {
  std::uint32_t error = kErrorSuccess;  // a Windows error number
  UrlCacheFind find = 0;                // from FindFirst: 0 whenever error is not 0
  UrlCacheEntry entry;                  // valid when error is 0
};

// The raw WinINet URL cache calls.
class UrlCache {
 public:
  virtual ~UrlCache() = default;

  // Loads the library and looks up the functions it needs; true once all were found.
  virtual bool Load() = 0;
  // pattern: nullopt for every entry, "" for URL entries, "Cookie:" or "Visited:". The type
  // filter goes to the system, whose extended search may be missing: entries of other types can
  // come, and callers keep only those they want.
  virtual UrlCacheRead FindFirst(std::optional<std::string_view> pattern, std::uint32_t type_filter,
                                 std::int64_t group) = 0;
  virtual UrlCacheRead FindNext(UrlCacheFind find) = 0;
  virtual bool CloseFind(UrlCacheFind find) = 0;
  // 0 on success, else the Windows error.
  virtual std::uint32_t DeleteEntry(std::string_view url) = 0;
  // A cache time (FILETIME ticks, UTC) as a local OLE date: days since 30 December 1899, the
  // fraction the time of day; 0 when the time cannot be converted.
  virtual double LocalDateTime(std::uint64_t utc_ticks) = 0;
};

// Owns an enumeration of the cache: it is closed however the walk over it ends.
class UrlCacheFindOwner {
 public:
  UrlCacheFindOwner(UrlCache& cache, UrlCacheFind find) : cache_(cache), find_(find) {}
  UrlCacheFindOwner(const UrlCacheFindOwner&) = delete;
  UrlCacheFindOwner& operator=(const UrlCacheFindOwner&) = delete;
  ~UrlCacheFindOwner() { Close(); }

  UrlCacheFind get() const { return find_; }
  // Takes a new enumeration, closing the one held.
  void Reset(UrlCacheFind find) {
    Close();
    find_ = find;
  }
  // The result of closing; false when nothing was open. Forgotten once closed: the system may
  // hand the same value to a later enumeration.
  bool Close() { return find_ != 0 && cache_.CloseFind(std::exchange(find_, 0)); }

 private:
  UrlCache& cache_;
  UrlCacheFind find_;
};

}  // namespace tidora::platform
