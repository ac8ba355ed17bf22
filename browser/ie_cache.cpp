#include "browser/ie_cache.h"

#include <utility>

namespace tidora::browser {

namespace {

struct FilterBit {
  TFilterOption option;
  std::uint32_t type_bit;
};

// clang-format off
constexpr FilterBit kFilterBits[] = {
    {TFilterOption::NORMAL_ENTRY,        0x00000001},
    {TFilterOption::STABLE_ENTRY,        0x00000002},
    {TFilterOption::STICKY_ENTRY,        0x00000004},
    {TFilterOption::COOKIE_ENTRY,        0x00100000},
    {TFilterOption::URLHISTORY_ENTRY,    0x00200000},
    {TFilterOption::TRACK_OFFLINE_ENTRY, 0x00000010},
    {TFilterOption::TRACK_ONLINE_ENTRY,  0x00000020},
    {TFilterOption::SPARSE_ENTRY,        0x00010000},
    {TFilterOption::OCX_ENTRY,           0x00020000},
};

struct PatternText {
  TSearchPattern pattern;
  const char* text;  // nullptr: no pattern at all
};

constexpr PatternText kPatterns[] = {
    {TSearchPattern::spAll,     nullptr},
    {TSearchPattern::spCookies, "Cookie:"},
    {TSearchPattern::spHistory, "Visited:"},
    {TSearchPattern::spUrl,     ""},
};
// clang-format on

}  // namespace

std::uint32_t FilterMaskOf(TFilterOptions options) {
  std::uint32_t mask = 0;
  for (const FilterBit& bit : kFilterBits) {
    if (options.Has(bit.option)) mask |= bit.type_bit;
  }
  return mask;
}

std::optional<std::string_view> PatternOf(TSearchPattern pattern) {
  for (const PatternText& row : kPatterns) {
    if (row.pattern == pattern && row.text) return std::string_view(row.text);
  }
  return std::nullopt;
}

TIECache::TIECache(platform::UrlCache& cache) : cache_(cache) {
  cache_.Load();
}

void TIECache::SetFilterOptions(TFilterOptions options) {
  filter_options_ = options;
  filter_mask_ = FilterMaskOf(options);
}

std::uint32_t TIECache::Take(const platform::UrlCacheRead& read) {
  if (read.error != platform::kErrorSuccess) return read.error;
  const platform::UrlCacheEntry& entry = read.entry;
  entry_info_ = {entry.source_url,
                 entry.local_file,
                 entry.type,
                 entry.use_count,
                 entry.hit_rate,
                 entry.size_low,
                 cache_.LocalDateTime(entry.last_modified),
                 cache_.LocalDateTime(entry.expires),
                 cache_.LocalDateTime(entry.last_access),
                 cache_.LocalDateTime(entry.last_sync),
                 entry.header_info,
                 entry.file_extension,
                 entry.exempt_delta};
  return platform::kErrorSuccess;
}

std::uint32_t TIECache::FindFirstEntry(std::int64_t group_id) {
  if (!cache_.Load()) return platform::kErrorFileNotFound;
  CloseFind();  // the one still open goes before another starts
  const platform::UrlCacheRead read =
      cache_.FindFirst(PatternOf(search_pattern_), filter_mask_, group_id);
  find_.Reset(read.find);
  return Take(Wanted(read));
}

std::uint32_t TIECache::FindNextEntry() {
  if (!cache_.Load()) return platform::kErrorFileNotFound;
  if (find_.get() == 0) return platform::kErrorNoMoreItems;
  return Take(Wanted(cache_.FindNext(find_.get())));
}

// Where the system's search does not filter by type, the entries the mask lacks are passed over
// here, as that search would.
platform::UrlCacheRead TIECache::Wanted(platform::UrlCacheRead read) {
  while (read.error == platform::kErrorSuccess && !(read.entry.type & filter_mask_)) {
    read = cache_.FindNext(find_.get());
  }
  return read;
}

bool TIECache::CloseFind() {
  return cache_.Load() && find_.Close();
}

std::uint32_t TIECache::DeleteEntry(std::string_view url) {
  if (!cache_.Load()) return platform::kErrorSuccess;
  const std::uint32_t error = cache_.DeleteEntry(url);
  if (error == platform::kErrorSuccess) ClearEntryInfo();
  return error;
}

void TIECache::ClearEntryInfo() {
  if (cache_.Load()) entry_info_ = {};
}

}  // namespace tidora::browser
