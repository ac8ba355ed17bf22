#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cleaning/cleaner.h"
#include "cleaning/shared_routines.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

namespace tidora::office {

enum class OfficeProgram { kWord = 1, kExcel, kPowerPoint, kOutlook, kAccess, kFrontPage };

// Every key of the Office cleaners lies under HKEY_CURRENT_USER.
inline constexpr char kOfficeKey[] = "Software\\Microsoft\\Office";
inline constexpr char kFrontPageExplorerKey[] =
    "Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer";
inline constexpr char kPhotoEditorKey[] = "Software\\Microsoft\\Photo Editor";

// The highest of "8.0", "9.0" and "10.0" present under the Office key; empty when none is.
std::string OfficeVersion(platform::Registry& registry);

// Removes one program's recent-file lists of that Office version (and FrontPage's own lists):
// the Open Find lists, then the program's own. Nothing at all without the Office key; Outlook
// has no list. Returns the number of values and keys really deleted.
int CleanOfficeMru(platform::Registry& registry, OfficeProgram program);
// Deletes the "Value" of "File Name MRU" below each subkey of an Open Find settings key; the
// keys stay. Returns the number of values deleted.
int ClearOpenFindLists(platform::Registry& registry, std::string_view settings_key);
// Deletes "LastFile1", "LastFile2", ... of the highest Photo Editor version present, up to the
// first gap; the number deleted.
int CleanPhotoEditorMru(platform::Registry& registry);

// The Office recent folder below the user's application-data folder; none when that is unknown.
cleaning::ReachedFolder OfficeRecentFolder(platform::SystemInfo& system, platform::Shell& shell,
                                           platform::Registry& registry,
                                           platform::FileSystem& files);
// Deletes the files directly in the Office recent folder; the number deleted.
int CleanOfficeRecentFolder(platform::SystemInfo& system, platform::Shell& shell,
                            platform::Registry& registry, platform::FileSystem& files);

// The Office cleaners' rows of the run's table.
std::vector<cleaning::CleanerRow> OfficeCleaners(platform::SystemInfo& system,
                                                 platform::Shell& shell,
                                                 platform::Registry& registry,
                                                 platform::FileSystem& files);

}  // namespace tidora::office
