#include "platform/dry_run/dry_run.h"

#include "platform/dry_run/database_overlay.h"
#include "platform/dry_run/file_overlay.h"
#include "platform/dry_run/history_overlay.h"
#include "platform/dry_run/registry_overlay.h"
#include "platform/dry_run/shell_overlay.h"
#include "platform/dry_run/url_cache_overlay.h"

namespace tidora::dry_run {

struct DryRun::Parts {
  Parts(platform::Registry& real_registry, platform::FileSystem& real_files,
        platform::Shell& real_shell, platform::UrlCache& real_url_cache,
        platform::DatabaseOpener& real_databases)
      : registry(real_registry, run),
        files(real_files, run, file_journal),
        shell(real_shell, run),
        url_cache(real_url_cache, real_files, run, file_journal),
        databases(real_databases, run) {}

  void Clear() {
    file_journal.Clear();
    registry.Clear();
    shell.Clear();
    url_cache.Clear();
  }

  RunState run;
  FileJournal file_journal;  // the URL cache's deletions take their local files along
  RegistryOverlay registry;
  FileOverlay files;
  ShellOverlay shell;
  UrlCacheOverlay url_cache;
  DatabaseOverlay databases;
};

DryRun::DryRun(platform::Registry& registry, platform::FileSystem& files, platform::Shell& shell,
               platform::UrlCache& url_cache, platform::DatabaseOpener& databases)
    : parts_(std::make_unique<Parts>(registry, files, shell, url_cache, databases)) {}

DryRun::~DryRun() = default;

platform::Registry& DryRun::registry() {
  return parts_->registry;
}

platform::FileSystem& DryRun::files() {
  return parts_->files;
}

platform::Shell& DryRun::shell() {
  return parts_->shell;
}

platform::UrlCache& DryRun::url_cache() {
  return parts_->url_cache;
}

// The store refers to this overlay's mode: it must not outlive it. A store the factory could not
// make stays missing.
std::unique_ptr<platform::UrlHistoryStore> DryRun::Wrap(
    std::unique_ptr<platform::UrlHistoryStore> store) {
  if (!store) return nullptr;
  return std::make_unique<HistoryOverlay>(std::move(store), parts_->run);
}

platform::DatabaseOpener& DryRun::databases() {
  return parts_->databases;
}

Mode DryRun::mode() const {
  return parts_->run.mode;
}

void DryRun::Begin(Mode mode) {
  parts_->Clear();
  parts_->run = {mode, {}};
}

void DryRun::End() {
  parts_->Clear();
  parts_->run.mode = Mode::kForward;
}

const Tally& DryRun::tally() const {
  return parts_->run.tally;
}

}  // namespace tidora::dry_run
