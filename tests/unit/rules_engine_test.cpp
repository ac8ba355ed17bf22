// The rule engine on fakes: what an entry removes and keeps on a planted PC, and what it refuses
// to touch whatever its text says.

#include <gtest/gtest.h>

#include "platform/sqlite/sqlite_database.h"
#include "rules/detector.h"
#include "rules/entry_cleaner.h"
#include "rules/listing_cache.h"
#include "rules/rule_parser.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"

namespace tidora::testing {
namespace {

namespace attribute = platform::attribute;
using rules::RuleSource;
constexpr auto CU = platform::RegistryRoot::CurrentUser, LM = platform::RegistryRoot::LocalMachine;
const std::string kMe = "C:\\users\\me\\", kLocal = kMe + "AppData\\Local\\",
                  kApp = kMe + "AppData\\Roaming\\Vendor\\App\\",
                  kChrome = kLocal + "Google\\Chrome\\User Data\\";

struct Progress final : cleaning::CleanerProgress {
  void ShowCount(int count) override { shown = count; }
  bool StopRequested() override { return ++stop_tests == stop_at; }
  void Finish() override {}
  void ReportUntouched(cleaning::Untouched, std::string_view reason) override {
    untouched.emplace_back(reason);
  }
  int shown = 0, stop_tests = 0, stop_at = -1;
  std::vector<std::string> untouched;
};

// A PC with a browser's profiles, a program's folder and keys, and documents within reach of
// careless rules: links into Documents sit where wildcards would find them.
struct Pc {
  Pc() {
    shell.known_folders = UserKnownFolders();
    for (const auto& [known, path] : shell.known_folders) files.AddFolder(path);
    files.AddFile(kChrome + "Default\\Cache\\Cache_Data\\f_1", attribute::kArchive, 100);
    files.AddFile(kChrome + "Default\\Cache\\Cache_Data\\index", attribute::kHidden, 20);
    files.AddFile(kChrome + "Default\\Web Data");
    files.AddFile(kChrome + "Default\\Cache\\Web Data.");
    files.AddFile(kChrome + "Profile 1\\Cache\\data_1", attribute::kReadOnly, 3);
    files.AddFile(kChrome + "Profile 1\\Cache\\busy");
    files.Lock(kChrome + "Profile 1\\Cache\\busy");
    files.AddJunction(kChrome + "Linked", kMe + "Documents");
    for (const char* name : {"thesis.doc", "Cache\\mine.doc"})
      files.AddFile(kMe + "Documents\\" + name);
    for (const char* name : {"log.txt", "keep.txt", "sub\\x.log", "sub\\deeper\\y.log"})
      files.AddFile(kApp + name);
    files.AddFolder(kApp + "empty");
    files.AddJunction(kApp + "Link", kMe + "Documents");
    for (const char* name : {"AMD_1.log", "notes.txt"}) files.AddFile(kMe + name);
    const std::string recent = "Software\\Vendor\\App\\Recent";
    for (const std::string& key : {recent, recent + "\\Keep", recent + "\\Other"})
      registry.SetValue(CU, key, "a", platform::ValueType::String, "x");
    registry.SetValue(CU, recent, "b", platform::ValueType::String, "x");
    for (const char* name : {"LastFile", "Size"})
      registry.SetValue(CU, "Software\\Vendor\\App", name, platform::ValueType::String, "x");
    const std::string mru = "Software\\Microsoft\\Office\\16.0\\Word\\User MRU\\";
    for (const char* account : {"AD_1", "LiveId_2", "Linked"})
      registry.SetValue(CU, mru + account + "\\File MRU", "Item 1", platform::ValueType::String,
                        "x");
    registry.MakeLink(CU, mru + "Linked");
  }

  // Loads the one entry of the text and runs it.
  int Clean(std::string_view lines) {
    const auto file = rules::ParseRuleFile("[Test *]\n" + std::string(lines), RuleSource::kBuiltIn);
    if (file.entries.size() != 1) return -1;  // refused when it was loaded: nothing runs either
    const auto places = rules::Places::Gather(shell, files, system);
    return rules::CleanEntry(file.entries[0], RuleSource::kBuiltIn,
                             {registry, files, shell, system, databases}, places, progress);
  }

  FakeRegistry registry;
  sqlite::SqliteOpener databases;
  FakeFileSystem files;
  FakeShell shell;
  FakeSystemInfo system;
  Progress progress;
};

struct Case {
  const char* lines;
  int removed;                                              // -1: refused as it was loaded
  std::vector<std::string> gone, kept;                      // files and folders
  std::vector<std::string> gone_keys = {}, kept_keys = {};  // below HKCU
};
const std::string kRecent = "Software\\Vendor\\App\\Recent",
                  kMru = "Software\\Microsoft\\Office\\16.0\\Word\\User MRU\\";

// clang-format off
const Case kCases[] = {
    // Every profile's cache: read-only and hidden files go, a file in use stays, a profile-like
    // link into Documents is never entered, the database beside the cache stays.
    {"FileKey1=%LocalAppData%\\Google\\Chrome\\User Data\\*\\Cache|*.*|RECURSE", 3,
     {kChrome + "Default\\Cache\\Cache_Data\\f_1", kChrome + "Default\\Cache\\Cache_Data\\index", kChrome + "Profile 1\\Cache\\data_1"},
     {kChrome + "Profile 1\\Cache\\busy", kChrome + "Default\\Web Data", kMe + "Documents\\Cache\\mine.doc", kChrome + "Default\\Cache\\Cache_Data",
      kChrome + "Default\\Cache\\Web Data."}},  // the system would delete "Web Data" for it
    // REMOVESELF removes the folders it emptied, keeps an excluded file and so its folder, and
    // leaves a folder that was empty before, and a link, alone.
    {"FileKey1=%AppData%\\Vendor\\App|*.*|REMOVESELF\nExcludeKey1=FILE|%AppData%\\Vendor\\App\\|keep.txt", 5,
     {kApp + "log.txt", kApp + "sub"},
     {kApp + "keep.txt", kApp + "empty", kApp + "Link", kMe + "Documents\\thesis.doc"}},
    {"FileKey1=%AppData%\\Vendor\\App|*.*|RECURSE\nExcludeKey1=PATH|%AppData%\\Vendor\\App\\sub\\|*.log", 2,
     {kApp + "log.txt", kApp + "keep.txt"}, {kApp + "sub\\x.log", kApp + "sub\\deeper\\y.log"}},
    {"FileKey1=%AppData%\\Vendor\\App|*.txt;*.log", 2, {kApp + "log.txt"}, {kApp + "sub\\x.log"}},
    // A link as the target is not cleaned.
    {"FileKey1=%AppData%\\Vendor\\App\\Link|*.doc", 0, {}, {kMe + "Documents\\thesis.doc"}},
    // Specific names in a protected folder are allowed; sweeping it is not, however reached.
    {"FileKey1=%UserProfile%|AMD_*.log", 1, {kMe + "AMD_1.log"}, {kMe + "notes.txt"}},
    {"FileKey1=%UserProfile%\\AppData|*.*|RECURSE", 0, {}, {kApp + "log.txt", kMe + "AMD_1.log"}},
    {"FileKey1=%UserProfile%\\Docu*|*.*|RECURSE", 0, {}, {kMe + "Documents\\thesis.doc"}},
    {"FileKey1=%UserProfile%\\..\\me|*.*|RECURSE", -1, {}, {kMe + "notes.txt"}},
    // An exclusion that cannot be honoured stops the whole entry.
    {"FileKey1=%AppData%\\Vendor\\App|*.*|RECURSE\nExcludeKey1=PATH|%AppData%\\Vendor\\App\\..\\App\\sub\\", -1, {}, {kApp + "sub\\x.log", kApp + "log.txt"}},
    {"FileKey1=%AppData%\\Vendor\\App|*.*\nExcludeKey1=FILE|%NoSuch%\\|keep.txt", -1, {}, {kApp + "log.txt"}},
    // Keys go save what is excluded, "*" (the program's own rules) skips a link, a vendor's key is refused.
    {"RegKey1=HKCU\\Software\\Vendor\\App\\Recent\nExcludeKey1=REG|HKCU\\Software\\Vendor\\App\\Recent\\Keep", 3, {}, {},
     {kRecent + "\\Other"}, {kRecent + "\\Keep", kRecent}},
    {"RegKey1=HKCU\\Software\\Vendor\\App\\Recent", 1, {}, {}, {kRecent}, {"Software\\Vendor\\App"}},
    {"RegKey1=HKCU\\Software\\Vendor\\App|LastFile", 1, {}, {}, {}, {kRecent}},
    {"RegKey1=HKCU\\Software\\Microsoft\\Office\\16.0\\Word\\User MRU\\*\\File MRU", 2, {}, {},
     {kMru + "AD_1\\File MRU"}, {kMru + "LiveId_2"}},
    {"RegKey1=HKCU\\Software\\Vendor", -1, {}, {}, {}, {kRecent}},
};
// clang-format on

TEST(RuleEntries, RemoveWhatTheyNameAndNothingTheyMayNotReach) {
  for (const Case& test : kCases) {
    Pc pc;
    const int removed = pc.Clean(test.lines);
    EXPECT_TRUE(removed == test.removed || (test.removed <= 0 && removed <= 0))
        << test.lines << " removed " << removed;
    if (test.removed > 0) {
      EXPECT_EQ(pc.progress.shown, removed) << test.lines;
    }
    for (const auto& path : test.gone) EXPECT_FALSE(pc.files.Exists(path)) << test.lines << path;
    for (const auto& path : test.kept) EXPECT_TRUE(pc.files.Exists(path)) << test.lines << path;
    for (const auto& key : test.gone_keys) EXPECT_FALSE(pc.registry.KeyExists(CU, key)) << key;
    for (const auto& key : test.kept_keys) EXPECT_TRUE(pc.registry.KeyExists(CU, key)) << key;
  }
  Pc pc;  // one value goes, its neighbour stays
  pc.Clean("RegKey1=HKCU\\Software\\Vendor\\App|LastFile");
  EXPECT_TRUE(pc.registry.OpenForRead(CU, "Software\\Vendor\\App")->HasValue("Size"));
}

TEST(RuleEntries, StopEndsTheWalkAtTheNextFolder) {
  Pc pc;
  pc.progress.stop_at = 2;  // the entry asks once before its first key
  pc.Clean("FileKey1=%AppData%\\Vendor\\App|*.*|RECURSE");
  EXPECT_TRUE(pc.files.Exists(kApp + "sub\\x.log"));
  EXPECT_FALSE(pc.files.Exists(kApp + "log.txt"));
}

// SQLite writes to a database's companions: one that is a link leaves the database untouched.
TEST(RuleEntries, ADatabaseWhoseCompanionIsALinkIsLeftWhole) {
  Pc pc;
  pc.files.AddFile(kChrome + "Default\\History");
  pc.files.AddFile(kChrome + "Default\\History-journal", attribute::kReparsePoint);
  EXPECT_EQ(
      pc.Clean("Database1=ChromiumHistory|%LocalAppData%\\Google\\Chrome\\User Data\\*|History"),
      0);
  ASSERT_EQ(pc.progress.untouched.size(), 1u);
  EXPECT_NE(pc.progress.untouched[0].find("companion"), std::string::npos)
      << pc.progress.untouched[0];
}

TEST(RuleEntries, AreOfferedWhenTheirSystemAndAnyOfTheirMarksAreHere) {
  struct Case {
    const char* lines;
    bool offered;
  } cases[] = {
      {"", true},
      {"DetectOS=10.0|", true},
      {"DetectOS=|6.3", false},
      {"DetectOS=6.1|6.3", false},
      {"Detect=HKLM\\Software\\Vendor32", true},  // in the 32-bit view only
      {"Detect=HKCU\\Software\\Nobody", false},
      {"Detect=HKCU\\Software\\Nobody\nDetectFile=%LocalAppData%\\Google\\Chrome*\\User Data",
       true},
      {"DetectFile=%AppData%\\Vendor\\App\\sub\\*.log", true},
      {"DetectFile=%AppData%\\Vendor\\App\\*.doc", false},
      {"DetectOS=10.0|\nDetectFile=%AppData%\\Nobody", false},
  };
  for (const Case& test : cases) {
    Pc pc;
    pc.registry.SetValue(LM, "Software\\Vendor32", "v", platform::ValueType::String, "x",
                         platform::RegistryView::k32);
    const auto file = rules::ParseRuleFile(
        "[T]\n" + std::string(test.lines) + "\nFileKey1=%Temp%|*.tmp", RuleSource::kBuiltIn);
    ASSERT_EQ(file.entries.size(), 1u) << test.lines;
    const auto places = rules::Places::Gather(pc.shell, pc.files, pc.system);
    rules::Detector detector({pc.registry, pc.files, pc.shell, pc.system, pc.databases}, places);
    EXPECT_EQ(detector.Detected(file.entries[0]), test.offered) << test.lines;
  }
}

}  // namespace
}  // namespace tidora::testing

namespace tidora::testing {
namespace {

// Every lookup a rule makes, asked of the cache and of the file system itself.
TEST(ListingCache, AnswersAsTheFileSystemDoesListingEachFolderOnceUntilItChanges) {
  Pc pc;
  rules::ListingCache cache(pc.files);
  const auto found = [](platform::FileSystem& files, const std::string& pattern) {
    std::string names;
    const auto end = files.Find(pattern, [&](const platform::FoundEntry& entry) {
      names += entry.name + ":" + std::to_string(entry.attributes) + ";";
      return true;
    });
    return names + std::to_string(int(end));
  };
  const std::string lookups[] = {kChrome + "*",        kChrome + "Prof*",   kChrome + "Default",
                                 kChrome + "nothing*", kApp + "sub\\*.log", kMe + "nowhere\\*"};
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& pattern : lookups) {
      EXPECT_EQ(found(cache, pattern), found(pc.files, pattern)) << pattern;
      EXPECT_EQ(cache.Attributes(pattern), pc.files.Attributes(pattern)) << pattern;
    }
  }
  EXPECT_EQ(cache.listings(), 3);  // User Data, sub and the missing folder
  EXPECT_TRUE(cache.RemoveFile(kApp + "sub\\x.log"));
  EXPECT_EQ(found(cache, kApp + "sub\\*.log"), found(pc.files, kApp + "sub\\*.log"));
  EXPECT_EQ(cache.listings(), 4);
}

}  // namespace
}  // namespace tidora::testing
