#include "platform/win32/wow64.h"

#include <windows.h>

namespace tidora::win32 {

bool SixtyFourBitWindows() {
  BOOL wow64 = FALSE;
  return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

}  // namespace tidora::win32
