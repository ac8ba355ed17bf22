#pragma once

#include <string_view>

#include "controls/control_set.h"

namespace tidora::cleaning {

// The result grid sgResultList: a header row, the data rows, and always one empty trailing row
// that the next row is written into. A pending row is the last data row while its cleaner runs.
class ResultList {
 public:
  explicit ResultList(ui::ControlSet& controls) : controls_(controls) {}

  // Back to the header and one empty row.
  void Clear();
  // AddResultRow: fills the trailing row, appends a new empty one and scrolls so that the last
  // ten rows, the empty one included, are in view.
  void AddRow(std::string_view caption, std::string_view count, std::string_view status);
  void ShowPendingCount(int count);
  void FinishPendingRow(std::string_view status);
  // A cell of the last data row: the pending row, or the row just added.
  void ShowLastRowCell(int column, std::string_view text);
  // The grid row of the pending row, or of the row just added.
  int LastRow() const;

  ui::ControlSet& controls_;
};

}  // namespace tidora::cleaning
