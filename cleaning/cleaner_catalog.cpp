#include "cleaning/cleaner_catalog.h"

#include "system/windows_cleaners.h"

namespace tidora::cleaning {

bool CleanerCatalog::Available(CleanerId id) const {
  switch (id) {
    case CleanerId::kRecentDocuments:
    case CleanerId::kRunHistory:
    case CleanerId::kFindHistory:
    case CleanerId::kTempFolder:
    case CleanerId::kSystemDiskTempFiles:
    case CleanerId::kRecycleBin:
    case CleanerId::kClipboard:
      return true;
    default:
      return false;
  }
}

int CleanerCatalog::Clean(CleanerId id, LongCleanerProgress& progress) {
  switch (id) {
    case CleanerId::kRecentDocuments:
      return system::CleanRecentDocuments(files_, system::RecentDocumentsFolder(shell_, registry_));
    case CleanerId::kRunHistory:
      return system::CleanRunHistory(registry_);
    case CleanerId::kFindHistory:
      return system::CleanFindHistory(registry_);
    case CleanerId::kTempFolder:
      return system::CleanTempFolder(files_);
    case CleanerId::kSystemDiskTempFiles:
      return system::ScanSystemDiskTempFiles(files_, progress);
    case CleanerId::kRecycleBin:
      return system::EmptyRecycleBin(shell_) ? 1 : 0;
    case CleanerId::kClipboard:
      return system::ClearClipboard(shell_) ? 1 : 0;
    default:
      return 0;
  }
}

}  // namespace tidora::cleaning
