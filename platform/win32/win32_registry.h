#pragma once

#include "platform/registry.h"

namespace tidora::win32 {

class Win32Registry final : public platform::Registry {
 public:
  std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryRoot root, std::string_view path,
                                                 platform::KeyAccess access,
                                                 platform::RegistryView view) override;
  std::unique_ptr<platform::RegistryKey> CreateKey(platform::RegistryRoot root,
                                                   std::string_view path,
                                                   platform::RegistryView view) override;
  bool DeleteKeyTree(platform::RegistryRoot root, std::string_view path,
                     platform::RegistryView view) override;
  bool KeyDeletable(platform::RegistryRoot root, std::string_view path,
                    platform::RegistryView view) override;
  std::vector<platform::RegistryView> MachineViews() const override;
};

}  // namespace tidora::win32
