#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"

namespace tidora::rules {

// Answers lookups from one listing per folder. Thousands of rules look into the same few
// folders, and asking the system costs far more than a match in memory, so each folder is
// listed once and every rule that looks into it is answered from that listing. Names match by
// their long form only, as rules are matched. A change made through the cache lists that folder
// again; other calls pass straight through.
class ListingCache final : public platform::FileSystem {
 public:
  explicit ListingCache(platform::FileSystem& files) : files_(files) {}

  platform::FindEnd Find(std::string_view pattern,
                         const platform::FoundEntryVisitor& visit) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override;
  bool RemoveFile(std::string_view path) override;
  bool RemoveFolder(std::string_view path) override;
  bool SetAttributes(std::string_view path, std::uint32_t attributes) override;

  platform::FileContents ReadFile(std::string_view path, std::uint64_t max_bytes) override {
    return files_.ReadFile(path, max_bytes);
  }
  std::string CanonicalPath(std::string_view path) override { return files_.CanonicalPath(path); }
  bool CouldRemoveNow(std::string_view path) override { return files_.CouldRemoveNow(path); }
  std::string TempFolder() override { return files_.TempFolder(); }
  std::string WindowsFolder() override { return files_.WindowsFolder(); }
  std::string SystemFolder() override { return files_.SystemFolder(); }

  // How many folders the system has listed for it: each at most once while nothing changes.
  int listings() const { return listings_made_; }

 private:
  struct Listing {
    platform::FindEnd end = platform::FindEnd::kNoMatch;
    std::vector<platform::FoundEntry> entries;
  };
  const Listing& ListingOf(std::string_view folder);
  void Forget(std::string_view path);

  platform::FileSystem& files_;
  std::unordered_map<std::string, Listing> listings_;  // by folder, ASCII case folded
  int listings_made_ = 0;
};

}  // namespace tidora::rules
