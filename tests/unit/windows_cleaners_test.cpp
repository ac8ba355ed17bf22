#include "system/windows_cleaners.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <functional>
#include <string>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"

namespace tidora::system {
namespace {

using platform::ValueType;
using testing::FakeFileSystem;
using testing::FakeRegistry;
using testing::FakeShell;
namespace attribute = platform::attribute;
constexpr auto kUser = platform::RegistryRoot::CurrentUser;

// Records what a long cleaner reports, and asks for a stop at the stop test a test names.
struct RecordedProgress final : cleaning::CleanerProgress {
  void ShowCount(int count) override { counts.push_back(count); }
  bool StopRequested() override { return ++stop_tests == stop_at; }
  void Finish() override { ++finished; }
  std::vector<int> counts;
  int stop_tests = 0, stop_at = 0, finished = 0;
};

TEST(CleanRunHistory, DeletesEveryValueAndKeepsTheKey) {
  FakeRegistry registry;
  for (const char* name : {"a", "b", "c", "MRUList"})
    registry.SetValue(kUser, kRunMruKey, name, ValueType::String, std::string("notepad\\1"));
  EXPECT_EQ(CleanRunHistory(registry), 4);
  auto key = registry.Open(kUser, kRunMruKey);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->ValueNames().empty());
  EXPECT_EQ(CleanRunHistory(registry), 0);
  registry.SetValue(kUser, kRunMruKey, "a", ValueType::String, std::string("x"));
  registry.RefuseFullAccess(kUser, kRunMruKey);
  EXPECT_EQ(CleanRunHistory(registry), 0);
}

TEST(CleanFindHistory, EmptiesBothListsOfEveryBarAndNothingElse) {
  FakeRegistry registry;
  EXPECT_EQ(CleanFindHistory(registry), 0);
  const std::string bars = std::string(kExplorerBarsKey) + "\\";
  auto put = [&](const std::string& key, const char* name) {
    registry.SetValue(kUser, bars + key, name, ValueType::String, std::string("secret"));
  };
  for (const char* name : {"a", "b"}) put("{C4EE31F3}\\FilesNamedMRU", name);
  put("{C4EE31F3}\\ContainingTextMRU", "a");
  put("{C4EE31F3}", "Setting");
  put("{OTHER}\\Unrelated", "keep");
  registry.Create(kUser, bars + "{EMPTY}");
  put("{LOCKED}\\FilesNamedMRU", "a");
  registry.RefuseFullAccess(kUser, bars + "{LOCKED}");
  EXPECT_EQ(CleanFindHistory(registry), 3);
  EXPECT_TRUE(registry.KeyExists(kUser, bars + "{C4EE31F3}\\FilesNamedMRU"));
  EXPECT_EQ(registry.Open(kUser, bars + "{C4EE31F3}")->ValueNames(),
            std::vector<std::string>{"Setting"});
  EXPECT_EQ(registry.Open(kUser, bars + "{OTHER}\\Unrelated")->ValueNames(),
            std::vector<std::string>{"keep"});
}

// The shell's folder comes first, then the profile's; an unknown profile never means the root.
TEST(RecentDocuments, ComeFromTheShellAndCountOnlyWhatWasDeleted) {
  FakeFileSystem files;
  FakeRegistry registry, no_profile;
  FakeShell shell;
  const std::string recent = "C:\\users\\me\\Recent";
  files.AddFile(recent + "\\report.lnk");
  files.AddFile(recent + "\\hidden.lnk", attribute::kHidden);
  files.AddFile(recent + "\\pinned.lnk", attribute::kReadOnly);
  files.AddFile(recent + "\\AutomaticDestinations\\x.automaticDestinations-ms");
  files.AddFile("C:\\Recent\\mine.doc");
  registry.SetValue(kUser, "Volatile Environment", "HOMEDRIVE", ValueType::String,
                    std::string("C:"));
  registry.SetValue(kUser, "Volatile Environment", "HOMEPATH", ValueType::String,
                    std::string("\\users\\me"));
  EXPECT_EQ(RecentDocumentsFolder(shell, no_profile), "");
  EXPECT_EQ(CleanRecentDocuments(files, ""), 0);
  EXPECT_TRUE(files.searches().empty());
  shell.recent_folder = "C:\\users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent";
  EXPECT_EQ(RecentDocumentsFolder(shell, registry), shell.recent_folder);
  shell.recent_folder.clear();
  ASSERT_EQ(RecentDocumentsFolder(shell, registry), recent);
  EXPECT_EQ(CleanRecentDocuments(files, recent), 2);
  EXPECT_FALSE(files.Exists(recent + "\\hidden.lnk"));
  for (const std::string& kept : {recent + "\\pinned.lnk", std::string("C:\\Recent\\mine.doc"),
                                  recent + "\\AutomaticDestinations\\x.automaticDestinations-ms"})
    EXPECT_TRUE(files.Exists(kept)) << kept;
}

TEST(CleanTempFolder, DeletesTheFilesDirectlyInsideOnly) {
  FakeFileSystem files;
  files.set_temp_folder(" C:\\users\\me\\Temp\\ \r\n");
  for (const char* name : {"a.tmp", "b.log", "c", "setup\\one.dat", "setup\\two.dat"})
    files.AddFile(std::string("C:\\users\\me\\Temp\\") + name);
  EXPECT_EQ(CleanTempFolder(files), 3);
  EXPECT_TRUE(files.Exists("C:\\users\\me\\Temp\\setup\\one.dat"));
  EXPECT_TRUE(files.Exists("C:\\users\\me\\Temp\\setup\\two.dat"));
  files.set_temp_folder("");
  const auto searched = files.searches().size();
  EXPECT_EQ(CleanTempFolder(files), 0);
  EXPECT_EQ(files.searches().size(), searched);
}

class DiskScanTest : public ::testing::Test {
 protected:
  FakeFileSystem files_;
  RecordedProgress progress_;
};

// Short-name matches ("report.tmpl") are not *.tmp files; a file in use keeps its attributes;
// links (to the folder itself, to another drive) are never entered.
TEST_F(DiskScanTest, DeletesTmpFilesAtEveryDepthWhateverTheirAttributes) {
  const std::uint32_t guarded = attribute::kHidden | attribute::kReadOnly;
  files_.AddFile("C:\\a.tmp");
  files_.AddFile("C:\\data\\B.TMP", guarded);
  files_.AddFile("C:\\data\\deep\\er\\c.tmp", attribute::kSystem);
  files_.AddFolder("C:\\x.tmp");
  files_.AddFile("C:\\x.tmp\\inside.tmp");
  files_.AddFile("C:\\busy.tmp", guarded);
  files_.Lock("C:\\busy.tmp");
  files_.AddJunction("C:\\data\\loop", "C:\\data");
  files_.AddJunction("C:\\data\\elsewhere", "D:\\");
  const char* kept[] = {"C:\\x.tmp", "C:\\data\\keep.txt", "C:\\docs\\report.tmpl",
                        "C:\\docs\\notes.tmp.txt", "D:\\other.tmp"};
  for (const char* path : kept)
    if (!files_.Exists(path)) files_.AddFile(path);
  EXPECT_EQ(ScanSystemDiskTempFiles(files_, progress_), 4);
  EXPECT_FALSE(files_.Exists("C:\\data\\B.TMP"));
  EXPECT_FALSE(files_.Exists("C:\\data\\deep\\er\\c.tmp"));
  for (const char* path : kept) EXPECT_TRUE(files_.Exists(path)) << path;
  EXPECT_EQ(files_.Attributes("C:\\busy.tmp"), guarded);
  for (const auto& search : files_.searches())
    EXPECT_EQ(search.find("loop"), std::string::npos) << search;
  EXPECT_EQ(progress_.counts, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(progress_.finished, 1);
}

TEST_F(DiskScanTest, AStopEndsTheWholeScanAtOnce) {
  for (int i = 0; i < 5; ++i) {
    for (const char* folder : {"C:\\one\\", "C:\\one\\deeper\\", "C:\\two\\"})
      files_.AddFile(folder + std::to_string(i) + ".tmp");
  }
  // Stop tests: after listing C:\, then after each deleted file in C:\one.
  progress_.stop_at = 3;
  EXPECT_EQ(ScanSystemDiskTempFiles(files_, progress_), 2);
  EXPECT_TRUE(files_.Exists("C:\\one\\deeper\\0.tmp"));
  EXPECT_TRUE(files_.Exists("C:\\two\\0.tmp"));
  EXPECT_EQ(progress_.finished, 1);
  EXPECT_EQ(files_.searches().back(), "C:\\one\\*.*");
}

// Runs work on a thread with a small stack: a walk that recursed per level would overflow it.
void OnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 128 * 1024);
  pthread_t thread;
  auto run = [](void* data) -> void* {
    (*static_cast<const std::function<void()>*>(data))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)),
            0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

// Each folder is listed once, its files before its subfolders.
TEST_F(DiskScanTest, AVeryDeepTreeIsWalkedWithoutRecursion) {
  for (const char* file : {"C:\\top\\z.tmp", "C:\\top\\a\\1.tmp", "C:\\top\\b\\2.tmp"})
    files_.AddFile(file);
  DeleteTmpFilesUnder(files_, "C:\\top", progress_);
  EXPECT_EQ(files_.searches(),
            (std::vector<std::string>{"C:\\top\\*.*", "C:\\top\\a\\*.*", "C:\\top\\b\\*.*"}));
  std::string folder = "C:";
  for (int depth = 0; depth < 1500; ++depth) folder += "\\d";
  files_.AddFile(folder + "\\bottom.tmp");
  int deleted = 0;
  OnSmallStack([&] { deleted = DeleteTmpFilesUnder(files_, "C:\\d", progress_); });
  EXPECT_EQ(deleted, 1);
}

TEST_F(DiskScanTest, WithoutAWindowsFolderNothingIsScanned) {
  files_.set_windows_folder("");
  files_.AddFile("C:\\a.tmp");
  EXPECT_EQ(ScanSystemDiskTempFiles(files_, progress_), 0);
  EXPECT_TRUE(files_.searches().empty());
  EXPECT_EQ(progress_.finished, 1);
}

// Only a missing shell library is said in a message; a clipboard held elsewhere is a failure.
TEST(EmptyRecycleBinAndClipboard, SucceedOnlyWhenEmptyAfterwards) {
  using Outcome = platform::RecycleBinOutcome;
  const std::pair<Outcome, bool> outcomes[] = {{Outcome::kEmptied, true},
                                               {Outcome::kAlreadyEmpty, true},
                                               {Outcome::kFailed, false},
                                               {Outcome::kLibraryMissing, false}};
  FakeShell shell;
  for (const auto& [outcome, success] : outcomes) {
    shell.recycle_bin_outcome = outcome;
    EXPECT_EQ(EmptyRecycleBin(shell), success);
  }
  EXPECT_EQ(shell.messages,
            std::vector<std::string>{std::string("Tidora: ") + kShellLibraryMissing});
  EXPECT_TRUE(ClearClipboard(shell));
  shell.clipboard_free = false;
  EXPECT_FALSE(ClearClipboard(shell));
}

}  // namespace
}  // namespace tidora::system
