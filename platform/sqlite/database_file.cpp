#include "platform/sqlite/database_file.h"

#include <sqlite3.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

namespace tidora::sqlite {
namespace {

constexpr char kHeader[] = "SQLite format 3";  // with its NUL: 16 bytes

struct FilenameFree {
  void operator()(sqlite3_filename name) const { sqlite3_free_filename(name); }
};

// A file opened through the default file layer, as a connection opens its main database.
class VfsFile {
 public:
  VfsFile(std::string_view path, int flags) : vfs_(sqlite3_vfs_find(nullptr)) {
    const std::string name(path);
    // The layer reads parameters after the name: it must be built as SQLite builds it.
    name_.reset(sqlite3_create_filename(name.c_str(), "", "", 0, nullptr));
    if (vfs_ == nullptr || name_ == nullptr) return;
    memory_ = std::make_unique<std::max_align_t[]>(
        (static_cast<std::size_t>(vfs_->szOsFile) + sizeof(std::max_align_t) - 1) /
        sizeof(std::max_align_t));
    file_ = reinterpret_cast<sqlite3_file*>(memory_.get());
    int out_flags = 0;
    if (vfs_->xOpen(vfs_, name_.get(), file_, flags | SQLITE_OPEN_MAIN_DB, &out_flags) !=
        SQLITE_OK) {
      // A layer may leave its methods set on a failed open: then it must be closed all the same.
      if (file_->pMethods != nullptr) file_->pMethods->xClose(file_);
      file_ = nullptr;
    } else if (file_->pMethods == nullptr) {
      file_ = nullptr;
    }
  }
  VfsFile(const VfsFile&) = delete;
  VfsFile& operator=(const VfsFile&) = delete;
  ~VfsFile() {
    if (file_ == nullptr) return;
    file_->pMethods->xUnlock(file_, SQLITE_LOCK_NONE);
    file_->pMethods->xClose(file_);
  }

  bool opened() const { return file_ != nullptr; }
  sqlite3_file* file() const { return file_; }

 private:
  sqlite3_vfs* vfs_;
  std::unique_ptr<const char, FilenameFree> name_;
  std::unique_ptr<std::max_align_t[]> memory_;
  sqlite3_file* file_ = nullptr;
};

}  // namespace

bool StartsAsDatabase(std::string_view path) {
  VfsFile vfs(path, SQLITE_OPEN_READONLY);
  if (!vfs.opened()) return false;
  char bytes[sizeof kHeader] = {};
  // A short read fills the rest with zeros and says so: an empty file is no database here.
  if (vfs.file()->pMethods->xRead(vfs.file(), bytes, sizeof bytes, 0) != SQLITE_OK) return false;
  return std::memcmp(bytes, kHeader, sizeof kHeader) == 0;
}

bool LockedByAnother(std::string_view path, bool may_write) {
  // Write locks need a handle opened for writing; nothing is written through it.
  VfsFile vfs(path, may_write ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY);
  if (!vfs.opened()) return false;
  sqlite3_file* file = vfs.file();
  if (file->pMethods->xLock(file, SQLITE_LOCK_SHARED) != SQLITE_OK) return true;
  if (!may_write) {
    int reserved = 0;
    return file->pMethods->xCheckReservedLock(file, &reserved) != SQLITE_OK || reserved != 0;
  }
  for (int level : {SQLITE_LOCK_RESERVED, SQLITE_LOCK_EXCLUSIVE}) {
    if (file->pMethods->xLock(file, level) != SQLITE_OK) return true;
  }
  return false;
}

}  // namespace tidora::sqlite
