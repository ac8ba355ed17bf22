#pragma once

#include <functional>

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

// What a cleaner may ask of the run while it works.
class CleanerProgress {
 public:
  virtual ~CleanerProgress() = default;
  // Shows the running count in the item's pending row at once; ignored for row-after items,
  // whose row the run writes when the routine returns.
  virtual void ShowCount(int count) = 0;
  // The stop test; pending input is handled first, so that a press of Stop, a repaint or a move
  // of the window is seen here. Long cleaners call it at least once per folder or entry.
  virtual bool StopRequested() = 0;
  // Marks the item's pending row finished; ignored for row-after items.
  virtual void Finish() = 0;
};

// A cleaner routine: the number of files, values or entries it removed, or for the Recycle Bin
// and the clipboard 1 on success and 0 on failure.
using CleanerRoutine = std::function<int(CleanerProgress&)>;

// One row of a feature's table of cleaners.
struct CleanerRow {
  CleanerId id;
  CleanerRoutine routine;
};

// The cleaner routines, as the run sees them.
class Cleaners {
 public:
  virtual ~Cleaners() = default;
  // False while a cleaner has no row: the run then skips its item as if it were unticked.
  virtual bool Available(CleanerId id) const = 0;
  virtual int Clean(CleanerId id, CleanerProgress& progress) = 0;
  // The run's first step, after its preparation and before any item (closing the browser).
  virtual void BeforeItems(CleanerProgress&) {}
};

}  // namespace tidora::cleaning
