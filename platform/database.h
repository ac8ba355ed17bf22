#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tidora::platform {

// Why a database call failed: a cleaner tells the user "close the browser" for kLocked and
// skips a file that is not a database rather than failing the run.
enum class DatabaseFailure {
  kLocked,        // another program holds the database past the wait
  kNotADatabase,  // the file is not a database, or is encrypted
  kCannotOpen,    // missing, a folder, or no rights
  kOther,
};

class DatabaseError : public std::runtime_error {
 public:
  DatabaseError(DatabaseFailure failure, const std::string& message)
      : std::runtime_error(message), failure_(failure) {}
  DatabaseFailure failure() const { return failure_; }

 private:
  DatabaseFailure failure_;
};

// A prepared statement. Every call throws DatabaseError on failure. It must not outlive its
// database.
class Statement {
 public:
  virtual ~Statement() = default;

  // Parameters count from 1, as SQL writes ?1.
  virtual void Bind(int parameter, std::int64_t value) = 0;
  virtual void Bind(int parameter, std::string_view text) = 0;
  // True while a row is ready to read; false once the statement has run to its end.
  virtual bool Step() = 0;
  // Columns count from 0. NULL reads as 0 or "".
  virtual std::int64_t ColumnInt(int column) const = 0;
  virtual std::string ColumnText(int column) const = 0;
  // Makes the statement ready to run again; the bound values stay.
  virtual void Reset() = 0;
};

class Database {
 public:
  virtual ~Database() = default;

  // Runs one or more statements that return no rows (DELETE, VACUUM, BEGIN...).
  virtual void Execute(std::string_view sql) = 0;
  virtual std::unique_ptr<Statement> Prepare(std::string_view sql) = 0;
  // Rows inserted, changed or deleted by the last such statement.
  virtual std::int64_t ChangedRows() const = 0;
  // True when the table exists with every one of the columns (names compare as SQL does,
  // ignoring ASCII case): a cleaner checks the layout it knows before deleting anything.
  virtual bool TableHasColumns(std::string_view table, const std::vector<std::string>& columns) = 0;
};

// Rolls back unless committed, so that an error thrown between the deletions of one cleaner
// leaves the database as it was. Takes the write lock at once: a locked database fails here,
// before anything is read.
class Transaction {
 public:
  explicit Transaction(Database& database) : database_(database) {
    database_.Execute("BEGIN IMMEDIATE");
  }
  ~Transaction() {
    if (open_) {
      try {
        database_.Execute("ROLLBACK");
      } catch (const DatabaseError&) {
        // SQLite has rolled back already when a statement's failure ended the transaction.
      }
    }
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit() {
    database_.Execute("COMMIT");
    open_ = false;
  }

 private:
  Database& database_;
  bool open_ = true;
};

enum class OpenMode { kReadWrite, kReadOnly };

class DatabaseOpener {
 public:
  virtual ~DatabaseOpener() = default;

  // Opens an existing database at a UTF-8 path; never creates one. A file that does not start
  // as a database does is refused before SQLite sees it. Throws DatabaseError: kCannotOpen for a
  // missing file, kNotADatabase, or kLocked when another program holds it.
  virtual std::unique_ptr<Database> Open(std::string_view path, OpenMode mode) = 0;
  // Opens, for writing, a copy of the database and of its -wal and -journal companions, made in
  // a private temporary folder that goes when the database is closed. A preview works on it:
  // SQLite rewrites a database and its companions even for a read-only open. Throws as Open.
  virtual std::unique_ptr<Database> OpenCopy(std::string_view path) = 0;
  // True when another connection holds a lock that a change would have to wait for: the
  // browser that owns the database is running. Takes and drops the locks alone, as SQLite's
  // own readers and writers do; reads and writes nothing. With kReadOnly the file is not even
  // opened for writing, and only a writer's or an exclusive holder's locks are seen: a reader's
  // shared lock shows only to a probe that may write.
  virtual bool Held(std::string_view path, OpenMode access) = 0;
};

}  // namespace tidora::platform
