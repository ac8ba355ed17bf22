#pragma once

#include "platform/system_info.h"

namespace tidora::testing {

// Reports whichever platform family a test asks for; nullopt plays a failed version query.
class FakeSystemInfo final : public platform::SystemInfo {
 public:
  explicit FakeSystemInfo(std::optional<std::uint32_t> platform_id = platform::kPlatformWin32Nt)
      : platform_id_(platform_id) {}
  std::optional<std::uint32_t> PlatformId() override { return platform_id_; }

 private:
  std::optional<std::uint32_t> platform_id_;
};

}  // namespace tidora::testing
