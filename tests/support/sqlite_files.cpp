#include "tests/support/sqlite_files.h"

#include <sqlite3.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tidora::testing {

void MakeDatabase(const std::string& path, std::string_view sql) {
  sqlite3* db = nullptr;
  const int opened =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  char* error = nullptr;
  const std::string text(sql);
  const int ran =
      opened == SQLITE_OK ? sqlite3_exec(db, text.c_str(), nullptr, nullptr, &error) : opened;
  const std::string message = error ? error : sqlite3_errstr(ran);
  sqlite3_free(error);
  sqlite3_close(db);
  if (ran != SQLITE_OK) throw std::runtime_error("making " + path + ": " + message);
}

std::string QueryText(const std::string& path, std::string_view sql) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
  std::string text = "(no row)";
  if (statement && sqlite3_step(statement) == SQLITE_ROW) {
    const auto* column = sqlite3_column_text(statement, 0);
    text = column ? reinterpret_cast<const char*>(column) : "";
  } else {
    text = std::string("(") + sqlite3_errmsg(db) + ")";
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return text;
}

std::map<std::string, std::string> FolderBytes(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    // A digest keeps a failure's message short: FNV-1a over the bytes, and the size.
    std::uint64_t digest = 14695981039346656037ull;
    for (unsigned char byte : bytes.str()) digest = (digest ^ byte) * 1099511628211ull;
    files[entry.path().filename().string()] =
        std::to_string(bytes.str().size()) + " bytes, " + std::to_string(digest);
  }
  return files;
}

}  // namespace tidora::testing
