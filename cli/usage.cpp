#include "cli/usage.h"

namespace tidora::cli {

namespace {

constexpr std::string_view kUsage[] = {
    "Usage:",
    "  tidora /preview [ITEM ...] [/report:FILE]   show what a clean run would remove",
    "  tidora /clean   [ITEM ...] [/report:FILE]   remove it",
    "  tidora /list    [/report:FILE]              list the items and whether they are found",
    "  tidora /?                                   show this",
    "",
    "ITEM: a checkbox by its name (IEABH, WinTFD, MSWord, ...; \"tidora /list\" shows them all),",
    "  groupNetscape for every Netscape step, an entry of the Applications tab by its name in",
    "  quotes (\"Google Chrome Cache\"), or /defaults for what the window ticks at start. No item",
    "  means /defaults. Switches start with / or -; names and switches ignore case.",
    "/report:FILE writes a JSON report; quote FILE when it has blanks.",
    "",
    "Nothing is asked and no window opens: Internet Explorer is not closed, and an entry's",
    "warning is printed. Under cmd, run \"start /wait tidora /clean ...\" and read %errorlevel%:",
    "  0 done, 1 something was left (in use, skipped or failed), 2 bad command line (nothing",
    "  done), 3 an error stopped the run, 4 another cleaning run is going on.",
};

}  // namespace

std::span<const std::string_view> UsageLines() {
  return kUsage;
}

}  // namespace tidora::cli
