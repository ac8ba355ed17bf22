#include "platform/dry_run/file_overlay.h"

namespace tidora::dry_run {

// The size is taken before the file goes, the same way recording takes it.
bool FileOverlay::RemoveFile(std::string_view path) {
  if (run_.recording()) return journaled_.RemoveFile(path);
  const auto entry = journaled_.EntryAt(path, journaled_.PlaceOf(path));
  if (!real_.RemoveFile(path)) return false;
  run_.Count(1, entry ? entry->size : 0);
  return true;
}

bool FileOverlay::SetAttributes(std::string_view path, std::uint32_t attributes) {
  if (run_.recording()) return journaled_.SetAttributes(path, attributes);
  return real_.SetAttributes(path, attributes);
}

}  // namespace tidora::dry_run
