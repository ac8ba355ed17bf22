#include "platform/dry_run/shell_overlay.h"

namespace tidora::dry_run {

// The bin's contents as the shell gave them just before are what emptying it removed.
platform::RecycleBinOutcome ShellOverlay::EmptyRecycleBin(platform::WindowId owner) {
  if (run_.recording()) return journaled_.EmptyRecycleBin();
  const auto contents = reader_.QueryRecycleBin();
  const auto outcome = real_.EmptyRecycleBin(owner);
  if (outcome == platform::RecycleBinOutcome::kEmptied && contents)
    run_.Count(contents->items, contents->bytes);
  return outcome;
}

}  // namespace tidora::dry_run
