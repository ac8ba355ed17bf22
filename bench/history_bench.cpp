// Cleaning the history of a generated Firefox profile (100 000 visits, 20 000 places, 2 000 of
// them bookmarked) inside its database, as the program does it, under Wine. Writes the same
// statements to history.sql beside it, for scripts/bench to time Debian's sqlite3 shell on a
// copy: the floor the ratio is taken against.

#include <windows.h>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/start_timer.h"
#include "databases/database_cleaner.h"
#include "databases/database_layouts.h"
#include "platform/sqlite/sqlite_database.h"
#include "platform/win32/utf.h"

namespace {

constexpr int kPlaces = 20000, kBookmarked = 2000, kVisits = 100000, kOrigins = 500;

void Run(sqlite3* db, const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    std::fprintf(stderr, "%s: %s\n", sql, error ? error : "?");
    std::exit(1);
  }
}

// A profile as Firefox lays it out, with the columns the cleaning reads.
void Generate(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  Run(db,
      "PRAGMA page_size = 32768; PRAGMA journal_mode = WAL; BEGIN;"
      "CREATE TABLE moz_origins(id INTEGER PRIMARY KEY, prefix TEXT, host TEXT, frecency INTEGER);"
      "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,"
      " rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, frecency INTEGER DEFAULT -1,"
      " last_visit_date INTEGER, guid TEXT UNIQUE, foreign_count INTEGER DEFAULT 0,"
      " url_hash INTEGER DEFAULT 0, origin_id INTEGER);"
      "CREATE INDEX moz_places_url_hashindex ON moz_places(url_hash);"
      "CREATE INDEX moz_places_originidindex ON moz_places(origin_id);"
      "CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, from_visit INTEGER,"
      " place_id INTEGER, visit_date INTEGER, visit_type INTEGER, session INTEGER);"
      "CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits(place_id, visit_date);"
      "CREATE TABLE moz_inputhistory(place_id INTEGER NOT NULL, input LONGVARCHAR NOT NULL,"
      " use_count INTEGER, PRIMARY KEY (place_id, input));"
      "CREATE TABLE moz_bookmarks(id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,"
      " parent INTEGER, title LONGVARCHAR, guid TEXT UNIQUE);"
      "CREATE INDEX moz_bookmarks_itemindex ON moz_bookmarks(fk, type);");
  std::string sql;
  for (int origin = 1; origin <= kOrigins; ++origin) {
    sql += "INSERT INTO moz_origins VALUES (" + std::to_string(origin) + ", 'https://', 'site" +
           std::to_string(origin) + ".example', 1);";
  }
  Run(db, sql.c_str());
  Run(db,
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)"
      " INSERT INTO moz_places(id, url, title, rev_host, visit_count, last_visit_date, guid,"
      " foreign_count, url_hash, origin_id) SELECT i, 'https://site' || (i % 500 + 1) ||"
      " '.example/page/' || i, 'Page ' || i, 'elpmaxe.' || i, 5, 1700000000000000 + i,"
      " printf('g%011d', i), i <= 2000, i * 7919, i % 500 + 1 FROM n;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)"
      " INSERT INTO moz_historyvisits(from_visit, place_id, visit_date, visit_type, session)"
      " SELECT 0, (i * 13) % 20000 + 1, 1700000000000000 + i, 1, 0 FROM n;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
      " INSERT INTO moz_bookmarks(type, fk, parent, title, guid) SELECT 1, i, 3, 'Bookmark ' || i,"
      " printf('b%011d', i) FROM n;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000)"
      " INSERT INTO moz_inputhistory SELECT (i * 17) % 20000 + 1, 'typed ' || i, 1 FROM n;"
      "COMMIT; PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode = DELETE;");
  sqlite3_close(db);
}

// The statements the program runs, for the shell to run the same.
void WriteStatements(const std::string& path, const tidora::databases::DatabaseLayout& layout) {
  std::ofstream sql(path, std::ios::binary);
  sql << "BEGIN IMMEDIATE;\n" << layout.counted << ";\n";
  for (const auto& step : layout.steps) {
    if (!step.sql.empty()) sql << step.sql << ";\n";
  }
  sql << "COMMIT;\nVACUUM;\n";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tidora_history_bench FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 5;
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring base = folder + L"\\places-base.sqlite", work = folder + L"\\places.sqlite";
  DeleteFileW(base.c_str());
  Generate(tidora::win32::Narrow(base));
  const auto& layout = *tidora::databases::LayoutNamed("FirefoxHistory");
  WriteStatements(tidora::win32::Narrow(folder + L"\\history.sql"), layout);

  tidora::sqlite::SqliteOpener opener;
  std::vector<double> times;
  int removed = 0;
  for (int round = 0; round < rounds; ++round) {
    CopyFileW(base.c_str(), work.c_str(), FALSE);
    const auto start = std::chrono::steady_clock::now();
    removed =
        tidora::databases::CleanDatabase(layout, tidora::win32::Narrow(work), opener, {}).removed;
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::printf("history-run: %d visits removed from %d places (%d bookmarked) in %.0f ms\n", removed,
              kPlaces, kBookmarked, tidora::bench::Median(times));
  return removed == kVisits ? 0 : 1;
}
