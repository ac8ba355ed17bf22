#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/file_system.h"

namespace tidora::testing {
// An in-memory file system with Windows' names, 8.3 aliases, attributes, locks and junctions.
class FakeFileSystem : public platform::FileSystem {
 public:
  FakeFileSystem();
  ~FakeFileSystem() override;
  platform::FindEnd Find(std::string_view pattern,
                         const platform::FoundEntryVisitor& visit) override;
  platform::FileContents ReadFile(std::string_view path, std::uint64_t max_bytes) override;
  bool RemoveFile(std::string_view path) override;
  bool RemoveFolder(std::string_view path) override;
  bool SetAttributes(std::string_view path, std::uint32_t attributes) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override;
  std::string CanonicalPath(std::string_view path) override;
  bool CouldRemoveNow(std::string_view path) override;
  std::string TempFolder() override { return temp_folder_; }
  std::string WindowsFolder() override { return windows_folder_; }
  std::string SystemFolder() override { return system_folder_; }
  void AddFolder(std::string_view path, std::uint32_t attributes = 0) {
    Make(path).attributes = attributes | platform::attribute::kDirectory;
  }
  void AddFile(std::string_view path, std::uint32_t attributes = platform::attribute::kArchive,
               std::uint64_t size = 0) {
    Node& file = Make(path);
    file.attributes = attributes & ~platform::attribute::kDirectory;
    file.size = size;
  }
  // The file's bytes and size, the file made where there is none.
  void SetContents(std::string_view path, std::string bytes) {
    if (!Resolve(path)) AddFile(path);
    Node& file = Make(path);
    file.size = bytes.size();
    file.contents = std::move(bytes);
  }
  void AddJunction(std::string_view path, std::string_view target) {
    AddFolder(path, platform::attribute::kReparsePoint);
    Make(path).junction_target = target;
  }
  // Held by another program without any sharing: it can be neither removed nor read.
  void Lock(std::string_view path) {
    if (Node* node = Resolve(path)) node->locked = true;
  }
  // Listing breaks off with an error after that many entries.
  void FailListing(std::string_view folder, int after_entries) {
    if (Node* node = Resolve(folder)) node->fails_listing_after = after_entries;
  }
  bool Exists(std::string_view path) { return Attributes(path).has_value(); }
  // The 8.3 alias Windows gives a long name; empty when the name is already 8.3.
  static std::string ShortName(std::string_view name);
  const std::vector<std::string>& searches() const { return searches_; }
  // Every entry with its attributes, size and lock, as text: equal snapshots, equal file systems.
  std::string Snapshot() const;
  void set_temp_folder(std::string folder) { temp_folder_ = std::move(folder); }
  void set_windows_folder(std::string folder) { windows_folder_ = std::move(folder); }

 private:
  struct Node {
    std::string name;
    std::uint32_t attributes = platform::attribute::kDirectory;
    bool locked = false;
    std::uint64_t size = 0;
    std::string contents;  // as set; a file planted with a size alone reads as zeros
    int fails_listing_after = -1;
    std::string junction_target;
    std::map<std::string, std::unique_ptr<Node>> children;  // by folded name
  };
  Node* Resolve(std::string_view path, int depth = 0, size_t drop_last = 0);
  Node* Child(Node& folder, std::string_view name);
  Node* Parent(std::string_view path, std::string* folded_leaf);
  Node& Make(std::string_view path);
  Node* Folder(Node* node, int depth);
  Node root_;  // holds the drives
  std::vector<std::string> searches_;
  std::string temp_folder_ = "C:\\users\\me\\Temp\\", windows_folder_ = "C:\\windows",
              system_folder_ = "C:\\windows\\system32";
};
}  // namespace tidora::testing
