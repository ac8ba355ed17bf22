#pragma once

// Cases every FileSystem passes. The environment offers files(), folder() (empty), MakeFile(path,
// attributes) (of 5 bytes), MakeFileWith(path, bytes, size) (zeros up to size, never written),
// MakeFolder, Lock (held unshared), ShortPath(path) (its 8.3 alias), LinkHolder()
// (holding "back", a folder link) and EmptyFolderLink() (a folder link and the empty folder it
// leads to).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "cleaning/file_search.h"
#include "platform/file_system.h"

namespace tidora::testing {
namespace file_attribute = platform::attribute;
using NameList = std::vector<std::string>;

template <typename Environment>
class FileSystemContract : public ::testing::Test {
 protected:
  platform::FileSystem& fs() { return env.files(); }
  std::string At(const std::string& relative) { return env.folder() + "\\" + relative; }
  // Names the search returns, sorted, each followed by "+" where it has all the flags.
  NameList Search(const std::string& pattern, std::uint32_t mask, std::uint32_t flags = 0) {
    NameList names;
    cleaning::SearchFolder(fs(), pattern, mask, [&](const platform::FoundEntry& entry) {
      return names.push_back(entry.name +
                             (flags && (entry.attributes & flags) == flags ? "+" : "")),
             true;
    });
    return std::ranges::sort(names), names;
  }
  // One file of each attribute and a subfolder with a file in it: what every cleaner meets.
  void MakeMixedFolder() {
    using namespace file_attribute;
    for (auto [name, attributes] : {std::pair{"plain.txt", kArchive},
                                    {"hidden.txt", kHidden},
                                    {"system.txt", kSystem},
                                    {"readonly.txt", kReadOnly}})
      env.MakeFile(At(name), attributes);
    env.MakeFolder(At("sub"));
    env.MakeFile(At("sub\\inner.txt"), kArchive);
  }
  Environment env;
};
TYPED_TEST_SUITE_P(FileSystemContract);

// What each cleaner's mask lets through; names in any language; "*.tmp" matching "report.tmpl"
// by its 8.3 short name.
TYPED_TEST_P(FileSystemContract, SearchesSelectByMaskAndMatchShortNames) {
  this->MakeMixedFolder();
  const std::string all = this->At("*.*");
  const NameList files{"hidden.txt+", "plain.txt", "readonly.txt", "system.txt"};
  EXPECT_EQ(this->Search(all, cleaning::kMaskAnyFile, file_attribute::kHidden), files);
  EXPECT_EQ(this->Search(all, cleaning::kMaskFilesNotFolders, file_attribute::kHidden), files);
  EXPECT_EQ(this->Search(all, cleaning::kMaskEntriesAndFolders, file_attribute::kDirectory),
            (NameList{"hidden.txt", "plain.txt", "readonly.txt", "sub+", "system.txt"}));
  EXPECT_EQ(this->Search(all, file_attribute::kArchive), (NameList{"plain.txt", "readonly.txt"}));
  EXPECT_TRUE(this->fs().IsFolder(this->At("sub")) && !this->fs().IsFile(this->At("sub")));
  EXPECT_TRUE(this->fs().IsFile(this->At("sub\\inner.txt")));
  EXPECT_EQ(this->fs().Attributes(this->At("nothing.txt")), std::nullopt);
  const std::string chinese = "\u5F20\u4E09 \u043A\u043B\u044E\u0447.tmp";
  for (const auto& name : NameList{"a.tmp", "B.TMP", "report.tmpl", "notes.txt", "tmp", chinese})
    this->env.MakeFile(this->At(name), file_attribute::kArchive);
  EXPECT_EQ(this->Search(this->At("*.tmp"), cleaning::kMaskFilesNotFolders),
            (NameList{"B.TMP", "a.tmp", "report.tmpl", chinese}));
  EXPECT_TRUE(this->fs().RemoveFile(this->At(chinese)));
  EXPECT_FALSE(this->fs().IsFile(this->At(chinese)));
}

TYPED_TEST_P(FileSystemContract, HiddenAndSystemFilesDeleteReadOnlyAndLockedRefuse) {
  this->MakeMixedFolder();
  this->env.MakeFile(this->At("busy.tmp"), file_attribute::kHidden);
  this->env.Lock(this->At("busy.tmp"));
  for (const auto& [name, removed] : {std::pair{"hidden.txt", true},
                                      {"system.txt", true},
                                      {"readonly.txt", false},
                                      {"sub", false},
                                      {"gone.txt", false},
                                      {"busy.tmp", false}})
    EXPECT_EQ(this->fs().RemoveFile(this->At(name)), removed) << name;
  for (const char* name : {"readonly.txt", "busy.tmp"})
    ASSERT_TRUE(this->fs().SetAttributes(this->At(name), file_attribute::kNormal)) << name;
  EXPECT_TRUE(this->fs().RemoveFile(this->At("readonly.txt")));
  EXPECT_FALSE(this->fs().RemoveFile(this->At("busy.tmp")));
  // Windows then reports "normal", Wine "archive": what matters is that the guards are gone.
  constexpr auto kGuards = file_attribute::kReadOnly | file_attribute::kHidden;
  EXPECT_EQ(this->fs().Attributes(this->At("busy.tmp")).value_or(kGuards) & kGuards, 0u);
  const std::string doubled = this->env.folder() + "\\\\";
  EXPECT_TRUE(this->fs().RemoveFile(doubled + "plain.txt"));
  EXPECT_EQ(this->Search(doubled + "*.*", cleaning::kMaskEntriesAndFolders),
            (NameList{"busy.tmp", "sub"}));
}

TYPED_TEST_P(FileSystemContract, ListingsEndAsTheyShouldReachLongPathsAndReportFolderLinks) {
  using platform::FindEnd;
  for (int i = 0; i < 50; ++i)
    this->env.MakeFile(this->At("f" + std::to_string(i) + ".tmp"), file_attribute::kArchive);
  int visited = 0, deleted = 0;
  const auto find = [&](const char* pattern, const platform::FoundEntryVisitor& visit) {
    return this->fs().Find(this->At(pattern), visit);
  };
  EXPECT_EQ(find("missing\\*.*", [](auto&) { return true; }), FindEnd::kNoMatch);
  EXPECT_EQ(find("*.none", [](auto&) { return true; }), FindEnd::kNoMatch);
  EXPECT_EQ(find("*.*", [&](auto&) { return ++visited < 2; }), FindEnd::kStopped);
  EXPECT_EQ(visited, 2);
  EXPECT_EQ(find("*.tmp",
                 [&](const platform::FoundEntry& entry) {
                   return deleted += this->fs().RemoveFile(this->At(entry.name)), true;
                 }),
            FindEnd::kListed);
  EXPECT_EQ(deleted, 50);
  EXPECT_TRUE(this->Search(this->At("*.*"), cleaning::kMaskEntriesAndFolders).empty());
  const std::string temp = this->fs().TempFolder();
  EXPECT_TRUE(temp.ends_with('\\') && this->fs().IsFolder(temp)) << temp;
  EXPECT_TRUE(this->fs().IsFolder(this->fs().WindowsFolder()));
  EXPECT_TRUE(this->fs().IsFolder(this->fs().SystemFolder()));
  const std::string parent = this->At(std::string(120, 'd')),
                    folder = parent + "\\" + std::string(120, 'e'),
                    name = std::string(40, 'f') + ".tmp", file = folder + "\\" + name;
  this->env.MakeFolder(parent);
  this->env.MakeFolder(folder);
  this->env.MakeFile(file, file_attribute::kArchive);
  EXPECT_EQ(this->Search(folder + "\\*.tmp", cleaning::kMaskFilesNotFolders), NameList{name});
  EXPECT_TRUE(this->fs().RemoveFile(file));
  EXPECT_TRUE(!this->fs().IsFile(file) && this->fs().IsFolder(folder));
  constexpr auto kLink = file_attribute::kReparsePoint | file_attribute::kDirectory;
  const auto found = this->Search(this->env.LinkHolder() + "\\*.*", kLink, kLink);
  EXPECT_TRUE(std::ranges::count(found, "back+")) << ::testing::PrintToString(found);
}

// What a preview needs to know ahead: sizes as listed, one identity however a path is written (its
// 8.3 alias, any case, doubled separators), and whether a file could be removed now.
TYPED_TEST_P(FileSystemContract, ListingsCarrySizesAndPathsHaveOneIdentity) {
  this->MakeMixedFolder();
  this->env.MakeFile(this->At("report.tmpl"), file_attribute::kArchive);
  std::uint64_t listed = 0;
  this->fs().Find(this->At("report.tmpl"), [&](auto& entry) { return listed = entry.size, true; });
  EXPECT_EQ(listed, 5u);
  const std::string identity = this->fs().CanonicalPath(this->At("report.tmpl"));
  std::string shouted = this->env.folder() + "\\\\REPORT.TMPL";
  std::ranges::transform(shouted, shouted.begin(), [](char c) { return std::toupper(c); });
  for (const std::string& path : {this->env.ShortPath(this->At("report.tmpl")), shouted})
    EXPECT_EQ(this->fs().CanonicalPath(path), identity) << path;
  EXPECT_NE(this->fs().CanonicalPath(this->At("plain.txt")), identity);
  EXPECT_EQ(this->fs().CanonicalPath(this->At("Gone\\x.TXT")),
            this->fs().CanonicalPath(this->At("gone\\\\X.txt")));
  this->env.Lock(this->At("plain.txt"));
  for (const auto& [name, removable] :
       {std::pair{"plain.txt", false}, {"readonly.txt", true}, {"gone.txt", false}})
    EXPECT_EQ(this->fs().CouldRemoveNow(this->At(name)), removable) << name;
}

// A folder goes only once empty of files and folders, however its path is written; a link never
// goes, nor does the empty folder it leads to.
TYPED_TEST_P(FileSystemContract, OnlyEmptyFoldersAreRemovedAndNeverALink) {
  this->MakeMixedFolder();
  this->env.MakeFolder(this->At("nest"));
  this->env.MakeFolder(this->At("nest\\empty"));
  for (const auto& [name, removed] : {std::pair{"sub", false},
                                      {"plain.txt", false},
                                      {"gone", false},
                                      {"nest", false},
                                      {"nest\\empty", true},
                                      {"nest", true}})
    EXPECT_EQ(this->fs().RemoveFolder(this->At(name)), removed) << name;
  EXPECT_EQ(this->fs().Attributes(this->At("nest")), std::nullopt);
  ASSERT_TRUE(this->fs().RemoveFile(this->At("sub\\inner.txt")));
  EXPECT_TRUE(this->fs().RemoveFolder(this->env.folder() + "\\\\SUB\\"));
  EXPECT_EQ(this->Search(this->At("*.*"), cleaning::kMaskEntriesAndFolders),
            (NameList{"hidden.txt", "plain.txt", "readonly.txt", "system.txt"}));
  const auto [link, target] = this->env.EmptyFolderLink();
  EXPECT_FALSE(this->fs().RemoveFolder(link));
  EXPECT_TRUE(this->fs().IsFolder(link) && this->fs().IsFolder(target));
}

// A rule file comes back byte for byte whatever its name; one over the limit, even past 4 GiB, is
// refused; a folder or a removed file is missing, a file held unshared unreadable.
TYPED_TEST_P(FileSystemContract, WholeFilesAreReadWithinTheLimitOrTellWhyNot) {
  using Status = platform::FileContents::Status;
  using namespace std::string_literals;
  const auto status = [&](const std::string& name, std::uint64_t limit = 1 << 20) {
    return this->fs().ReadFile(this->At(name), limit).status;
  };
  const std::string bytes = "[Sp\xC3\xA4ter]\r\nA=1\0\xFF\n"s, name = "\u00FCber \u5F20.ini";
  this->env.MakeFileWith(this->At(name), bytes);
  const auto read = this->fs().ReadFile(this->At(name), bytes.size());
  EXPECT_TRUE(read.status == Status::kRead && read.bytes == bytes) << read.bytes;
  EXPECT_EQ(status(name, bytes.size() - 1), Status::kTooLarge);
  this->env.MakeFileWith(this->At("huge.ini"), "", (std::uint64_t{1} << 32) + 5);
  EXPECT_EQ(status("huge.ini"), Status::kTooLarge);
  ASSERT_TRUE(this->fs().RemoveFile(this->At("huge.ini")));
  this->env.MakeFolder(this->At("folder.ini"));
  for (const char* missing : {"huge.ini", "folder.ini", "gone\\x.ini"})
    EXPECT_EQ(status(missing), Status::kMissing) << missing;
  this->env.Lock(this->At(name));
  EXPECT_EQ(status(name), Status::kUnreadable);
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, SearchesSelectByMaskAndMatchShortNames,
                            HiddenAndSystemFilesDeleteReadOnlyAndLockedRefuse,
                            ListingsEndAsTheyShouldReachLongPathsAndReportFolderLinks,
                            ListingsCarrySizesAndPathsHaveOneIdentity,
                            OnlyEmptyFoldersAreRemovedAndNeverALink,
                            WholeFilesAreReadWithinTheLimitOrTellWhyNot);
}  // namespace tidora::testing
