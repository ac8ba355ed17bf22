#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace tidora::platform {

inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // 95, 98, Me
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

// Windows' own version number: 6.1 for Windows 7, 10.0 for Windows 10 and 11.
struct OsVersion {
  int major = 0;
  int minor = 0;
  auto operator<=>(const OsVersion&) const = default;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // The platform identifier of the version query; nullopt when the query fails.
  virtual std::optional<std::uint32_t> PlatformId() = 0;
  // The version the system reports of itself; nullopt when the query fails.
  virtual std::optional<OsVersion> Version() = 0;
  // The signed-in user's name; empty when the system gives none.
  virtual std::string UserName() = 0;
};

}  // namespace tidora::platform
