#pragma once

#include "cleaning/cleaner.h"
#include "cleaning/cleaning_items.h"
#include "cleaning/result_list.h"
#include "controls/control_set.h"
#include "controls/feature.h"

namespace tidora::cleaning {

enum class RunState { kStarted, kOver };

// The Trace Cleaner's run: Start executes the ticked items in their fixed order, filling the
// result grid, the bar and the total; Stop ends it at the next stop test; Finished returns to
// the items.
class CleaningRun final : public ui::Feature {
 public:
  CleaningRun(ui::ControlSet& controls, Cleaners& cleaners);

  // The clicks of bntCleanNow and bntStopFinish.
  bool HandleClick(ui::ControlId id) override;
  void bntCleanNowClick();
  void bntStopFinishClick();

  // Stopped exactly when bntStopFinish, trimmed and lower-cased, reads "finished".
  bool IsRunStopped() const;
  // kOver enables the navigation buttons; kStarted disables them. Help stays usable.
  void SetRunControlsEnabled(RunState state);
  // True while Start's handler works.
  bool running() const { return running_; }

 private:
  class PendingRowProgress;
  class RowAfterProgress;

  void Prepare();
  bool Selected(const CleaningItem& item) const;
  int Execute(const CleaningItem& item);
  // The run's stop test: pending input first, so that a press of Stop counts.
  bool StopTest();
  void Complete();

  ui::ControlSet& controls_;
  Cleaners& cleaners_;
  ResultList results_;
  bool running_ = false;
};

}  // namespace tidora::cleaning
