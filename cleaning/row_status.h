#pragma once

#include <string_view>

#include "cleaning/cleaning_items.h"

namespace tidora::cleaning {

// How a row of the result grid ends.
enum class RowStatus {
  kFinished,     // a Start row
  kFound,        // a preview row whose count is what Start would remove now
  kEstimated,    // a preview row that the system decides only when it is done
  kBrowserOpen,  // a preview row of an Internet Explorer item while browser frames are open
};

std::string_view StatusText(RowStatus status);

// The status a finished row of the item shows in a run of the kind.
RowStatus FinishedStatus(const CleaningItem& item, RunKind kind, bool browser_open);

}  // namespace tidora::cleaning
