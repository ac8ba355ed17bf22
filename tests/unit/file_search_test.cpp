#include "cleaning/file_search.h"

#include <gtest/gtest.h>

namespace tidora::cleaning {
namespace {

namespace attribute = platform::attribute;

TEST(AttributeMask, DropsAFilteredBitTheMaskLacks) {
  struct Case {
    std::uint32_t attributes;
    std::uint32_t mask;
    bool passes;
  };
  const Case cases[] = {
      {attribute::kArchive, 0, true},  // plain files always pass
      {attribute::kNormal, 0, true},
      {attribute::kReadOnly, 0, true},  // read-only is never filtered
      {attribute::kHidden, kMaskAnyFile, true},
      {attribute::kSystem | attribute::kHidden, kMaskAnyFile, true},
      {attribute::kDirectory, kMaskAnyFile, false},
      {attribute::kDirectory, kMaskFilesNotFolders, false},
      {attribute::kDirectory | attribute::kHidden, kMaskEntriesAndFolders, true},
      {attribute::kVolumeLabel, kMaskEntriesAndFolders, false},
      {attribute::kVolumeLabel, kMaskAnyFile, true},
      {attribute::kHidden, attribute::kSystem, false},
      {attribute::kDirectory | attribute::kReparsePoint, kMaskEntriesAndFolders, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PassesAttributeMask(c.attributes, c.mask), c.passes)
        << std::hex << "attributes 0x" << c.attributes << " mask 0x" << c.mask;
  }
}

TEST(JoinPath, KeepsADoubledSeparatorAsTheFileSystemAcceptsIt) {
  EXPECT_EQ(JoinPath("C:\\Temp", "a.txt"), "C:\\Temp\\a.txt");
  EXPECT_EQ(JoinPath("C:\\Temp\\", "a.txt"), "C:\\Temp\\\\a.txt");
}

}  // namespace
}  // namespace tidora::cleaning
