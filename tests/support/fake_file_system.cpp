#include "tests/support/fake_file_system.h"

#include <cctype>

#include "tests/support/case_folding.h"

namespace tidora::testing {

namespace {

namespace attribute = platform::attribute;

constexpr int kMaxJunctionDepth = 32;

bool IsShortNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) ||
         std::string_view("$%'-_@~`!(){}^#&").find(c) != std::string_view::npos;
}

// The 8.3 alias Windows gives a long name; empty when the name is already 8.3.
std::string ShortName(std::string_view name) {
  const auto dot = name.rfind('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view extension = dot == std::string_view::npos ? "" : name.substr(dot + 1);
  bool valid = !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
               base.find('.') == std::string_view::npos;
  for (char c : name) valid = valid && (c == '.' || IsShortNameChar(c));
  if (valid) return {};
  std::string alias;
  for (char c : base) {
    if (c != ' ' && c != '.' && alias.size() < 6) alias.push_back(IsShortNameChar(c) ? c : '_');
  }
  alias += "~1";
  if (!extension.empty()) alias += "." + std::string(extension.substr(0, 3));
  for (char& c : alias) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return alias;
}

bool Glob(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return text.empty();
  if (pattern[0] == '*')
    return Glob(pattern.substr(1), text) || (!text.empty() && Glob(pattern, text.substr(1)));
  return !text.empty() && (pattern[0] == '?' || pattern[0] == text[0]) &&
         Glob(pattern.substr(1), text.substr(1));
}

// "*.*" matches every name, as on Windows.
bool WildcardMatches(std::string_view wildcard, std::string_view name) {
  return Glob(Fold(wildcard == "*.*" ? "*" : wildcard), Fold(name));
}

std::uint32_t Reported(std::uint32_t attributes) {
  return attributes ? attributes : attribute::kNormal;
}

}  // namespace

std::vector<std::string> FakeFileSystem::AbsoluteParts(std::string_view path) {
  auto parts = SplitPath(path);
  const bool drive = !parts.empty() && parts[0].size() == 2 && parts[0][1] == ':' &&
                     std::isalpha(static_cast<unsigned char>(parts[0][0]));
  if (!drive) parts.insert(parts.begin(), "C:");
  return parts;
}

FakeFileSystem::FakeFileSystem() {
  for (const auto& folder : {temp_folder_, windows_folder_, system_folder_}) AddFolder(folder);
}

// Takes the tree apart without recursion: tests build folders thousands of levels deep.
FakeFileSystem::~FakeFileSystem() {
  std::vector<std::unique_ptr<Node>> pending;
  const auto adopt_children = [&](Node& node) {
    for (auto& [name, child] : node.children) pending.push_back(std::move(child));
  };
  adopt_children(root_);
  while (!pending.empty()) {
    const std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    adopt_children(*node);
  }
}

FakeFileSystem::Node* FakeFileSystem::Folder(Node* node, int depth) {
  if (!node || !(node->attributes & attribute::kDirectory)) return nullptr;
  if (node->junction_target.empty()) return node;
  if (depth > kMaxJunctionDepth) return nullptr;
  return Folder(Resolve(AbsoluteParts(node->junction_target), depth + 1), depth + 1);
}

FakeFileSystem::Node* FakeFileSystem::Resolve(const std::vector<std::string>& parts, int depth) {
  Node* node = &root_;
  for (const auto& part : parts) {
    Node* folder = Folder(node, depth);
    if (!folder) return nullptr;
    const auto child = folder->children.find(Fold(part));
    if (child == folder->children.end()) return nullptr;
    node = child->second.get();
  }
  return node;
}

FakeFileSystem::Node* FakeFileSystem::ResolveParent(std::string_view path, std::string* leaf) {
  auto parts = AbsoluteParts(path);
  if (parts.size() < 2) return nullptr;
  *leaf = parts.back();
  parts.pop_back();
  return Folder(Resolve(parts), 0);
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

platform::FindEnd FakeFileSystem::Find(std::string_view pattern,
                                       const platform::FoundEntryVisitor& visit) {
  searches_.emplace_back(pattern);
  std::string wildcard;
  Node* folder = ResolveParent(pattern, &wildcard);
  if (!folder) return platform::FindEnd::kNoMatch;
  // A snapshot, so the visitor may delete what it is shown.
  std::vector<platform::FoundEntry> matches;
  for (const auto& [folded, child] : folder->children) {
    if (WildcardMatches(wildcard, child->name) ||
        WildcardMatches(wildcard, ShortName(child->name))) {
      matches.push_back({child->name, Reported(child->attributes)});
    }
  }
  if (matches.empty()) return platform::FindEnd::kNoMatch;
  for (size_t i = 0; i < matches.size(); ++i) {
    if (static_cast<int>(i) == folder->fails_listing_after) return platform::FindEnd::kFailed;
    if (!visit(matches[i])) return platform::FindEnd::kStopped;
  }
  return platform::FindEnd::kListed;
}

bool FakeFileSystem::RemoveFile(std::string_view path) {
  std::string leaf;
  Node* folder = ResolveParent(path, &leaf);
  const std::string folded = Fold(leaf);
  return folder && std::erase_if(folder->children, [&](const auto& child) {
                     const Node& file = *child.second;
                     return child.first == folded && !file.locked &&
                            !(file.attributes & (attribute::kDirectory | attribute::kReadOnly));
                   }) > 0;
}

bool FakeFileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  Node* node = Resolve(AbsoluteParts(path));
  constexpr std::uint32_t kKept = attribute::kDirectory | attribute::kReparsePoint;
  if (node)
    node->attributes = (node->attributes & kKept) | (attributes & ~kKept & ~attribute::kNormal);
  return node != nullptr;
}

std::optional<std::uint32_t> FakeFileSystem::Attributes(std::string_view path) {
  const Node* node = Resolve(AbsoluteParts(path));
  return node ? std::optional(Reported(node->attributes)) : std::nullopt;
}

}  // namespace tidora::testing
