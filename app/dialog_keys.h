#pragma once

#include <windows.h>

namespace tidora::app {

// The keyboard interface of the windows: Tab and Shift+Tab move the focus, Space ticks a box,
// Enter presses the focused button. True when the message was handled so.
inline bool HandleDialogKeys(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  return root && IsDialogMessageW(root, &message);
}

}  // namespace tidora::app
