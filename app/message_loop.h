#pragma once

#include <functional>

namespace tidora::app {

// Runs this thread's message loop until WM_QUIT and returns its exit code. While idle_slice()
// says more work remains and no message waits, it is called again; otherwise the loop sleeps
// until a message comes, after which it is called once more, since that message may have
// brought work.
int RunMessageLoop(const std::function<bool()>& idle_slice);

}  // namespace tidora::app
