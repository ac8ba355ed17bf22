// The database interface on real SQLite files in a folder of the test's own.

#include "platform/sqlite/sqlite_database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "tests/support/sqlite_files.h"

namespace tidora::testing {
namespace {
namespace fs = std::filesystem;
using platform::DatabaseFailure;
using platform::OpenMode;

struct DatabaseTest : ::testing::Test {
  DatabaseTest() { fs::create_directories(folder_); }
  ~DatabaseTest() override { fs::remove_all(folder_); }

  std::string MakeFile(const std::string& name, const std::string& bytes = {}) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::unique_ptr<platform::Database> OpenVisits() {
    MakeDatabase(Path("history.db"),
                 "CREATE TABLE visits(id INTEGER PRIMARY KEY, url TEXT);"
                 "INSERT INTO visits(url) VALUES ('a.example'), ('b.example')");
    return opener_.Open(Path("history.db"), OpenMode::kReadWrite);
  }
  std::string UrlsSeenByAnotherConnection() {
    auto db = opener_.Open(Path("history.db"), OpenMode::kReadOnly);
    auto select = db->Prepare("SELECT group_concat(url, ' ') FROM visits");
    EXPECT_TRUE(select->Step());
    return select->ColumnText(0);
  }
  DatabaseFailure OpenFailure(const std::string& path) try {
    opener_.Open(path, OpenMode::kReadWrite);
    ADD_FAILURE() << "opened " << path;
    return DatabaseFailure::kOther;
  } catch (const platform::DatabaseError& error) {
    return error.failure();
  }
  fs::path folder_ =
      fs::temp_directory_path() / ("tidora-db-" + std::to_string(std::random_device{}()));
  sqlite::SqliteOpener opener_;
};

TEST_F(DatabaseTest, RolledBackKeepsRowsAndCommittedRemovesThem) {
  auto db = OpenVisits();
  for (bool commit : {false, true}) {
    platform::Transaction transaction(*db);
    db->Execute("DELETE FROM visits WHERE url = 'a.example'");
    EXPECT_EQ(db->ChangedRows(), 1);  // the second time too: the rollback brought the row back
    if (commit) transaction.Commit();
  }
  EXPECT_EQ(UrlsSeenByAnotherConnection(), "b.example");
  db->Execute("VACUUM");  // fails while a transaction is left open
}

TEST_F(DatabaseTest, TableHasColumnsOnlyWhenEveryOneIsThere) {
  auto db = OpenVisits();
  EXPECT_TRUE(db->TableHasColumns("VISITS", {"id", "URL"}));
  EXPECT_FALSE(db->TableHasColumns("visits", {"url", "title"}));
  EXPECT_FALSE(db->TableHasColumns("places", {}));
}

TEST_F(DatabaseTest, OpenReportsWhyItFailed) {
  EXPECT_EQ(OpenFailure(MakeFile("notes.txt", std::string(4096, 'x'))),
            DatabaseFailure::kNotADatabase);
  EXPECT_EQ(OpenFailure(Path("missing.db")), DatabaseFailure::kCannotOpen);
  EXPECT_FALSE(fs::exists(folder_ / "missing.db"));
  // SQLite would take an empty file for an empty database, and write its header into it.
  EXPECT_EQ(OpenFailure(MakeFile("empty.db")), DatabaseFailure::kNotADatabase);
  EXPECT_EQ(fs::file_size(folder_ / "empty.db"), 0u);
}

TEST_F(DatabaseTest, DatabaseHeldByAnotherConnectionIsLockedAfterAShortWait) {
  auto holder = OpenVisits();
  holder->Execute("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(OpenFailure(Path("history.db")), DatabaseFailure::kLocked);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(250));
  EXPECT_LT(waited, std::chrono::seconds(5));
}

}  // namespace
}  // namespace tidora::testing
