#pragma once

#include <string>
#include <vector>

#include "browser/ie_cache.h"
#include "browser/url_history.h"
#include "cleaning/cleaner.h"
#include "controls/control_set.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

namespace tidora::browser {

inline constexpr char kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline constexpr char kBrowserFrameClass[] = "ieframe";
inline constexpr char kCloseBrowserQuestion[] =
    "Internet Explorer is running.If you want to clean trace completely,please close Internet "
    "Explorer first. do you want to close Internet Explorer?";
// How long a run waits for the browser's frames to close before it goes on without a word.
inline constexpr int kCloseBrowserWaitMs = 10000;
inline constexpr int kCloseBrowserPollMs = 100;

// Whether an Internet Explorer item is ticked while browser frames are open.
bool BrowserOpenForItems(const ui::ControlSet& controls, platform::Shell& shell);

// The first step of every run: when an Internet Explorer item is ticked and the browser runs,
// asks whether to close it; on Yes asks each frame once to close and waits for them, bounded,
// in short steps that each handle pending input and end the wait on a stop.
void CloseInternetExplorer(const ui::ControlSet& controls, platform::Shell& shell,
                           cleaning::CleanerProgress& progress);

// Deletes the values of the typed-URL key; the number deleted.
int CleanTypedURLs(platform::Registry& registry, cleaning::CleanerProgress& progress);

// The three cache-entry cleaners: the number of entries deleted.
int CleanTemporaryInternetFiles(TIECache& cache, cleaning::CleanerProgress& progress);
// The cookies of the domains on the saved keep-list stay.
int CleanIECookies(TIECache& cache, platform::Registry& registry,
                   cleaning::CleanerProgress& progress);
int CleanVisitedIndex(TIECache& cache, cleaning::CleanerProgress& progress);

// The hosts of the cookie entries, for the keep-list editor to offer.
std::vector<std::string> IECookieHosts(TIECache& cache);

// The Internet Explorer cleaners' rows of the run's table.
std::vector<cleaning::CleanerRow> InternetExplorerCleaners(TIECache& cache, TUrlHistory& history,
                                                           platform::Registry& registry,
                                                           platform::SystemInfo& system);

}  // namespace tidora::browser
