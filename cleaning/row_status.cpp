#include "cleaning/row_status.h"

#include <algorithm>

namespace tidora::cleaning {

namespace {

using enum CleanerId;

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
};
// clang-format on

// A Start would ask to close the browser before these.
constexpr CleanerId kBrowserItems[] = {
    kTypedUrls,   kTemporaryInternetFiles, kInternetExplorerCookies, kAutoCompleteData, kUrlHistory,
    kVisitedIndex};
// Whether these succeed, the system says only when it has done them.
constexpr CleanerId kDecidedWhenDone[] = {kUrlHistory, kClipboard};

bool Among(CleanerId cleaner, const auto& cleaners) {
  return std::ranges::find(cleaners, cleaner) != std::end(cleaners);
}

}  // namespace

std::string_view StatusText(RowStatus status) {
  return std::ranges::find(kStatuses, status, &StatusRow::status)->text;
}

RowStatus FinishedStatus(CleanerId cleaner, RunKind kind, bool browser_open) {
  if (kind == RunKind::kStart) return RowStatus::kFinished;
  if (browser_open && Among(cleaner, kBrowserItems)) return RowStatus::kBrowserOpen;
  if (Among(cleaner, kDecidedWhenDone)) return RowStatus::kEstimated;
  return RowStatus::kFound;
}

}  // namespace tidora::cleaning
