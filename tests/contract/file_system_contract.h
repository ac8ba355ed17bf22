#pragma once

// Cases every FileSystem must pass: the fake natively and the Win32 adapter under Wine. Include in
// exactly one source file of a test program, then instantiate FileSystemContract with an
// environment that offers files(), folder() (an empty private folder), MakeFile(path, attributes),
// MakeFolder(path), Lock(path) (held open without sharing until the environment goes),
// LinkHolder() (a folder holding "back", a folder link to its parent) and FailListing(folder)
// (false where a folder that refuses its listing cannot be made).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cleaning/file_search.h"
#include "platform/file_system.h"

namespace tidora::testing {

namespace file_attribute = platform::attribute;
using NameList = std::vector<std::string>;

template <typename Environment>
class FileSystemContract : public ::testing::Test {
 protected:
  platform::FileSystem& files() { return environment_.files(); }
  std::string At(const std::string& relative) { return environment_.folder() + "\\" + relative; }

  // Names the search returns, sorted.
  std::vector<std::string> Search(const std::string& pattern, std::uint32_t mask) {
    std::vector<std::string> names;
    cleaning::SearchFolder(files(), pattern, mask, [&](const platform::FoundEntry& entry) {
      names.push_back(entry.name);
      return true;
    });
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> Search(std::uint32_t mask) { return Search(At("*.*"), mask); }

  // The mix every cleaner meets: one file of each attribute and a subfolder with a file in it.
  void MakeMixedFolder() {
    environment_.MakeFile(At("plain.txt"), file_attribute::kArchive);
    environment_.MakeFile(At("hidden.txt"), file_attribute::kHidden);
    environment_.MakeFile(At("system.txt"), file_attribute::kSystem);
    environment_.MakeFile(At("readonly.txt"), file_attribute::kReadOnly);
    environment_.MakeFolder(At("sub"));
    environment_.MakeFile(At("sub\\inner.txt"), file_attribute::kArchive);
  }

  Environment environment_;
};

TYPED_TEST_SUITE_P(FileSystemContract);

// What each cleaner's mask lets through, and the raw attributes it decides on.
TYPED_TEST_P(FileSystemContract, AttributeMasksSelectWhatEachCleanerSees) {
  this->MakeMixedFolder();
  const NameList files{"hidden.txt", "plain.txt", "readonly.txt", "system.txt"};
  EXPECT_EQ(this->Search(cleaning::kMaskAnyFile), files);
  EXPECT_EQ(this->Search(cleaning::kMaskFilesNotFolders), files);
  EXPECT_EQ(this->Search(cleaning::kMaskEntriesAndFolders),
            (NameList{"hidden.txt", "plain.txt", "readonly.txt", "sub", "system.txt"}));
  EXPECT_EQ(this->Search(file_attribute::kArchive), (NameList{"plain.txt", "readonly.txt"}));
  std::uint32_t hidden = 0, folder = 0;
  this->files().Find(this->At("*.*"), [&](const platform::FoundEntry& entry) {
    if (entry.name == "hidden.txt") hidden = entry.attributes;
    if (entry.name == "sub") folder = entry.attributes;
    return true;
  });
  EXPECT_EQ(hidden & (file_attribute::kHidden | file_attribute::kDirectory),
            file_attribute::kHidden);
  EXPECT_TRUE(folder & file_attribute::kDirectory);
  EXPECT_TRUE(this->files().IsFolder(this->At("sub")));
  EXPECT_TRUE(this->files().IsFile(this->At("sub\\inner.txt")));
  EXPECT_FALSE(this->files().IsFile(this->At("sub")));
  EXPECT_EQ(this->files().Attributes(this->At("nothing.txt")), std::nullopt);
}

TYPED_TEST_P(FileSystemContract, HiddenAndSystemFilesDeleteReadOnlyRefuses) {
  this->MakeMixedFolder();
  EXPECT_TRUE(this->files().RemoveFile(this->At("hidden.txt")));
  EXPECT_TRUE(this->files().RemoveFile(this->At("system.txt")));
  EXPECT_FALSE(this->files().RemoveFile(this->At("readonly.txt")));
  EXPECT_TRUE(this->files().IsFile(this->At("readonly.txt")));
  EXPECT_FALSE(this->files().RemoveFile(this->At("sub")));
  EXPECT_FALSE(this->files().RemoveFile(this->At("gone.txt")));
  ASSERT_TRUE(this->files().SetAttributes(this->At("readonly.txt"), file_attribute::kNormal));
  EXPECT_TRUE(this->files().RemoveFile(this->At("readonly.txt")));
  // Doubled separators are accepted.
  const std::string doubled = this->environment_.folder() + "\\\\";
  EXPECT_TRUE(this->files().RemoveFile(doubled + "plain.txt"));
  EXPECT_EQ(this->Search(doubled + "*.*", cleaning::kMaskEntriesAndFolders), NameList{"sub"});
}

TYPED_TEST_P(FileSystemContract, ALockedFileRefusesDeletionButTakesAttributes) {
  this->environment_.MakeFile(this->At("busy.tmp"), file_attribute::kHidden);
  this->environment_.Lock(this->At("busy.tmp"));
  EXPECT_TRUE(this->files().SetAttributes(this->At("busy.tmp"), file_attribute::kNormal));
  EXPECT_FALSE(this->files().RemoveFile(this->At("busy.tmp")));
  // Windows then reports "normal", Wine "archive": what matters is that the guards are gone.
  constexpr std::uint32_t kGuards =
      file_attribute::kReadOnly | file_attribute::kHidden | file_attribute::kSystem;
  EXPECT_EQ(this->files().Attributes(this->At("busy.tmp")).value_or(kGuards) & kGuards, 0u);
}

// Names in any language, and "*.tmp" matching "report.tmpl" by its 8.3 short name ("REPO~4NA.TMP").
TYPED_TEST_P(FileSystemContract, TmpPatternAlsoMatchesShortNames) {
  const std::string chinese = "\xE5\xBC\xA0\xE4\xB8\x89 \xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87.tmp";
  for (const auto& name : NameList{"a.tmp", "B.TMP", "report.tmpl", "notes.txt", "tmp", chinese}) {
    this->environment_.MakeFile(this->At(name), file_attribute::kArchive);
  }
  EXPECT_EQ(this->Search(this->At("*.tmp"), cleaning::kMaskFilesNotFolders),
            (NameList{"B.TMP", "a.tmp", "report.tmpl", chinese}));
  EXPECT_TRUE(this->files().RemoveFile(this->At(chinese)));
  EXPECT_FALSE(this->files().IsFile(this->At(chinese)));
}

TYPED_TEST_P(FileSystemContract, ListingsEndAsTheyShould) {
  using platform::FindEnd;
  this->MakeMixedFolder();
  for (const auto& [pattern, end] : {std::pair{"missing\\*.*", FindEnd::kNoMatch},
                                     {"*.none", FindEnd::kNoMatch},
                                     {"*.*", FindEnd::kListed}}) {
    EXPECT_EQ(this->files().Find(this->At(pattern), [](auto&) { return true; }), end) << pattern;
  }
  int visited = 0;
  EXPECT_EQ(this->files().Find(this->At("*.*"), [&](auto&) { return ++visited < 2; }),
            FindEnd::kStopped);
  EXPECT_EQ(visited, 2);
}

TYPED_TEST_P(FileSystemContract, EntriesMayBeDeletedWhileListed) {
  for (int i = 0; i < 50; ++i) {
    this->environment_.MakeFile(this->At("f" + std::to_string(i) + ".tmp"),
                                file_attribute::kArchive);
  }
  int deleted = 0;
  this->files().Find(this->At("*.tmp"), [&](const platform::FoundEntry& entry) {
    deleted += this->files().RemoveFile(this->At(entry.name));
    return true;
  });
  EXPECT_EQ(deleted, 50);
  EXPECT_TRUE(this->Search(cleaning::kMaskEntriesAndFolders).empty());
}

TYPED_TEST_P(FileSystemContract, SystemFoldersAreReported) {
  const std::string temp = this->files().TempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(this->files().IsFolder(this->files().WindowsFolder()));
  EXPECT_TRUE(this->files().IsFolder(this->files().SystemFolder()));
}

TYPED_TEST_P(FileSystemContract, PathsLongerThan260CharactersWork) {
  const std::string parent = this->At(std::string(120, 'd')),
                    folder = parent + "\\" + std::string(120, 'e');
  this->environment_.MakeFolder(parent);
  this->environment_.MakeFolder(folder);
  const std::string name = std::string(40, 'f') + ".tmp";
  const std::string file = folder + "\\" + name;
  ASSERT_GT(file.size(), 260u);
  this->environment_.MakeFile(file, file_attribute::kArchive);
  EXPECT_TRUE(this->files().IsFile(file));
  EXPECT_EQ(this->Search(folder + "\\*.tmp", cleaning::kMaskFilesNotFolders), NameList{name});
  EXPECT_TRUE(this->files().RemoveFile(file));
  EXPECT_FALSE(this->files().IsFile(file));
  EXPECT_TRUE(this->files().IsFolder(folder));
}

TYPED_TEST_P(FileSystemContract, AFolderLinkIsReportedAsAReparsePoint) {
  std::uint32_t attributes = 0;
  this->files().Find(this->environment_.LinkHolder() + "\\*.*", [&](const auto& entry) {
    if (entry.name == "back") attributes = entry.attributes;
    return true;
  });
  constexpr auto kLink = file_attribute::kReparsePoint | file_attribute::kDirectory;
  EXPECT_EQ(attributes & kLink, kLink);
}

TYPED_TEST_P(FileSystemContract, AListingRefusedAtItsFirstEntryFailsVisitingNothing) {
  this->MakeMixedFolder();
  if (!this->environment_.FailListing(this->At("sub"))) {
    GTEST_SKIP() << "a folder that refuses its listing cannot be made here";
  }
  int visited = 0;
  EXPECT_EQ(this->files().Find(this->At("sub\\*.*"), [&](auto&) { return ++visited > 0; }),
            platform::FindEnd::kFailed);
  EXPECT_EQ(visited, 0);
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, AttributeMasksSelectWhatEachCleanerSees,
                            HiddenAndSystemFilesDeleteReadOnlyRefuses,
                            ALockedFileRefusesDeletionButTakesAttributes,
                            TmpPatternAlsoMatchesShortNames, ListingsEndAsTheyShould,
                            EntriesMayBeDeletedWhileListed, SystemFoldersAreReported,
                            PathsLongerThan260CharactersWork, AFolderLinkIsReportedAsAReparsePoint,
                            AListingRefusedAtItsFirstEntryFailsVisitingNothing);

}  // namespace tidora::testing
