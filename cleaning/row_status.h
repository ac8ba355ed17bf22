#pragma once

#include <optional>
#include <string_view>

#include "cleaning/cleaning_items.h"

namespace tidora::cleaning {

// How a row of the result grid ends.
enum class RowStatus {
  kFinished,     // a Start row
  kFound,        // a preview row whose count is what Start would remove now
  kEstimated,    // a preview row that the system decides only when it is done
  kBrowserOpen,  // a preview row of an Internet Explorer item while browser frames are open
  kInUse,        // an entry row that left something a running program holds
  kSkipped,      // an entry row that left something it could not read as it knows it
};

std::string_view StatusText(RowStatus status);

// The status an entry's row ends with: what it left untouched, when it left anything, says
// more than how the run ended.
RowStatus EntryStatus(RunKind kind, std::optional<Untouched> untouched);

// The status a finished row of the item shows in a run of the kind.
RowStatus FinishedStatus(const CleaningItem& item, RunKind kind, bool browser_open);

}  // namespace tidora::cleaning
