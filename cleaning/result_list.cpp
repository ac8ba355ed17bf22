#include "cleaning/result_list.h"

#include <string>

#include "controls/control_set.h"

namespace tidora::cleaning {

namespace {
using ui::ControlId;
constexpr ControlId kGrid = ControlId::sgResultList;
}  // namespace

void ResultList::Clear() {
  controls_.SetRowCount(kGrid, 2);
  for (int column = 0; column < controls_.ColumnCount(kGrid); ++column) {
    controls_.SetCell(kGrid, 1, column, "");
  }
  controls_.Repaint(kGrid);
}

void ResultList::AddRow(std::string_view caption, std::string_view count, std::string_view status) {
  const int trailing = controls_.RowCount(kGrid) - 1;
  controls_.SetCell(kGrid, trailing, 0, caption);
  controls_.SetCell(kGrid, trailing, 1, count);
  controls_.SetCell(kGrid, trailing, 2, status);
  controls_.SetRowCount(kGrid, trailing + 2);
  const int last = trailing + 1;
  controls_.SetTopRow(kGrid, last < ui::kGridVisibleRows ? 1 : last - (ui::kGridVisibleRows - 1));
  controls_.Repaint(kGrid);
}

int ResultList::LastRow() const {
  return controls_.RowCount(kGrid) - 2;
}

void ResultList::ShowPendingCount(int count) {
  controls_.SetCell(kGrid, LastRow(), 1, std::to_string(count));
  controls_.Repaint(kGrid);
}

void ResultList::FinishPendingRow(std::string_view status) {
  controls_.SetCell(kGrid, LastRow(), 2, status);
}

void ResultList::ShowLastRowCell(int column, std::string_view text) {
  controls_.SetCell(kGrid, LastRow(), column, text);
  controls_.Repaint(kGrid);
}

}  // namespace tidora::cleaning
