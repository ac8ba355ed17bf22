#include "rules/database_sweep.h"

#include <cstdint>
#include <string>

#include "databases/database_cleaner.h"
#include "databases/database_layouts.h"
#include "rules/rule_safety.h"

namespace tidora::rules {

namespace {

constexpr std::uint32_t kNotPlain =
    platform::attribute::kDirectory | platform::attribute::kReparsePoint;

// A database is cleaned in place only when it is a plain file: never through a link.
bool PlainFile(platform::FileSystem& files, const std::string& path) {
  const auto found = files.Attributes(path);
  return found && !(*found & kNotPlain);
}

// SQLite writes to a database's companions as it opens and changes it: one that is a link would
// have it truncate or overwrite whatever the link leads to.
bool CompanionsArePlain(platform::FileSystem& files, const std::string& path) {
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    const auto found = files.Attributes(path + suffix);
    if (found && (*found & kNotPlain)) return false;
  }
  return true;
}

}  // namespace

void DatabaseSweep::Clean(const DatabaseKey& key) {
  const databases::DatabaseLayout* layout = databases::LayoutNamed(key.layout);
  if (layout == nullptr) return;
  for (const std::string& folder : resolver_.Folders(key.folder)) {
    if (tally_.Stopped()) return;
    std::string path = folder;
    path += '\\';
    path += key.file;
    if (RefusedPathShape(path) || !PlainFile(files_, path)) continue;
    if (!CompanionsArePlain(files_, path)) {
      std::string reason = path;
      reason += ": a companion file is a link or a folder";
      progress_.ReportUntouched(cleaning::Untouched::kSkipped, reason);
      continue;
    }
    static const cleaning::CookieKeepList kKeepNothing;
    const auto result = databases::CleanDatabase(
        *layout, path, opener_, layout->cookie_table.empty() ? kKeepNothing : KeepList());
    if (result.untouched) progress_.ReportUntouched(*result.untouched, result.reason);
    if (result.removed > 0) tally_.Removed(result.removed);
  }
}

const cleaning::CookieKeepList& DatabaseSweep::KeepList() {
  // Read as the run reaches the first cookie store, so that a list saved a moment ago counts.
  if (!keep_) keep_ = cleaning::ReadCookieKeepList(registry_);
  return *keep_;
}

}  // namespace tidora::rules
