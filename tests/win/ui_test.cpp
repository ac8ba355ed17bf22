// The real main window, created in this process under Wine and driven through window messages:
// what only the Win32 controls do (keys), and the control set's contract.

#include <windows.h>

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/dialog_keys.h"
#include "tests/contract/control_set_contract.h"

namespace tidora::testing {
namespace {

using ui::ControlId;

// Dispatches what is queued, as the program's message loop does.
void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT || app::HandleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The program's own windows, created and shown, as the control set's contract wants them.
class Win32ControlSetEnvironment {
 public:
  Win32ControlSetEnvironment() : app_(GetModuleHandleW(nullptr)) {
    app_.Start();
    ShowWindow(Window(ControlId::kMainWindow), SW_SHOW);
    PumpMessages();
  }
  ~Win32ControlSetEnvironment() {
    app_.controls().EndApplication();
    PumpMessages();
  }
  ui::ControlSet& controls() { return app_.controls(); }
  HWND Window(ControlId id) { return app_.controls().Window(id); }

 private:
  app::Application app_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ControlSetContract, Win32ControlSetEnvironment);

TEST(MainWindow, TheKeyboardMovesTicksAndPresses) {
  Win32ControlSetEnvironment window;
  auto press_key = [](HWND target, WPARAM key) {
    SetFocus(target);
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    PumpMessages();
  };
  press_key(window.Window(ControlId::IECookies), VK_SPACE);
  EXPECT_NE(SendMessageW(window.Window(ControlId::IECookies), BM_GETCHECK, 0, 0), BST_CHECKED);
  press_key(window.Window(ControlId::IECookies), VK_TAB);
  EXPECT_EQ(GetFocus(), window.Window(ControlId::IEAFD));
  press_key(window.Window(ControlId::bntAbout), VK_RETURN);
  EXPECT_TRUE(GetWindowLongW(window.Window(ControlId::groupAbout), GWL_STYLE) & WS_VISIBLE);
}

}  // namespace
}  // namespace tidora::testing
