#include "app/message_loop.h"

#include <windows.h>

#include "app/dialog_keys.h"

namespace tidora::app {

int RunMessageLoop(const std::function<bool()>& idle_slice) {
  bool idle_work = true;
  MSG message;
  for (;;) {
    // A waiting message, timers and painting among them, goes first: slices never starve them.
    if (idle_work && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      idle_work = idle_slice();
      continue;
    }
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    idle_work = true;
    if (HandleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tidora::app
