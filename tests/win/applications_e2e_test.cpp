// The Applications tab of the real program: today's browsers, Windows 10 and Office planted with
// the plain Windows API, ticked through the tree view, previewed, cleaned, and checked on disk and
// in the registry.

#include <shlobj.h>

#include <algorithm>

#include "platform/sqlite/sqlite_database.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "rules/places.h"
#include "tests/support/sqlite_files.h"
#include "tests/win/running_program.h"

namespace tidora::testing {
namespace {

using Id = ui::ControlId;
constexpr auto CU = platform::RegistryRoot::CurrentUser;

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  SHGetKnownFolderPath(id, 0, nullptr, &path);
  std::wstring folder = path ? path : L"";
  CoTaskMemFree(path);
  return folder + L"\\";
}

class ApplicationsTab : public RunningProgram {
 protected:
  void SetUp() override {
    // The Windows rules ask for Windows 10; a fresh prefix says 6.1.
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", REG_SZ, L"win10",
                    sizeof L"win10");
    RunningProgram::SetUp();
  }
  void TearDown() override {
    RunningProgram::TearDown();
    for (const auto& folder :
         {local + L"Google", local + L"Mozilla", roaming + L"Mozilla\\Firefox"})
      RemoveFolderTree(folder);
    registry_.DeleteTree(CU, kOffice);
    registry_.DeleteTree(CU, "Software\\Tidora\\KeepCookies");
    for (const char* key : {"TypedPaths", "WordWheelQuery"})
      registry_.DeleteTree(CU, kExplorer + key);
  }
  std::wstring Row(int row) const {
    return Item(Id::sgResultList, row, 0) + L" " + Item(Id::sgResultList, row, 1) + L" " +
           Item(Id::sgResultList, row, 2);
  }
  std::vector<std::wstring> Rows() const {
    std::vector<std::wstring> rows;
    for (int row = 0; row + 1 < Items(Id::sgResultList); ++row) rows.push_back(Row(row));
    return rows;
  }

  SavedValue version_{L"Software\\Wine", L"Version"};
  const std::wstring local = KnownFolder(FOLDERID_LocalAppData),
                     roaming = KnownFolder(FOLDERID_RoamingAppData),
                     chrome = local + L"Google\\Chrome\\User Data\\",
                     fox = L"Mozilla\\Firefox\\Profiles\\abcd.default-release\\";
  const std::string kOffice = "Software\\Microsoft\\Office\\16.0",
                    kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
};

TEST_F(ApplicationsTab, TicksThroughTheTreePreviewsThenCleansWhatItShowedAndKeepsTheDatabases) {
  const std::wstring gone[] = {chrome + L"Default\\Cache\\Cache_Data\\f_000001",
                               chrome + L"Profile 1\\Code Cache\\js\\a1",
                               chrome + L"Default\\Sessions\\Session_13",
                               local + fox + L"cache2\\entries\\E1",
                               roaming + fox + L"sessionstore.jsonlz4",
                               local + L"Microsoft\\Windows\\Explorer\\thumbcache_256.db",
                               roaming +
                                   L"Microsoft\\Windows\\Recent\\AutomaticDestinations\\"
                                   L"f01b4d95cf55d32a.automaticDestinations-ms"};
  const std::wstring kept[] = {
      chrome + L"Default\\Web Data",         chrome + L"Default\\History",
      chrome + L"Default\\Network\\Cookies", chrome + L"Local State",
      chrome + L"Crashpad\\reports\\r1.dmp", roaming + fox + L"places.sqlite",
      roaming + fox + L"cookies.sqlite",     roaming + fox + L"formhistory.sqlite"};
  for (const auto& path : gone) ASSERT_TRUE(MakeFile(path, FILE_ATTRIBUTE_HIDDEN)) << path;
  for (const auto& path : kept) ASSERT_TRUE(MakeFile(path)) << path;
  Set(CU, kOffice + "\\Word\\File MRU", "Item 1", "[F00000000][T01D9]*C:\\letter.docx");
  Set(CU, kOffice + "\\Word\\User MRU\\AD_12AB\\File MRU", "Item 1", "x");
  Set(CU, kOffice + "\\Word\\Options", "Keep", "x");
  Set(CU, kExplorer + "TypedPaths", "url1", "C:\\secret");
  // Started afresh: the version and the planted programs are what it finds.
  RunningProgram::TearDown();
  RunningProgram::SetUp();

  Press(Id::bntTraceCleaner);
  SendMessageW(Control(Id::suiPageControl1), TCM_SETCURFOCUS, 2, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(Id::AppTree)) != FALSE; }, 5000));
  ASSERT_TRUE(WaitUntil([&] { return Text(Id::AppStatusLabel).starts_with(L"Built-in rules:"); }));
  std::wstring groups;
  for (HTREEITEM node : Nodes(Id::AppTree))
    if (!SendMessageW(Control(Id::AppTree), TVM_GETNEXTITEM, TVGN_PARENT, LPARAM(node)))
      groups += NodeText(Id::AppTree, node) + L";";
  EXPECT_EQ(groups, L"Applications;Firefox;Google Chrome;Windows;");
  const auto tick = [&](const wchar_t* entry) {
    HTREEITEM node = FindNode(Id::AppTree, entry);
    ASSERT_NE(node, nullptr) << entry;
    PressSpaceOn(Id::AppTree, node);
  };
  tick(L"Google Chrome Sessions");
  tick(L"Firefox Sessions");
  tick(L"Microsoft Word Recent Files");
  tick(L"Windows Explorer Address History");
  tick(L"Windows Jump Lists");
  // Its warning is asked, titled by the entry: yes keeps the tick.
  PostMessageW(WaitForWindow(L"#32770", L"Windows Jump Lists"), WM_COMMAND, IDYES, 0);
  EXPECT_TRUE(WaitUntil(
      [&] { return NodeState(Id::AppTree, FindNode(Id::AppTree, L"Windows Jump Lists")) == 2; }));
  EXPECT_EQ(NodeState(Id::AppTree, FindNode(Id::AppTree, L"Google Chrome Crash Reports")), 1);
  EXPECT_EQ(NodeState(Id::AppTree, FindNode(Id::AppTree, L"Google Chrome")), 3);

  for (int id = int(Id::IEABH); id <= int(Id::MSOfficeRecent); ++id)
    SendMessageW(Control(Id(id)), BM_SETCHECK, BST_UNCHECKED, 0);
  Press(Id::bntPreview);
  ASSERT_TRUE(WaitForFinished());
  const std::vector<std::wstring> shown = Rows();
  for (const auto& path : gone) EXPECT_TRUE(Exists(path)) << "a preview changes nothing: " << path;
  EXPECT_TRUE(registry_.OpenForRead(CU, kOffice + "\\Word\\File MRU"));
  Press(Id::bntStopFinish);
  // Sent, not posted: the run is over when the press returns, and no "Finished" left by the
  // preview can be mistaken for the end of it.
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(Control(Id::bntCleanNow), BM_CLICK, 0, 0, SMTO_NORMAL, 180000, &answer);
  ASSERT_TRUE(WaitForFinished());
  const std::vector<std::wstring> done = Rows();
  ASSERT_EQ(done.size(), shown.size());
  for (size_t row = 0; row < done.size(); ++row) {
    std::wstring expected = shown[row];
    expected.replace(expected.rfind(L" Found"), 6, L" Finished");
    EXPECT_EQ(done[row], expected);
  }
  EXPECT_NE(std::ranges::find(done, L"Google Chrome Sessions 1 Finished"), done.end());
  EXPECT_NE(std::ranges::find(done, L"Microsoft Word Recent Files 2 Finished"), done.end());
  EXPECT_NE(std::ranges::find(done, L"Windows Explorer Address History 1 Finished"), done.end());
  EXPECT_EQ(Position(Id::CleanResultProgressBar), 100);
  for (const auto& path : gone) EXPECT_FALSE(Exists(path)) << path;
  for (const auto& path : kept) EXPECT_TRUE(Exists(path)) << path;
  EXPECT_FALSE(registry_.OpenForRead(CU, kOffice + "\\Word\\File MRU"));
  EXPECT_FALSE(registry_.OpenForRead(CU, kOffice + "\\Word\\User MRU\\AD_12AB\\File MRU"));
  EXPECT_TRUE(registry_.OpenForRead(CU, kOffice + "\\Word\\Options"));
  EXPECT_FALSE(registry_.OpenForRead(CU, kExplorer + "TypedPaths"));
}

// A Firefox and a Chrome profile with real databases, one held by a running program: a keep-list
// made in the editor, Preview changing no byte, and Start removing history, form data and
// cookies inside the files while bookmarks, search engines and kept cookies stay.
TEST_F(ApplicationsTab, CleansInsideTheBrowsersDatabasesKeepingWhatUsersKeep) {
  const std::wstring firefox = roaming + fox, profile = chrome + L"Default\\";
  CreateDirectoryW((chrome).c_str(), nullptr);
  for (const std::wstring& folder : {firefox, profile + L"Network\\"})
    ASSERT_TRUE(MakeFile(folder + L"placeholder")) << folder;
  const auto at = [](const std::wstring& path) { return win32::Narrow(path); };
  const std::string cookie_rows =
      "('.example.com'), ('mail.example.com'), ('tracker.net'), ('badexample.com')";
  MakeDatabase(at(firefox + L"places.sqlite"),
               "CREATE TABLE moz_origins(id INTEGER PRIMARY KEY, host TEXT);"
               "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT, foreign_count INTEGER,"
               " origin_id INTEGER, visit_count INTEGER, last_visit_date INTEGER);"
               "CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, place_id, visit_date);"
               "CREATE TABLE moz_inputhistory(place_id, input);"
               "CREATE TABLE moz_bookmarks(id INTEGER PRIMARY KEY, fk INTEGER, title TEXT);"
               "INSERT INTO moz_origins VALUES (1, 'kept.example'), (2, 'seen.example');"
               "INSERT INTO moz_places VALUES (1, 'https://kept.example/', 1, 1, 4, 9),"
               " (2, 'https://seen.example/', 0, 2, 1, 9);"
               "INSERT INTO moz_historyvisits(place_id, visit_date) VALUES (1, 1), (1, 2), (2, 3);"
               "INSERT INTO moz_bookmarks VALUES (1, 1, 'Kept')");
  MakeDatabase(at(firefox + L"cookies.sqlite"),
               "CREATE TABLE moz_cookies(id INTEGER PRIMARY KEY, host TEXT);"
               "INSERT INTO moz_cookies(host) VALUES " +
                   cookie_rows);
  MakeDatabase(at(firefox + L"formhistory.sqlite"),
               "CREATE TABLE moz_formhistory(id INTEGER PRIMARY KEY, fieldname, value);"
               "INSERT INTO moz_formhistory(fieldname, value) VALUES ('q', 'secret')");
  MakeDatabase(at(profile + L"History"),
               "CREATE TABLE meta(key PRIMARY KEY, value); INSERT INTO meta VALUES ('version', 1);"
               "CREATE TABLE urls(id INTEGER PRIMARY KEY, url); CREATE TABLE visits(id INTEGER"
               " PRIMARY KEY, url); INSERT INTO urls VALUES (1, 'a'); INSERT INTO visits VALUES"
               " (1, 1), (2, 1)");
  MakeDatabase(at(profile + L"Web Data"),
               "CREATE TABLE autofill(name, value, count, date_created, date_last_used);"
               "CREATE TABLE keywords(id INTEGER PRIMARY KEY, short_name);"
               "INSERT INTO autofill VALUES ('email', 'me@example.com', 1, 0, 0);"
               "INSERT INTO keywords VALUES (1, 'Search')");
  MakeDatabase(at(profile + L"Network\\Cookies"),
               "CREATE TABLE cookies(host_key TEXT); INSERT INTO cookies VALUES " + cookie_rows);
  // Firefox runs with its form history open: that database is held.
  sqlite::SqliteOpener opener;
  auto held = opener.Open(at(firefox + L"formhistory.sqlite"), platform::OpenMode::kReadWrite);
  held->Execute("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE");
  RunningProgram::TearDown();
  RunningProgram::SetUp();

  Press(Id::bntTraceCleaner);
  SendMessageW(Control(Id::suiPageControl1), TCM_SETCURFOCUS, 2, 0);
  ASSERT_TRUE(WaitUntil([&] { return Text(Id::AppStatusLabel).starts_with(L"Built-in rules:"); }));
  // The keep-list, made in its editor: the found hosts offered, a domain typed and added.
  Press(Id::bntCookiesToKeep);
  HWND editor = WaitForWindow(nullptr, L"Cookies to keep");
  ASSERT_NE(editor, nullptr);
  for (const wchar_t* host : {L"example.com", L"mail.example.com", L"tracker.net"}) {
    EXPECT_NE(SendMessageW(GetDlgItem(editor, int(Id::FoundHosts)), LB_FINDSTRINGEXACT, WPARAM(-1),
                           LPARAM(host)),
              LB_ERR)
        << host;
  }
  SetWindowTextW(GetDlgItem(editor, int(Id::DomainEdit)), L" Example.COM");
  SendMessageW(GetDlgItem(editor, int(Id::bntKeepAdd)), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(GetDlgItem(editor, int(Id::KeepList)), LB_GETCOUNT, 0, 0), 1);
  PostMessageW(GetDlgItem(editor, int(Id::bntKeepSave)), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
  const auto keep = registry_.OpenForRead(CU, "Software\\Tidora\\KeepCookies");
  ASSERT_TRUE(keep);
  EXPECT_EQ(keep->ValueNames(), std::vector<std::string>{"example.com"});

  for (const wchar_t* entry :
       {L"Firefox History", L"Firefox Form Data", L"Firefox Cookies", L"Google Chrome History",
        L"Google Chrome Form Data", L"Google Chrome Cookies"}) {
    HTREEITEM node = FindNode(Id::AppTree, entry);
    ASSERT_NE(node, nullptr) << entry;
    PressSpaceOn(Id::AppTree, node);
  }
  for (int id = int(Id::IEABH); id <= int(Id::MSOfficeRecent); ++id)
    SendMessageW(Control(Id(id)), BM_SETCHECK, BST_UNCHECKED, 0);
  const auto before = std::make_pair(FolderBytes(firefox), FolderBytes(profile));
  Press(Id::bntPreview);
  ASSERT_TRUE(WaitForFinished());
  const std::vector<std::wstring> expected = {
      L"Firefox Cookies 2 ",       L"Firefox Form Data 0 In use", L"Firefox History 3 ",
      L"Google Chrome Cookies 2 ", L"Google Chrome Form Data 1 ", L"Google Chrome History 2 "};
  // The caches that start ticked have rows of their own.
  const auto database_rows = [&] {
    std::vector<std::wstring> rows = Rows();
    std::erase_if(rows, [](const std::wstring& row) { return row.find(L" Cache ") != row.npos; });
    return rows;
  };
  std::vector<std::wstring> rows = database_rows();
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t row = 0; row < rows.size(); ++row) {
    EXPECT_EQ(rows[row], expected[row] + (expected[row].ends_with(L" ") ? L"Found" : L""));
  }
  for (int row = 0; row + 1 < Items(Id::sgResultList); ++row) {
    if (Item(Id::sgResultList, row).find(L" Cache") != std::wstring::npos) continue;
    EXPECT_EQ(Item(Id::sgResultList, row, 3), L"");  // no size for rows of a database
  }
  EXPECT_EQ(std::make_pair(FolderBytes(firefox), FolderBytes(profile)), before);
  Press(Id::bntStopFinish);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(Control(Id::bntCleanNow), BM_CLICK, 0, 0, SMTO_NORMAL, 180000, &answer);
  ASSERT_TRUE(WaitForFinished());
  rows = database_rows();
  for (size_t row = 0; row < rows.size(); ++row)
    EXPECT_EQ(rows[row], expected[row] + (expected[row].ends_with(L" ") ? L"Finished" : L""));
  // What users keep is there; what the entries name is gone.
  const struct {
    std::wstring file;
    const char* query;
    const char* kept;
  } after[] = {
      {firefox + L"cookies.sqlite", "SELECT group_concat(host, ' ') FROM moz_cookies",
       ".example.com mail.example.com"},
      {profile + L"Network\\Cookies", "SELECT group_concat(host_key, ' ') FROM cookies",
       ".example.com mail.example.com"},
      {firefox + L"places.sqlite",
       "SELECT (SELECT count(*) FROM moz_historyvisits) || ' ' || (SELECT group_concat(url) FROM "
       "moz_places) || ' ' || (SELECT title FROM moz_bookmarks)",
       "0 https://kept.example/ Kept"},
      {profile + L"History",
       "SELECT (SELECT count(*) FROM visits) || (SELECT count(*) FROM urls) || (SELECT count(*) "
       "FROM meta)",
       "001"},
      {profile + L"Web Data",
       "SELECT (SELECT count(*) FROM autofill) || ' ' || (SELECT short_name FROM keywords)",
       "0 Search"},
  };
  for (const auto& check : after) EXPECT_EQ(QueryText(at(check.file), check.query), check.kept);
  Press(Id::bntStopFinish);
  Press(Id::bntTraceCleaner);
  SendMessageW(Control(Id::suiPageControl1), TCM_SETCURFOCUS, 2, 0);
  Press(Id::bntAppDetails);
  HWND details = WaitForWindow(nullptr, L"Details");
  ASSERT_NE(details, nullptr);
  wchar_t text[4096] = {};
  SendMessageW(GetDlgItem(details, int(Id::DetailsText)), WM_GETTEXT, 4096, LPARAM(text));
  EXPECT_NE(std::wstring(text).find(L"Firefox Form Data: "), std::wstring::npos) << text;
  held.reset();
  EXPECT_EQ(QueryText(at(firefox + L"formhistory.sqlite"), "SELECT count(*) FROM moz_formhistory"),
            "1");
}

}  // namespace
}  // namespace tidora::testing

namespace tidora::testing {
namespace {

// A user's rule file beside the program: detected and undetected entries, an unsafe one, one
// with an unknown key, a name the built-in rules have, an exclusion, and folder links a
// wildcard reaches.
constexpr char kUserRules[] = R"(; written for this test
[Tidora Vendor Logs *]
LangSecRef=3024
DetectFile=%LocalAppData%\TidoraVendor
Default=True
FileKey1=%LocalAppData%\TidoraVendor|*.log|RECURSE
FileKey2=%SystemDrive%\tidora-links\*|*.txt|RECURSE
ExcludeKey1=FILE|%LocalAppData%\TidoraVendor\|keep.log

[Undetected Thing *]
DetectFile=%LocalAppData%\NoSuchVendor
FileKey1=%LocalAppData%\NoSuchVendor|*.tmp

[Sweep Profile *]
FileKey1=%UserProfile%|*.*|RECURSE

[Odd Key *]
DetectFoo=x
FileKey1=%Temp%|*.tmp

[Google Chrome Cache *]
FileKey1=%Temp%|*.tmp
)";

class UserRuleFile : public ApplicationsTab {
 protected:
  void SetUp() override {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    beside_ = std::wstring(self) + L"\\..\\..\\app\\winapp2.ini";
    win32::UniqueFile file(
        CreateFileW(beside_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), kUserRules, sizeof kUserRules - 1, &written, nullptr);
    file.Reset();
    ApplicationsTab::SetUp();
  }
  void TearDown() override {
    ApplicationsTab::TearDown();
    DeleteFileW(beside_.c_str());
    RemoveFolderTree(local + L"TidoraVendor");
  }
  std::wstring beside_;
};

TEST_F(UserRuleFile, IsReadBesideTheProgramItsUnsafeEntriesRefusedAndListedItsEntriesOptIn) {
  const std::wstring vendor = local + L"TidoraVendor\\";
  for (const wchar_t* name : {L"a.log", L"sub\\b.log", L"keep.log", L"notes.txt"})
    ASSERT_TRUE(MakeFile(vendor + name));
  ASSERT_TRUE(Exists(L"C:\\tidora-links\\to-full\\kept.txt"));
  RunningProgram::TearDown();
  RunningProgram::SetUp();
  Press(Id::bntTraceCleaner);
  SendMessageW(Control(Id::suiPageControl1), TCM_SETCURFOCUS, 2, 0);
  ASSERT_TRUE(WaitUntil([&] { return Text(Id::AppStatusLabel).starts_with(L"Built-in rules:"); }));
  EXPECT_TRUE(Text(Id::AppStatusLabel)
                  .ends_with(L" winapp2.ini: 5 entries read, 1 found on this PC, 1 refused as "
                             L"unsafe, 2 skipped."))
      << Text(Id::AppStatusLabel);
  Press(Id::bntAppDetails);
  HWND details = WaitForWindow(nullptr, L"Details");
  ASSERT_NE(details, nullptr);
  wchar_t text[2048] = {};
  SendMessageW(GetDlgItem(details, int(Id::DetailsText)), WM_GETTEXT, 2048, LPARAM(text));
  const std::wstring lines = text;
  for (const wchar_t* expected :
       {L"winapp2.ini, line 15: Sweep Profile: FileKey1=%UserProfile%|*.*|RECURSE: ",
        L"winapp2.ini, line 18: Odd Key: DetectFoo=x: ",
        L"winapp2.ini, line 21: Google Chrome Cache: "})
    EXPECT_NE(lines.find(expected), std::wstring::npos) << expected << L"\n" << lines;
  PostMessageW(details, WM_CLOSE, 0, 0);

  HTREEITEM entry = FindNode(Id::AppTree, L"Tidora Vendor Logs");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(FindNode(Id::AppTree, L"Undetected Thing"), nullptr);
  EXPECT_EQ(NodeState(Id::AppTree, entry), 1) << "a user's entries start unticked";
  PressSpaceOn(Id::AppTree, entry);
  EXPECT_TRUE(WaitUntil([&] { return NodeState(Id::AppTree, entry) == 2; }));
  for (int id = int(Id::IEABH); id <= int(Id::MSOfficeRecent); ++id)
    SendMessageW(Control(Id(id)), BM_SETCHECK, BST_UNCHECKED, 0);
  // Only this entry: the built-in ones ticked by default are unticked as a user would.
  for (HTREEITEM node : Nodes(Id::AppTree)) {
    const bool is_entry =
        SendMessageW(Control(Id::AppTree), TVM_GETNEXTITEM, TVGN_PARENT, LPARAM(node));
    if (!is_entry || node == entry || NodeState(Id::AppTree, node) != 2) continue;
    PressSpaceOn(Id::AppTree, node);
    EXPECT_TRUE(WaitUntil([&] { return NodeState(Id::AppTree, node) == 1; }));
  }
  Press(Id::bntPreview);
  ASSERT_TRUE(WaitForFinished());
  EXPECT_EQ(Rows(), std::vector<std::wstring>{L"Tidora Vendor Logs 2 Found"});
  Press(Id::bntStopFinish);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(Control(Id::bntCleanNow), BM_CLICK, 0, 0, SMTO_NORMAL, 180000, &answer);
  EXPECT_EQ(Rows(), std::vector<std::wstring>{L"Tidora Vendor Logs 2 Finished"});
  EXPECT_FALSE(Exists(vendor + L"a.log"));
  EXPECT_FALSE(Exists(vendor + L"sub\\b.log"));
  for (const std::wstring& kept : {vendor + L"keep.log", vendor + L"notes.txt",
                                   std::wstring(L"C:\\tidora-link-target\\kept.txt")})
    EXPECT_TRUE(Exists(kept)) << kept;
}

}  // namespace
}  // namespace tidora::testing

namespace tidora::testing {
namespace {

// The folders the rules protect, gathered and compared through the real adapters, whose
// canonical names fold case their own way.
TEST(RulePlaces, ProtectTheShellsFoldersAsTheFileSystemNamesThem) {
  using enum platform::KnownFolder;
  win32::Win32Shell shell;
  win32::Win32FileSystem files;
  win32::Win32SystemInfo system;
  const auto places = rules::Places::Gather(shell, files, system);
  const auto canonical = [&](platform::KnownFolder folder, const char* below = "") {
    return files.CanonicalPath(shell.KnownFolderPath(folder) + below);
  };
  for (auto folder : {kDocuments, kProfile, kLocalAppData, kRoamingAppData, kWindows, kSystem})
    EXPECT_TRUE(places.IsProtected(canonical(folder))) << canonical(folder);
  EXPECT_TRUE(places.IsDocumentFolder(canonical(kDocuments)));
  ASSERT_EQ(places.FoldersOf(rules::Variable::kTemp).size(), 1u);
  EXPECT_TRUE(
      places.IsKeptAsFolder(files.CanonicalPath(places.FoldersOf(rules::Variable::kTemp)[0])));
  EXPECT_FALSE(places.IsProtected(canonical(kLocalAppData, "\\Vendor\\Cache")));
  EXPECT_FALSE(places.IsKeptAsFolder(canonical(kLocalAppData, "\\Vendor\\Cache")));
}

}  // namespace
}  // namespace tidora::testing
