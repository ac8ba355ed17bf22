#include "platform/sqlite/sqlite_database.h"

#include <sqlite3.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <system_error>
#include <utility>

#include "base/text.h"
#include "platform/sqlite/database_file.h"

namespace tidora::sqlite {
namespace {

using platform::DatabaseError;
using platform::DatabaseFailure;

// Long enough to ride out a browser's own short writes, short enough that a running browser
// does not stall the run.
constexpr int kBusyTimeoutMs = 300;

DatabaseFailure FailureOf(int code) {
  switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return DatabaseFailure::kLocked;
    case SQLITE_NOTADB:
      return DatabaseFailure::kNotADatabase;
    case SQLITE_CANTOPEN:
      return DatabaseFailure::kCannotOpen;
    default:
      return DatabaseFailure::kOther;
  }
}

[[noreturn]] void Fail(sqlite3* db, int code, std::string_view doing) {
  std::string message(doing);
  message += ": ";
  message += db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  throw DatabaseError(FailureOf(code), message);
}

void Check(sqlite3* db, int code, std::string_view doing) {
  if (code != SQLITE_OK) Fail(db, code, doing);
}

struct ConnectionCloser {
  // close_v2 waits for any statement still alive instead of failing.
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

class SqliteStatement final : public platform::Statement {
 public:
  SqliteStatement(sqlite3* db, StatementHandle statement)
      : db_(db), statement_(std::move(statement)) {}

  void Bind(int parameter, std::int64_t value) override {
    Check(db_, sqlite3_bind_int64(statement_.get(), parameter, value), "bind");
  }
  void Bind(int parameter, std::string_view text) override {
    Check(db_,
          sqlite3_bind_text64(statement_.get(), parameter, text.data(), text.size(),
                              SQLITE_TRANSIENT, SQLITE_UTF8),
          "bind");
  }
  bool Step() override {
    const int code = sqlite3_step(statement_.get());
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    Fail(db_, code, "step");
  }
  std::int64_t ColumnInt(int column) const override {
    return sqlite3_column_int64(statement_.get(), column);
  }
  std::string ColumnText(int column) const override {
    const auto* text = sqlite3_column_text(statement_.get(), column);
    if (text == nullptr) return {};
    const int size = sqlite3_column_bytes(statement_.get(), column);
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
  }
  void Reset() override {
    // The error of a failed run was reported by Step already.
    sqlite3_reset(statement_.get());
  }

 private:
  sqlite3* db_;
  StatementHandle statement_;
};

class SqliteDatabase final : public platform::Database {
 public:
  explicit SqliteDatabase(Connection db) : db_(std::move(db)) {}

  void Execute(std::string_view sql) override {
    // sqlite3_exec wants a terminated string.
    const std::string text(sql);
    Check(db_.get(), sqlite3_exec(db_.get(), text.c_str(), nullptr, nullptr, nullptr), text);
  }
  std::unique_ptr<platform::Statement> Prepare(std::string_view sql) override {
    sqlite3_stmt* raw = nullptr;
    const int code =
        sqlite3_prepare_v2(db_.get(), sql.data(), static_cast<int>(sql.size()), &raw, nullptr);
    StatementHandle statement(raw);
    Check(db_.get(), code, sql);
    return std::make_unique<SqliteStatement>(db_.get(), std::move(statement));
  }
  std::int64_t ChangedRows() const override { return sqlite3_changes64(db_.get()); }
  bool TableHasColumns(std::string_view table, const std::vector<std::string>& columns) override;

 private:
  Connection db_;
};

bool SqliteDatabase::TableHasColumns(std::string_view table,
                                     const std::vector<std::string>& columns) {
  // The table-valued pragma takes the table's name as a value: no quoting of identifiers.
  auto statement = Prepare("SELECT name FROM pragma_table_info(?1)");
  statement->Bind(1, table);
  std::set<std::string> present;
  while (statement->Step()) present.insert(base::AsciiLower(statement->ColumnText(0)));
  if (present.empty()) return false;  // no such table
  for (const auto& column : columns) {
    if (!present.contains(base::AsciiLower(column))) return false;
  }
  return true;
}

namespace fs = std::filesystem;

fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A private folder under the system's temporary folder; gone with its contents at the end.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::random_device random;
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    for (int attempt = 0; attempt < 16 && path_.empty() && !error; ++attempt) {
      fs::path candidate = temporary / ("tidora-" + std::to_string(random()));
      if (fs::create_directory(candidate, error)) path_ = std::move(candidate);
    }
    if (path_.empty()) {
      throw DatabaseError(DatabaseFailure::kCannotOpen, "no temporary folder for a copy");
    }
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A copy's connection, closed before the folder it lives in goes.
class CopiedDatabase final : public platform::Database {
 public:
  CopiedDatabase(std::unique_ptr<TemporaryFolder> folder, std::unique_ptr<platform::Database> copy)
      : folder_(std::move(folder)), copy_(std::move(copy)) {}

  void Execute(std::string_view sql) override { copy_->Execute(sql); }
  std::unique_ptr<platform::Statement> Prepare(std::string_view sql) override {
    return copy_->Prepare(sql);
  }
  std::int64_t ChangedRows() const override { return copy_->ChangedRows(); }
  bool TableHasColumns(std::string_view table, const std::vector<std::string>& columns) override {
    return copy_->TableHasColumns(table, columns);
  }

 private:
  std::unique_ptr<TemporaryFolder> folder_;
  std::unique_ptr<platform::Database> copy_;
};

// The companions that hold committed or half-written pages: without them the copy would show
// another database than the browser does.
constexpr const char* kCompanions[] = {"", "-wal", "-journal"};

}  // namespace

std::unique_ptr<platform::Database> SqliteOpener::OpenCopy(std::string_view path) {
  if (!StartsAsDatabase(path)) {
    throw DatabaseError(DatabaseFailure::kNotADatabase, "not a database");
  }
  auto folder = std::make_unique<TemporaryFolder>();
  const fs::path original = PathOf(path);
  const fs::path copy = folder->path() / "copy.db";
  for (const char* suffix : kCompanions) {
    fs::path from = original;
    from += suffix;
    fs::path to = copy;
    to += suffix;
    std::error_code error;
    if (!fs::exists(from, error)) continue;
    if (!fs::copy_file(from, to, error)) {
      throw DatabaseError(DatabaseFailure::kCannotOpen, "cannot copy: " + error.message());
    }
  }
  auto database = Open(Utf8Of(copy), platform::OpenMode::kReadWrite);
  return std::make_unique<CopiedDatabase>(std::move(folder), std::move(database));
}

bool SqliteOpener::Held(std::string_view path, platform::OpenMode access) {
  return LockedByAnother(path, access == platform::OpenMode::kReadWrite);
}

std::unique_ptr<platform::Database> SqliteOpener::Open(std::string_view path,
                                                       platform::OpenMode mode) {
  // No SQLITE_OPEN_CREATE: a missing file is reported, never made.
  const int flags =
      mode == platform::OpenMode::kReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  const std::string name(path);
  // An empty or foreign file would be taken for an empty database, and written to.
  if (!StartsAsDatabase(path)) {
    std::error_code error;
    const bool missing = !fs::exists(PathOf(path), error);
    throw DatabaseError(missing ? DatabaseFailure::kCannotOpen : DatabaseFailure::kNotADatabase,
                        missing ? "open " + name + ": no such file" : "not a database");
  }
  sqlite3* raw = nullptr;
  const int code = sqlite3_open_v2(name.c_str(), &raw, flags, nullptr);
  Connection db(raw);
  Check(db.get(), code, "open " + name);
  sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
  sqlite3_extended_result_codes(db.get(), 1);
  // SQLite reads the file only when first asked: read the schema now, so that a file that is
  // not a database, or one another program holds, is reported by Open.
  Check(db.get(),
        sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr),
        "open " + name);
  return std::make_unique<SqliteDatabase>(std::move(db));
}

}  // namespace tidora::sqlite
