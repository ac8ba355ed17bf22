#pragma once

#include "platform/dry_run/file_journal.h"
#include "platform/dry_run/read_only.h"
#include "platform/dry_run/run_state.h"
#include "platform/dry_run/visit_memo.h"

namespace tidora::dry_run {

// The file system as the journal leaves it. Its reads serve both modes (the journal is empty
// while forwarding); its removal and attribute change only journal, answering as the real ones.
class JournaledFiles {
 public:
  JournaledFiles(FileReader files, FileJournal& journal, RunState& run)
      : files_(files), journal_(journal), run_(run) {}

  platform::FindEnd Find(std::string_view pattern, const platform::FoundEntryVisitor& visit);
  std::optional<std::uint32_t> Attributes(std::string_view path);
  // The real file's bytes, unless the journal removed it.
  platform::FileContents ReadFile(std::string_view path, std::uint64_t max_bytes);
  // The file at path as listed, attributes as journaled; nullopt when missing or removed. From
  // the listing visiting it, else from one listing of the path itself.
  std::optional<platform::FoundEntry> EntryAt(std::string_view path, const FilePlace& place);
  FilePlace PlaceOf(std::string_view path) const;

  bool RemoveFile(std::string_view path);
  // An empty folder as the journal leaves it, and no link; its files went through RemoveFile.
  bool RemoveFolder(std::string_view path);
  bool SetAttributes(std::string_view path, std::uint32_t attributes);

 private:
  std::optional<std::uint32_t> AttributesAt(std::string_view path, const FilePlace& place);

  FileReader files_;
  FileJournal& journal_;
  RunState& run_;
  VisitMemo memo_;
};

}  // namespace tidora::dry_run
