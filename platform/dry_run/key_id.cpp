#include "platform/dry_run/key_id.h"

#include <algorithm>

namespace tidora::dry_run {
namespace {

void AppendNames(KeyId& key, std::string_view path) {
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) {
      key.names.emplace_back(path.substr(start, end - start));
      key.path += (key.path.empty() ? "" : "\\") + key.names.back();
    }
    start = end + 1;
  }
}

}  // namespace

KeyId KeyId::Child(std::string_view relative) const {
  KeyId child = *this;
  AppendNames(child, relative);
  return child;
}

KeyId KeyId::Parent() const {
  KeyId parent{root, view, {}, {}};
  for (std::size_t i = 0; i + 1 < names.size(); ++i) AppendNames(parent, names[i]);
  return parent;
}

KeyId MakeKeyId(platform::RegistryRoot root, std::string_view path, platform::RegistryView view) {
  KeyId key{root, view, {}, {}};
  AppendNames(key, platform::KeyPathFromRoot(path));
  return key;
}

bool Addressable(std::string_view path) {
  return !platform::KeyPathFromRoot(path).empty() && path.find('\0') == std::string_view::npos;
}

}  // namespace tidora::dry_run
