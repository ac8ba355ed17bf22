#include "platform/win32/win32_system_info.h"

#include <windows.h>

namespace tidora::win32 {

std::optional<std::uint32_t> Win32SystemInfo::PlatformId() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExW(&version)) return std::nullopt;
  return version.dwPlatformId;
}

}  // namespace tidora::win32
