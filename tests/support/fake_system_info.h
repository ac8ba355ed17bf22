#pragma once

#include "platform/system_info.h"

namespace tidora::testing {
// Reports the platform family a test asks for; nullopt plays a failed version query.
struct FakeSystemInfo final : platform::SystemInfo {
  explicit FakeSystemInfo(std::optional<std::uint32_t> id = platform::kPlatformWin32Nt) : id(id) {}
  std::optional<std::uint32_t> PlatformId() override { return id; }
  std::optional<std::uint32_t> id;
};
}  // namespace tidora::testing
