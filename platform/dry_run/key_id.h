#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace tidora::dry_run {

// A key as the overlay names it: its root, its view and its path from the root, split.
struct KeyId {
  platform::RegistryRoot root;
  platform::RegistryView view;
  std::string path;                // the parts joined, for the real service
  std::vector<std::string> names;  // as written

  KeyId Child(std::string_view relative) const;
  KeyId Parent() const;
};

KeyId MakeKeyId(platform::RegistryRoot root, std::string_view path, platform::RegistryView view);

// As the real services take a path: not the root itself, and without a NUL.
bool Addressable(std::string_view path);

}  // namespace tidora::dry_run
