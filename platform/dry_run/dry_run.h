#pragma once

#include <cstdint>
#include <memory>

#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/url_cache.h"
#include "platform/url_history.h"

namespace tidora::dry_run {

enum class Mode {
  kForward,  // every call passes through to the real services
  kRecord,   // mutating calls are journaled instead, answered as the real ones would be
};

// What a run removed (forward) or would remove (record) of files: deleted files, cache entries
// with a local file, the Recycle Bin's items; and their bytes.
struct Tally {
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
};

// One overlay over the platform services, shared by every cleaner of a run. In record mode no
// call reaches a mutating function of the real services, and every later read through the
// overlay sees the journaled changes: a deleted file is gone from its folder's listing, a deleted
// key from its parent's subkeys, a deleted cache entry from the enumeration and its local file
// from the file system.
class DryRun {
 public:
  DryRun(platform::Registry& registry, platform::FileSystem& files, platform::Shell& shell,
         platform::UrlCache& url_cache, platform::DatabaseOpener& databases);
  ~DryRun();
  DryRun(const DryRun&) = delete;
  DryRun& operator=(const DryRun&) = delete;

  platform::Registry& registry();
  platform::FileSystem& files();
  platform::Shell& shell();
  platform::UrlCache& url_cache();
  // In record mode every database opens as a copy of itself.
  platform::DatabaseOpener& databases();
  // The history store made by the real factory, behind the overlay.
  std::unique_ptr<platform::UrlHistoryStore> Wrap(std::unique_ptr<platform::UrlHistoryStore> store);

  Mode mode() const;
  // Starts a run in the mode: the journal and the tally start empty.
  void Begin(Mode mode);
  // Back to forward mode, the journal dropped.
  void End();
  const Tally& tally() const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// A run's mode for the length of a scope: forward mode comes back however the scope ends.
class ModeScope {
 public:
  ModeScope(DryRun& dry_run, Mode mode) : dry_run_(dry_run) { dry_run_.Begin(mode); }
  ModeScope(const ModeScope&) = delete;
  ModeScope& operator=(const ModeScope&) = delete;
  ~ModeScope() { dry_run_.End(); }

 private:
  DryRun& dry_run_;
};

}  // namespace tidora::dry_run
