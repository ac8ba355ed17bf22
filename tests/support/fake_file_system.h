#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tidora::testing {

// An in-memory file system with Windows semantics: drive-letter paths, case-insensitive names,
// doubled separators accepted, wildcards that also match generated 8.3 short names, attributes,
// read-only and locked files that refuse deletion, and junctions. The current folder is C:\.
class FakeFileSystem final : public platform::FileSystem {
 public:
  FakeFileSystem();
  FakeFileSystem(const FakeFileSystem&) = delete;
  FakeFileSystem& operator=(const FakeFileSystem&) = delete;
  ~FakeFileSystem() override;

  platform::FindEnd Find(std::string_view pattern,
                         const platform::FoundEntryVisitor& visit) override;
  bool RemoveFile(std::string_view path) override;
  bool SetAttributes(std::string_view path, std::uint32_t attributes) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override;
  std::string TempFolder() override { return temp_folder_; }
  std::string WindowsFolder() override { return windows_folder_; }
  std::string SystemFolder() override { return system_folder_; }

  // Building a tree: missing folders on the way are created.
  void AddFolder(std::string_view path, std::uint32_t attributes = 0);
  void AddFile(std::string_view path, std::uint32_t attributes = platform::attribute::kArchive);
  // A folder that leads to target, as an NTFS junction does.
  void AddJunction(std::string_view path, std::string_view target);
  void Lock(std::string_view path);
  // Listing this folder breaks off with an error after that many entries (0: at the first).
  void FailListing(std::string_view folder, int after_entries);
  bool Exists(std::string_view path) { return Attributes(path).has_value(); }
  // Every pattern handed to Find, in order.
  const std::vector<std::string>& searches() const { return searches_; }

  void set_temp_folder(std::string folder) { temp_folder_ = std::move(folder); }
  void set_windows_folder(std::string folder) { windows_folder_ = std::move(folder); }

  // The 8.3 alias Windows would give a long name; empty when the name is already 8.3.
  static std::string ShortName(std::string_view name);
  static bool WildcardMatches(std::string_view wildcard, std::string_view name);

 private:
  struct Node {
    std::string name;
    std::uint32_t attributes = 0;
    bool locked = false;
    int fails_listing_after = -1;
    std::string junction_target;
    std::map<std::string, std::unique_ptr<Node>> children;  // by folded name
  };

  Node* Resolve(std::string_view path, int depth = 0);
  Node* ResolveParent(std::string_view path, std::string* leaf);
  Node& Make(std::string_view path, std::uint32_t attributes);
  Node* Folder(Node* node, int depth);

  std::map<std::string, std::unique_ptr<Node>> drives_;  // by folded drive ("C:")
  std::vector<std::string> searches_;
  std::string temp_folder_ = "C:\\users\\me\\Temp\\";
  std::string windows_folder_ = "C:\\windows";
  std::string system_folder_ = "C:\\windows\\system32";
};

}  // namespace tidora::testing
