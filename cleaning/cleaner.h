#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

enum class RunKind {
  kStart,    // removes what the ticked items name
  kPreview,  // the same run, which changes nothing and shows what Start would remove
};

// Files a run removed, or a preview would remove, and their bytes.
struct RemovedFiles {
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
};

// Why a row left part of what it names as it was.
enum class Untouched {
  kSkipped,  // not in a form the cleaner knows: a damaged file, a table it lacks
  kInUse,    // held by a running program
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
  // Something the row names was left as it was: the row's status says so, and the reason is
  // kept with the run's notes. Only entry rows show it.
  virtual void ReportUntouched(Untouched /*why*/, std::string_view /*reason*/) {}
};

// A cleaner routine: the number of files, values or entries it removed, or for the Recycle Bin
// and the clipboard 1 on success and 0 on failure.
using CleanerRoutine = std::function<int(CleanerProgress&)>;

// One row of a feature's table of cleaners.
struct CleanerRow {
  CleanerId id;
  CleanerRoutine routine;
};

// A ticked entry of the Applications tab: the run gives it a row of its own after the items.
struct EntryItem {
  std::string caption;
  CleanerRoutine routine;  // the files, folders, values and keys it removed
};

// The cleaner routines, as the run sees them.
class Cleaners {
 public:
  virtual ~Cleaners() = default;
  // False while a cleaner has no row: the run then skips its item as if it were unticked.
  virtual bool Available(CleanerId id) const = 0;
  virtual int Clean(CleanerId id, CleanerProgress& progress) = 0;
  // Bracket a run: in a preview the cleaners work on services that record what they would
  // change instead of changing it.
  virtual void BeginRun(RunKind) {}
  virtual void EndRun() {}
  // What the run has removed (or would remove) of files so far.
  virtual RemovedFiles Removed() const { return {}; }
  // The run's first step, after its preparation and before any item: in a Start, closing the
  // browser; a preview asks nothing and closes nothing. True when a preview finds it open.
  virtual bool BeforeItems(CleanerProgress&, RunKind) { return false; }
  // The entries ticked at this moment, in the order shown; read once as a run starts.
  virtual std::vector<EntryItem> TickedEntries() { return {}; }
};

}  // namespace tidora::cleaning
