#include "platform/dry_run/visit_memo.h"

#include "platform/dry_run/name_folding.h"

namespace tidora::dry_run {

const platform::FoundEntry* VisitMemo::Visited(const FilePlace& place) const {
  const Listing* listing = innermost_;
  if (!listing || !listing->entry_ || listing->folder_ != place.folder) return nullptr;
  return FoldName(listing->entry_->name) == place.name ? listing->entry_ : nullptr;
}

}  // namespace tidora::dry_run
