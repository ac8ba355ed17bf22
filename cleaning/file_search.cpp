#include "cleaning/file_search.h"

namespace tidora::cleaning {

namespace {
constexpr std::uint32_t kFilteredBits =
    platform::attribute::kHidden | platform::attribute::kSystem |
    platform::attribute::kVolumeLabel | platform::attribute::kDirectory;
}  // namespace

bool PassesAttributeMask(std::uint32_t attributes, std::uint32_t mask) {
  return (attributes & kFilteredBits & ~mask) == 0;
}

platform::FindEnd SearchFolder(platform::FileSystem& files, std::string_view pattern,
                               std::uint32_t mask, const platform::FoundEntryVisitor& visit) {
  return files.Find(pattern, [&](const platform::FoundEntry& entry) {
    return !PassesAttributeMask(entry.attributes, mask) || visit(entry);
  });
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder).append("\\").append(name);
  return path;
}

}  // namespace tidora::cleaning
