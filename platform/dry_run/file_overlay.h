#pragma once

#include "platform/dry_run/journaled_files.h"

namespace tidora::dry_run {

// The file system the cleaners get. Reads go through the journal, which is empty while
// forwarding; removals and attribute changes reach the real service only while forwarding. A
// removed folder counts in no tally: the files it held went before it.
class FileOverlay final : public platform::FileSystem {
 public:
  FileOverlay(platform::FileSystem& real, RunState& run, FileJournal& journal)
      : real_(real), reader_(real), run_(run), journaled_(reader_, journal, run) {}

  platform::FindEnd Find(std::string_view pattern,
                         const platform::FoundEntryVisitor& visit) override {
    return journaled_.Find(pattern, visit);
  }
  platform::FileContents ReadFile(std::string_view path, std::uint64_t max_bytes) override {
    return journaled_.ReadFile(path, max_bytes);
  }
  bool RemoveFile(std::string_view path) override;
  bool RemoveFolder(std::string_view path) override {
    return run_.recording() ? journaled_.RemoveFolder(path) : real_.RemoveFolder(path);
  }
  bool SetAttributes(std::string_view path, std::uint32_t attributes) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override {
    return journaled_.Attributes(path);
  }
  std::string CanonicalPath(std::string_view path) override { return reader_.CanonicalPath(path); }
  bool CouldRemoveNow(std::string_view path) override { return reader_.CouldRemoveNow(path); }
  std::string TempFolder() override { return reader_.TempFolder(); }
  std::string WindowsFolder() override { return reader_.WindowsFolder(); }
  std::string SystemFolder() override { return reader_.SystemFolder(); }

 private:
  platform::FileSystem& real_;
  FileReader reader_;
  RunState& run_;
  JournaledFiles journaled_;
};

}  // namespace tidora::dry_run
