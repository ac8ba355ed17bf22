#include "platform/win32/win32_url_cache.h"

#include <windows.h>

#include <oleauto.h>
#include <wininet.h>

#include <vector>

#include "platform/win32/utf.h"

namespace tidora::win32 {

namespace {

// The library is loaded once and kept for the life of the process.
bool LoadWinInet() {
  static bool found = false;
  if (found) return true;
  HMODULE wininet = LoadLibraryW(L"wininet.dll");
  if (!wininet) return false;
  found = true;
  for (const char* name :
       {"FindFirstUrlCacheGroup", "FindNextUrlCacheGroup", "GetUrlCacheGroupAttributeW",
        "SetUrlCacheGroupAttributeW", "FindFirstUrlCacheEntryExW"}) {
    found = found && GetProcAddress(wininet, name) != nullptr;
  }
  return found;
}

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string TextOf(const wchar_t* text) {
  return text ? Narrow(text) : std::string();
}

platform::UrlCacheEntry ToEntry(const INTERNET_CACHE_ENTRY_INFOW& info) {
  platform::UrlCacheEntry entry;
  entry.source_url = TextOf(info.lpszSourceUrlName);
  entry.local_file = TextOf(info.lpszLocalFileName);
  entry.type = info.CacheEntryType;
  entry.use_count = info.dwUseCount;
  entry.hit_rate = info.dwHitRate;
  entry.size_low = info.dwSizeLow;
  entry.last_modified = Ticks(info.LastModifiedTime);
  entry.expires = Ticks(info.ExpireTime);
  entry.last_access = Ticks(info.LastAccessTime);
  entry.last_sync = Ticks(info.LastSyncTime);
  if (info.lpHeaderInfo && info.dwHeaderInfoSize > 0) {
    const auto* header = reinterpret_cast<const wchar_t*>(info.lpHeaderInfo);
    entry.header_info = Narrow(std::wstring_view(header, wcsnlen(header, info.dwHeaderInfoSize)));
  }
  entry.file_extension = TextOf(info.lpszFileExtension);
  entry.exempt_delta = info.dwExemptDelta;
  return entry;
}

// Reads of one entry before it counts as unreadable: a browser writing to its cache can make an
// entry outgrow the size just learnt.
constexpr int kReadAttempts = 4;

// Calls a cache read that takes (buffer, size): once to learn the size, then to read, again with
// the new size while the entry keeps growing.
template <typename Read>
platform::UrlCacheRead ReadEntry(Read read) {
  platform::UrlCacheRead result;
  DWORD size = 0;
  read(nullptr, &size);
  for (int attempt = 1;; ++attempt) {
    std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    auto* info = size ? reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data()) : nullptr;
    if (read(info, &size) && info) {
      result.entry = ToEntry(*info);
      return result;
    }
    result.error = GetLastError();
    if (result.error == ERROR_SUCCESS) result.error = ERROR_NO_MORE_ITEMS;
    if (result.error != ERROR_INSUFFICIENT_BUFFER || attempt == kReadAttempts) return result;
  }
}

platform::UrlCacheRead FindFirstExtended(const wchar_t* pattern, DWORD filter, GROUPID group) {
  HANDLE find = nullptr;
  auto read = ReadEntry([&](INTERNET_CACHE_ENTRY_INFOW* info, DWORD* size) {
    find =
        FindFirstUrlCacheEntryExW(pattern, 0, filter, group, info, size, nullptr, nullptr, nullptr);
    return find != nullptr;
  });
  read.find = reinterpret_cast<platform::UrlCacheFind>(find);
  return read;
}

platform::UrlCacheRead FindFirstBasic(const wchar_t* pattern) {
  HANDLE find = nullptr;
  auto read = ReadEntry([&](INTERNET_CACHE_ENTRY_INFOW* info, DWORD* size) {
    find = FindFirstUrlCacheEntryW(pattern, info, size);
    return find != nullptr;
  });
  read.find = reinterpret_cast<platform::UrlCacheFind>(find);
  return read;
}

platform::UrlCacheRead FindNextBasic(platform::UrlCacheFind find) {
  auto read = ReadEntry([&](INTERNET_CACHE_ENTRY_INFOW* info, DWORD* size) {
    return FindNextUrlCacheEntryW(reinterpret_cast<HANDLE>(find), info, size) != FALSE;
  });
  read.find = find;
  return read;
}

}  // namespace

bool Win32UrlCache::Load() {
  return LoadWinInet();
}

platform::UrlCacheRead Win32UrlCache::FindFirst(std::optional<std::string_view> pattern,
                                                std::uint32_t type_filter, std::int64_t group) {
  if (!Load()) return {platform::kErrorFileNotFound, 0, {}};
  const std::wstring wide = pattern ? Widen(*pattern) : std::wstring();
  const wchar_t* wide_pattern = pattern ? wide.c_str() : nullptr;
  auto read = FindFirstExtended(wide_pattern, type_filter, group);
  if (read.error == ERROR_SUCCESS) return read;
  if (read.find) FindCloseUrlCache(reinterpret_cast<HANDLE>(read.find));
  if (read.error != ERROR_FILE_NOT_FOUND && read.error != ERROR_CALL_NOT_IMPLEMENTED) {
    return {read.error, 0, {}};
  }
  // The extended search is a stub on some systems: the basic one lists every type.
  read = FindFirstBasic(wide_pattern);
  if (read.error != ERROR_SUCCESS) return {read.error, 0, {}};
  basic_finds_.insert(read.find);
  return read;
}

platform::UrlCacheRead Win32UrlCache::FindNext(platform::UrlCacheFind find) {
  if (!Load()) return {platform::kErrorFileNotFound, find, {}};
  if (basic_finds_.contains(find)) return FindNextBasic(find);
  auto read = ReadEntry([&](INTERNET_CACHE_ENTRY_INFOW* info, DWORD* size) {
    return FindNextUrlCacheEntryExW(reinterpret_cast<HANDLE>(find), info, size, nullptr, nullptr,
                                    nullptr) != FALSE;
  });
  read.find = find;
  return read;
}

bool Win32UrlCache::CloseFind(platform::UrlCacheFind find) {
  if (!Load()) return false;
  basic_finds_.erase(find);
  return FindCloseUrlCache(reinterpret_cast<HANDLE>(find)) != FALSE;
}

std::uint32_t Win32UrlCache::DeleteEntry(std::string_view url) {
  if (!Load()) return ERROR_SUCCESS;
  return DeleteUrlCacheEntryW(Widen(url).c_str()) ? ERROR_SUCCESS : GetLastError();
}

double Win32UrlCache::LocalDateTime(std::uint64_t utc_ticks) {
  const FILETIME utc{static_cast<DWORD>(utc_ticks), static_cast<DWORD>(utc_ticks >> 32)};
  FILETIME local{};
  SYSTEMTIME calendar{};
  double date = 0;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &calendar) ||
      !SystemTimeToVariantTime(&calendar, &date)) {
    return 0;
  }
  return date;
}

}  // namespace tidora::win32
