#include "platform/dry_run/journaled_shell.h"

namespace tidora::dry_run {

std::optional<platform::RecycleBinContents> JournaledShell::QueryRecycleBin() const {
  if (bin_emptied_) return platform::RecycleBinContents{};
  return shell_.QueryRecycleBin();
}

platform::RecycleBinOutcome JournaledShell::EmptyRecycleBin() {
  // A bin that cannot be asked about cannot be told emptied: the row shows a failure, no message.
  const auto contents = QueryRecycleBin();
  if (!contents) return platform::RecycleBinOutcome::kFailed;
  if (contents->items == 0) return platform::RecycleBinOutcome::kAlreadyEmpty;
  bin_emptied_ = true;
  run_.Count(contents->items, contents->bytes);
  return platform::RecycleBinOutcome::kEmptied;
}

}  // namespace tidora::dry_run
