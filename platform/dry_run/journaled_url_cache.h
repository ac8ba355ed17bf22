#pragma once

#include <string>
#include <unordered_set>

#include "platform/dry_run/file_journal.h"
#include "platform/dry_run/read_only.h"
#include "platform/dry_run/run_state.h"

namespace tidora::dry_run {

// The URL cache as the journal leaves it. Its walks serve both modes (nothing is journaled while
// forwarding) and remember the entry last read, whose local file and size a deletion counts.
class JournaledUrlCache {
 public:
  JournaledUrlCache(UrlCacheReader cache, FileReader files, FileJournal& file_journal,
                    RunState& run)
      : cache_(cache), files_(files), file_journal_(file_journal), run_(run) {}

  platform::UrlCacheRead FindFirst(std::optional<std::string_view> pattern,
                                   std::uint32_t type_filter, std::int64_t group);
  platform::UrlCacheRead FindNext(platform::UrlCacheFind find);
  // Whether another program holds the entry cannot be known beforehand: it is taken as deleted.
  std::uint32_t DeleteEntry(std::string_view url);
  // Counts the deletion of url when it is the entry last read and has a local file; whether it
  // did.
  bool CountDeleted(std::string_view url);
  void Clear();

 private:
  // Passes over the entries the journal deleted.
  platform::UrlCacheRead Skipping(platform::UrlCacheRead read, platform::UrlCacheFind find);
  platform::UrlCacheRead Remembered(platform::UrlCacheRead read);

  struct LastRead {
    std::string url, local_file;
    std::uint32_t size = 0;
  };

  UrlCacheReader cache_;
  FileReader files_;
  FileJournal& file_journal_;
  RunState& run_;
  std::unordered_set<std::string> deleted_;
  LastRead last_;
};

}  // namespace tidora::dry_run
