// The cleaners' routines on the fakes: what goes, what stays, and only what went is counted.

#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <optional>

#include "browser/autocomplete_cleaner.h"
#include "browser/ie_cleaners.h"
#include "browser/netscape_cleaner.h"
#include "cleaning/shared_routines.h"
#include "office/office_cleaners.h"
#include "system/windows_cleaners.h"
#include "tests/contract/shell_contract.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/headless_control_set.h"

namespace tidora::testing {
namespace {

using namespace system;
using namespace office;
using platform::ValueType;
using Paths = std::vector<std::string>;
namespace attribute = platform::attribute;
constexpr auto kUser = platform::RegistryRoot::CurrentUser;

struct FakeShellEnvironment {
  platform::Shell& shell() { return shell_.application_data_folder = "C:\\me\\Roaming", shell_; }
  std::string profile() { return "C:\\me"; }
  FakeShell shell_;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ShellContract, FakeShellEnvironment);

// Records the counts shown, and asks for a stop at the stop test numbered stop_at.
struct Progress final : cleaning::CleanerProgress {
  void ShowCount(int count) override { counts.push_back(count); }
  bool StopRequested() override { return ++stop_tests == stop_at; }
  void Finish() override { ++finished; }
  std::vector<int> counts;
  int stop_tests = 0, stop_at = 0, finished = 0;
};

void Put(FakeRegistry& registry, const std::string& key, const char* name, std::string data = "x",
         ValueType type = ValueType::String) {
  registry.SetValue(kUser, key, name, type, std::move(data));
}
void Home(FakeRegistry& registry, const char* drive, const char* path) {
  Put(registry, "Volatile Environment", "HOMEDRIVE", drive);
  Put(registry, "Volatile Environment", "HOMEPATH", path);
}
void AddFiles(FakeFileSystem& files, const std::string& folder, const Paths& names,
              std::uint32_t attributes = attribute::kArchive) {
  for (const auto& name : names) files.AddFile(folder + name, attributes);
}
void ExpectKept(FakeFileSystem& files, const std::string& folder, const Paths& names) {
  for (const auto& name : names) EXPECT_TRUE(files.Exists(folder + name)) << name;
}

TEST(WindowsLists, RunAndFindHistoryLoseTheirValuesAndKeepEverythingElse) {
  FakeRegistry registry;
  EXPECT_EQ(CleanFindHistory(registry), 0);
  for (const char* name : {"a", "b", "MRUList"}) Put(registry, kRunMruKey, name);
  EXPECT_EQ(CleanRunHistory(registry), 3);
  EXPECT_TRUE(registry.KeyExists(kUser, kRunMruKey));
  EXPECT_EQ(CleanRunHistory(registry), 0);
  Put(registry, kRunMruKey, "a");
  registry.RefuseFullAccess(kUser, kRunMruKey);
  EXPECT_EQ(CleanRunHistory(registry), 0);
  const std::string bar = std::string(kExplorerBarsKey) + "\\{C4EE31F3}";
  for (const char* name : {"a", "b"}) Put(registry, bar + "\\FilesNamedMRU", name);
  Put(registry, bar + "\\ContainingTextMRU", "a");
  Put(registry, bar, "Setting");
  Put(registry, std::string(kExplorerBarsKey) + "\\{OTHER}\\Unrelated", "keep");
  registry.Create(kUser, std::string(kExplorerBarsKey) + "\\{EMPTY}");
  Put(registry, std::string(kExplorerBarsKey) + "\\{LOCKED}\\FilesNamedMRU", "a");
  registry.RefuseFullAccess(kUser, std::string(kExplorerBarsKey) + "\\{LOCKED}");
  EXPECT_EQ(CleanFindHistory(registry), 3);
  EXPECT_TRUE(registry.KeyExists(kUser, bar + "\\FilesNamedMRU"));
  EXPECT_EQ(registry.Open(kUser, bar)->ValueNames(), Paths{"Setting"});
  EXPECT_EQ(
      registry.Open(kUser, std::string(kExplorerBarsKey) + "\\{OTHER}\\Unrelated")->ValueNames(),
      Paths{"keep"});
}

// The shell's folder comes first, then the profile's; an unknown profile never means the root.
TEST(RecentDocuments, ComeFromTheShellAndCountOnlyWhatWasDeleted) {
  FakeFileSystem files;
  FakeRegistry registry, no_profile;
  FakeShell shell;
  const std::string recent = "C:\\users\\me\\Recent\\";
  AddFiles(files, recent, {"report.lnk", "AutomaticDestinations\\x.ms"});
  AddFiles(files, recent, {"hidden.lnk"}, attribute::kHidden);
  AddFiles(files, recent, {"pinned.lnk"}, attribute::kReadOnly);
  files.AddFile("C:\\Recent\\mine.doc");
  Home(registry, "C:", "\\users\\me");
  EXPECT_EQ(RecentDocumentsFolder(shell, no_profile), "");
  EXPECT_EQ(CleanRecentDocuments(files, ""), 0);
  EXPECT_TRUE(files.searches().empty());
  shell.recent_folder = "C:\\AppData\\Recent";
  EXPECT_EQ(RecentDocumentsFolder(shell, registry), shell.recent_folder);
  shell.recent_folder.clear();
  ASSERT_EQ(RecentDocumentsFolder(shell, registry) + "\\", recent);
  EXPECT_EQ(CleanRecentDocuments(files, recent.substr(0, recent.size() - 1)), 2);
  EXPECT_FALSE(files.Exists(recent + "hidden.lnk"));
  ExpectKept(files, recent, {"pinned.lnk", "AutomaticDestinations\\x.ms"});
  EXPECT_TRUE(files.Exists("C:\\Recent\\mine.doc"));
}

// Expandable data comes as stored; a missing, locked or hostile key gives no made-up folder.
TEST(UserProfileFolder, JoinsHomeDriveAndHomePathOrIsEmpty) {
  // clang-format off
  struct { const char* drive; std::optional<ValueType> path_type; bool locked; const char* folder; } cases[] = {
      {"C:", ValueType::ExpandString, false, "C:\\users\\%USERNAME%"}, {"D:", std::nullopt, false, "D:"},
      {"C:", ValueType::String, true, ""}, {"C:", ValueType::Dword, false, ""}, {nullptr, std::nullopt, false, ""}};
  // clang-format on
  for (const auto& c : cases) {
    FakeRegistry registry;
    if (c.drive) Put(registry, "Volatile Environment", "HOMEDRIVE", c.drive);
    if (c.path_type == ValueType::Dword)
      registry.SetValue(kUser, "Volatile Environment", "HOMEPATH", ValueType::Dword, 5u);
    else if (c.path_type)
      Put(registry, "Volatile Environment", "HOMEPATH", "\\users\\%USERNAME%", *c.path_type);
    if (c.locked) registry.RefuseFullAccess(kUser, "Volatile Environment");
    EXPECT_EQ(cleaning::UserProfileFolder(registry), c.folder) << c.folder;
  }
}

// Read-only and locked files stay uncounted; subfolders and links are never entered; an empty
// folder text never searches the root; a broken listing keeps the count so far.
TEST(DeleteFilesInFolder, DeletesWhatIsDirectlyInsideOnly) {
  FakeFileSystem files;
  AddFiles(files, "C:\\work\\", {"plain.txt", "locked.txt", "sub\\deeper\\x.tmp"});
  AddFiles(files, "C:\\work\\", {"hidden.dat", "system.sys"},
           attribute::kHidden | attribute::kSystem);
  AddFiles(files, "C:\\work\\", {"readonly.txt"}, attribute::kReadOnly);
  files.AddFile("C:\\elsewhere\\precious.doc");
  files.Lock("C:\\work\\locked.txt");
  files.AddJunction("C:\\work\\link", "C:\\elsewhere");
  EXPECT_EQ(cleaning::DeleteFilesInFolder(files, ""), 0);
  EXPECT_TRUE(files.searches().empty());
  EXPECT_EQ(cleaning::DeleteFilesInFolder(files, "C:\\nowhere"), 0);
  EXPECT_EQ(cleaning::DeleteFilesInFolder(files, "C:\\work\\"), 3);
  ExpectKept(files, "C:\\",
             {"work\\readonly.txt", "work\\locked.txt", "work\\sub\\deeper\\x.tmp",
              "elsewhere\\precious.doc"});
  AddFiles(files, "C:\\work\\", {"a.txt", "b.txt"});
  files.FailListing("C:\\work", 1);
  EXPECT_EQ(cleaning::DeleteFilesInFolder(files, "C:\\work"), 1);
  files.set_temp_folder(" C:\\work\\ \r\n");
  EXPECT_EQ(CleanTempFolder(files), 1);
  files.set_temp_folder("");
  const auto searched = files.searches().size();
  EXPECT_EQ(CleanTempFolder(files), 0);
  EXPECT_EQ(files.searches().size(), searched);
}

// "report.tmpl" matches *.tmp by its short name only; a file in use keeps its attributes; links
// (to the folder itself, to another drive) are never entered.
TEST(DiskScan, DeletesTmpFilesAtEveryDepthWhateverTheirAttributes) {
  FakeFileSystem files;
  Progress progress;
  const std::uint32_t guarded = attribute::kHidden | attribute::kReadOnly;
  AddFiles(
      files, "C:\\",
      {"a.tmp", "x.tmp\\inside.tmp", "data\\keep.txt", "docs\\report.tmpl", "docs\\n.tmp.txt"});
  files.AddFile("D:\\o.tmp");
  AddFiles(files, "C:\\", {"data\\B.TMP", "busy.tmp"}, guarded);
  AddFiles(files, "C:\\", {"data\\deep\\er\\c.tmp"}, attribute::kSystem);
  files.Lock("C:\\busy.tmp");
  files.AddJunction("C:\\data\\loop", "C:\\data");
  files.AddJunction("C:\\data\\elsewhere", "D:\\");
  EXPECT_EQ(ScanSystemDiskTempFiles(files, progress), 4);
  EXPECT_FALSE(files.Exists("C:\\data\\B.TMP") || files.Exists("C:\\data\\deep\\er\\c.tmp"));
  ExpectKept(files, "C:\\", {"x.tmp", "data\\keep.txt", "docs\\report.tmpl", "docs\\n.tmp.txt"});
  EXPECT_TRUE(files.Exists("D:\\o.tmp"));
  EXPECT_EQ(files.Attributes("C:\\busy.tmp"), guarded);
  for (const auto& search : files.searches()) EXPECT_EQ(search.find("loop"), std::string::npos);
  EXPECT_EQ(progress.counts, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(progress.finished, 1);
  files.set_windows_folder("");
  EXPECT_EQ(ScanSystemDiskTempFiles(files, progress), 0);
  EXPECT_EQ(progress.finished, 2);
}

TEST(DiskScan, AStopEndsTheWholeScanAtOnce) {
  FakeFileSystem files;
  Progress progress;
  for (const char* folder : {"C:\\one\\", "C:\\one\\deeper\\", "C:\\two\\"})
    AddFiles(files, folder, {"0.tmp", "1.tmp", "2.tmp"});
  progress.stop_at = 3;  // after listing C:\, then after each deleted file in C:\one
  EXPECT_EQ(ScanSystemDiskTempFiles(files, progress), 2);
  ExpectKept(files, "C:\\", {"one\\deeper\\0.tmp", "two\\0.tmp"});
  EXPECT_EQ(progress.finished, 1);
  EXPECT_EQ(files.searches().back(), "C:\\one\\*.*");
}

// On a thread with a small stack a walk that recursed per level would overflow; each folder is
// listed once, its files before its subfolders.
TEST(DiskScan, AVeryDeepTreeIsWalkedWithoutRecursion) {
  FakeFileSystem files;
  Progress progress;
  AddFiles(files, "C:\\top\\", {"z.tmp", "a\\1.tmp", "b\\2.tmp"});
  DeleteTmpFilesUnder(files, "C:\\top", progress);
  EXPECT_EQ(files.searches(), (Paths{"C:\\top\\*.*", "C:\\top\\a\\*.*", "C:\\top\\b\\*.*"}));
  std::string folder = "C:";
  for (int depth = 0; depth < 1500; ++depth) folder += "\\d";
  files.AddFile(folder + "\\bottom.tmp");
  int deleted = 0;
  std::function<void()> work = [&] { deleted = DeleteTmpFilesUnder(files, "C:\\d", progress); };
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 128 * 1024);
  pthread_t thread;
  auto run = [](void* data) -> void* {
    return (*static_cast<std::function<void()>*>(data))(), nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, &work), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
  EXPECT_EQ(deleted, 1);
}

// Only a missing shell library is said in a message; a clipboard held elsewhere is a failure.
TEST(EmptyRecycleBinAndClipboard, SucceedOnlyWhenEmptyAfterwards) {
  using O = platform::RecycleBinOutcome;
  FakeShell shell;
  std::string results;
  for (const auto outcome : {O::kEmptied, O::kAlreadyEmpty, O::kFailed, O::kLibraryMissing})
    results += (shell.recycle_bin_outcome = outcome, EmptyRecycleBin(shell)) ? "1" : "0";
  results += ClearClipboard(shell) ? "1" : "0";
  shell.clipboard_free = false;
  results += ClearClipboard(shell) ? "1" : "0";
  EXPECT_EQ(results, "110010");
  EXPECT_EQ(shell.messages, Paths{std::string("Tidora: ") + kShellLibraryMissing});
}

TEST(CloseInternetExplorer, AsksOnceClosesEachFrameOnceAndWaitsTenSecondsAtMost) {
  // clang-format off
  struct { Paths windows; bool yes, ignored; std::vector<platform::WindowId> posted; int paused_ms; } cases[] = {
      {{"Shell_TrayWnd"}, true, false, {}, 0}, {{"IEFrame"}, false, false, {}, 0},
      {{"IEFrame", "Notepad", "ieframe"}, true, false, {1, 3}, 100}, {{"ieframe"}, true, true, {1}, 10000}};
  // clang-format on
  for (const auto& c : cases) {
    HeadlessControlSet controls;
    FakeShell shell;
    shell.open_windows = c.windows;
    shell.answer_yes = c.yes;
    shell.windows_ignore_close = c.ignored;
    browser::CloseInternetExplorer(controls, shell);
    EXPECT_EQ(shell.questions.size(), c.windows[0] != "Shell_TrayWnd");
    EXPECT_EQ(shell.posted_to, c.posted);
    EXPECT_EQ(shell.paused_ms, c.paused_ms);
  }
}

TEST(WipeRegistryKey, EmptiesKeysThatRefuseDeletionByTheirListedNamesAndSkipsLinks) {
  FakeRegistry registry;
  const std::string key = browser::kProtectedStorageKey;
  for (std::string subkey : {"", "\\Data ", "\\Back"}) {
    for (const char* name : {"a", "b", "c"}) Put(registry, key + subkey, name);
    registry.RefuseDeletion(kUser, key + subkey);
  }
  registry.MakeLink(kUser, key + "\\Back");
  Progress progress;
  EXPECT_EQ(browser::WipeRegistryKey(registry, kUser, key, progress), 6);
  EXPECT_EQ(registry.Open(kUser, key + "\\Back")->ValueNames().size(), 3u);
}

// Profile names are used untrimmed, read-only files and links are left, Stop ends the walk.
TEST(NetscapeMozilla, ListedProfilesAreCleanedAsNamedAndOnlyWhatWentCounts) {
  FakeFileSystem files;
  HeadlessControlSet controls;
  files.AddFolder("C:\\M\\a", attribute::kHidden);
  AddFiles(files, "C:\\M\\",
           {" a\\cookies.txt", " a\\history.dat", " a\\Cache\\1", " a\\x.s", " a\\Y.W",
            " a\\f.s\\in.w", "a\\cookies.txt", "n.txt", "p\\cookies.txt", "p\\history.dat"},
           attribute::kHidden);
  files.SetAttributes("C:\\M\\ a\\history.dat", attribute::kReadOnly);
  files.AddJunction("C:\\M\\link", "C:\\M\\a");
  files.AddJunction("C:\\M\\b\\Cache", "C:\\M\\a");
  Progress stopped, progress;
  stopped.stop_at = 1;  // after the first profile's own files
  EXPECT_EQ(browser::CleanNetscapeMozilla(files, "C:\\M", controls, stopped), 1);
  controls.SetTicked(ui::ControlId::NsHistory, false);
  EXPECT_EQ(browser::CleanNetscapeMozilla(files, "C:\\M", controls, progress), 4);
  EXPECT_EQ(stopped.finished * 10 + progress.finished, 1);
  ExpectKept(files, "C:\\M\\",
             {" a\\history.dat", " a\\f.s\\in.w", "a\\cookies.txt", "p\\history.dat"});
}

TEST(OfficeRecentFolder, IsTheShellsFolderElseThePlatformsButNeverBelowADriveRoot) {
  // clang-format off
  struct { std::uint32_t platform; const char *shell, *home_path, *windows, *recent; } cases[] = {
      {2, "D:\\u", "\\me", "", "D:\\u\\Microsoft\\Office\\Recent"},
      {2, "", "\\me", "", "C:\\me\\Application Data\\Microsoft\\Office\\Recent"},
      {2, "", "", "C:\\W", ""},
      {1, "", "", " C:\\W ", "C:\\W\\Application Data\\Microsoft\\Office\\Recent"},
      {0, "D:\\u", "\\me", "C:\\W", ""}};
  // clang-format on
  for (const auto& c : cases) {
    FakeSystemInfo system(c.platform);
    FakeShell shell;
    shell.application_data_folder = c.shell;
    FakeRegistry registry;
    Home(registry, "C:", c.home_path);
    FakeFileSystem files;
    files.set_windows_folder(c.windows);
    EXPECT_EQ(OfficeRecentFolder(system, shell, registry, files), c.recent);
  }
}

// Lists under "Mircosoft Word" count too; only the last version goes, up to the first gap, and
// only with the Office key present.
TEST(OfficeLists, EachProgramsGoForTheLastVersionOnlyUpToTheFirstGapAndWithTheOfficeKey) {
  FakeRegistry registry;
  auto put = [&](const std::string& key, const char* name) {
    registry.Create(kUser, key)->WriteString(name, "");
  };
  for (const std::string office :
       {"Software\\Microsoft\\Office\\8.0\\", "Software\\Microsoft\\Office\\10.0\\"}) {
    for (const char* list : {"Microsoft Word", "Mircosoft Word", "Microsoft Excel",
                             "Microsoft Access", "Microsoft Outlook"}) {
      put(office + "Common\\Open Find\\" + list + "\\Settings\\Open\\File Name MRU", "Value");
      put(office + "Common\\Open Find\\" + list + "\\Settings\\Find", "Value");  // not a list
    }
    put(office + "Word\\Data", "Settings");
    put(office + "Excel\\Recent Files\\Sub", "1");
    for (const char* name : {"MRU1", "MRU2", "MRU4"}) put(office + "Access\\Settings", name);
  }
  put(std::string(kFrontPageExplorerKey) + "\\Recent Web List", "1");
  put(std::string(kPhotoEditorKey) + "\\2.0\\Microsoft Photo Editor", "LastFile1");
  for (const char* name : {"LastFile1", "LastFile2", "LastFile4"})
    put(std::string(kPhotoEditorKey) + "\\3.0\\Microsoft Photo Editor", name);
  using enum OfficeProgram;
  const std::vector<int> removed = {
      CleanOfficeMru(registry, kWord),    CleanOfficeMru(registry, kExcel),
      CleanOfficeMru(registry, kOutlook), CleanOfficeMru(registry, kAccess),
      CleanOfficeMru(registry, kAccess),  CleanOfficeMru(registry, kFrontPage),
      CleanPhotoEditorMru(registry),      CleanOfficeMru(registry, kWord)};
  EXPECT_EQ(removed, (std::vector<int>{3, 2, 0, 3, 0, 1, 2, 0}));
  EXPECT_TRUE(registry.KeyExists(kUser, "Software\\Microsoft\\Office\\8.0\\Excel\\Recent Files"));
  registry.DeleteTree(kUser, kOfficeKey);
  put(std::string(kFrontPageExplorerKey) + "\\Recent Page List", "1");
  EXPECT_EQ(CleanOfficeMru(registry, kFrontPage), 0);
}

}  // namespace
}  // namespace tidora::testing
