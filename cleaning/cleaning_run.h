#pragma once

#include "cleaning/cleaner_id.h"
#include "cleaning/cleaning_items.h"
#include "cleaning/result_list.h"
#include "ui/control_set.h"

namespace tidora::cleaning {

inline constexpr int kRunStarted = 1;
inline constexpr int kRunOver = 10;

// The Trace Cleaner's run: Start executes the ticked items in their fixed order, filling the
// result grid, the bar and the total; Stop ends it at the next stop test; Finished returns to
// the items.
class CleaningRun {
 public:
  CleaningRun(ui::ControlSet& controls, Cleaners& cleaners);

  // The clicks of bntCleanNow and bntStopFinish; true when the click was one of these.
  bool HandleClick(ui::ControlId id);
  void bntCleanNowClick();
  void bntStopFinishClick();

  // Stopped exactly when bntStopFinish, trimmed and lower-cased, reads "finished".
  bool IsRunStopped() const;
  // kRunOver enables the navigation buttons; any other state disables them. Help stays usable.
  void SetRunControlsEnabled(int state);
  // True while Start's handler works.
  bool running() const { return running_; }

 private:
  class PendingRowProgress;

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
