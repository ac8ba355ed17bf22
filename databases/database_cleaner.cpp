#include "databases/database_cleaner.h"

#include <set>
#include <string>
#include <vector>

namespace tidora::databases {

namespace {

using cleaning::Untouched;
using platform::Database;
using platform::DatabaseError;
using platform::DatabaseFailure;

DatabaseResult Left(Untouched why, std::string_view path, std::string_view reason) {
  std::string text(path);
  text += ": ";
  text += reason;
  return {0, why, std::move(text)};
}

// The first required table the database lacks, or lacks a column of; empty when none.
std::string MissingTable(Database& database, const DatabaseLayout& layout) {
  for (const TableStep& step : layout.steps) {
    if (step.required && !database.TableHasColumns(step.table, step.columns)) {
      return std::string(step.table);
    }
  }
  return {};
}

std::int64_t CountOf(Database& database, std::string_view sql) {
  auto statement = database.Prepare(sql);
  return statement->Step() ? statement->ColumnInt(0) : 0;
}

std::int64_t RunSteps(Database& database, const DatabaseLayout& layout) {
  std::int64_t changed = 0;
  for (const TableStep& step : layout.steps) {
    if (step.sql.empty()) continue;
    if (!step.required && !database.TableHasColumns(step.table, step.columns)) continue;
    database.Execute(step.sql);
    changed += database.ChangedRows();
  }
  return changed;
}

// Cookies host by host, so that the keep-list decides for each; the rows deleted.
std::int64_t DeleteCookies(Database& database, const DatabaseLayout& layout,
                           const cleaning::CookieKeepList& keep) {
  const std::string table(layout.cookie_table);
  const std::string column(layout.host_column);
  if (keep.empty()) {
    database.Execute("DELETE FROM " + table);
    return database.ChangedRows();
  }
  std::set<std::string> doomed;
  auto hosts = database.Prepare("SELECT DISTINCT " + column + " FROM " + table);
  while (hosts->Step()) {
    std::string host = hosts->ColumnText(0);
    if (!keep.Keeps(host)) doomed.insert(std::move(host));
  }
  std::int64_t deleted = 0;
  auto remove = database.Prepare("DELETE FROM " + table + " WHERE " + column + " = ?1");
  for (const std::string& host : doomed) {
    remove->Bind(1, host);
    while (remove->Step()) {
    }
    deleted += database.ChangedRows();
    remove->Reset();
  }
  return deleted;
}

// The rows the row shows, and whether anything changed at all.
struct Deleted {
  std::int64_t counted = 0;
  std::int64_t changed = 0;
};

Deleted DeleteInOneTransaction(Database& database, const DatabaseLayout& layout,
                               const cleaning::CookieKeepList& keep) {
  platform::Transaction transaction(database);
  Deleted deleted;
  if (!layout.counted.empty()) deleted.counted = CountOf(database, layout.counted);
  deleted.changed = RunSteps(database, layout);
  if (!layout.cookie_table.empty()) {
    deleted.counted = DeleteCookies(database, layout, keep);
    deleted.changed += deleted.counted;
  }
  transaction.Commit();
  return deleted;
}

std::string_view FailureText(DatabaseFailure failure) {
  switch (failure) {
    case DatabaseFailure::kLocked:
      return "in use by a running program; close the browser and try again";
    case DatabaseFailure::kNotADatabase:
      return "not a database this program can read";
    case DatabaseFailure::kCannotOpen:
      return "cannot be opened";
    case DatabaseFailure::kOther:
      break;
  }
  return "damaged or unreadable";
}

}  // namespace

DatabaseResult CleanDatabase(const DatabaseLayout& layout, std::string_view path,
                             platform::DatabaseOpener& opener,
                             const cleaning::CookieKeepList& keep) {
  // A running browser may hold its database for as long as it runs: waiting is in vain, and
  // changing it behind the browser's back would be overwritten.
  if (opener.Held(path, platform::OpenMode::kReadWrite))
    return Left(Untouched::kInUse, path, FailureText(DatabaseFailure::kLocked));
  try {
    auto database = opener.Open(path, platform::OpenMode::kReadWrite);
    if (const std::string missing = MissingTable(*database, layout); !missing.empty()) {
      return Left(Untouched::kSkipped, path,
                  "has no table " + missing + " as this program knows it");
    }
    const Deleted deleted = DeleteInOneTransaction(*database, layout, keep);
    if (deleted.changed > 0) {
      try {
        database->Execute("VACUUM");
      } catch (const DatabaseError&) {
        // The rows are gone; the free pages are rewritten by the browser's own next compaction.
      }
    }
    return {static_cast<int>(deleted.counted), std::nullopt, {}};
  } catch (const DatabaseError& error) {
    const bool locked = error.failure() == DatabaseFailure::kLocked;
    std::string reason(FailureText(error.failure()));
    if (!locked && error.failure() != DatabaseFailure::kNotADatabase) {
      reason += " (";
      reason += error.what();
      reason += ")";
    }
    return Left(locked ? Untouched::kInUse : Untouched::kSkipped, path, reason);
  }
}

}  // namespace tidora::databases
