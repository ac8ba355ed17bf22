#pragma once

#include "platform/system_info.h"

namespace tidora::win32 {

class Win32SystemInfo final : public platform::SystemInfo {
 public:
  std::optional<std::uint32_t> PlatformId() override;
  std::optional<platform::OsVersion> Version() override;
  std::string UserName() override;
};

}  // namespace tidora::win32
