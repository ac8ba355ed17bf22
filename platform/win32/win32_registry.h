#pragma once

#include "platform/registry.h"

namespace tidora::win32 {

class Win32Registry final : public platform::Registry {
 public:
  std::unique_ptr<platform::RegistryKey> Open(platform::RegistryRoot root,
                                              std::string_view path) override;
  std::unique_ptr<platform::RegistryKey> Create(platform::RegistryRoot root,
                                                std::string_view path) override;
  bool DeleteTree(platform::RegistryRoot root, std::string_view path) override;
};

}  // namespace tidora::win32
