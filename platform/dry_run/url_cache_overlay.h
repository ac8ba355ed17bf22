#pragma once

#include "platform/dry_run/journaled_url_cache.h"

namespace tidora::dry_run {

// The URL cache the cleaners get; deletions reach the real service only while forwarding.
class UrlCacheOverlay final : public platform::UrlCache {
 public:
  UrlCacheOverlay(platform::UrlCache& real, platform::FileSystem& files, RunState& run,
                  FileJournal& file_journal)
      : real_(real),
        reader_(real),
        run_(run),
        journaled_(reader_, FileReader(files), file_journal, run) {}

  bool Load() override { return reader_.Load(); }
  platform::UrlCacheRead FindFirst(std::optional<std::string_view> pattern,
                                   std::uint32_t type_filter, std::int64_t group) override {
    return journaled_.FindFirst(pattern, type_filter, group);
  }
  platform::UrlCacheRead FindNext(platform::UrlCacheFind find) override {
    return journaled_.FindNext(find);
  }
  bool CloseFind(platform::UrlCacheFind find) override { return reader_.CloseFind(find); }
  std::uint32_t DeleteEntry(std::string_view url) override;
  double LocalDateTime(std::uint64_t utc_ticks) override {
    return reader_.LocalDateTime(utc_ticks);
  }
  void Clear() { journaled_.Clear(); }

 private:
  platform::UrlCache& real_;
  UrlCacheReader reader_;
  RunState& run_;
  JournaledUrlCache journaled_;
};

}  // namespace tidora::dry_run
