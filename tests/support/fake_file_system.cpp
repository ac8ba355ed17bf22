#include "tests/support/fake_file_system.h"

#include <cctype>

#include "tests/support/case_folding.h"

namespace tidora::testing {

namespace {

namespace attribute = platform::attribute;

constexpr int kMaxJunctionDepth = 32;

bool IsDrive(std::string_view part) {
  return part.size() == 2 && part[1] == ':' && std::isalpha(static_cast<unsigned char>(part[0]));
}

// Absolute parts of a path, resolved against the current folder C:\.
std::vector<std::string> AbsoluteParts(std::string_view path) {
  auto parts = SplitPath(path);
  if (parts.empty() || !IsDrive(parts.front())) parts.insert(parts.begin(), "C:");
  return parts;
}

std::string Upper(std::string_view text) {
  std::string upper;
  for (char c : text)
    upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  return upper;
}

bool IsShortNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) ||
         std::string_view("$%'-_@~`!(){}^#&").find(c) != std::string_view::npos;
}

}  // namespace

FakeFileSystem::FakeFileSystem() {
  auto drive = std::make_unique<Node>();
  drive->name = "C:";
  drive->attributes = attribute::kDirectory;
  drives_[Fold("C:")] = std::move(drive);
  AddFolder(temp_folder_);
  AddFolder(windows_folder_);
  AddFolder(system_folder_);
}

// Takes the tree apart without recursion: tests build folders thousands of levels deep.
FakeFileSystem::~FakeFileSystem() {
  std::vector<std::unique_ptr<Node>> pending;
  for (auto& [letter, drive] : drives_) pending.push_back(std::move(drive));
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    for (auto& [name, child] : node->children) pending.push_back(std::move(child));
  }
}

std::string FakeFileSystem::ShortName(std::string_view name) {
  const auto dot = name.rfind('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view extension = dot == std::string_view::npos ? "" : name.substr(dot + 1);
  bool valid = !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
               base.find('.') == std::string_view::npos;
  for (char c : name) valid = valid && (c == '.' || IsShortNameChar(c));
  if (valid) return {};
  std::string short_base;
  for (char c : base) {
    if (c == ' ' || c == '.') continue;
    short_base.push_back(IsShortNameChar(c) ? c : '_');
    if (short_base.size() == 6) break;
  }
  std::string alias = Upper(short_base) + "~1";
  if (!extension.empty()) alias += "." + Upper(extension.substr(0, 3));
  return alias;
}

bool FakeFileSystem::WildcardMatches(std::string_view wildcard, std::string_view name) {
  if (wildcard == "*.*") wildcard = "*";
  const std::string pattern = Fold(wildcard);
  const std::string text = Fold(name);
  // Iterative glob with backtracking to the last star.
  size_t p = 0, t = 0, star = std::string::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (star != std::string::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

FakeFileSystem::Node* FakeFileSystem::Folder(Node* node, int depth) {
  if (!node || !(node->attributes & attribute::kDirectory)) return nullptr;
  if (node->junction_target.empty()) return node;
  if (depth > kMaxJunctionDepth) return nullptr;
  return Folder(Resolve(node->junction_target, depth + 1), depth + 1);
}

FakeFileSystem::Node* FakeFileSystem::Resolve(std::string_view path, int depth) {
  const auto parts = AbsoluteParts(path);
  const auto drive = drives_.find(Fold(parts.front()));
  if (drive == drives_.end()) return nullptr;
  Node* node = drive->second.get();
  for (size_t i = 1; i < parts.size(); ++i) {
    Node* folder = Folder(node, depth);
    if (!folder) return nullptr;
    const auto child = folder->children.find(Fold(parts[i]));
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
  std::string parent;
  for (const auto& part : parts) parent += part + "\\";
  return Folder(Resolve(parent), 0);
}

FakeFileSystem::Node& FakeFileSystem::Make(std::string_view path, std::uint32_t attributes) {
  const auto parts = AbsoluteParts(path);
  auto& drive = drives_[Fold(parts.front())];
  if (!drive) {
    drive = std::make_unique<Node>();
    drive->name = parts.front();
    drive->attributes = attribute::kDirectory;
  }
  Node* node = drive.get();
  for (size_t i = 1; i < parts.size(); ++i) {
    auto& child = node->children[Fold(parts[i])];
    if (!child) {
      child = std::make_unique<Node>();
      child->name = parts[i];
      child->attributes = attribute::kDirectory;
    }
    node = child.get();
  }
  node->attributes = attributes;
  return *node;
}

void FakeFileSystem::AddFolder(std::string_view path, std::uint32_t attributes) {
  Make(path, attributes | attribute::kDirectory);
}

void FakeFileSystem::AddFile(std::string_view path, std::uint32_t attributes) {
  Make(path, attributes & ~attribute::kDirectory);
}

void FakeFileSystem::AddJunction(std::string_view path, std::string_view target) {
  Make(path, attribute::kDirectory | attribute::kReparsePoint).junction_target = target;
}

void FakeFileSystem::Lock(std::string_view path) {
  if (Node* node = Resolve(path)) node->locked = true;
}

void FakeFileSystem::FailListing(std::string_view folder, int after_entries) {
  if (Node* node = Resolve(folder)) node->fails_listing_after = after_entries;
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
      matches.push_back({child->name, child->attributes ? child->attributes : attribute::kNormal});
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
  if (!folder) return false;
  const auto child = folder->children.find(Fold(leaf));
  if (child == folder->children.end()) return false;
  const Node& file = *child->second;
  if (file.attributes & (attribute::kDirectory | attribute::kReadOnly) || file.locked) return false;
  folder->children.erase(child);
  return true;
}

bool FakeFileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  Node* node = Resolve(path);
  if (!node) return false;
  constexpr std::uint32_t kKept = attribute::kDirectory | attribute::kReparsePoint;
  node->attributes = (node->attributes & kKept) | (attributes & ~kKept & ~attribute::kNormal);
  return true;
}

std::optional<std::uint32_t> FakeFileSystem::Attributes(std::string_view path) {
  const Node* node = Resolve(path);
  if (!node) return std::nullopt;
  return node->attributes ? node->attributes : attribute::kNormal;
}

}  // namespace tidora::testing
