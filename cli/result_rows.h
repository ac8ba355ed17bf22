#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cleaning/cleaning_items.h"
#include "cleaning/cleaning_run.h"
#include "controls/control_set.h"

namespace tidora::cli {

// A row of the result grid, as the run left it.
struct RunRow {
  std::string name;     // the checkbox's control name, groupNetscape, or the entry's name
  std::string caption;  // as the row shows it
  int count = 0;
  std::string size;                    // as the size column shows it; empty where it has none
  std::optional<std::uint64_t> bytes;  // the bytes that size stands for
  std::string status;
  std::string reason;                            // why it left something, where it did
  const cleaning::CleaningItem* item = nullptr;  // null for an entry's row
};

// The result grid's rows after a run, with the run's notes and sizes.
std::vector<RunRow> ReadRows(const ui::ControlSet& controls, const cleaning::CleaningRun& run);

}  // namespace tidora::cli
