#include "platform/registry.h"

namespace tidora::platform {

std::string_view KeyPathFromRoot(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

std::optional<std::string> TextValue(const RegistryKey& key, std::string_view name) {
  const auto type = key.TypeOf(name);
  if (type != ValueType::String && type != ValueType::ExpandString) return std::nullopt;
  try {
    return key.ReadString(name);
  } catch (const RegistryError&) {
    return std::nullopt;
  }
}

}  // namespace tidora::platform
