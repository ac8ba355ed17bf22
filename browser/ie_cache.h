#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/url_cache.h"

namespace tidora::browser {

// The kinds of cache entry an enumeration lets through, named after the WinINet constants.
enum class TFilterOption {
  NORMAL_ENTRY,
  STABLE_ENTRY,
  STICKY_ENTRY,
  COOKIE_ENTRY,
  URLHISTORY_ENTRY,
  TRACK_OFFLINE_ENTRY,
  TRACK_ONLINE_ENTRY,
  SPARSE_ENTRY,
  OCX_ENTRY,
};

// A set of TFilterOption, one bit per ordinal.
class TFilterOptions {
 public:
  constexpr TFilterOptions(std::initializer_list<TFilterOption> options = {}) {
    for (TFilterOption option : options) members_ |= Bit(option);
  }
  constexpr bool Has(TFilterOption option) const { return (members_ & Bit(option)) != 0; }
  constexpr bool operator==(const TFilterOptions&) const = default;

 private:
  static constexpr std::uint16_t Bit(TFilterOption option) {
    return static_cast<std::uint16_t>(1u << static_cast<unsigned>(option));
  }
  std::uint16_t members_ = 0;
};

// What each enumeration looks for.
enum class TSearchPattern { spAll, spCookies, spHistory, spUrl };

// The entry at hand, its times as local OLE dates (0 when a time cannot be converted).
struct TEntryInfo {
  std::string SourceUrlName;
  std::string LocalFileName;
  std::uint32_t EntryType = 0;
  std::uint32_t UseCount = 0;
  std::uint32_t HitRate = 0;
  std::uint32_t Size = 0;
  double LastModifiedTime = 0;
  double ExpireTime = 0;
  double LastAccessTime = 0;
  double LastSyncTime = 0;
  std::string HeaderInfo;
  std::string FileExtension;
  std::uint32_t ExemptDelta = 0;
};

// The set the main window's IECache1 is stored with: mask 0x00300035.
inline constexpr TFilterOptions kStoredFilterOptions = {
    TFilterOption::NORMAL_ENTRY,        TFilterOption::STICKY_ENTRY,
    TFilterOption::COOKIE_ENTRY,        TFilterOption::URLHISTORY_ENTRY,
    TFilterOption::TRACK_OFFLINE_ENTRY, TFilterOption::TRACK_ONLINE_ENTRY};

// The WinINet type mask of a set of options: 0 for the empty set.
std::uint32_t FilterMaskOf(TFilterOptions options);
// The pattern passed to WinINet: none for spAll, an empty (not absent) one for spUrl.
std::optional<std::string_view> PatternOf(TSearchPattern pattern);

// Walks the entries of the WinINet URL cache and deletes them by URL. Error codes are Windows
// error numbers: 0 success, 2 when the library is missing. One enumeration at a time.
class TIECache {
 public:
  // Loads the library, as the program does once at start-up; a missing one is tried again at
  // every operation.
  explicit TIECache(platform::UrlCache& cache);
  TIECache(const TIECache&) = delete;
  TIECache& operator=(const TIECache&) = delete;

  TFilterOptions FilterOptions() const { return filter_options_; }
  // Stores the set and recomputes FilterMask.
  void SetFilterOptions(TFilterOptions options);
  std::uint32_t FilterMask() const { return filter_mask_; }
  TSearchPattern SearchPattern() const { return search_pattern_; }
  void SetSearchPattern(TSearchPattern pattern) { search_pattern_ = pattern; }

  // Starts an enumeration, closing one still open; fills EntryInfo with its first entry.
  std::uint32_t FindFirstEntry(std::int64_t group_id);
  // On failure, the end included, EntryInfo keeps the entry read before.
  std::uint32_t FindNextEntry();
  // The result of closing; false when nothing was open or the library is missing.
  bool CloseFind();
  // 0, doing nothing, when the library is missing; on success EntryInfo is cleared.
  std::uint32_t DeleteEntry(std::string_view url);
  void ClearEntryInfo();
  const TEntryInfo& EntryInfo() const { return entry_info_; }

 private:
  std::uint32_t Take(const platform::UrlCacheRead& read);
  platform::UrlCacheRead Wanted(platform::UrlCacheRead read);

  platform::UrlCache& cache_;
  TSearchPattern search_pattern_ = TSearchPattern::spAll;
  platform::UrlCacheFindOwner find_{cache_, 0};
  TFilterOptions filter_options_ = kStoredFilterOptions;
  std::uint32_t filter_mask_ = 0;  // as made in code: 0 until FilterOptions is written
  TEntryInfo entry_info_;
};

}  // namespace tidora::browser
