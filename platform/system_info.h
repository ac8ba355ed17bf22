#pragma once

#include <cstdint>
#include <optional>

namespace tidora::platform {

inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // 95, 98, Me
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // The platform identifier of the version query; nullopt when the query fails.
  virtual std::optional<std::uint32_t> PlatformId() = 0;
};

}  // namespace tidora::platform
