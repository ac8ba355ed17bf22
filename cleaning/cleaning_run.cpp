#include "cleaning/cleaning_run.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "cleaning/row_status.h"

namespace tidora::cleaning {

namespace {

using ui::ControlId;

constexpr ControlId kRunControls[] = {ControlId::bntTraceCleaner, ControlId::bntIERepair,
                                      ControlId::bntToolsMenu, ControlId::bntClose,
                                      ControlId::bntAbout};

// A preview's services record instead of changing; Start's pass through again however the run
// ends, an escaping error included.
class RunKindScope {
 public:
  RunKindScope(Cleaners& cleaners, RunKind kind) : cleaners_(cleaners) { cleaners_.BeginRun(kind); }
  RunKindScope(const RunKindScope&) = delete;
  RunKindScope& operator=(const RunKindScope&) = delete;
  ~RunKindScope() { cleaners_.EndRun(); }

 private:
  Cleaners& cleaners_;
};

constexpr int kSizeColumn = 3;
// The bar's share of the 22 items when entries of the Applications tab follow them.
constexpr int kItemsShare = 80;

// Leaves running() false however the handler ends, an escaping error included.
class RunningScope {
 public:
  explicit RunningScope(bool& running) : running_(running) { running_ = true; }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;
  ~RunningScope() { running_ = false; }

 private:
  bool& running_;
};

}  // namespace

// A pending-row item's routine fills its own row while it works.
class CleaningRun::PendingRowProgress final : public CleanerProgress {
 public:
  PendingRowProgress(CleaningRun& run, const CleaningItem& item) : run_(run), item_(item) {}
  void ShowCount(int count) override {
    run_.results_.ShowPendingCount(count);
    run_.controls_.DispatchPendingInput();
  }
  bool StopRequested() override { return run_.StopTest(); }
  void Finish() override { run_.results_.FinishPendingRow(run_.FinishedText(item_)); }

 private:
  CleaningRun& run_;
  const CleaningItem& item_;
};

// An entry's row is pending while it runs: its count shows as it grows, and what it left
// untouched decides its status.
class CleaningRun::EntryProgress final : public CleanerProgress {
 public:
  explicit EntryProgress(CleaningRun& run) : run_(run) {}
  void ShowCount(int count) override {
    run_.results_.ShowPendingCount(count);
    run_.controls_.DispatchPendingInput();
  }
  bool StopRequested() override { return run_.StopTest(); }
  void Finish() override {}
  void ReportUntouched(Untouched why, std::string_view reason) override {
    // A held database says more to the user than a damaged one: close the program and retry.
    if (!untouched_ || why == Untouched::kInUse) untouched_ = why;
    run_.notes_.push_back({run_.results_.LastRow(), std::string(reason)});
  }
  std::optional<Untouched> untouched() const { return untouched_; }

 private:
  CleaningRun& run_;
  std::optional<Untouched> untouched_;
};

// A row-after item's row does not exist while its routine works: the run writes it afterwards.
class CleaningRun::RowAfterProgress final : public CleanerProgress {
 public:
  explicit RowAfterProgress(CleaningRun& run) : run_(run) {}
  void ShowCount(int) override { run_.controls_.DispatchPendingInput(); }
  bool StopRequested() override { return run_.StopTest(); }
  void Finish() override {}

 private:
  CleaningRun& run_;
};

CleaningRun::CleaningRun(ui::ControlSet& controls, Cleaners& cleaners)
    : controls_(controls), cleaners_(cleaners), results_(controls) {}

bool CleaningRun::HandleClick(ControlId id) {
  if (id == ControlId::bntCleanNow) {
    bntCleanNowClick();
    return true;
  }
  if (id == ControlId::bntPreview) {
    bntPreviewClick();
    return true;
  }
  if (id == ControlId::bntStopFinish) {
    bntStopFinishClick();
    return true;
  }
  return false;
}

bool CleaningRun::IsRunStopped() const {
  return base::AsciiLower(base::TrimBlanks(controls_.Caption(ControlId::bntStopFinish))) ==
         "finished";
}

void CleaningRun::SetRunControlsEnabled(RunState state) {
  for (ControlId button : kRunControls) controls_.SetEnabled(button, state == RunState::kOver);
}

bool CleaningRun::StopTest() {
  controls_.DispatchPendingInput();
  return IsRunStopped();
}

void CleaningRun::Prepare() {
  const bool preview = kind_ == RunKind::kPreview;
  controls_.SetCaption(ControlId::CleanResult, preview ? "Preview" : "Cleaning");
  // The sizes are a preview's own column: Start's grid stays as it always was.
  controls_.SetColumnCount(ControlId::sgResultList, preview ? kSizeColumn + 1 : kSizeColumn);
  if (preview) controls_.SetCell(ControlId::sgResultList, 0, kSizeColumn, "Size");
  results_.Clear();
  controls_.SetPosition(ControlId::CleanResultProgressBar, 0);
  controls_.SetCaption(ControlId::TotalResult, "0");
  controls_.SetCaption(ControlId::TotalSize, "");
  controls_.SetCaption(ControlId::bntStopFinish, "Stop");
  SetRunControlsEnabled(RunState::kStarted);
  controls_.SetVisible(ControlId::CleanItems, false);
  controls_.SetVisible(ControlId::CleanResult, true);
  controls_.Focus(ControlId::sgResultList);
  controls_.Repaint(ControlId::kMainWindow);
}

bool CleaningRun::Selected(const CleaningItem& item) const {
  if (!cleaners_.Available(item.cleaner)) return false;
  // The Netscape block runs whenever its group is enabled, which the run has tested already.
  return item.block == Block::kNetscape || controls_.Ticked(item.gate);
}

int CleaningRun::Execute(const CleaningItem& item) {
  const RemovedFiles before = cleaners_.Removed();
  int result = 0;
  if (item.mode == RowMode::kPendingRow) {
    results_.AddRow(item.caption, "0", "Pending");
    PendingRowProgress progress(*this, item);
    result = cleaners_.Clean(item.cleaner, progress);
    // The row ends with the count the total adds, whatever the routine showed last.
    results_.ShowPendingCount(result);
  } else {
    RowAfterProgress progress(*this);
    result = cleaners_.Clean(item.cleaner, progress);
    results_.AddRow(item.caption, std::to_string(result), FinishedText(item));
  }
  if (kind_ == RunKind::kPreview) results_.ShowLastRowCell(kSizeColumn, SizeText(before));
  return result;
}

std::string_view CleaningRun::FinishedText(const CleaningItem& item) const {
  return StatusText(FinishedStatus(item, kind_, browser_open_));
}

std::string CleaningRun::SizeText(const RemovedFiles& before) {
  const RemovedFiles after = cleaners_.Removed();
  if (after.files == before.files) return {};
  sizes_.push_back({results_.LastRow(), after.bytes - before.bytes});
  return controls_.FormatByteSize(after.bytes - before.bytes);
}

void CleaningRun::ShowTotals(int total) {
  controls_.SetCaption(ControlId::TotalResult, std::to_string(total));
  removed_ = cleaners_.Removed();
  controls_.SetCaption(ControlId::TotalSize,
                       removed_.files ? controls_.FormatByteSize(removed_.bytes) : std::string());
}

void CleaningRun::Run(RunKind kind) {
  RunningScope running(running_);
  RunKindScope services(cleaners_, kind);
  kind_ = kind;
  browser_open_ = false;
  notes_.clear();
  sizes_.clear();
  removed_ = {};
  // The ticks as they stand when Start is pressed, whatever set them.
  const std::vector<EntryItem> entries = cleaners_.TickedEntries();
  Prepare();
  {
    RowAfterProgress progress(*this);
    browser_open_ = cleaners_.BeforeItems(progress, kind);
  }
  int total = 0;
  if (!RunItems(entries.empty() ? 100 : kItemsShare, total)) return;
  if (!RunEntries(entries, total)) return;
  Complete();
}

bool CleaningRun::RunItems(int share, int& total) {
  const auto items = CleaningItems();
  int steps = 0;
  for (size_t index = 0; index < items.size(); ++index) {
    const CleaningItem& item = items[index];
    if (item.block == Block::kNetscape && !controls_.Enabled(ControlId::groupNetscape)) continue;
    if (item.block == Block::kOffice && !controls_.Enabled(ControlId::groupOffice)) break;
    if (Selected(item)) total += Execute(item);
    ShowTotals(total);
    steps += item.step;
    AdvanceBar(steps * share / 100);
    if (index + 1 == items.size()) break;  // the last item has no stop test
    if (StopTest()) return false;
    controls_.Repaint(ControlId::kMainWindow);
  }
  return true;
}

bool CleaningRun::RunEntries(const std::vector<EntryItem>& entries, int& total) {
  const int count = static_cast<int>(entries.size());
  for (int index = 0; index < count; ++index) {
    if (StopTest()) return false;
    total += ExecuteEntry(entries[index]);
    ShowTotals(total);
    // The bar reaches its end only when the run is complete.
    AdvanceBar(std::min(99, kItemsShare + (100 - kItemsShare) * (index + 1) / count));
    controls_.Repaint(ControlId::kMainWindow);
  }
  return true;
}

int CleaningRun::ExecuteEntry(const EntryItem& entry) {
  const RemovedFiles before = cleaners_.Removed();
  results_.AddRow(entry.caption, "0", "Pending");
  EntryProgress progress(*this);
  const int result = entry.routine(progress);
  results_.ShowPendingCount(result);
  results_.FinishPendingRow(StatusText(EntryStatus(kind_, progress.untouched())));
  if (kind_ == RunKind::kPreview) results_.ShowLastRowCell(kSizeColumn, SizeText(before));
  return result;
}

void CleaningRun::AdvanceBar(int position) {
  // Never back: the items' steps and the entries' shares only add.
  const int shown = controls_.Position(ControlId::CleanResultProgressBar);
  controls_.SetPosition(ControlId::CleanResultProgressBar, std::max(shown, position));
}

void CleaningRun::Complete() {
  controls_.Repaint(ControlId::kMainWindow);
  controls_.SetPosition(ControlId::CleanResultProgressBar, 100);
  controls_.SetCaption(ControlId::bntStopFinish, "Finished");
  SetRunControlsEnabled(RunState::kOver);
}

void CleaningRun::bntStopFinishClick() {
  if (IsRunStopped()) {
    controls_.Click(ControlId::bntTraceCleaner);
    return;
  }
  controls_.SetCaption(ControlId::bntStopFinish, "Finished");
  SetRunControlsEnabled(RunState::kOver);
}

}  // namespace tidora::cleaning
