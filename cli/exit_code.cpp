#include "cli/exit_code.h"

#include <algorithm>

#include "cleaning/row_status.h"

namespace tidora::cli {

namespace {

using cleaning::RowStatus;
using cleaning::StatusText;

// The statuses that say by themselves that something was left.
constexpr RowStatus kLeavingStatuses[] = {RowStatus::kInUse, RowStatus::kSkipped};

bool FailedToDoIt(const RunRow& row, Mode mode) {
  return mode == Mode::kClean && row.item && row.item->count == cleaning::CountRule::kOneIfDone &&
         row.count == 0;
}

}  // namespace

bool LeftSomething(const RunRow& row, Mode mode) {
  const bool leaving_status = std::ranges::any_of(
      kLeavingStatuses, [&](RowStatus status) { return row.status == StatusText(status); });
  return leaving_status || FailedToDoIt(row, mode);
}

ExitCode RunExitCode(Mode mode, const std::vector<RunRow>& rows, bool stopped_by_error) {
  if (stopped_by_error) return ExitCode::kError;
  const bool left =
      std::ranges::any_of(rows, [&](const RunRow& row) { return LeftSomething(row, mode); });
  return left ? ExitCode::kLeftSomething : ExitCode::kDone;
}

}  // namespace tidora::cli
