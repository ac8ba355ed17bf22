#include "cli/result_rows.h"

#include <algorithm>
#include <charconv>

#include "base/text.h"
#include "cli/item_names.h"

namespace tidora::cli {

namespace {

using ui::ControlId;

constexpr int kCaptionColumn = 0, kCountColumn = 1, kStatusColumn = 2, kSizeColumn = 3;

// The items' captions differ from each other; an entry's row shows the entry's name.
const cleaning::CleaningItem* ItemCaptioned(std::string_view caption) {
  const auto items = cleaning::CleaningItems();
  const auto found = std::ranges::find(items, caption, &cleaning::CleaningItem::caption);
  return found == items.end() ? nullptr : &*found;
}

int CountOf(const std::string& text) {
  int count = 0;
  std::from_chars(text.data(), text.data() + text.size(), count);
  return count;
}

RunRow ReadRow(const ui::ControlSet& controls, int row) {
  const auto cell = [&](int column) { return controls.Cell(ControlId::sgResultList, row, column); };
  RunRow read;
  read.caption = base::TrimBlanks(cell(kCaptionColumn));
  read.count = CountOf(cell(kCountColumn));
  read.status = cell(kStatusColumn);
  if (controls.ColumnCount(ControlId::sgResultList) > kSizeColumn) read.size = cell(kSizeColumn);
  read.item = ItemCaptioned(cell(kCaptionColumn));
  read.name = read.item ? std::string(NameOf(read.item->gate)) : read.caption;
  return read;
}

}  // namespace

std::vector<RunRow> ReadRows(const ui::ControlSet& controls, const cleaning::CleaningRun& run) {
  std::vector<RunRow> rows;
  // Row 0 is the header, and the last one is always the empty row the next is written into.
  const int count = controls.RowCount(ControlId::sgResultList);
  for (int row = 1; row + 1 < count; ++row) rows.push_back(ReadRow(controls, row));
  const auto at = [&](int row) -> RunRow* {
    return row >= 1 && row <= static_cast<int>(rows.size()) ? &rows[row - 1] : nullptr;
  };
  for (const auto& [row, reason] : run.Notes()) {
    RunRow* noted = at(row);
    if (!noted) continue;
    if (!noted->reason.empty()) noted->reason.append("; ");
    noted->reason.append(reason);
  }
  for (const auto& [row, bytes] : run.Sizes()) {
    if (RunRow* sized = at(row)) sized->bytes = bytes;
  }
  return rows;
}

}  // namespace tidora::cli
