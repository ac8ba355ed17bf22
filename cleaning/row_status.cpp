#include "cleaning/row_status.h"

#include <algorithm>

namespace tidora::cleaning {

namespace {

struct StatusRow {
  RowStatus status;
  std::string_view text;
};

// clang-format off
constexpr StatusRow kStatuses[] = {
    {RowStatus::kFinished,    "Finished"},
    {RowStatus::kFound,       "Found"},
    {RowStatus::kEstimated,   "Estimated"},
    {RowStatus::kBrowserOpen, "Browser open"},
    {RowStatus::kInUse,       "In use"},
    {RowStatus::kSkipped,     "Skipped"},
};
// clang-format on

// Whether these succeed, the system says only when it has done them.
constexpr CleanerId kDecidedWhenDone[] = {CleanerId::kUrlHistory, CleanerId::kClipboard};

}  // namespace

std::string_view StatusText(RowStatus status) {
  return std::ranges::find(kStatuses, status, &StatusRow::status)->text;
}

RowStatus EntryStatus(RunKind kind, std::optional<Untouched> untouched) {
  if (untouched == Untouched::kInUse) return RowStatus::kInUse;
  if (untouched == Untouched::kSkipped) return RowStatus::kSkipped;
  return kind == RunKind::kStart ? RowStatus::kFinished : RowStatus::kFound;
}

RowStatus FinishedStatus(const CleaningItem& item, RunKind kind, bool browser_open) {
  if (kind == RunKind::kStart) return RowStatus::kFinished;
  if (browser_open && item.block == Block::kInternetExplorer) return RowStatus::kBrowserOpen;
  if (std::ranges::count(kDecidedWhenDone, item.cleaner)) return RowStatus::kEstimated;
  return RowStatus::kFound;
}

}  // namespace tidora::cleaning
