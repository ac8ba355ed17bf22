#include "browser/ie_cleaners.h"

#include <algorithm>
#include <set>

#include "base/product.h"
#include "browser/autocomplete_cleaner.h"
#include "cleaning/cleaning_items.h"
#include "cleaning/cookie_keep_list.h"

namespace tidora::browser {

namespace {

// The three cache-entry cleaners are one procedure; each row is what varies.
struct CacheCleaner {
  TSearchPattern pattern;
  bool shows_count;      // the running count goes into the item's row after each deletion
  bool honours_stop;     // a stop ends the walk after a deletion, leaving "Pending"
  bool writes_finished;  // "Finished" goes into the item's row at the end
};

// clang-format off
constexpr CacheCleaner kTemporaryInternetFiles{TSearchPattern::spUrl,     true,  true,  true};
constexpr CacheCleaner kCookies               {TSearchPattern::spCookies, true,  false, true};
constexpr CacheCleaner kVisitedIndex          {TSearchPattern::spHistory, false, false, false};
// clang-format on

// Closes the component's enumeration however the walk ends.
class EnumerationScope {
 public:
  explicit EnumerationScope(TIECache& cache) : cache_(cache) {}
  EnumerationScope(const EnumerationScope&) = delete;
  EnumerationScope& operator=(const EnumerationScope&) = delete;
  ~EnumerationScope() { cache_.CloseFind(); }

 private:
  TIECache& cache_;
};

int CleanCacheEntries(const CacheCleaner& cleaner, TIECache& cache,
                      cleaning::CleanerProgress& progress,
                      const cleaning::CookieKeepList& keep = {}) {
  cache.SetSearchPattern(cleaner.pattern);
  EnumerationScope enumeration(cache);
  int count = 0;
  for (std::uint32_t error = cache.FindFirstEntry(0); error == platform::kErrorSuccess;
       error = cache.FindNextEntry()) {
    const std::string& url = cache.EntryInfo().SourceUrlName;
    const bool kept = !keep.empty() && keep.Keeps(cleaning::CookieEntryHost(url));
    const bool deleted = !kept && cache.DeleteEntry(url) == platform::kErrorSuccess;
    if (deleted) ++count;
    if (deleted && cleaner.shows_count) progress.ShowCount(count);
    // Once per entry the window answers; only the walks that honour a stop end here.
    const bool stop = progress.StopRequested();
    if (deleted && stop && cleaner.honours_stop) return count;
  }
  if (cleaner.writes_finished) progress.Finish();
  return count;
}

bool AnyTicked(const ui::ControlSet& controls) {
  return std::ranges::any_of(cleaning::CleaningItems(), [&](const cleaning::CleaningItem& item) {
    return item.block == cleaning::Block::kInternetExplorer && controls.Ticked(item.gate);
  });
}

}  // namespace

bool BrowserOpenForItems(const ui::ControlSet& controls, platform::Shell& shell) {
  return AnyTicked(controls) && !shell.FindTopWindows(kBrowserFrameClass).empty();
}

void CloseInternetExplorer(const ui::ControlSet& controls, platform::Shell& shell,
                           cleaning::CleanerProgress& progress) {
  if (!BrowserOpenForItems(controls, shell)) return;
  if (!shell.Confirm(0, kCloseBrowserQuestion, base::kApplicationTitle)) return;
  // Each frame is asked once: a frame that ignores the request, or asks a question of its own,
  // is left open once the time is up. Each short step answers the window, and Stop ends the wait.
  std::set<platform::WindowId> asked;
  for (int waited = 0; waited < kCloseBrowserWaitMs; waited += kCloseBrowserPollMs) {
    const auto frames = shell.FindTopWindows(kBrowserFrameClass);
    if (frames.empty()) return;
    for (platform::WindowId frame : frames) {
      if (asked.insert(frame).second) shell.PostClose(frame);
    }
    if (progress.StopRequested()) return;
    shell.Pause(kCloseBrowserPollMs);
  }
}

int CleanTypedURLs(platform::Registry& registry, cleaning::CleanerProgress& progress) {
  auto key = registry.Open(platform::RegistryRoot::CurrentUser, kTypedUrlsKey);
  if (!key) return 0;
  int deleted = 0;
  for (const auto& name : key->ValueNames()) {
    if (key->DeleteValue(name)) ++deleted;
    KeepAnswering(progress);
  }
  return deleted;
}

int CleanTemporaryInternetFiles(TIECache& cache, cleaning::CleanerProgress& progress) {
  return CleanCacheEntries(kTemporaryInternetFiles, cache, progress);
}

int CleanIECookies(TIECache& cache, platform::Registry& registry,
                   cleaning::CleanerProgress& progress) {
  // Read as the item runs, so that a list saved a moment ago counts.
  return CleanCacheEntries(kCookies, cache, progress, cleaning::ReadCookieKeepList(registry));
}

std::vector<std::string> IECookieHosts(TIECache& cache) {
  cache.SetSearchPattern(TSearchPattern::spCookies);
  EnumerationScope enumeration(cache);
  std::vector<std::string> hosts;
  for (std::uint32_t error = cache.FindFirstEntry(0); error == platform::kErrorSuccess;
       error = cache.FindNextEntry()) {
    const std::string_view host = cleaning::CookieEntryHost(cache.EntryInfo().SourceUrlName);
    if (!host.empty()) hosts.emplace_back(host);
  }
  return hosts;
}

int CleanVisitedIndex(TIECache& cache, cleaning::CleanerProgress& progress) {
  return CleanCacheEntries(kVisitedIndex, cache, progress);
}

std::vector<cleaning::CleanerRow> InternetExplorerCleaners(TIECache& cache, TUrlHistory& history,
                                                           platform::Registry& registry,
                                                           platform::SystemInfo& system) {
  using enum cleaning::CleanerId;
  using Progress = cleaning::CleanerProgress;
  // clang-format off
  return {
      {kTypedUrls,               [&](Progress& progress) { return CleanTypedURLs(registry, progress); }},
      {kTemporaryInternetFiles,  [&](Progress& progress) { return CleanTemporaryInternetFiles(cache, progress); }},
      {kInternetExplorerCookies, [&](Progress& progress) { return CleanIECookies(cache, registry, progress); }},
      {kAutoCompleteData,        [&](Progress& progress) { return CleanAutoCompleteData(registry, system, progress); }},
      {kUrlHistory,              [&](Progress&) { return ClearUrlHistory(history); }},
      {kVisitedIndex,            [&](Progress& progress) { return CleanVisitedIndex(cache, progress); }},
  };
  // clang-format on
}

}  // namespace tidora::browser
