#pragma once

#include "platform/database.h"
#include "platform/dry_run/run_state.h"

namespace tidora::dry_run {

// The databases as a preview sees them: every open is of a copy, so that the statements a
// cleaning runs change nothing the browser owns, and the originals stay byte for byte.
class DatabaseOverlay final : public platform::DatabaseOpener {
 public:
  DatabaseOverlay(platform::DatabaseOpener& real, const RunState& run) : real_(real), run_(run) {}

  std::unique_ptr<platform::Database> Open(std::string_view path,
                                           platform::OpenMode mode) override {
    if (run_.recording()) return real_.OpenCopy(path);
    return real_.Open(path, mode);
  }
  std::unique_ptr<platform::Database> OpenCopy(std::string_view path) override {
    return real_.OpenCopy(path);
  }
  // A preview never opens an original for writing, not even to probe its locks.
  bool Held(std::string_view path, platform::OpenMode access) override {
    return real_.Held(path, run_.recording() ? platform::OpenMode::kReadOnly : access);
  }

 private:
  platform::DatabaseOpener& real_;
  const RunState& run_;
};

}  // namespace tidora::dry_run
