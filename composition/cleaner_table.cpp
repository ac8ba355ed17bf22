#include "composition/cleaner_table.h"

#include <algorithm>

namespace tidora::composition {

const cleaning::CleanerRow* CleanerTable::Find(cleaning::CleanerId id) const {
  const auto found = std::find_if(rows_.begin(), rows_.end(),
                                  [id](const cleaning::CleanerRow& row) { return row.id == id; });
  return found == rows_.end() ? nullptr : &*found;
}

void CleanerTable::BeginRun(cleaning::RunKind kind) {
  dry_run_.Begin(kind == cleaning::RunKind::kPreview ? dry_run::Mode::kRecord
                                                     : dry_run::Mode::kForward);
}

cleaning::RemovedFiles CleanerTable::Removed() const {
  const dry_run::Tally& tally = dry_run_.tally();
  return {tally.files, tally.bytes};
}

int CleanerTable::Clean(cleaning::CleanerId id, cleaning::CleanerProgress& progress) {
  const cleaning::CleanerRow* row = Find(id);
  return row ? row->routine(progress) : 0;
}

}  // namespace tidora::composition
