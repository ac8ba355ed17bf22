#include "rules/exclusions.h"

#include <algorithm>

#include "base/text.h"
#include "rules/wildcard.h"

namespace tidora::rules {

namespace {

std::string WithoutTrailingBackslash(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool AtOrBelow(std::string_view path, std::string_view folder) {
  return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '\\');
}

bool AnyMatches(const std::vector<std::string>& patterns, std::string_view name) {
  if (patterns.empty()) return true;
  return std::ranges::any_of(
      patterns, [&](const std::string& pattern) { return MatchesWildcard(pattern, name); });
}

}  // namespace

std::string FoldedKeyPath(std::string_view path) {
  std::string folded = base::AsciiLower(path);
  static constexpr std::string_view kView = "wow6432node\\";
  for (auto at = folded.find(kView); at != std::string::npos; at = folded.find(kView)) {
    const bool whole_name = at == 0 || folded[at - 1] == '\\';
    if (!whole_name) break;
    folded.erase(at, kView.size());
  }
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  return folded;
}

std::optional<Exclusions> Exclusions::Resolve(const std::vector<ExcludeKey>& excludes,
                                              platform::FileSystem& files,
                                              TargetResolver& resolver) {
  Exclusions resolved;
  for (const ExcludeKey& exclude : excludes) {
    if (exclude.kind == ExcludeKind::kRegistry) {
      if (exclude.key.path.empty()) return std::nullopt;
      resolved.keys_.push_back(
          {exclude.key.root, FoldedKeyPath(exclude.key.path), exclude.key.value});
      continue;
    }
    if (!resolver.Sound(exclude.folder)) return std::nullopt;
    auto& list = exclude.kind == ExcludeKind::kFile ? resolved.files_ : resolved.paths_;
    for (const std::string& folder : resolver.Folders(exclude.folder)) {
      list.push_back({WithoutTrailingBackslash(files.CanonicalPath(folder)), exclude.names});
    }
  }
  return resolved;
}

bool Exclusions::KeepsFile(std::string_view canonical_folder, std::string_view name) const {
  const auto exact = [&](const FolderPatterns& kept) {
    return kept.folder == canonical_folder &&
           std::ranges::any_of(kept.patterns, [&](const std::string& kept_name) {
             return base::AsciiLower(kept_name) == base::AsciiLower(name);
           });
  };
  const auto by_pattern = [&](const FolderPatterns& kept) {
    return AtOrBelow(canonical_folder, kept.folder) && AnyMatches(kept.patterns, name);
  };
  return std::ranges::any_of(files_, exact) || std::ranges::any_of(paths_, by_pattern);
}

bool Exclusions::KeepsKey(platform::RegistryRoot root, std::string_view path) const {
  const std::string folded = FoldedKeyPath(path);
  return std::ranges::any_of(keys_, [&](const KeptKey& kept) {
    return kept.root == root && !kept.value && AtOrBelow(folded, kept.path);
  });
}

bool Exclusions::KeepsValue(platform::RegistryRoot root, std::string_view path,
                            std::string_view value) const {
  if (KeepsKey(root, path)) return true;
  const std::string folded = FoldedKeyPath(path);
  return std::ranges::any_of(keys_, [&](const KeptKey& kept) {
    return kept.root == root && kept.value && kept.path == folded &&
           base::AsciiLower(*kept.value) == base::AsciiLower(value);
  });
}

bool Exclusions::KeepsBelow(platform::RegistryRoot root, std::string_view path) const {
  const std::string folded = FoldedKeyPath(path);
  return std::ranges::any_of(keys_, [&](const KeptKey& kept) {
    return kept.root == root && AtOrBelow(kept.path, folded);
  });
}

}  // namespace tidora::rules
