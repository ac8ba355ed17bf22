#include "rules/registry_sweep.h"

#include "rules/rule_safety.h"
#include "rules/wildcard.h"

namespace tidora::rules {

namespace {

using platform::RegistryRoot;
using platform::RegistryView;

std::vector<std::string> Segments(std::string_view path) {
  std::vector<std::string> segments;
  std::size_t from = 0;
  while (from <= path.size()) {
    auto end = path.find('\\', from);
    if (end == std::string_view::npos) end = path.size();
    if (end > from) segments.emplace_back(path.substr(from, end - from));
    from = end + 1;
  }
  return segments;
}

std::string Joined(const std::string& parent, std::string_view name) {
  return parent.empty() ? std::string(name) : parent + "\\" + std::string(name);
}

}  // namespace

void RegistrySweep::Clean(const RegKey& key) {
  for (RegistryView view : registry_.ViewsOf(key.root)) {
    for (const std::string& path : Expand(key, view)) {
      if (tally_.Stopped()) return;
      if (key.value) {
        DeleteValue(key.root, path, *key.value, view);
      } else {
        DeleteKey(key.root, path, view);
      }
    }
  }
}

std::vector<std::string> RegistrySweep::Expand(const RegKey& key, RegistryView view) {
  std::vector<std::string> paths{""};
  for (const std::string& segment : Segments(key.path)) {
    std::vector<std::string> next;
    for (const std::string& parent : paths) {
      if (!HasWildcard(segment)) {
        next.push_back(Joined(parent, segment));
        continue;
      }
      const auto listed = registry_.OpenForRead(key.root, parent, view);
      if (!listed) continue;
      for (const std::string& name : listed->SubkeyNames()) {
        if (MatchesWildcard(segment, name) && !listed->SubkeyIsLink(name)) {
          next.push_back(Joined(parent, name));
        }
      }
    }
    paths = std::move(next);
  }
  std::erase_if(paths, [&](const std::string& path) {
    return path.empty() || !ReachedWithoutLinks(key.root, path, view);
  });
  return paths;
}

bool RegistrySweep::ReachedWithoutLinks(RegistryRoot root, const std::string& path,
                                        RegistryView view) {
  std::string parent;
  for (const std::string& segment : Segments(path)) {
    if (!parent.empty()) {
      const auto key = registry_.OpenForRead(root, parent, view);
      if (!key || !key->HasSubkey(segment) || key->SubkeyIsLink(segment)) return false;
    }
    parent = Joined(parent, segment);
  }
  return true;
}

void RegistrySweep::DeleteKey(RegistryRoot root, const std::string& path, RegistryView view) {
  if (RefusedRegistryDelete(root, path, std::nullopt)) return;
  if (exclusions_.KeepsKey(root, path)) return;
  if (!exclusions_.KeepsBelow(root, path)) {
    if (registry_.OpenForRead(root, path, view) && registry_.DeleteTree(root, path, view)) {
      tally_.Removed();
    }
    return;
  }
  // Something beneath is kept: the rest goes piece by piece, and the key stays.
  const auto key = registry_.Open(root, path, view);
  if (!key) return;
  for (const std::string& value : key->ValueNames()) {
    if (!exclusions_.KeepsValue(root, path, value) && key->DeleteValue(value)) tally_.Removed();
  }
  for (const std::string& name : key->SubkeyNames()) {
    if (!key->SubkeyIsLink(name)) DeleteKey(root, Joined(path, name), view);
  }
}

void RegistrySweep::DeleteValue(RegistryRoot root, const std::string& path,
                                const std::string& value, RegistryView view) {
  if (RefusedRegistryDelete(root, path, value)) return;
  if (exclusions_.KeepsValue(root, path, value)) return;
  const auto key = registry_.Open(root, path, view);
  if (key && key->DeleteValue(value)) tally_.Removed();
}

}  // namespace tidora::rules
