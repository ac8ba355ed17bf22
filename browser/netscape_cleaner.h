#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cleaning/cleaner.h"
#include "cleaning/shared_routines.h"
#include "controls/control_set.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

namespace tidora::browser {

// The folder that holds one folder per Mozilla profile, below the user's application-data
// folder; none when that is unknown, and then nothing is cleaned.
cleaning::ReachedFolder MozillaProfileRoot(platform::SystemInfo& system, platform::Shell& shell,
                                           platform::Registry& registry,
                                           platform::FileSystem& files);

// Removes, from every profile folder of profile_root, what the ticked boxes of the Netscape group
// name: the cookie, history and address-bar files, the cache files, the saved form files. Shows
// the running count, stops between steps when asked, and marks the row finished at the end.
// Returns the number of files really deleted. Hidden, system and linked profile folders, a linked
// cache folder and a root reached through a link are passed over: through a link, "every file"
// could be any folder's.
int CleanNetscapeMozilla(platform::FileSystem& files, const cleaning::ReachedFolder& profile_root,
                         const ui::ControlSet& controls, cleaning::CleanerProgress& progress);

// The Netscape cleaner's row of the run's table.
std::vector<cleaning::CleanerRow> NetscapeCleaners(platform::SystemInfo& system,
                                                   platform::Shell& shell,
                                                   platform::Registry& registry,
                                                   platform::FileSystem& files,
                                                   const ui::ControlSet& controls);

}  // namespace tidora::browser
