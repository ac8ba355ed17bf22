#pragma once

namespace tidora::cleaning {

// The cleaner routines the cleaning run calls, one per item (the Office lists one per program).
enum class CleanerId {
  kTypedUrls,
  kTemporaryInternetFiles,
  kInternetExplorerCookies,
  kAutoCompleteData,
  kUrlHistory,
  kVisitedIndex,
  kNetscapeMozilla,
  kRecentDocuments,
  kRunHistory,
  kFindHistory,
  kTempFolder,
  kSystemDiskTempFiles,
  kRecycleBin,
  kClipboard,
  kOfficeWord,
  kOfficeExcel,
  kOfficePowerPoint,
  kPhotoEditor,
  kOfficeOutlook,
  kOfficeAccess,
  kOfficeFrontPage,
  kOfficeRecentFolder,
};

// What a long cleaner needs of the run while it works: its pending row, and the stop test.
class LongCleanerProgress {
 public:
  virtual ~LongCleanerProgress() = default;
  // Shows the running count in the item's row at once.
  virtual void ShowCount(int count) = 0;
  // The stop test; pending input is handled first, so a press of Stop is seen here.
  virtual bool StopRequested() = 0;
  // Marks the item's row finished.
  virtual void Finish() = 0;
};

// The cleaner routines, as the run sees them.
class Cleaners {
 public:
  virtual ~Cleaners() = default;
  // False while a cleaner is not built yet: the run then skips its item as if it were unticked.
  virtual bool Available(CleanerId id) const = 0;
  // Runs one cleaner: the number of files, values or entries it removed, or for the Recycle Bin
  // and the clipboard 1 on success and 0 on failure. Long cleaners report through progress.
  virtual int Clean(CleanerId id, LongCleanerProgress& progress) = 0;
};

}  // namespace tidora::cleaning
