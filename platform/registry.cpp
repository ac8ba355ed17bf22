#include "platform/registry.h"

namespace tidora::platform {

std::string_view KeyPathFromRoot(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

}  // namespace tidora::platform
