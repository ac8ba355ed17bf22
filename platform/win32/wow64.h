#pragma once

namespace tidora::win32 {

// Whether Windows itself is 64-bit, whichever the program is: a 32-bit program learns it from
// WOW64.
bool SixtyFourBitWindows();

}  // namespace tidora::win32
