#pragma once

// The Windows test programs delete files across C:, empty the Recycle Bin and the clipboard and
// delete registry keys: on a real Windows they would harm the user's own machine. They run only
// under Wine, in the project's private prefix.

#include <windows.h>

#include <cstdio>

namespace tidora::testing {

// ntdll exports wine_get_version only under Wine.
inline bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// False, after saying why, when the program must not go on.
inline bool AllowedToRun(const char* program) {
  if (!RunningUnderWine()) std::fprintf(stderr, "%s: refusing to run outside Wine\n", program);
  return RunningUnderWine();
}

}  // namespace tidora::testing
