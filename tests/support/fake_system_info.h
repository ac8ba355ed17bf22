#pragma once

#include "platform/system_info.h"

namespace tidora::testing {
// Reports the platform family, version and user a test asks for; nullopt plays a failed query.
struct FakeSystemInfo final : platform::SystemInfo {
  explicit FakeSystemInfo(std::optional<std::uint32_t> id = platform::kPlatformWin32Nt) : id(id) {}
  std::optional<std::uint32_t> PlatformId() override { return id; }
  std::optional<platform::OsVersion> Version() override { return version; }
  std::string UserName() override { return user_name; }
  std::optional<std::uint32_t> id;
  std::optional<platform::OsVersion> version = platform::OsVersion{10, 0};
  std::string user_name = "me";
};
}  // namespace tidora::testing
