#include "repair/ie5_tools.h"

namespace tidora::repair {

namespace {

using platform::RegistryRoot;

bool WritePolicyIn(platform::Registry& registry, RegistryRoot root, platform::RegistryView view,
                   std::string_view key_path, std::string_view name, bool restricted) {
  auto key = registry.Create(root, key_path, view);
  if (!key) return false;
  try {
    key->WriteDword(name, restricted ? 1 : 0);
  } catch (const platform::RegistryError&) {
    return false;
  }
  return true;
}

// Every view of the root is written, each whatever the others did: no failure leaves a writer.
bool WritePolicy(platform::Registry& registry, RegistryRoot root, std::string_view key_path,
                 std::string_view name, bool restricted) {
  bool written = true;
  for (const auto view : registry.ViewsOf(root)) {
    if (!WritePolicyIn(registry, root, view, key_path, name, restricted)) written = false;
  }
  return written;
}

}  // namespace

bool SetIERestriction(platform::Registry& registry, std::string_view name, bool restricted) {
  const bool user =
      WritePolicy(registry, RegistryRoot::CurrentUser, kRestrictionPolicyKey, name, restricted);
  const bool machine =
      WritePolicy(registry, RegistryRoot::LocalMachine, kRestrictionPolicyKey, name, restricted);
  return user && machine;
}

bool SetIEControlPanelRestriction(platform::Registry& registry, std::string_view name,
                                  bool restricted) {
  return WritePolicy(registry, RegistryRoot::CurrentUser, kControlPanelPolicyKey, name, restricted);
}

bool SetNoBrowserContextMenu(platform::Registry& registry, bool restricted) {
  return SetIERestriction(registry, "NoBrowserContextMenu", restricted);
}

bool SetNoBrowserOptions(platform::Registry& registry, bool restricted) {
  return SetIERestriction(registry, "NoBrowserOptions", restricted);
}

bool SetNoViewSource(platform::Registry& registry, bool restricted) {
  return SetIERestriction(registry, "NoViewSource", restricted);
}

bool SetGeneralTabRestriction(platform::Registry& registry, bool restricted) {
  return SetIEControlPanelRestriction(registry, "GeneralTab", restricted);
}

bool SetHomepageRestriction(platform::Registry& registry, bool restricted) {
  return SetIEControlPanelRestriction(registry, "Homepage", restricted);
}

}  // namespace tidora::repair
