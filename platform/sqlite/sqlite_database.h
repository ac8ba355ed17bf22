#pragma once

#include "platform/database.h"

namespace tidora::sqlite {

// Databases through the SQLite library built into the program.
class SqliteOpener final : public platform::DatabaseOpener {
 public:
  std::unique_ptr<platform::Database> Open(std::string_view path, platform::OpenMode mode) override;
  std::unique_ptr<platform::Database> OpenCopy(std::string_view path) override;
  bool Held(std::string_view path, platform::OpenMode access) override;
};

}  // namespace tidora::sqlite
