#include "platform/win32/win32_system_info.h"

#include <windows.h>

#include <lmcons.h>

#include "platform/win32/utf.h"

namespace tidora::win32 {

std::optional<std::uint32_t> Win32SystemInfo::PlatformId() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExW(&version)) return std::nullopt;
  return version.dwPlatformId;
}

// GetVersionEx answers a program without a manifest naming Windows 10 as Windows 8 would; the
// kernel's own query tells the truth to every program.
std::optional<platform::OsVersion> Win32SystemInfo::Version() {
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  static const auto get_version =
      reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void (*)()>(
          GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!get_version || get_version(&version) != 0) return std::nullopt;
  return platform::OsVersion{static_cast<int>(version.dwMajorVersion),
                             static_cast<int>(version.dwMinorVersion)};
}

std::string Win32SystemInfo::UserName() {
  wchar_t name[UNLEN + 1] = {};
  DWORD length = UNLEN + 1;
  if (!GetUserNameW(name, &length)) return {};
  return Narrow(name);
}

}  // namespace tidora::win32
