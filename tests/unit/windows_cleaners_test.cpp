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

using platform::RegistryRoot;
using platform::ValueType;
using testing::FakeFileSystem;
using testing::FakeRegistry;
using testing::FakeShell;
namespace attribute = platform::attribute;

// Records what a long cleaner reports, and asks for a stop when a test says so.
class RecordedProgress final : public cleaning::CleanerProgress {
 public:
  void ShowCount(int count) override { counts.push_back(count); }
  bool StopRequested() override {
    ++stop_tests;
    return stop_when && stop_when(stop_tests);
  }
  void Finish() override { ++finished; }

  std::vector<int> counts;
  int stop_tests = 0;
  int finished = 0;
  std::function<bool(int)> stop_when;
};

TEST(CleanRunHistory, DeletesEveryValueAndKeepsTheKey) {
  FakeRegistry registry;
  for (const char* name : {"a", "b", "c", "MRUList"}) {
    registry.SetValue(RegistryRoot::CurrentUser, kRunMruKey, name, ValueType::String,
                      std::string("notepad\\1"));
  }
  EXPECT_EQ(CleanRunHistory(registry), 4);
  auto key = registry.Open(RegistryRoot::CurrentUser, kRunMruKey);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->ValueNames().empty());
  EXPECT_EQ(CleanRunHistory(registry), 0);
  registry.SetValue(RegistryRoot::CurrentUser, kRunMruKey, "a", ValueType::String,
                    std::string("x"));
  registry.RefuseFullAccess(RegistryRoot::CurrentUser, kRunMruKey);
  EXPECT_EQ(CleanRunHistory(registry), 0);
}

TEST(CleanFindHistory, EmptiesBothListsOfEveryBarAndNothingElse) {
  FakeRegistry registry;
  EXPECT_EQ(CleanFindHistory(registry), 0);
  const std::string bars = kExplorerBarsKey;
  auto put = [&](const std::string& key, const char* name) {
    registry.SetValue(RegistryRoot::CurrentUser, bars + "\\" + key, name, ValueType::String,
                      std::string("secret"));
  };
  put("{C4EE31F3}\\FilesNamedMRU", "a");
  put("{C4EE31F3}\\FilesNamedMRU", "b");
  put("{C4EE31F3}\\ContainingTextMRU", "a");
  put("{C4EE31F3}", "Setting");
  put("{OTHER}\\Unrelated", "keep");
  registry.Create(RegistryRoot::CurrentUser, bars + "\\{EMPTY}");
  put("{LOCKED}\\FilesNamedMRU", "a");
  registry.RefuseFullAccess(RegistryRoot::CurrentUser, bars + "\\{LOCKED}");
  EXPECT_EQ(CleanFindHistory(registry), 3);
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, bars + "\\{C4EE31F3}\\FilesNamedMRU"));
  auto bar = registry.Open(RegistryRoot::CurrentUser, bars + "\\{C4EE31F3}");
  EXPECT_EQ(bar->ValueNames(), std::vector<std::string>{"Setting"});
  auto other = registry.Open(RegistryRoot::CurrentUser, bars + "\\{OTHER}\\Unrelated");
  EXPECT_EQ(other->ValueNames(), std::vector<std::string>{"keep"});
}

class RecentDocumentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.AddFile("C:\\users\\me\\Recent\\report.lnk");
    files_.AddFile("C:\\users\\me\\Recent\\hidden.lnk", attribute::kHidden);
    files_.AddFile("C:\\users\\me\\Recent\\pinned.lnk", attribute::kReadOnly);
    files_.AddFile("C:\\users\\me\\Recent\\AutomaticDestinations\\x.automaticDestinations-ms");
    files_.AddFile("C:\\Recent\\mine.doc");
    registry_.SetValue(RegistryRoot::CurrentUser, "Volatile Environment", "HOMEDRIVE",
                       ValueType::String, std::string("C:"));
    registry_.SetValue(RegistryRoot::CurrentUser, "Volatile Environment", "HOMEPATH",
                       ValueType::String, std::string("\\users\\me"));
  }
  FakeFileSystem files_;
  FakeRegistry registry_;
  FakeShell shell_;
};

TEST_F(RecentDocumentsTest, CountsOnlyWhatWasDeleted) {
  EXPECT_EQ(CleanRecentDocuments(files_, "C:\\users\\me\\Recent"), 2);
  EXPECT_TRUE(files_.Exists("C:\\users\\me\\Recent\\pinned.lnk"));
  EXPECT_FALSE(files_.Exists("C:\\users\\me\\Recent\\hidden.lnk"));
  EXPECT_TRUE(
      files_.Exists("C:\\users\\me\\Recent\\AutomaticDestinations\\"
                    "x.automaticDestinations-ms"));
}

TEST_F(RecentDocumentsTest, TheShellsFolderComesFirstThenTheProfiles) {
  shell_.recent_folder = "C:\\users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent";
  EXPECT_EQ(RecentDocumentsFolder(shell_, registry_), shell_.recent_folder);
  shell_.recent_folder.clear();
  EXPECT_EQ(RecentDocumentsFolder(shell_, registry_), "C:\\users\\me\\Recent");
}

TEST_F(RecentDocumentsTest, AnUnknownProfileCleansNothingAtTheRoot) {
  FakeRegistry no_profile;
  const std::string folder = RecentDocumentsFolder(shell_, no_profile);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(CleanRecentDocuments(files_, folder), 0);
  EXPECT_TRUE(files_.searches().empty());
  EXPECT_TRUE(files_.Exists("C:\\Recent\\mine.doc"));
}

TEST(CleanTempFolder, DeletesTheFilesDirectlyInsideOnly) {
  FakeFileSystem files;
  files.set_temp_folder(" C:\\users\\me\\Temp\\ \r\n");
  for (const char* name : {"a.tmp", "b.log", "c"}) {
    files.AddFile(std::string("C:\\users\\me\\Temp\\") + name);
  }
  files.AddFile("C:\\users\\me\\Temp\\setup\\one.dat");
  files.AddFile("C:\\users\\me\\Temp\\setup\\two.dat");
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

TEST_F(DiskScanTest, DeletesTmpFilesAtEveryDepthWhateverTheirAttributes) {
  files_.AddFile("C:\\a.tmp");
  files_.AddFile("C:\\data\\B.TMP", attribute::kHidden | attribute::kReadOnly);
  files_.AddFile("C:\\data\\deep\\er\\c.tmp", attribute::kSystem);
  files_.AddFile("C:\\data\\keep.txt");
  files_.AddFolder("C:\\x.tmp");
  files_.AddFile("C:\\x.tmp\\inside.tmp");
  // Short-name matches are not *.tmp files.
  files_.AddFile("C:\\docs\\report.tmpl");
  files_.AddFile("C:\\docs\\notes.tmp.txt");
  EXPECT_EQ(ScanSystemDiskTempFiles(files_, progress_), 4);
  EXPECT_FALSE(files_.Exists("C:\\data\\B.TMP"));
  EXPECT_FALSE(files_.Exists("C:\\data\\deep\\er\\c.tmp"));
  EXPECT_TRUE(files_.Exists("C:\\x.tmp"));
  EXPECT_TRUE(files_.Exists("C:\\data\\keep.txt"));
  EXPECT_TRUE(files_.Exists("C:\\docs\\report.tmpl"));
  EXPECT_TRUE(files_.Exists("C:\\docs\\notes.tmp.txt"));
  EXPECT_EQ(progress_.counts, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(progress_.finished, 1);
}

TEST_F(DiskScanTest, AFileInUseStaysWithItsAttributes) {
  const std::uint32_t guarded = attribute::kHidden | attribute::kReadOnly;
  files_.AddFile("C:\\busy.tmp", guarded);
  files_.Lock("C:\\busy.tmp");
  EXPECT_EQ(ScanSystemDiskTempFiles(files_, progress_), 0);
  EXPECT_EQ(files_.Attributes("C:\\busy.tmp"), guarded);
  EXPECT_TRUE(progress_.counts.empty());
}

TEST_F(DiskScanTest, NeverFollowsJunctions) {
  files_.AddFile("C:\\data\\a.tmp");
  files_.AddJunction("C:\\data\\loop", "C:\\data");
  files_.AddJunction("C:\\data\\elsewhere", "D:\\");
  files_.AddFile("D:\\other.tmp");
  EXPECT_EQ(ScanSystemDiskTempFiles(files_, progress_), 1);
  EXPECT_TRUE(files_.Exists("D:\\other.tmp"));
  for (const auto& search : files_.searches()) {
    EXPECT_EQ(search.find("loop"), std::string::npos) << search;
  }
}

TEST_F(DiskScanTest, AStopEndsTheWholeScanAtOnce) {
  for (int i = 0; i < 5; ++i) {
    files_.AddFile("C:\\one\\" + std::to_string(i) + ".tmp");
    files_.AddFile("C:\\one\\deeper\\" + std::to_string(i) + ".tmp");
    files_.AddFile("C:\\two\\" + std::to_string(i) + ".tmp");
  }
  // Stop tests: after listing C:\, then after each deleted file in C:\one.
  progress_.stop_when = [](int stop_tests) { return stop_tests == 3; };
  EXPECT_EQ(ScanSystemDiskTempFiles(files_, progress_), 2);
  EXPECT_TRUE(files_.Exists("C:\\one\\deeper\\0.tmp"));
  EXPECT_TRUE(files_.Exists("C:\\two\\0.tmp"));
  EXPECT_EQ(progress_.finished, 1);
  const auto searched = files_.searches();
  EXPECT_EQ(searched.back(), "C:\\one\\*.*");
}

TEST_F(DiskScanTest, EachFolderIsListedOnceFilesBeforeSubfolders) {
  files_.AddFile("C:\\top\\z.tmp");
  files_.AddFile("C:\\top\\a\\1.tmp");
  files_.AddFile("C:\\top\\b\\2.tmp");
  DeleteTmpFilesUnder(files_, "C:\\top", progress_);
  EXPECT_EQ(files_.searches(),
            (std::vector<std::string>{"C:\\top\\*.*", "C:\\top\\a\\*.*", "C:\\top\\b\\*.*"}));
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

TEST_F(DiskScanTest, AVeryDeepTreeIsWalkedWithoutRecursion) {
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

// Only a missing shell library is said in a message.
TEST(EmptyRecycleBin, SucceedsOnlyWhenTheBinsAreEmptyAfterwards) {
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
}

TEST(ClearClipboard, ReportsAClipboardHeldByAnotherProgram) {
  FakeShell shell;
  EXPECT_TRUE(ClearClipboard(shell));
  shell.clipboard_free = false;
  EXPECT_FALSE(ClearClipboard(shell));
}

}  // namespace
}  // namespace tidora::system
