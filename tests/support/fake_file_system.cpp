#include "tests/support/fake_file_system.h"

#include <algorithm>
#include <iterator>

#include "tests/support/case_folding.h"

namespace tidora::testing {
namespace {
namespace attribute = platform::attribute;

}  // namespace

std::string FakeFileSystem::ShortName(std::string_view name) {
  const auto dot = std::min(name.rfind('.'), name.size());
  std::string_view base = name.substr(0, dot), extension = name.substr(dot);
  if (!base.empty() && base.size() <= 8 && extension.size() <= 4 &&
      name.find_first_of(" +,;=[]") == name.npos && base.find('.') == name.npos &&
      std::ranges::all_of(name, [](unsigned char c) { return c < 0x80; }))
    return {};
  std::string alias;
  std::ranges::copy_if(base.substr(0, 6), std::back_inserter(alias),
                       [](char c) { return c != ' '; });
  return alias + "~1" + std::string(extension.substr(0, 4));
}

namespace {

bool Glob(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return text.empty();
  if (pattern[0] == '*')
    return Glob(pattern.substr(1), text) || (!text.empty() && Glob(pattern, text.substr(1)));
  return !text.empty() && (pattern[0] == '?' || pattern[0] == text[0]) &&
         Glob(pattern.substr(1), text.substr(1));
}

// "*.*" matches every name, as on Windows.
bool Matches(std::string_view wildcard, std::string_view name) {
  return Glob(Fold(wildcard == "*.*" ? "*" : wildcard), Fold(name)) ||
         Glob(Fold(wildcard), Fold(FakeFileSystem::ShortName(name)));
}

// Relative paths start at the current folder, C:\.
std::vector<std::string> AbsoluteParts(std::string_view path) {
  auto parts = SplitPath(path);
  if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':')
    parts.insert(parts.begin(), "C:");
  return parts;
}
}  // namespace

FakeFileSystem::FakeFileSystem() {
  for (const auto& folder : {temp_folder_, windows_folder_, system_folder_}) AddFolder(folder);
}

// Without recursion: tests build folders thousands of levels deep.
FakeFileSystem::~FakeFileSystem() {
  std::vector<std::unique_ptr<Node>> pending;
  const auto adopt = [&](Node& node) {
    for (auto& [name, child] : node.children) pending.push_back(std::move(child));
  };
  for (adopt(root_); !pending.empty();) {
    const std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    adopt(*node);
  }
}

// Follows junctions, at most 32 deep; nullptr unless a folder.
FakeFileSystem::Node* FakeFileSystem::Folder(Node* node, int depth) {
  if (!node || !(node->attributes & attribute::kDirectory) || depth > 32) return nullptr;
  if (node->junction_target.empty()) return node;
  return Folder(Resolve(node->junction_target, depth + 1), depth + 1);
}

FakeFileSystem::Node* FakeFileSystem::Resolve(std::string_view path, int depth, size_t drop_last) {
  const auto parts = AbsoluteParts(path);
  Node* node = &root_;
  for (size_t i = 0; node && i + drop_last < parts.size(); ++i) {
    if (!(node = Folder(node, depth))) break;
    node = Child(*node, parts[i]);
  }
  return node;
}

// By long name, else by 8.3 alias.
FakeFileSystem::Node* FakeFileSystem::Child(Node& folder, std::string_view name) {
  if (const auto found = folder.children.find(Fold(name)); found != folder.children.end())
    return found->second.get();
  for (const auto& [folded, child] : folder.children)
    if (!ShortName(child->name).empty() && Fold(ShortName(child->name)) == Fold(name))
      return child.get();
  return nullptr;
}

FakeFileSystem::Node& FakeFileSystem::Make(std::string_view path) {
  Node* node = &root_;
  for (const auto& part : AbsoluteParts(path)) {
    auto& child = node->children[Fold(part)];
    if (!child) (child = std::make_unique<Node>())->name = part;
    node = child.get();
  }
  return *node;
}

FakeFileSystem::Node* FakeFileSystem::Parent(std::string_view path, std::string* leaf) {
  const auto parts = AbsoluteParts(path);
  *leaf = Fold(parts.back());
  return parts.size() < 2 ? nullptr : Folder(Resolve(path, 0, 1), 0);
}

platform::FindEnd FakeFileSystem::Find(std::string_view pattern,
                                       const platform::FoundEntryVisitor& visit) {
  searches_.emplace_back(pattern);
  std::string wildcard;
  Node* folder = Parent(pattern, &wildcard);
  if (!folder) return platform::FindEnd::kNoMatch;
  // A snapshot, so the visitor may delete what it is shown.
  std::vector<platform::FoundEntry> matches;
  for (const auto& [folded, child] : folder->children) {
    if (Matches(wildcard, child->name))
      matches.push_back(
          {child->name, child->attributes ? child->attributes : attribute::kNormal, child->size});
  }
  if (matches.empty()) return platform::FindEnd::kNoMatch;
  for (int i = 0; i < static_cast<int>(matches.size()); ++i) {
    if (i == folder->fails_listing_after) return platform::FindEnd::kFailed;
    if (!visit(matches[i])) return platform::FindEnd::kStopped;
  }
  return platform::FindEnd::kListed;
}

// Checked in the order Windows meets them: the open, then the size, then the bytes.
platform::FileContents FakeFileSystem::ReadFile(std::string_view path, std::uint64_t max_bytes) {
  using Status = platform::FileContents::Status;
  const Node* file = Resolve(path);
  if (!file || (file->attributes & attribute::kDirectory)) return {Status::kMissing, {}};
  if (file->locked) return {Status::kUnreadable, {}};
  if (file->size > max_bytes) return {Status::kTooLarge, {}};
  std::string bytes = file->contents;
  bytes.resize(file->size);
  return {Status::kRead, std::move(bytes)};
}

bool FakeFileSystem::RemoveFile(std::string_view path) {
  std::string leaf;
  Node* folder = Parent(path, &leaf);
  const Node* file = folder ? Child(*folder, SplitPath(path).back()) : nullptr;
  if (!file || file->locked || (file->attributes & (attribute::kDirectory | attribute::kReadOnly)))
    return false;
  return folder->children.erase(Fold(file->name)) > 0;
}

bool FakeFileSystem::RemoveFolder(std::string_view path) {
  std::string leaf;
  Node* parent = Parent(path, &leaf);
  const Node* folder = parent ? Child(*parent, SplitPath(path).back()) : nullptr;
  constexpr auto kFolderOrLink = attribute::kDirectory | attribute::kReparsePoint;
  if (!folder || folder->locked || (folder->attributes & kFolderOrLink) != attribute::kDirectory ||
      !folder->children.empty())
    return false;
  return parent->children.erase(Fold(folder->name)) > 0;
}

bool FakeFileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  Node* node = Resolve(path);
  constexpr std::uint32_t kKept = attribute::kDirectory | attribute::kReparsePoint;
  if (node)
    node->attributes = (node->attributes & kKept) | (attributes & ~kKept & ~attribute::kNormal);
  return node != nullptr;
}

std::string FakeFileSystem::Snapshot() const {
  std::string out;
  const auto print = [&](const auto& self, const Node& node, const std::string& path) -> void {
    out += path + " " + std::to_string(node.attributes) + " " + std::to_string(node.size) +
           (node.locked ? " locked" : "") + node.junction_target + node.contents + "\n";
    for (const auto& [folded, child] : node.children) self(self, *child, path + "\\" + child->name);
  };
  print(print, root_, "");
  return out;
}

std::string FakeFileSystem::CanonicalPath(std::string_view path) {
  std::string canonical;
  Node* node = &root_;
  for (const auto& part : AbsoluteParts(path)) {
    node = node ? Child(*node, part) : nullptr;
    canonical += (canonical.empty() ? "" : "\\") + Fold(node ? node->name : part);
    node = node ? Folder(node, 0) : nullptr;
  }
  return canonical;
}

bool FakeFileSystem::CouldRemoveNow(std::string_view path) {
  const Node* node = Resolve(path);
  return node && !node->locked && !(node->attributes & attribute::kDirectory);
}

std::optional<std::uint32_t> FakeFileSystem::Attributes(std::string_view path) {
  const Node* node = Resolve(path);
  if (!node) return std::nullopt;
  return node->attributes ? node->attributes : attribute::kNormal;
}
}  // namespace tidora::testing
