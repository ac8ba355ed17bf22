#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tidora::cleaning {

// The masks the cleaners search with.
inline constexpr std::uint32_t kMaskAnyFile = 47;            // every file, hidden and system too
inline constexpr std::uint32_t kMaskFilesNotFolders = 70;    // every entry but folders
inline constexpr std::uint32_t kMaskEntriesAndFolders = 22;  // every entry, folders too

// An entry passes unless it has hidden, system, volume-label or directory set while the mask
// lacks that bit; the mask's other bits have no effect.
bool PassesAttributeMask(std::uint32_t attributes, std::uint32_t mask);

// Lists pattern through the file system, visiting only the entries that pass the mask.
platform::FindEnd SearchFolder(platform::FileSystem& files, std::string_view pattern,
                               std::uint32_t mask, const platform::FoundEntryVisitor& visit);

// folder + "\" + name, as the cleaners join them (a folder that already ends in a backslash
// gets a doubled one, which the file system accepts).
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace tidora::cleaning
