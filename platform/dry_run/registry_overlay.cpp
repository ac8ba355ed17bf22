#include "platform/dry_run/registry_overlay.h"

namespace tidora::dry_run {

// A key opened while forwarding is the real one: keys live within a run, and a run keeps its mode.
std::unique_ptr<platform::RegistryKey> RegistryOverlay::OpenKey(platform::RegistryRoot root,
                                                                std::string_view path,
                                                                platform::KeyAccess access,
                                                                platform::RegistryView view) {
  if (run_.recording()) return record_.OpenKey(root, path, access, view);
  return real_.OpenKey(root, path, access, view);
}

std::unique_ptr<platform::RegistryKey> RegistryOverlay::CreateKey(platform::RegistryRoot root,
                                                                  std::string_view path,
                                                                  platform::RegistryView view) {
  if (run_.recording()) return record_.CreateKey(root, path, view);
  return real_.CreateKey(root, path, view);
}

bool RegistryOverlay::DeleteKeyTree(platform::RegistryRoot root, std::string_view path,
                                    platform::RegistryView view) {
  if (run_.recording()) return record_.DeleteKeyTree(root, path, view);
  return real_.DeleteKeyTree(root, path, view);
}

bool RegistryOverlay::KeyDeletable(platform::RegistryRoot root, std::string_view path,
                                   platform::RegistryView view) {
  if (run_.recording()) return record_.KeyDeletable(root, path, view);
  return real_.KeyDeletable(root, path, view);
}

}  // namespace tidora::dry_run
