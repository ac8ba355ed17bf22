// Cleaning inside the browsers' databases, on real SQLite files: what goes, what stays, what is
// left whole, and that a preview leaves every byte as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>
#include <thread>

#include "cleaning/cookie_keep_list.h"
#include "databases/database_cleaner.h"
#include "platform/dry_run/database_overlay.h"
#include "platform/sqlite/sqlite_database.h"
#include "tests/support/fake_registry.h"
#include "tests/support/sqlite_files.h"

namespace tidora::testing {
namespace {

namespace fs = std::filesystem;
using cleaning::CookieKeepList;
using cleaning::Untouched;

constexpr const char* kFirefoxPlaces = R"(
CREATE TABLE moz_origins(id INTEGER PRIMARY KEY, prefix TEXT, host TEXT);
CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT, title TEXT, visit_count INTEGER,
  last_visit_date INTEGER, foreign_count INTEGER DEFAULT 0, origin_id INTEGER);
CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, place_id INTEGER, visit_date INTEGER);
CREATE TABLE moz_inputhistory(place_id INTEGER, input TEXT, PRIMARY KEY(place_id, input));
CREATE TABLE moz_bookmarks(id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER, title TEXT);
INSERT INTO moz_origins VALUES (1, 'https://', 'kept.example'), (2, 'https://', 'seen.example');
INSERT INTO moz_places VALUES (1, 'https://kept.example/', 'Kept', 3, 17, 1, 1),
  (2, 'https://seen.example/a', 'A', 2, 18, 0, 2), (3, 'https://seen.example/b', 'B', 1, 19, 0, 2),
  (4, 'https://kept.example/linked', 'Linked', 1, 20, 0, 1),
  (5, 'https://seen.example/keyword', 'Keyword', 1, 21, 1, 2);
INSERT INTO moz_historyvisits(place_id, visit_date) VALUES (1, 1), (1, 2), (2, 3), (3, 4), (4, 5);
INSERT INTO moz_inputhistory VALUES (2, 'see');
INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 'menu'), (2, 1, 1, 'Kept'), (3, 1, 4, 'Linked');
)";

constexpr const char* kChromiumHistory = R"(
CREATE TABLE meta(key LONGVARCHAR PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR);
CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER, visit_time INTEGER);
CREATE TABLE keyword_search_terms(keyword_id INTEGER, url_id INTEGER, term LONGVARCHAR);
CREATE TABLE downloads(id INTEGER PRIMARY KEY, target_path LONGVARCHAR);
INSERT INTO meta VALUES ('version', '67');
INSERT INTO urls VALUES (1, 'https://a.example/', 'A'), (2, 'https://b.example/', 'B');
INSERT INTO visits VALUES (1, 1, 10), (2, 1, 11), (3, 2, 12);
INSERT INTO keyword_search_terms VALUES (1, 2, 'secret words');
INSERT INTO downloads VALUES (1, 'C:\x.zip');
)";

constexpr const char* kChromiumWebData = R"(
CREATE TABLE autofill(name VARCHAR, value VARCHAR, date_created INTEGER DEFAULT 0,
  date_last_used INTEGER DEFAULT 0, count INTEGER DEFAULT 1, PRIMARY KEY (name, value));
CREATE TABLE keywords(id INTEGER PRIMARY KEY, short_name VARCHAR, url VARCHAR);
INSERT INTO autofill(name, value) VALUES ('email', 'me@example.com'), ('q', 'secret');
INSERT INTO keywords VALUES (2, 'Search', 'https://s.example/?q={searchTerms}');
)";

constexpr const char* kFirefoxForms = R"(
CREATE TABLE moz_formhistory(id INTEGER PRIMARY KEY, fieldname TEXT, value TEXT);
INSERT INTO moz_formhistory(fieldname, value) VALUES ('email', 'me@example.com'), ('q', 'x');
)";

// Hosts as the stores write them, with and without a leading dot, in any case.
constexpr const char* kCookieHosts =
    "('.example.com'), ('mail.example.com'), ('badexample.com'), ('.tracker.net'), "
    "('Shop.Example.Com')";

struct Case {
  const char* layout;
  std::string schema;
  int removed;
  const char* after_query;  // one text: what must stay
  const char* after;
  const char* gone;  // in a deleted row: not in the file once it is compacted
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The copies a preview made, left in the temporary folder.
int CopiesLeft() {
  int left = 0;
  for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
    const std::string name = entry.path().filename().string();
    left +=
        name.starts_with("tidora-") && name.find_first_not_of("0123456789", 7) == std::string::npos;
  }
  return left;
}

// clang-format off
const Case kCases[] = {
    {"FirefoxHistory", kFirefoxPlaces, 5,
     "SELECT (SELECT count(*) FROM moz_historyvisits) || (SELECT count(*) FROM moz_inputhistory)"
     " || '|' || (SELECT group_concat(id || ':' || visit_count || ':' || ifnull(last_visit_date, '-'))"
     " FROM moz_places) || '|' || (SELECT group_concat(host) FROM moz_origins)"
     " || '|' || (SELECT count(*) FROM moz_bookmarks)",
     "00|1:0:-,4:0:-,5:0:-|kept.example,seen.example|3", "seen.example/a"},
    {"ChromiumHistory", kChromiumHistory, 3,
     "SELECT (SELECT count(*) FROM urls) || (SELECT count(*) FROM visits)"
     " || (SELECT count(*) FROM keyword_search_terms) || (SELECT count(*) FROM downloads)"
     " || '|' || (SELECT group_concat(value) FROM meta)",
     "0000|67", "secret words"},
    {"ChromiumFormData", kChromiumWebData, 2,
     "SELECT (SELECT count(*) FROM autofill) || '|' || (SELECT group_concat(short_name) FROM keywords)",
     "0|Search", "me@example.com"},
    {"FirefoxFormHistory", kFirefoxForms, 2, "SELECT count(*) FROM moz_formhistory", "0",
     "me@example.com"},
    {"FirefoxCookies",
     std::string("CREATE TABLE moz_cookies(id INTEGER PRIMARY KEY, host TEXT); "
                 "INSERT INTO moz_cookies(host) VALUES ") + kCookieHosts,
     2, "SELECT group_concat(host, ' ') FROM moz_cookies",
     ".example.com mail.example.com Shop.Example.Com", "tracker.net"},
    {"ChromiumCookies",
     std::string("CREATE TABLE cookies(creation_utc INTEGER, host_key TEXT); "
                 "INSERT INTO cookies(host_key) VALUES ") + kCookieHosts,
     2, "SELECT group_concat(host_key, ' ') FROM cookies",
     ".example.com mail.example.com Shop.Example.Com", "tracker.net"},
};
// clang-format on

struct BrowserDatabases : ::testing::Test {
  BrowserDatabases() { fs::create_directories(folder_); }
  ~BrowserDatabases() override { fs::remove_all(folder_); }

  std::string Path(const char* name) const { return (folder_ / name).string(); }
  databases::DatabaseResult Clean(const char* layout, const std::string& path, bool preview) {
    dry_run::RunState run;
    run.mode = preview ? dry_run::Mode::kRecord : dry_run::Mode::kForward;
    dry_run::DatabaseOverlay overlay(real_, run);
    return databases::CleanDatabase(*databases::LayoutNamed(layout), path, overlay, keep_);
  }

  fs::path folder_ =
      fs::temp_directory_path() / ("tidora-browser-" + std::to_string(std::random_device{}()));
  sqlite::SqliteOpener real_;
  CookieKeepList keep_{{"example.com"}};
};

// A preview counts what Start removes and changes not a byte; Start removes only that.
TEST_F(BrowserDatabases, PreviewCountsWhatStartRemovesAndWhatUsersKeepStays) {
  for (const Case& test : kCases) {
    SCOPED_TRACE(test.layout);
    const std::string path = Path(test.layout);
    MakeDatabase(path, test.schema);
    const auto before = FolderBytes(folder_);
    const int copies = CopiesLeft();
    const auto preview = Clean(test.layout, path, true);
    EXPECT_EQ(preview.removed, test.removed);
    EXPECT_FALSE(preview.untouched) << preview.reason;
    EXPECT_EQ(FolderBytes(folder_), before);
    EXPECT_EQ(CopiesLeft(), copies);
    EXPECT_NE(FileText(path).find(test.gone), std::string::npos);
    const auto start = Clean(test.layout, path, false);
    EXPECT_EQ(start.removed, test.removed);
    EXPECT_EQ(QueryText(path, test.after_query), test.after);
    EXPECT_EQ(FileText(path).find(test.gone), std::string::npos);
    EXPECT_EQ(Clean(test.layout, path, false).removed, 0);  // nothing left to remove
  }
  // One transaction: a deletion refused half way leaves every row where it was.
  const std::string guarded = Path("guarded.sqlite");
  MakeDatabase(guarded, std::string(kFirefoxPlaces) +
                            "CREATE TRIGGER guard BEFORE DELETE ON moz_places "
                            "BEGIN SELECT RAISE(ABORT, 'kept'); END;");
  EXPECT_EQ(Clean("FirefoxHistory", guarded, false).untouched, Untouched::kSkipped);
  EXPECT_EQ(QueryText(guarded, "SELECT count(*) FROM moz_historyvisits"), "5");
}

// What cannot be cleaned safely is left whole, in a preview as in Start, and says why.
TEST_F(BrowserDatabases, HeldForeignDamagedOrUnknownDatabasesAreLeftWhole) {
  const std::string cookies = Path("cookies.sqlite");
  MakeDatabase(cookies,
               "CREATE TABLE moz_cookies(id INTEGER PRIMARY KEY, host TEXT);"
               "INSERT INTO moz_cookies(host) VALUES ('a.example')");
  std::ofstream(Path("notes.txt")) << "SQLite is not what this is";
  std::string damaged(4096, '\x5a');
  damaged.replace(0, 16, std::string("SQLite format 3\0", 16));
  std::ofstream(Path("damaged.sqlite"), std::ios::binary) << damaged;
  MakeDatabase(Path("old.sqlite"), "CREATE TABLE moz_cookies(id INTEGER PRIMARY KEY, name TEXT)");
  std::ofstream(Path("empty.sqlite"));

  auto holder = real_.Open(cookies, platform::OpenMode::kReadWrite);
  struct Left {
    std::string path;
    Untouched why;
  };
  const Left cases[] = {{cookies, Untouched::kInUse},
                        {Path("notes.txt"), Untouched::kSkipped},
                        {Path("damaged.sqlite"), Untouched::kSkipped},
                        {Path("old.sqlite"), Untouched::kSkipped},
                        {Path("empty.sqlite"), Untouched::kSkipped}};
  // A reader's shared lock holds it as a browser does, and so does an exclusive one.
  for (const char* hold : {"BEGIN; SELECT count(*) FROM moz_cookies",
                           "COMMIT; PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE"}) {
    holder->Execute(hold);
    const bool reader = std::string_view(hold).starts_with("BEGIN;");
    const auto before = FolderBytes(folder_);
    for (const Left& left : cases) {
      for (bool preview : {true, false}) {
        SCOPED_TRACE(left.path + (preview ? " preview" : " start") + (reader ? " reader" : ""));
        const auto result = Clean("FirefoxCookies", left.path, preview);
        if (preview && reader && left.path == cookies) {
          // A preview's probe may not write, and a reader's lock escapes it: it counts the copy.
          EXPECT_EQ(result.removed, 1);
          EXPECT_FALSE(result.untouched);
          continue;
        }
        EXPECT_EQ(result.removed, 0);
        EXPECT_EQ(result.untouched, left.why);
        EXPECT_NE(result.reason.find(left.path), std::string::npos) << result.reason;
      }
    }
    EXPECT_EQ(FolderBytes(folder_), before);
  }
}

// A browser that crashed leaves committed rows in the -wal beside the database: a preview counts
// them from its copy without touching either file, and Start removes them.
TEST_F(BrowserDatabases, AWalLeftByACrashIsCountedByAPreviewAndCleanedByStart) {
  const fs::path live = folder_ / "live";
  const fs::path crashed = folder_ / "crashed";
  fs::create_directories(live);
  fs::create_directories(crashed);
  const std::string path = (live / "formhistory.sqlite").string();
  MakeDatabase(path,
               "PRAGMA journal_mode = WAL;"
               "CREATE TABLE moz_formhistory(id INTEGER PRIMARY KEY, fieldname, value)");
  {
    auto browser = real_.Open(path, platform::OpenMode::kReadWrite);
    browser->Execute(
        "PRAGMA wal_autocheckpoint = 0;"
        "INSERT INTO moz_formhistory(fieldname, value) VALUES ('a', '1'), ('b', '2')");
    // The files as the crash left them: the rows are in the -wal alone.
    for (const char* name : {"formhistory.sqlite", "formhistory.sqlite-wal"})
      fs::copy_file(live / name, crashed / name);
  }
  const std::string left = (crashed / "formhistory.sqlite").string();
  const auto before = FolderBytes(crashed);
  EXPECT_EQ(Clean("FirefoxFormHistory", left, true).removed, 2);
  EXPECT_EQ(FolderBytes(crashed), before);
  EXPECT_EQ(Clean("FirefoxFormHistory", left, false).removed, 2);
  EXPECT_EQ(QueryText(left, "SELECT count(*) FROM moz_formhistory"), "0");
}

TEST(CookieKeepList, KeepsADomainAndItsSubdomainsOnly) {
  const CookieKeepList keep({"example.com", "bank.co.uk"});
  struct Host {
    const char* host;
    bool kept;
  };
  const Host hosts[] = {{"example.com", true},       {".example.com", true},
                        {"Mail.EXAMPLE.com", true},  {"a.b.example.com", true},
                        {"example.com:8080", true},  {"badexample.com", false},
                        {"example.com.evil", false}, {"co.uk", false},
                        {"www.bank.co.uk", true},    {"", false}};
  for (const Host& host : hosts) EXPECT_EQ(keep.Keeps(host.host), host.kept) << host.host;
}

TEST(CookieKeepList, TypedDomainsAreTidiedAndWhatNamesNoHostIsRefused) {
  struct Typed {
    const char* text;
    const char* domain;  // "" for refused
  };
  const Typed typed[] = {{"  Example.COM ", "example.com"},
                         {".example.com", "example.com"},
                         {"https://Mail.Example.com:8080/inbox?x", "mail.example.com"},
                         {"example.com.", "example.com"},
                         {"", ""},
                         {"exa mple.com", ""},
                         {"example..com", ""},
                         {"*.example.com", ""},
                         {"../etc", ""}};
  for (const Typed& test : typed) {
    EXPECT_EQ(cleaning::CookieDomain(test.text).value_or(""), test.domain) << test.text;
  }
}

// The list is stored as one value per domain; saving an empty list leaves no key behind.
TEST(CookieKeepList, SavedListReadsBackAndAnEmptyOneRemovesTheKey) {
  FakeRegistry registry;
  EXPECT_TRUE(cleaning::ReadCookieKeepList(registry).empty());
  ASSERT_TRUE(cleaning::SaveCookieKeepList(registry, CookieKeepList({"b.example", "a.example"})));
  EXPECT_EQ(cleaning::ReadCookieKeepList(registry).domains(),
            (std::vector<std::string>{"a.example", "b.example"}));
  ASSERT_TRUE(cleaning::SaveCookieKeepList(registry, CookieKeepList({"c.example"})));
  EXPECT_EQ(cleaning::ReadCookieKeepList(registry).domains(),
            std::vector<std::string>{"c.example"});
  ASSERT_TRUE(cleaning::SaveCookieKeepList(registry, {}));
  EXPECT_FALSE(
      registry.OpenForRead(platform::RegistryRoot::CurrentUser, cleaning::kKeepCookiesKey));
}

}  // namespace
}  // namespace tidora::testing
