// The features on fakes: what each cleaner removes, keeps and counts, and the panels that run them.

#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

#include "browser/autocomplete_cleaner.h"
#include "browser/ie_cleaners.h"
#include "browser/netscape_cleaner.h"
#include "cleaning/shared_routines.h"
#include "composition/features.h"
#include "extensions/extension_lists.h"
#include "office/office_cleaners.h"
#include "platform/sqlite/sqlite_database.h"
#include "system/windows_cleaners.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/fake_url_cache.h"
#include "tests/support/headless_control_set.h"
#include "ui/main_form.h"

namespace tidora::testing {
namespace {

using namespace system;
using namespace office;
using namespace cleaning;
using Id = ui::ControlId;
using Rows = std::vector<std::string>;
using Data = FakeRegistry::Data;
using T = platform::ValueType;
using V = platform::RegistryView;
namespace attribute = platform::attribute;
constexpr auto CU = platform::RegistryRoot::CurrentUser, LM = platform::RegistryRoot::LocalMachine;

struct Progress final : CleanerProgress {
  void ShowCount(int) override {}
  bool StopRequested() override { return ++stop_tests == stop_at; }
  void Finish() override { ++finished; }
  int stop_tests = 0, stop_at = 0, finished = 0;
};

struct Fakes {
  void Set(platform::RegistryRoot root, const std::string& key, const char* name, Data data,
           V view = V::kDefault, T type = T::String) {
    if (std::holds_alternative<std::uint32_t>(data)) type = T::Dword;
    registry.SetValue(root, key, name, type, std::move(data), view);
  }
  void Put(const std::string& key, const char* name, std::string data = "x", T type = T::String) {
    Set(CU, key, name, std::move(data), V::kDefault, type);
  }
  void Home(const char* path) {
    Put("Volatile Environment", "HOMEDRIVE", "C:");
    Put("Volatile Environment", "HOMEPATH", path);
  }
  void Add(const std::string& folder, const Rows& names,
           std::uint32_t attributes = attribute::kArchive) {
    for (const auto& name : names) files.AddFile(folder + name, attributes);
  }
  void ExpectKept(const std::string& folder, const Rows& names) {
    for (const auto& name : names) EXPECT_TRUE(files.Exists(folder + name)) << name;
  }
  Fakes() {  // as on a machine without Netscape and Office; tests that want them enable them
    controls.SetEnabled(Id::groupNetscape, false);
    controls.SetEnabled(Id::groupOffice, false);
  }
  FakeRegistry registry;
  FakeFileSystem files;
  FakeShell shell;
  FakeSystemInfo system;
  FakeUrlCache cache;
  sqlite::SqliteOpener databases;
  HeadlessControlSet controls;
  Progress progress;
};
struct Machine : ::testing::Test, Fakes {};

TEST_F(Machine, RunAndFindHistoryLoseTheirValuesAndKeepEverythingElse) {
  EXPECT_EQ(CleanFindHistory(registry), 0);
  for (const char* name : {"a", "b", "MRUList"}) Put(kRunMruKey, name);
  EXPECT_EQ(CleanRunHistory(registry), 3);
  EXPECT_TRUE(registry.KeyExists(CU, kRunMruKey));
  Put(kRunMruKey, "a");
  registry.RefuseFullAccess(CU, kRunMruKey);
  EXPECT_EQ(CleanRunHistory(registry), 0);
  const std::string bars = std::string(kExplorerBarsKey) + "\\", bar = bars + "{C4EE31F3}";
  for (const char* name : {"a", "b"}) Put(bar + "\\FilesNamedMRU", name);
  Put(bar + "\\ContainingTextMRU", "a");
  Put(bar, "Setting");
  Put(bars + "{OTHER}\\Unrelated", "keep");
  Put(bars + "{LOCKED}\\FilesNamedMRU", "a");
  registry.RefuseFullAccess(CU, bars + "{LOCKED}");
  EXPECT_EQ(CleanFindHistory(registry), 3);
  EXPECT_TRUE(registry.KeyExists(CU, bar + "\\FilesNamedMRU"));
  EXPECT_EQ(registry.Open(CU, bar)->ValueNames(), Rows{"Setting"});
  EXPECT_EQ(registry.Open(CU, bars + "{OTHER}\\Unrelated")->ValueNames(), Rows{"keep"});
}

// The shell's folder comes first, then the profile's; an unknown profile never means the root.
TEST_F(Machine, RecentDocumentsComeFromTheShellAndCountOnlyWhatWasDeleted) {
  Add("C:\\me\\Recent\\", {"a.lnk", "Sub\\x.ms", "hidden.lnk"}, attribute::kHidden);
  Add("C:\\me\\Recent\\", {"pinned.lnk"}, attribute::kReadOnly);
  EXPECT_EQ(RecentDocumentsFolder(shell, registry).Path(), "");
  EXPECT_EQ(CleanRecentDocuments(files, {}), 0);
  EXPECT_TRUE(files.searches().empty());
  Home("\\me");
  shell.recent_folder = "C:\\AppData\\Recent";
  EXPECT_EQ(RecentDocumentsFolder(shell, registry).Path(), shell.recent_folder);
  shell.recent_folder.clear();
  EXPECT_EQ(CleanRecentDocuments(files, RecentDocumentsFolder(shell, registry)), 2);
  ExpectKept("C:\\me\\Recent\\", {"pinned.lnk", "Sub\\x.ms"});
}

// Expandable data comes as stored; a missing, locked or hostile key gives no made-up folder.
TEST(UserProfileFolder, JoinsHomeDriveAndHomePathOrIsEmpty) {
  // clang-format off
  struct { const char* drive; std::optional<Data> path; T type; bool locked; const char* folder; } cases[] = {
      {"C:", "\\users\\%USERNAME%", T::ExpandString, false, "C:\\users\\%USERNAME%"}, {"D:", {}, T::String, false, "D:"},
      {"C:", "\\me", T::String, true, ""}, {"C:", 5u, T::Dword, false, ""}, {nullptr, {}, T::String, false, ""}};
  // clang-format on
  for (const auto& c : cases) {
    Fakes f;
    if (c.drive) f.Put("Volatile Environment", "HOMEDRIVE", c.drive);
    if (c.path) f.Set(CU, "Volatile Environment", "HOMEPATH", *c.path, V::kDefault, c.type);
    if (c.locked) f.registry.RefuseFullAccess(CU, "Volatile Environment");
    EXPECT_EQ(UserProfileFolder(f.registry), c.folder) << c.folder;
  }
}

// Read-only, locked, nested and linked files stay; "" never means the root; a broken list counts.
TEST_F(Machine, DeleteFilesInFolderDeletesWhatIsDirectlyInsideOnly) {
  Add("C:\\work\\", {"plain.txt", "locked.txt", "sub\\deeper\\x.tmp"});
  files.AddFile("C:\\else\\x.doc");
  Add("C:\\work\\", {"hidden.dat", "system.sys"}, attribute::kHidden | attribute::kSystem);
  Add("C:\\work\\", {"readonly.txt"}, attribute::kReadOnly);
  files.Lock("C:\\work\\locked.txt");
  files.AddJunction("C:\\work\\link", "C:\\else");
  EXPECT_EQ(DeleteFilesInFolder(files, {}), 0);
  EXPECT_TRUE(files.searches().empty());
  EXPECT_EQ(DeleteFilesInFolder(files, ReachedFolder("C:\\nowhere")), 0);
  EXPECT_EQ(DeleteFilesInFolder(files, ReachedFolder("C:\\work\\")), 3);
  ExpectKept("C:\\work\\", {"readonly.txt", "locked.txt", "sub\\deeper\\x.tmp"});
  EXPECT_TRUE(files.Exists("C:\\else\\x.doc"));
  Add("C:\\work\\", {"a.txt", "b.txt"});
  files.FailListing("C:\\work", 0);  // broken at its first entry
  EXPECT_EQ(DeleteFilesInFolder(files, ReachedFolder("C:\\work")), 0);
  files.FailListing("C:\\work", 1);
  EXPECT_EQ(DeleteFilesInFolder(files, ReachedFolder("C:\\work")), 1);
  files.set_temp_folder(" C:\\work\\ \r\n");
  EXPECT_EQ(CleanTempFolder(files), 1);
  Add("C:\\windows\\", {"win.ini", "system32\\x.dll"});
  for (const char* fallback : {"C:\\", "c:\\WINDOWS\\", "C:\\windows\\system32"}) {
    files.set_temp_folder(fallback);  // what the system names without TMP, or TMP set to a root
    EXPECT_EQ(CleanTempFolder(files), 0) << fallback;
  }
}

// "report.tmpl" matches *.tmp by its short name only; a busy file keeps its attributes; no link.
TEST_F(Machine, DiskScanDeletesTmpFilesAtEveryDepthWhateverTheirAttributes) {
  const std::uint32_t guarded = attribute::kHidden | attribute::kReadOnly;
  Add("C:\\", {"a.tmp", "x.tmp\\in.tmp", "data\\keep.txt", "docs\\report.tmpl", "docs\\n.tmp.txt"});
  Add("C:\\", {"data\\B.TMP", "busy.tmp"}, guarded);
  Add("C:\\", {"data\\deep\\er\\c.tmp"}, attribute::kSystem);
  files.AddFile("D:\\o.tmp");
  files.Lock("C:\\busy.tmp");
  files.AddJunction("C:\\data\\loop", "C:\\data");
  files.AddJunction("C:\\data\\elsewhere", "D:\\");
  EXPECT_EQ(ScanSystemDiskTempFiles(files, progress), 4);
  EXPECT_FALSE(files.Exists("C:\\data\\B.TMP") || files.Exists("C:\\data\\deep\\er\\c.tmp"));
  ExpectKept("C:\\", {"x.tmp", "data\\keep.txt", "docs\\report.tmpl", "docs\\n.tmp.txt"});
  EXPECT_TRUE(files.Exists("D:\\o.tmp"));
  EXPECT_EQ(files.Attributes("C:\\busy.tmp"), guarded);
  for (const auto& search : files.searches()) EXPECT_EQ(search.find("loop"), std::string::npos);
  EXPECT_EQ(progress.finished, 1);
  files.set_windows_folder("");
  EXPECT_EQ(ScanSystemDiskTempFiles(files, progress), 0);
  EXPECT_EQ(progress.finished, 2);
}

TEST_F(Machine, DiskScanStopsAtOnce) {
  for (const char* folder : {"C:\\one\\", "C:\\one\\deeper\\", "C:\\two\\"})
    Add(folder, {"0.tmp", "1.tmp", "2.tmp"});
  progress.stop_at = 3;  // after listing C:\, then after each deleted file in C:\one
  EXPECT_EQ(ScanSystemDiskTempFiles(files, progress), 2);
  ExpectKept("C:\\", {"one\\deeper\\0.tmp", "two\\0.tmp"});
  EXPECT_EQ(progress.finished, 1);
}

// On a thread with a small stack a walk that recursed per level would overflow.
TEST_F(Machine, DiskScanWalksAVeryDeepTreeWithoutRecursion) {
  std::string folder = "C:";
  for (int depth = 0; depth < 1500; ++depth) folder += "\\d";
  files.AddFile(folder + "\\bottom.tmp");
  int deleted = 0;
  std::function<void()> work = [&] { deleted = DeleteTmpFilesUnder(files, "C:\\d", progress); };
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 128 * 1024);
  pthread_t thread;
  auto run = [](void* w) -> void* { return (*static_cast<std::function<void()>*>(w))(), nullptr; };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, &work), 0);
  pthread_join(thread, nullptr);
  EXPECT_EQ(deleted, 1);
}

// Only a missing shell library is said in a message; a clipboard held elsewhere is a failure.
TEST_F(Machine, RecycleBinAndClipboardSucceedOnlyWhenEmptyAfterwards) {
  using O = platform::RecycleBinOutcome;
  std::string results;
  for (const auto outcome : {O::kEmptied, O::kAlreadyEmpty, O::kFailed, O::kLibraryMissing})
    results += (shell.recycle_bin_outcome = outcome, EmptyRecycleBin(shell)) ? "1" : "0";
  for (bool free : {true, false})
    results += (shell.clipboard_free = free, ClearClipboard(shell)) ? "1" : "0";
  EXPECT_EQ(results, "110010");
  EXPECT_EQ(shell.messages, Rows{std::string("Tidora: ") + kShellLibraryMissing});
}

// Every step of the wait answers the window (a stop test each): Stop ends the wait.
TEST(CloseInternetExplorer, AsksOnceClosesEachFrameOnceAndWaitsTenSecondsAtMost) {
  // clang-format off
  struct { Rows windows; bool yes, ignored; int stop_at; std::vector<platform::WindowId> posted; int paused_ms, stop_tests; } cases[] = {
      {{"Shell_TrayWnd"}, true, false, 0, {}, 0, 0}, {{"IEFrame"}, false, false, 0, {}, 0, 0},
      {{"IEFrame", "Notepad", "ieframe"}, true, false, 0, {1, 3}, 100, 1}, {{"ieframe"}, true, true, 0, {1}, 10000, 100},
      {{"ieframe"}, true, true, 3, {1}, 200, 3}};
  // clang-format on
  for (const auto& c : cases) {
    Fakes f;
    f.shell.open_windows = c.windows;
    f.shell.answer_yes = c.yes;
    f.shell.windows_ignore_close = c.ignored;
    f.progress.stop_at = c.stop_at;
    browser::CloseInternetExplorer(f.controls, f.shell, f.progress);
    EXPECT_EQ(f.shell.questions.size(), c.windows[0] != "Shell_TrayWnd");
    EXPECT_EQ(f.shell.posted_to, c.posted);
    EXPECT_EQ(f.shell.paused_ms, c.paused_ms);
    EXPECT_EQ(f.progress.stop_tests, c.stop_tests);
  }
}

TEST_F(Machine, WipeRegistryKeyEmptiesKeysThatRefuseDeletionAndSkipsLinks) {
  const std::string key = browser::kProtectedStorageKey;
  for (std::string subkey : {"", "\\Data ", "\\Back"}) {
    for (const char* name : {"a", "b", "c"}) Put(key + subkey, name);
    registry.RefuseDeletion(CU, key + subkey);
  }
  registry.MakeLink(CU, key + "\\Back");
  EXPECT_EQ(browser::WipeRegistryKey(registry, CU, key, progress), 6);
  EXPECT_EQ(registry.Open(CU, key + "\\Back")->ValueNames().size(), 3u);
}

// The 95/98/Me family keeps Protected Storage under HKLM, the NT family under HKCU.
TEST(AutoCompleteData, ProtectedStorageIsWipedUnderItsFamilysRootOnly) {
  for (const auto& [family, wiped] : {std::pair{1u, LM}, {2u, CU}, {0u, CU}}) {
    Fakes f;
    FakeSystemInfo system(family);
    for (const auto root : {CU, LM})
      f.Set(root, std::string(browser::kProtectedStorageKey) + "\\S", "a", "x");
    const int removed = browser::CleanAutoCompleteData(f.registry, system, f.progress);
    EXPECT_EQ(removed, family ? 1 : 0) << family;
    for (const auto root : {CU, LM})
      EXPECT_EQ(f.registry.KeyExists(root, browser::kProtectedStorageKey),
                !family || root != wiped);
  }
}

// Profile names are used untrimmed, read-only files and links are left, Stop ends the walk.
TEST_F(Machine, NetscapeMozillaCleansListedProfilesAsNamedAndCountsOnlyWhatWent) {
  files.AddFolder("C:\\M\\a", attribute::kHidden);
  Add("C:\\M\\",
      {" a\\cookies.txt", " a\\history.dat", " a\\Cache\\1", " a\\x.s", " a\\Y.W", " a\\f.s\\in.w",
       "a\\cookies.txt", "n.txt", "p\\cookies.txt", "p\\history.dat"},
      attribute::kHidden);
  files.SetAttributes("C:\\M\\ a\\history.dat", attribute::kReadOnly);
  files.AddJunction("C:\\M\\link", "C:\\M\\a");
  files.AddJunction("C:\\M\\b\\Cache", "C:\\M\\a");
  Progress stopped;
  stopped.stop_at = 1;  // after the first profile's own files
  EXPECT_EQ(browser::CleanNetscapeMozilla(files, ReachedFolder("C:\\M"), controls, stopped), 1);
  controls.SetTicked(Id::NsHistory, false);
  EXPECT_EQ(browser::CleanNetscapeMozilla(files, ReachedFolder("C:\\M"), controls, progress), 4);
  EXPECT_EQ(stopped.finished * 10 + progress.finished, 1);
  ExpectKept("C:\\M\\", {" a\\history.dat", " a\\f.s\\in.w", "a\\cookies.txt", "p\\history.dat"});
}

// A junction planted where a fixed name should be is never entered, wherever on the way it
// stands; a known folder the shell names is trusted as it is, even when it is a junction itself.
TEST(FixedNameFolders, AreNotEnteredThroughAJunction) {
  const std::string roaming = "C:\\me\\Roaming";
  // clang-format off
  struct { const char *app_data, *junction, *target; int removed; } cases[] = {
      {"C:\\me\\Roaming", nullptr, nullptr, 4},
      {"C:\\me\\Roaming", "C:\\me\\Roaming\\Microsoft\\Office\\Recent", "C:\\Docs", 3},
      {"C:\\me\\Roaming", "C:\\me\\Roaming\\Microsoft", "C:\\Docs\\MS", 3},
      {"C:\\me\\Roaming", "C:\\me\\Roaming\\Mozilla\\ProFiles", "C:\\Docs\\Moz", 2},
      {"C:\\me\\Roaming", "C:\\me\\Recent", "C:\\Docs", 3},
      {"C:\\Link", "C:\\Link", "C:\\Docs\\Tree", 4}};
  // clang-format on
  for (const auto& c : cases) {
    Fakes f;
    f.Home("\\me");
    f.shell.application_data_folder = c.app_data;
    for (const std::string& data : {roaming + "\\", std::string("C:\\Docs\\Tree\\")})
      f.Add(data, {"Microsoft\\Office\\Recent\\r.lnk", "Mozilla\\ProFiles\\Default\\p\\cookies.txt",
                   "Mozilla\\ProFiles\\Default\\p\\localstore.rdf"});
    f.Add("C:\\me\\Recent\\", {"r.lnk"});
    const Rows documents = {"a.doc", "MS\\Office\\Recent\\a.doc", "Moz\\Default\\p\\cookies.txt"};
    f.Add("C:\\Docs\\", documents);
    if (c.junction) f.files.AddJunction(c.junction, c.target);
    const int removed =
        CleanOfficeRecentFolder(f.system, f.shell, f.registry, f.files) +
        browser::CleanNetscapeMozilla(
            f.files, browser::MozillaProfileRoot(f.system, f.shell, f.registry, f.files),
            f.controls, f.progress) +
        CleanRecentDocuments(f.files, RecentDocumentsFolder(f.shell, f.registry));
    EXPECT_EQ(removed, c.removed) << (c.junction ? c.junction : "none");
    f.ExpectKept("C:\\Docs\\", documents);
  }
}

TEST(OfficeRecentFolder, IsTheShellsFolderElseThePlatformsButNeverBelowADriveRoot) {
  // clang-format off
  struct { std::uint32_t platform; const char *shell, *home_path, *windows, *recent; } cases[] = {
      {2, "D:\\u", "\\me", "", "D:\\u\\Microsoft\\Office\\Recent"}, {2, "", "", "C:\\W", ""}, {0, "D:\\u", "\\me", "C:\\W", ""},
      {2, "", "\\me", "", "C:\\me\\Application Data\\Microsoft\\Office\\Recent"},
      {1, "", "", " C:\\W ", "C:\\W\\Application Data\\Microsoft\\Office\\Recent"}};
  // clang-format on
  for (const auto& c : cases) {
    Fakes f;
    FakeSystemInfo system(c.platform);
    f.shell.application_data_folder = c.shell;
    f.Home(c.home_path);
    f.files.set_windows_folder(c.windows);
    EXPECT_EQ(OfficeRecentFolder(system, f.shell, f.registry, f.files).Path(), c.recent);
  }
}

// "Mircosoft Word" lists count too; only the last version goes, up to the first gap.
TEST_F(Machine, OfficeListsGoForTheLastVersionOnlyUpToTheFirstGapAndWithTheOfficeKey) {
  for (const std::string office :
       {"Software\\Microsoft\\Office\\8.0\\", "Software\\Microsoft\\Office\\10.0\\"}) {
    for (const char* list : {"Microsoft Word", "Mircosoft Word", "Microsoft Excel",
                             "Microsoft Access", "Microsoft Outlook"}) {
      Put(office + "Common\\Open Find\\" + list + "\\Settings\\Open\\File Name MRU", "Value");
      Put(office + "Common\\Open Find\\" + list + "\\Settings\\Find", "Value");  // not a list
    }
    Put(office + "Word\\Data", "Settings");
    Put(office + "Excel\\Recent Files\\Sub", "1");
    Put(office + "PowerPoint\\Recent File List", "File1");
    Put(office + "PowerPoint\\Options", "Setting");
    for (const char* name : {"MRU1", "MRU2", "MRU4"}) Put(office + "Access\\Settings", name);
  }
  Put(std::string(kFrontPageExplorerKey) + "\\Recent Web List", "1");
  Put(std::string(kPhotoEditorKey) + "\\2.0\\Microsoft Photo Editor", "LastFile1");
  for (const char* name : {"LastFile1", "LastFile2", "LastFile4"})
    Put(std::string(kPhotoEditorKey) + "\\3.0\\Microsoft Photo Editor", name);
  using enum OfficeProgram;
  std::vector<int> removed;
  for (auto program : {kWord, kExcel, kPowerPoint, kOutlook, kAccess, kAccess, kFrontPage, kWord})
    removed.push_back(CleanOfficeMru(registry, program));
  removed.push_back(CleanPhotoEditorMru(registry));
  EXPECT_EQ(removed, (std::vector<int>{3, 2, 1, 0, 3, 0, 1, 0, 2}));
  EXPECT_TRUE(registry.KeyExists(CU, "Software\\Microsoft\\Office\\8.0\\Excel\\Recent Files"));
  EXPECT_TRUE(registry.KeyExists(CU, "Software\\Microsoft\\Office\\10.0\\PowerPoint\\Options"));
  registry.DeleteTree(CU, kOfficeKey);
  Put(std::string(kFrontPageExplorerKey) + "\\Recent Page List", "1");
  EXPECT_EQ(CleanOfficeMru(registry, kFrontPage), 0);
}

// Each row's count and the first letter of its status (Finished, Pending); "=" and the total.
std::string Results(HeadlessControlSet& controls) {
  std::string rows;
  for (int row = 1; row + 1 < controls.RowCount(Id::sgResultList); ++row)
    rows += controls.Cell(Id::sgResultList, row, 1) + controls.Cell(Id::sgResultList, row, 2)[0];
  return rows + "=" + controls.Caption(Id::TotalResult);
}

// Cleaners that return what a test says, and record what the run asked of them.
struct ScriptedCleaners final : Cleaners {
  bool Available(CleanerId id) const override { return !unavailable.count(id); }
  int Clean(CleanerId id, CleanerProgress& progress) override {
    called.push_back(id);
    return scripts.count(id) ? scripts[id](progress) : 2;
  }
  void BeginRun(RunKind kind) override { kinds.push_back(kind), removed = {}; }
  void EndRun() override { ++ended; }
  RemovedFiles Removed() const override { return removed; }
  bool BeforeItems(CleanerProgress&, RunKind) override { return browser_open; }
  std::map<CleanerId, std::function<int(CleanerProgress&)>> scripts;
  std::set<CleanerId> unavailable;
  std::vector<CleanerId> called;
  std::vector<RunKind> kinds;
  RemovedFiles removed;
  int ended = 0;
  bool browser_open = false;
};

struct CleaningRunTest : Machine {
  CleaningRunTest() {
    controls.OnClick([this](Id id) { form.HandleClick(id) || run.HandleClick(id); });
  }
  void TickOnly(std::initializer_list<Id> ticked) {
    for (const auto& item : CleaningItems())
      if (item.block != Block::kNetscape) controls.SetTicked(item.gate, false);
    for (Id id : ticked) controls.SetTicked(id, true);
  }
  int BarAtLastStopTest() {  // where the run stood after the last item
    int b = -1;
    controls.WhenInputIsDispatched([&](int) { b = controls.Position(Id::CleanResultProgressBar); });
    run.bntCleanNowClick();
    return b;
  }
  int Navigation() {  // the navigation buttons go together: 0 or 5 enabled
    const Id buttons[] = {Id::bntTraceCleaner, Id::bntIERepair, Id::bntToolsMenu, Id::bntClose,
                          Id::bntAbout};
    return std::ranges::count_if(buttons, [&](Id id) { return controls.Enabled(id); });
  }
  ui::MainForm form{controls, registry, shell};
  ScriptedCleaners cleaners;
  CleaningRun run{controls, cleaners};
};

// Unavailable or disabled items write no row; the bar still takes the steps of enabled groups.
TEST_F(CleaningRunTest, WithNothingTickedTheBarEndsAfterTheEnabledGroups) {
  for (const auto& [netscape, office, last] :
       {std::tuple{true, true, 100}, {false, true, 80}, {true, false, 72}}) {
    controls.SetEnabled(Id::groupNetscape, netscape);
    controls.SetEnabled(Id::groupOffice, office);
    cleaners.unavailable = {CleanerId::kNetscapeMozilla};
    TickOnly({});
    EXPECT_EQ(BarAtLastStopTest(), last);
    EXPECT_EQ(Results(controls), "=0");
    EXPECT_EQ(controls.Position(Id::CleanResultProgressBar), 100);
    EXPECT_EQ(controls.Caption(Id::bntStopFinish), "Finished");
    EXPECT_EQ(Navigation(), 5);
    EXPECT_TRUE(cleaners.called.empty());
    EXPECT_EQ(controls.VisiblePanels(), std::vector<Id>{Id::CleanResult});
    controls.Click(Id::bntStopFinish);  // "Finished" returns to the items
    EXPECT_EQ(controls.VisiblePanels(), std::vector<Id>{Id::CleanItems});
  }
}

// "Pending" until a cleaner ends; an enabled Netscape group writes a row even with no box ticked.
TEST_F(CleaningRunTest, RowsFollowTheTableAndTheTotalAddsThem) {
  TickOnly({Id::WinRunHistory, Id::WinClipboard});
  run.bntCleanNowClick();
  ASSERT_EQ(Results(controls), "2F2F=4");
  TickOnly({Id::IEHistory, Id::IEABH, Id::WinRunHistory, Id::WinSTF, Id::WinRecycleBin,
            Id::WinClipboard});
  cleaners.unavailable = {CleanerId::kTypedUrls};
  controls.SetEnabled(Id::groupNetscape, true);
  for (Id box : {Id::NsCache, Id::NsAddressBar, Id::NsCookies, Id::NsHistory, Id::NsAutoForm})
    controls.SetTicked(box, false);
  // clang-format off
  cleaners.scripts = {{CleanerId::kNetscapeMozilla, [](auto& p) { return p.Finish(), 0; }}, {CleanerId::kUrlHistory, [](auto&) { return 0; }},
                      {CleanerId::kRunHistory, [](auto&) { return 4; }}, {CleanerId::kRecycleBin, [](auto&) { return 0; }},
                      {CleanerId::kClipboard, [](auto&) { return 1; }}};
  // clang-format on
  Rows pending;
  cleaners.scripts[CleanerId::kSystemDiskTempFiles] = [&](CleanerProgress& p) {
    pending.push_back(Results(controls));
    p.ShowCount(7);
    pending.push_back(Results(controls));
    return p.Finish(), 7;
  };
  run.bntCleanNowClick();
  EXPECT_EQ(pending, (Rows{"0F0F4F0P=4", "0F0F4F7P=4"}));
  EXPECT_EQ(controls.Cell(Id::sgResultList, 2, 0), "About Netscape");
  EXPECT_EQ(Results(controls), "0F0F4F7F0F1F=12");
}

TEST_F(CleaningRunTest, StopInsideALongCleanerEndsTheRunAtTheNextStopTest) {
  TickOnly({Id::WinSTF, Id::WinRecycleBin});
  cleaners.scripts[CleanerId::kSystemDiskTempFiles] = [&](CleanerProgress& p) {
    for (int count = 1;; ++count)
      if (p.ShowCount(count), p.StopRequested() || count == 1000) return count;
  };
  controls.WhenInputIsDispatched([&](int) {  // the user presses Stop when the row shows 3
    if (controls.Cell(Id::sgResultList, 1, 1) == "3" && !run.IsRunStopped())
      controls.Click(Id::bntStopFinish);
  });
  run.bntCleanNowClick();
  EXPECT_EQ(controls.Caption(Id::bntStopFinish), "Finished");
  EXPECT_EQ(Navigation(), 5);
  EXPECT_EQ(Results(controls), "3P=3");
  EXPECT_LT(controls.Position(Id::CleanResultProgressBar), 100);
  EXPECT_EQ(cleaners.called, std::vector<CleanerId>{CleanerId::kSystemDiskTempFiles});
  EXPECT_FALSE(run.running());
}

TEST_F(CleaningRunTest, AnErrorLeavesStopToEndTheRun) {
  TickOnly({Id::WinRunHistory});
  cleaners.scripts[CleanerId::kRunHistory] = [](auto&) -> int { throw std::runtime_error("x"); };
  for (const Id button : {Id::bntCleanNow, Id::bntPreview}) {
    EXPECT_THROW(controls.Click(button), std::runtime_error);
    EXPECT_EQ(size_t(cleaners.ended),
              cleaners.kinds.size());  // a preview's services record no longer
    EXPECT_FALSE(run.running());
    EXPECT_EQ(controls.Caption(Id::bntStopFinish), "Stop");
    EXPECT_EQ(Navigation(), 0);
    controls.Click(Id::bntStopFinish);
    EXPECT_EQ(Navigation(), 5);
    controls.Click(Id::bntStopFinish);
    EXPECT_EQ(controls.VisiblePanels(), std::vector<Id>{Id::CleanItems});
  }
}

// Each row as "count status size|", and the total with the size of all.
std::string PreviewRows(HeadlessControlSet& controls) {
  std::string rows;
  const int columns = controls.ColumnCount(Id::sgResultList);
  for (int row = 1; row + 1 < controls.RowCount(Id::sgResultList); ++row) {
    for (int column = 1; column < columns; ++column)
      rows += controls.Cell(Id::sgResultList, row, column) + (column + 1 < columns ? " " : "|");
  }
  return rows + "=" + controls.Caption(Id::TotalResult) + " " + controls.Caption(Id::TotalSize);
}

// A preview shows sizes (none where no file went) and its own statuses, the browser's before an
// estimate; Start then has its three columns and "Finished" back, and its total in bytes.
TEST_F(CleaningRunTest, APreviewShowsSizesAndItsStatusesAndStartHasItsGridBack) {
  TickOnly({Id::IEABH, Id::IEHistory, Id::WinTFD, Id::WinSTF, Id::WinClipboard});
  cleaners.scripts[CleanerId::kTempFolder] = [&](auto&) {
    return cleaners.removed = {2, 3554673}, 2;
  };
  cleaners.scripts[CleanerId::kSystemDiskTempFiles] = [&](CleanerProgress& p) {
    cleaners.removed.files += 1, cleaners.removed.bytes += 1024;
    return p.Finish(), 1;
  };
  cleaners.browser_open = true;
  controls.Click(Id::bntPreview);
  EXPECT_EQ(controls.Caption(Id::CleanResult) + " " + controls.Cell(Id::sgResultList, 0, 3),
            "Preview Size");
  EXPECT_EQ(PreviewRows(controls),
            "2 Browser open |2 Browser open |2 Found 3.39 MB|"
            "1 Found 1.00 KB|2 Estimated |=9 3.39 MB");
  controls.Click(Id::bntStopFinish);
  cleaners.browser_open = false;
  controls.Click(Id::bntCleanNow);
  EXPECT_EQ(controls.Caption(Id::CleanResult), "Cleaning");
  EXPECT_EQ(PreviewRows(controls),
            "2 Finished|2 Finished|2 Finished|1 Finished|2 Finished|=9 3.39 MB");
  EXPECT_EQ(cleaners.kinds, (std::vector{RunKind::kPreview, RunKind::kStart}));
  EXPECT_EQ(cleaners.ended, 2);
  controls.Click(Id::bntStopFinish);
  controls.Click(Id::bntPreview);  // the browser closed: History is only an estimate
  EXPECT_EQ(controls.Cell(Id::sgResultList, 1, 2) + ", " + controls.Cell(Id::sgResultList, 2, 2),
            "Found, Estimated");
}

// A standard user may only read HKLM; absent products disable their groups but keep the ticks.
TEST(MainFormProducts, AreFoundWithReadAccessInEitherView) {
  for (const auto& [installed, read_only, view] :
       {std::tuple{false, false, V::k64}, {true, false, V::k64}, {true, true, V::k32}}) {
    Fakes f;
    HeadlessControlSet controls;
    for (const char* key : {"Software\\Netscape", "Software\\Microsoft\\Office\\10.0"}) {
      if (installed) f.registry.Create(LM, key, view);
      if (read_only) f.registry.RefuseFullAccess(LM, key, view);
    }
    ui::MainForm(controls, f.registry, f.shell).FormCreate();
    EXPECT_EQ(controls.Enabled(Id::groupNetscape) + controls.Enabled(Id::groupOffice),
              2 * installed);
    EXPECT_TRUE(controls.Ticked(Id::NsCookies) && controls.Ticked(Id::MSWord));
  }
}

// A tree's tick goes to the features until one owns the tree; each idle round reaches them all.
TEST_F(Machine, TreeTicksGoToTheirOwnerAndEveryFeatureGetsEachIdleSlice) {
  struct Scripted final : ui::Feature {
    Scripted(Id tree, int work) : tree(tree), work(work) {}
    bool HandleClick(Id) override { return false; }
    bool HandleNodeTicked(Id id, int node) override { return heard.push_back(node), id == tree; }
    bool IdleSlice() override { return ++slices < work; }
    Id tree;
    int work, slices = 0;
    std::vector<int> heard;
  } first{Id::ExtendToolsItems, 1}, owner{Id::AppTree, 3}, last{Id::AppTree, 1};
  ui::Feature* const features[] = {&first, &owner, &last};
  ui::MainForm form(controls, registry, shell, features);
  EXPECT_TRUE(form.HandleNodeTicked(Id::AppTree, 4));
  EXPECT_FALSE(form.HandleNodeTicked(Id::sgResultList, 5));
  EXPECT_EQ(first.heard.size() + last.heard.size(), 3u);  // the last heard only what none owned
  while (form.IdleSlice()) continue;
  EXPECT_EQ(first.slices + owner.slices + last.slices, 9);  // three rounds, each reaching all
}

struct InternetExplorerRun : Machine {
  InternetExplorerRun() {
    for (int id = int(Id::WinDocumentHistory); id <= int(Id::WinClipboard); ++id)
      controls.SetTicked(Id(id), false);
  }
  composition::Services Services(std::int32_t history_answer) {
    return {registry,
            files,
            shell,
            system,
            cache,
            databases,
            [=] {
              if (history_answer == 1) throw std::runtime_error("none");
              return std::make_unique<FakeUrlHistoryStore>(history_answer);
            },
            {}};
  }
  void Run(std::int32_t history_answer) {
    composition::Features{controls, Services(history_answer)}.cleaning_run().bntCleanNowClick();
  }
};

// Locked, growing and sparse entries are not counted; History counts only when the store clears.
// The cache here does not filter by type, as Wine's does not: the sparse entry must be passed over.
TEST_F(InternetExplorerRun, EachRowCountsOnlyWhatWasRemoved) {
  for (const char* name : {"1", "2", "3"}) Put(browser::kTypedUrlsKey, name);
  registry.Create(CU, browser::kIntelliFormsKey);
  // clang-format off
  cache.entries = {{"http://x/1"}, {"http://x/locked", 1, true}, {"http://x/sparse", 1 << 16}, {"http://x/2"},
                   {"http://x/growing", 1, false, 1}, {"http://x/after"}, {"Cookie:me@x/", 1 << 20}, {"Visited: me@http://x/", 1 << 21}};
  // clang-format on
  Run(0);  // the store clears: S_OK
  EXPECT_EQ(Results(controls),
            "3F2F1F1F1F1F=9");  // an entry that never stops growing ends its walk
  EXPECT_EQ(cache.filters, std::vector<std::uint32_t>(3, 0x00300035));  // the main window's set
  EXPECT_TRUE(cache.walks.empty());
  EXPECT_EQ(cache.entries[1].url + cache.entries[2].url, "http://x/lockedhttp://x/sparse");
  // The entry read whole now goes; a store that refuses (E_NOTIMPL) or is missing counts none.
  for (const auto& [refused, rows] :
       {std::pair{std::int32_t(0x80004001), "0F2F0F0F0F0F=2"}, {1, "0F0F0F0F0F0F=0"}}) {
    Run(refused);
    EXPECT_EQ(Results(controls), rows);
  }
  EXPECT_GT(std::exchange(shell.window_searches, 0), 0);
  for (int id = int(Id::IEABH); id <= int(Id::IEBleachIndex); ++id) controls.SetTicked(Id(id), 0);
  Run(0);
  EXPECT_EQ(shell.window_searches, 0);  // no Internet Explorer item: no browser looked for
}

// Stop ends the Temporary Internet Files walk after the deletion it follows; the cookie and
// visited walks go on to their end.
TEST_F(Machine, StopEndsTheContentWalkOnlyAtOnce) {
  for (const char* url : {"http://x/1", "http://x/2", "Cookie:me@x/1", "Cookie:me@x/2",
                          "Visited: me@http://x/1", "Visited: me@http://x/2"})
    cache.entries.push_back({url, url[0] == 'C' ? 1u << 20 : url[0] == 'V' ? 1u << 21 : 1u});
  browser::TIECache ie(cache);
  ie.SetFilterOptions(browser::kStoredFilterOptions);
  std::vector<int> removed;
  const std::function<int(browser::TIECache&, Progress&)> cleaners[] = {
      browser::CleanTemporaryInternetFiles,
      [&](browser::TIECache& ie, Progress& p) { return browser::CleanIECookies(ie, registry, p); },
      browser::CleanVisitedIndex};
  for (const auto& clean : cleaners) {
    Progress stopped;
    stopped.stop_at = 1;
    removed.push_back(clean(ie, stopped));
  }
  EXPECT_EQ(removed, (std::vector<int>{1, 2, 2}));
}

TEST(TIECache, EntryInfoIsKeptByAFailedAdvanceAndClearedByADeletion) {
  FakeUrlCache fake;
  fake.entries = {{"http://a/"}};
  browser::TIECache cache(fake);
  EXPECT_EQ(cache.FindFirstEntry(0), 259u);  // the mask is 0 until the options are written
  cache.SetFilterOptions(browser::kStoredFilterOptions);
  ASSERT_EQ(cache.FindFirstEntry(0), 0u);
  EXPECT_EQ(cache.FindNextEntry(), 259u);
  EXPECT_EQ(cache.EntryInfo().SourceUrlName, "http://a/");  // kept by the failed advance
  EXPECT_EQ(cache.DeleteEntry("http://a/"), 0u);
  EXPECT_EQ(cache.EntryInfo().SourceUrlName, "");  // cleared by the deletion
}

TEST_F(Machine, CloseAsksAndEndsTheProgramOnlyOnYes) {
  for (bool yes : {false, true}) {
    shell.answer_yes = yes;
    ui::MainForm(controls, registry, shell).bntCloseClick();
    EXPECT_EQ(controls.ended(), yes);
  }
}

// Every feature's table joined: each cleaner once, and a row for every item the run takes.
TEST_F(InternetExplorerRun, TheJoinedTableHasOneRowPerCleanerAndOneForEveryItem) {
  composition::Features features{controls, Services(0)};
  std::map<CleanerId, int> rows;
  for (const auto& row : features.cleaners().rows()) ++rows[row.id];
  for (const auto& [id, count] : rows) EXPECT_EQ(count, 1) << int(id);
  for (const auto& item : CleaningItems()) EXPECT_EQ(rows.count(item.cleaner), 1u);
}

struct Repair : Fakes {
  std::optional<Data> Value(platform::RegistryRoot root, const std::string& key, const char* name,
                            V view = V::kDefault) {
    if (const auto* node = registry.Find(root, key, view))
      for (const auto& value : node->values)
        if (value.name == name) return value.data;
    return std::nullopt;
  }
  repair::RepairRun run{controls, registry, files};
};
struct RepairTest : ::testing::Test, Repair {};
const std::string kIE = "Software\\Microsoft\\Internet Explorer\\",
                  kWin = "Software\\Microsoft\\Windows\\CurrentVersion\\",
                  kExplorer = kWin + "Policies\\Explorer",
                  kPolicies = "Software\\Policies\\Microsoft\\Internet Explorer\\",
                  kRestrictions = kPolicies + "Restrictions", kPanel = kPolicies + "Control Panel";

TEST(RepairRun, EachTickedOptionUndoesItsHijackAndAnUntickedOneLeavesIt) {
  const std::string start = "http://www.microsoft.com/windows/ie_intl/cn/start/",
                    search = "http://search.msn.com/zh-cn/default.aspx";
  // clang-format off
  struct { Id option; platform::RegistryRoot root; V view; std::string key; const char* name; Data planted; std::optional<Data> repaired; } cases[] = {
      {Id::IER_RestoreRegistryTools, CU, V::kDefault, kWin + "Policies\\System", "DisableRegistryTools", 1u, {}},
      {Id::IER_RestoreCaption, LM, V::k32, kIE + "Main", "Window Title", "Owned", {}},
      {Id::IER_RestoreStartPage, CU, V::kDefault, kIE + "Main", "Start Page", "http://x", "about:blank"},
      {Id::IER_RestoreDefaultAddress, LM, V::k64, kIE + "Main", "Default_Page_URL", "http://x", start},
      {Id::IER_RestoreOptions, LM, V::k32, kRestrictions, "NoBrowserOptions", 1u, 0u},
      {Id::IER_RestoreHomePage, CU, V::kDefault, kPanel, "Homepage", "1", 0u},
      {Id::IER_RestoreRestart, LM, V::k32, kWin + "WinLogon", "LegalNoticeText", "Visit x", {}},
      {Id::IER_RestoreRightButton, CU, V::kDefault, kRestrictions, "NoBrowserContextMenu", 1u, 0u},
      {Id::IER_RestoreViewSource, LM, V::k64, kRestrictions, "NoViewSource", 1u, 0u},
      {Id::IER_RestoreSearchEngine, LM, V::k64, kIE + "Search", "CustomizeSearch", "http://x", search},
      {Id::IER_RestoreTaskBar, CU, V::kDefault, kExplorer, "NoSetTaskBar", 1u, {}}
};
  // clang-format on
  // Planted and ticked, planted and unticked, absent from its key and ticked: only a policy
  // creates a value.
  for (const auto& c : cases) {
    const bool policy = c.repaired && std::holds_alternative<std::uint32_t>(*c.repaired);
    for (const auto& [planted, ticked] : {std::pair{true, true}, {true, false}, {false, true}}) {
      Repair r;
      r.registry.Create(c.root, c.key, c.view);
      if (planted) r.Set(c.root, c.key, c.name, c.planted, c.view);
      r.controls.SetTicked(c.option, ticked);
      r.run.IER_RestoreClick();
      const auto expected = !ticked             ? std::optional(c.planted)
                            : planted || policy ? c.repaired
                                                : std::nullopt;
      EXPECT_EQ(r.Value(c.root, c.key, c.name, c.view), expected) << c.name << planted << ticked;
    }
  }
}

// Where the bar stood each time the run read a checkbox.
struct BarAtEachTick : HeadlessControlSet {
  bool Ticked(Id id) const override {
    read.emplace_back(id, Position(Id::RepairProgressBar));
    return HeadlessControlSet::Ticked(id);
  }
  void SetPosition(Id id, int position) override {
    if (id == Id::RepairProgressBar) bar.push_back(position);
    HeadlessControlSet::SetPosition(id, position);
  }
  mutable std::vector<std::pair<Id, int>> read;
  std::vector<int> bar;
};

// Eighteen options, all ticked at start, read in run order with the bar at 0, 5, ... 85 and then at
// 100; each policy option writes exactly the values its caption names, as 0, and nothing else.
TEST(RepairRun, RunsEighteenOptionsInOrderAndEachPolicyWritesOnlyItsOwnValues) {
  using enum Id;
  const Id order[] = {IER_RestoreRegistryTools,  IER_RestoreCaption,     IER_RestoreStartPage,
                      IER_RestoreDefaultAddress, IER_RestoreOptions,     IER_RestoreHomePage,
                      IER_RestoreRestart,        IER_RestoreRightButton, IER_RestoreViewSource,
                      IER_RestoreSearchEngine,   IER_RestoreTaskBar,     IER_RestoreShutDown,
                      IER_RestoreLogOff,         IER_RestoreRun,         IER_RestoreFind,
                      IER_RestoreDocument,       IER_RestoreFavorites,   IER_RestoreDeskTop};
  Fakes f;
  BarAtEachTick controls;
  repair::RepairRun(controls, f.registry, f.files).IER_RestoreClick();
  ASSERT_EQ(controls.read.size(), std::size(order));
  for (size_t i = 0; i < std::size(order); ++i) {
    EXPECT_EQ(controls.read[i], std::pair(order[i], int(5 * i))) << i;
    EXPECT_TRUE(HeadlessControlSet().Ticked(order[i])) << i;
  }
  std::vector<int> bar;
  for (int position = 0; position <= 85; position += 5) bar.push_back(position);
  bar.push_back(100);
  EXPECT_EQ(controls.bar, bar);
  // clang-format off
  const std::pair<Id, const char*> policies[] = {
      {IER_RestoreOptions,     "CU R NoBrowserOptions;LM64 R NoBrowserOptions;LM32 R NoBrowserOptions;"},
      {IER_RestoreHomePage,    "CU P GeneralTab;CU P Homepage;"},
      {IER_RestoreRightButton, "CU R NoBrowserContextMenu;LM64 R NoBrowserContextMenu;LM32 R NoBrowserContextMenu;"},
      {IER_RestoreViewSource,  "CU R NoViewSource;LM64 R NoViewSource;LM32 R NoViewSource;"}};
  // clang-format on
  for (const auto& [option, written] : policies) {
    Repair r;
    for (Id box : order) r.controls.SetTicked(box, box == option);
    r.run.IER_RestoreClick();
    std::string values;
    for (const auto& [root, view, where] :
         {std::tuple{CU, V::kDefault, "CU"}, {LM, V::k64, "LM64"}, {LM, V::k32, "LM32"}})
      for (const auto& [key, letter] : {std::pair{kRestrictions, " R "}, {kPanel, " P "}})
        if (const auto opened = r.registry.OpenForRead(root, key, view))
          for (const auto& name : opened->ValueNames())
            values += where + (letter + name) + (*opened->ReadDword(name) ? "=1;" : ";");
    EXPECT_EQ(values, written);
  }
}

TEST_F(RepairTest, TheRestartRepairSweepsOnlyTheBareBrowserNameAndTheFixedFile) {
  const std::string key = "\\" + kWin + "Run";
  // clang-format off
  struct { const char* data; T type; bool stays; } sweep[] = {
      {"iexplore", T::String, false}, {"iexplor", T::String, true}, {"IExplore.exe http://x.example", T::String, false},
      {"iexplore http://x", T::ExpandString, true}, {"C:\\Program Files\\Internet Explorer\\iexplore.exe", T::String, true}};
  // clang-format on
  for (const auto root : {CU, LM}) {
    for (const auto& s : sweep) Set(root, key, s.data, s.data, V::k32, s.type);
    Set(root, key, "number", 1u, V::k32);
    Set(root, key, "registry.exe", "C:\\Program Files\\registry.exe", V::k32);
  }
  // Text when looked at, a number by the time it is read: passed over, the run goes on.
  Set(CU, key, "retyped", "iexplore", V::k32);
  registry.RetypeOnRead(CU, key, "retyped", V::k32);
  Add("C:\\Program Files\\", {"registry.exe", "Other\\registry.exe"});
  repair::RestartRepair(registry, files);
  EXPECT_TRUE(Value(CU, key, "retyped", V::k32));
  for (const auto root : {CU, LM}) {
    for (const auto& s : sweep)
      EXPECT_EQ(Value(root, key, s.data, V::k32).has_value(), s.stays) << s.data;
    EXPECT_TRUE(Value(root, key, "number", V::k32));
    EXPECT_EQ(Value(root, key, "registry.exe", V::k32).has_value(), root == CU);
  }
  EXPECT_FALSE(files.Exists("C:\\Program Files\\registry.exe"));
  EXPECT_TRUE(files.Exists("C:\\Program Files\\Other\\registry.exe"));
}

// The search engine (10) runs after the restart repair (7) and before the shell policies (11-18).
TEST_F(RepairTest, ARefusedOverwriteStopsTheRunWithTheBarWhereItWas) {
  Set(LM, kIE + "Search", "CustomizeSearch", "http://x", V::k32);
  registry.RefuseWrites(LM, kIE + "Search", V::k32);
  Set(LM, kWin + "WinLogon", "LegalNoticeCaption", "Visit x", V::k64);
  Set(CU, kExplorer, "NoSetTaskBar", 1u);
  EXPECT_THROW(run.HandleClick(Id::IER_Restore), platform::RegistryError);
  EXPECT_EQ(controls.Position(Id::RepairProgressBar), 45);
  EXPECT_FALSE(Value(LM, kWin + "WinLogon", "LegalNoticeCaption", V::k64));
  EXPECT_TRUE(Value(CU, kExplorer, "NoSetTaskBar"));
}

TEST_F(RepairTest, PolicyWritersCreateKeysReplaceTypesAndGuardEachRoot) {
  Set(CU, kRestrictions, "NoViewSource", "1");
  registry.RefuseFullAccess(LM, kRestrictions, V::k32);
  EXPECT_FALSE(repair::SetNoViewSource(registry, true));
  EXPECT_EQ(Value(CU, kRestrictions, "NoViewSource"), Data(1u));
  EXPECT_EQ(Value(LM, kRestrictions, "NoViewSource", V::k64), Data(1u));
  EXPECT_TRUE(repair::SetHomepageRestriction(registry, false));
  EXPECT_EQ(Value(CU, kPanel, "Homepage"), Data(0u));
  for (const auto view : {V::k64, V::k32}) EXPECT_FALSE(registry.KeyExists(LM, kPanel, view));
}

const std::string kTools = std::string(extensions::kExtensionsKey) + "\\",
                  kMenus = std::string(extensions::kMenuExtKey) + "\\";

// As the main window does, the Tools button shows the panel afresh.
struct Extensions : Machine {
  Extensions() {
    controls.OnClick([this](Id id) { id == Id::bntToolsMenu && (Show(), true); });
  }
  void Show() { manager.PanelShown(Id::ToolsMenuWizard); }
  // clang-format off
  struct Tool { const char *key, *value; Data text; V view = V::k64; };
  void Plant(std::initializer_list<Tool> tools) { for (const auto& t : tools) Set(LM, kTools + t.key, t.value, t.text, t.view); }
  // clang-format on
  void Menu(platform::RegistryRoot root, const char* name) { registry.Create(root, kMenus + name); }
  bool Has(const char* name, V view = V::k64) {
    return registry.KeyExists(LM, kTools + name, view);
  }
  bool HasMenu(const char* name) { return registry.KeyExists(CU, kMenus + name); }
  // The list's texts; ticks the items reading one of wanted, or checks that none is ticked.
  Rows Items(Id list, Rows wanted = {}) {
    Rows items;
    for (int i = 0; i < controls.ItemCount(list); ++i) {
      items.push_back(controls.ItemText(list, i));
      if (std::ranges::find(wanted, items.back()) != wanted.end())
        controls.SetItemTicked(list, i, true);
      EXPECT_FALSE(wanted.empty() && controls.ItemTicked(list, i));
    }
    return items;
  }
  extensions::ExtensionManager manager{controls, registry};
};

// Menus are the user's own; a tool shows its button text, else its menu text (numbers are none).
TEST_F(Extensions, ListsEveryViewOnceReadingANonTextValueAsMissing) {
  controls.AddItem(Id::ExtendMenuitems, "stale");
  for (const char* name : {"E&xport to Sheet", "&Download All"}) Menu(CU, name);
  Menu(LM, "Machine Wide");
  // clang-format off
  Plant({{"{A}", "ButtonText", 7u}, {"{A}", "MenuText", "Fallback"}, {"{B}", "ButtonText", 7u},
         {"{C}", "ButtonText", "After"}, {"{C}", "MenuText", "After menu"}, {"{C}", "ButtonText", "After", V::k32},
         {"{D}", "ButtonText", "Only 32", V::k32}, {"{E}", "CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}"}});
  // clang-format on
  registry.RefuseFullAccess(LM, extensions::kExtensionsKey);
  Show();
  EXPECT_EQ(Items(Id::ExtendMenuitems), (Rows{"&Download All", "E&xport to Sheet"}));
  EXPECT_EQ(Items(Id::ExtendToolsItems), (Rows{"Fallback", "After", "Only 32"}));
}

TEST_F(Extensions, DeletesExactlyWhatIsTickedInEveryViewAndRefillsUnticked) {
  for (const char* name : {"   \\child", " Padded ", "Padded"}) Menu(CU, name);
  // clang-format off
  Plant({{"{1}", "ButtonText", ""}, {"{2}", "CLSID", "{none}"}, {"{3}", "ButtonText", 7u}, {"{4}", "MenuText", "Tool"},
         {"{5}", "ButtonText", "Tool", V::k32}, {"{6}", "ButtonText", "tool"}, {"{7}", "ButtonText", "Tool"}});
  // clang-format on
  registry.RefuseDeletion(LM, kTools + "{7}");
  Show();
  Items(Id::ExtendMenuitems, {"   ", " Padded "});
  Items(Id::ExtendToolsItems, {"", "Tool"});
  manager.HandleClick(Id::ToolsMenuDelete);
  EXPECT_EQ(controls.Caption(Id::ExtendToolsNote), "1 entries need an administrator to delete.");
  EXPECT_FALSE(HasMenu("   ") || HasMenu(" Padded ") || Has("{1}") || Has("{4}") ||
               Has("{5}", V::k32));
  EXPECT_TRUE(HasMenu("Padded") && Has("{2}") && Has("{3}") && Has("{6}") && Has("{7}"));
  EXPECT_EQ(Items(Id::ExtendMenuitems), Rows{"Padded"});
  EXPECT_EQ(Items(Id::ExtendToolsItems), (Rows{"tool", "Tool"}));
  Show();
  EXPECT_EQ(controls.Caption(Id::ExtendToolsNote), "");
}

}  // namespace
}  // namespace tidora::testing
