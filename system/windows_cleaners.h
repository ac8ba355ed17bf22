#pragma once

#include <string>
#include <string_view>

#include <vector>

#include "cleaning/cleaner.h"
#include "cleaning/shared_routines.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace tidora::system {

inline constexpr char kRunMruKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
inline constexpr char kExplorerBarsKey[] = "Software\\Microsoft\\Internet Explorer\\Explorer Bars";

// The current user's recent-documents folder: the shell's, else the profile's "Recent"; none
// when neither is known, and then nothing is cleaned.
cleaning::ReachedFolder RecentDocumentsFolder(platform::Shell& shell, platform::Registry& registry);

// Deletes the entries of the recent-documents folder that are not folders; the number deleted.
int CleanRecentDocuments(platform::FileSystem& files, const cleaning::ReachedFolder& recent_folder);
// Deletes every value of the Run window's history; the number deleted.
int CleanRunHistory(platform::Registry& registry);
// Deletes every value of the FilesNamedMRU and ContainingTextMRU keys of each Explorer bar.
int CleanFindHistory(platform::Registry& registry);
// Deletes the plain files directly inside the temporary folder.
int CleanTempFolder(platform::FileSystem& files);

// Deletes every file whose name ends in ".tmp" on the drive that holds Windows, showing the
// running count and asking for a stop after each and after each folder listed; the number
// deleted. Never follows junctions
// or links, and puts back the attributes of a file it could not delete.
int ScanSystemDiskTempFiles(platform::FileSystem& files, cleaning::CleanerProgress& progress);
// The walk behind it, from one folder down, depth first, each folder's files before its
// subfolders; returns the number deleted and stops at once when progress asks.
int DeleteTmpFilesUnder(platform::FileSystem& files, std::string_view folder,
                        cleaning::CleanerProgress& progress);

inline constexpr char kShellLibraryMissing[] =
    "\xE4\xB8\x8D\xE8\x83\xBD\xE5\x8A\xA0\xE8\xBD\xBD"
    "Shell32"
    "\xE5\x8A\xA8\xE6\x80\x81\xE9\x93\xBE\xE7\xBB\x93\xE5\xBA\x93";  // cannot load Shell32

// Empties every Recycle Bin; true when the bins are empty afterwards.
bool EmptyRecycleBin(platform::Shell& shell);
// Empties the clipboard; false, leaving it alone, when another program holds it.
bool ClearClipboard(platform::Shell& shell);

// The Windows cleaners' rows of the run's table.
std::vector<cleaning::CleanerRow> WindowsCleaners(platform::Registry& registry,
                                                  platform::FileSystem& files,
                                                  platform::Shell& shell);

}  // namespace tidora::system
