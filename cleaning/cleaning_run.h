#pragma once

#include "cleaning/cleaner.h"
#include "cleaning/cleaning_items.h"
#include "cleaning/result_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "controls/control_set.h"
#include "controls/feature.h"

namespace tidora::cleaning {

enum class RunState { kStarted, kOver };

// Why a row of the last run left something as it was.
struct RowNote {
  int row = 0;  // of the result grid
  std::string reason;
};

// The bytes of the files a row of the last preview would remove, as its size column shows them.
struct RowSize {
  int row = 0;  // of the result grid
  std::uint64_t bytes = 0;
};

// The Trace Cleaner's run: Start executes the ticked items in their fixed order, filling the
// result grid, the bar and the total; Preview is the same run, which changes nothing and shows
// what Start would remove, with sizes; Stop ends either at the next stop test; Finished returns
// to the items.
class CleaningRun final : public ui::Feature {
 public:
  CleaningRun(ui::ControlSet& controls, Cleaners& cleaners);

  // The clicks of bntCleanNow, bntPreview and bntStopFinish.
  bool HandleClick(ui::ControlId id) override;
  void bntCleanNowClick() { Run(RunKind::kStart); }
  void bntPreviewClick() { Run(RunKind::kPreview); }
  void bntStopFinishClick();

  // Stopped exactly when bntStopFinish, trimmed and lower-cased, reads "finished".
  bool IsRunStopped() const;
  // kOver enables the navigation buttons; kStarted disables them. Help stays usable.
  void SetRunControlsEnabled(RunState state);
  // True while Start's handler works.
  bool running() const { return running_; }
  // The last run's notes, in the order its rows reported them.
  const std::vector<RowNote>& Notes() const { return notes_; }
  // The last preview's sizes, one for each row that shows one.
  const std::vector<RowSize>& Sizes() const { return sizes_; }
  // What the last run removed, or would remove, of files, as its total shows it.
  RemovedFiles Removed() const { return removed_; }

 private:
  class PendingRowProgress;
  class RowAfterProgress;
  class EntryProgress;

  void Run(RunKind kind);
  void Prepare();
  bool Selected(const CleaningItem& item) const;
  // The 22 items, the bar moving through share percent of its length; false when stopped.
  bool RunItems(int share, int& total);
  // The ticked entries, sharing the rest of the bar; false when stopped.
  bool RunEntries(const std::vector<EntryItem>& entries, int& total);
  int Execute(const CleaningItem& item);
  int ExecuteEntry(const EntryItem& entry);
  void AdvanceBar(int position);
  std::string_view FinishedText(const CleaningItem& item) const;
  // The size of what the row removed (or would remove), kept with the sizes; nothing when no file
  // was.
  std::string SizeText(const RemovedFiles& before);
  void ShowTotals(int total);
  // The run's stop test: pending input first, so that a press of Stop counts.
  bool StopTest();
  void Complete();

  ui::ControlSet& controls_;
  Cleaners& cleaners_;
  ResultList results_;
  bool running_ = false;
  RunKind kind_ = RunKind::kStart;
  bool browser_open_ = false;  // a preview found browser frames open
  std::vector<RowNote> notes_;
  std::vector<RowSize> sizes_;
  RemovedFiles removed_;
};

}  // namespace tidora::cleaning
