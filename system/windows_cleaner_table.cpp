#include "system/windows_cleaners.h"

namespace tidora::system {

std::vector<cleaning::CleanerRow> WindowsCleaners(platform::Registry& registry,
                                                  platform::FileSystem& files,
                                                  platform::Shell& shell) {
  using enum cleaning::CleanerId;
  using Progress = cleaning::CleanerProgress;
  // clang-format off
  return {
      {kRecentDocuments,    [&](Progress&) { return CleanRecentDocuments(files, RecentDocumentsFolder(shell, registry)); }},
      {kRunHistory,         [&](Progress&) { return CleanRunHistory(registry); }},
      {kFindHistory,        [&](Progress&) { return CleanFindHistory(registry); }},
      {kTempFolder,         [&](Progress&) { return CleanTempFolder(files); }},
      {kSystemDiskTempFiles,[&](Progress& progress) { return ScanSystemDiskTempFiles(files, progress); }},
      {kRecycleBin,         [&](Progress&) { return EmptyRecycleBin(shell) ? 1 : 0; }},
      {kClipboard,          [&](Progress&) { return ClearClipboard(shell) ? 1 : 0; }},
  };
  // clang-format on
}

}  // namespace tidora::system
