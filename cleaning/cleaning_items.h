#pragma once

#include <span>
#include <string_view>

#include "cleaning/cleaner.h"
#include "controls/control_id.h"

namespace tidora::cleaning {

enum class RowMode {
  kRowAfter,    // the cleaner runs, then the run appends its row
  kPendingRow,  // the run appends a "Pending" row that the cleaner fills while it works
};

enum class CountRule {
  kResult,     // the row shows, and the total adds, what the cleaner returned
  kOneIfDone,  // as kResult, where the cleaner returns 1 when it did its work and 0 when it failed
};

enum class Block {
  kNone,
  kInternetExplorer,  // the browser's own: a Start asks to close it first, a preview says it runs
  kNetscape,          // gated on the enabled state of groupNetscape instead of a checkbox
  kOffice,            // skipped whole, with its steps, while groupOffice is disabled
};

struct CleaningItem {
  ui::ControlId gate;  // the checkbox that selects the item
  std::string_view caption;
  RowMode mode;
  CountRule count;
  CleanerId cleaner;
  int step;  // added to the bar after the item, run or not
  Block block = Block::kNone;
};

// The 22 items in the order the run takes them.
std::span<const CleaningItem> CleaningItems();

}  // namespace tidora::cleaning
