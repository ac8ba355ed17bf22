// The real main window, created in this process under Wine and driven through window messages:
// what only the Win32 controls do (keys, message boxes, errors in handlers).

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/application.h"
#include "app/dialog_keys.h"
#include "platform/win32/win32_registry.h"
#include "tests/contract/control_set_contract.h"

namespace tidora::testing {
namespace {

using platform::RegistryRoot;
using ui::ControlId;

constexpr char kBadExtension[] = "Software\\Microsoft\\Internet Explorer\\Extensions\\{BAD}";

// Answers the first message box titled "Tidora" that opens, pressing the given button, and
// remembers its text.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int button) : thread_([this, button] { Answer(button); }) {}
  ~MessageBoxAnswerer() {
    done_ = true;
    thread_.join();
  }
  std::wstring text() const { return text_; }

 private:
  void Answer(int button) {
    for (int waited = 0; waited < 10000 && !done_; waited += 20) {
      HWND box = FindWindowW(L"#32770", L"Tidora");
      if (box) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message's static control
        text_ = text;
        PostMessageW(box, WM_COMMAND, button, 0);
        return;
      }
      Sleep(20);
    }
  }

  std::wstring text_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// Dispatches what is queued; true when the program asked its message loop to end.
bool PumpMessages() {
  bool quit = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    if (app::HandleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return quit;
}

void PressKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
  PumpMessages();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<app::Application>(GetModuleHandleW(nullptr));
    ASSERT_TRUE(app_->Start());
    ShowWindow(Window(ControlId::kMainWindow), SW_SHOW);
    PumpMessages();
  }
  void TearDown() override {
    app_->controls().EndApplication();
    PumpMessages();
    registry_.DeleteTree(RegistryRoot::LocalMachine, kBadExtension);
  }

  HWND Window(ControlId id) { return app_->controls().Window(id); }
  void Press(ControlId id) {
    SendMessageW(Window(id), BM_CLICK, 0, 0);
    PumpMessages();
  }
  bool Checked(ControlId id) { return SendMessageW(Window(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Shown(ControlId id) { return GetWindowLongW(Window(id), GWL_STYLE) & WS_VISIBLE; }

  win32::Win32Registry registry_;
  std::unique_ptr<app::Application> app_;
};

// A value planted with the wrong type hides nothing and raises no error box.
TEST_F(MainWindowTest, AToolbarTextOfTheWrongTypeFallsBackAndShowsNoError) {
  auto bad = registry_.Create(RegistryRoot::LocalMachine, kBadExtension);
  bad->WriteDword("ButtonText", 7);
  bad->WriteString("MenuText", "Fallback");
  {
    MessageBoxAnswerer acknowledge(IDOK);
    Press(ControlId::bntToolsMenu);
    EXPECT_EQ(acknowledge.text(), L"");
  }
  LVFINDINFOW fallback{};
  fallback.flags = LVFI_STRING;
  fallback.psz = L"Fallback";
  EXPECT_GE(ListView_FindItem(Window(ControlId::ExtendToolsItems), -1, &fallback), 0);
}

TEST_F(MainWindowTest, TheKeyboardMovesTicksAndPresses) {
  HWND cookies = Window(ControlId::IECookies);
  SetFocus(cookies);
  PressKey(cookies, VK_SPACE);
  EXPECT_FALSE(Checked(ControlId::IECookies));
  PressKey(cookies, VK_TAB);
  EXPECT_EQ(GetFocus(), Window(ControlId::IEAFD));
  HWND about = Window(ControlId::bntAbout);
  SetFocus(about);
  PressKey(about, VK_RETURN);
  EXPECT_TRUE(Shown(ControlId::groupAbout));
}

// The program's own windows, created and shown, as the control set's contract wants them.
class Win32ControlSetEnvironment {
 public:
  Win32ControlSetEnvironment() : app_(GetModuleHandleW(nullptr)) {
    app_.Start();
    ShowWindow(app_.controls().Window(ControlId::kMainWindow), SW_SHOW);
    PumpMessages();
  }
  ~Win32ControlSetEnvironment() {
    app_.controls().EndApplication();
    PumpMessages();
  }
  ui::ControlSet& controls() { return app_.controls(); }

 private:
  app::Application app_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ControlSetContract, Win32ControlSetEnvironment);

}  // namespace
}  // namespace tidora::testing
