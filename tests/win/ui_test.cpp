// The real main window, created in this process under Wine and driven through window messages.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/application.h"
#include "app/dialog_keys.h"
#include "app/skin.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_registry.h"
#include "tests/contract/control_set_contract.h"
#include "ui/layout.h"

namespace tidora::testing {
namespace {

using platform::RegistryRoot;
using ui::ControlId;

constexpr char kNetscapeKey[] = "Software\\Netscape";
constexpr char kOfficeKey[] = "Software\\Microsoft\\Office";
constexpr char kMenuExtKey[] = "Software\\Microsoft\\Internet Explorer\\MenuExt";

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
  void TearDown() override {
    if (app_) app_->controls().EndApplication();
    PumpMessages();
    registry_.DeleteTree(RegistryRoot::LocalMachine, kNetscapeKey);
    registry_.DeleteTree(RegistryRoot::LocalMachine, kOfficeKey);
    registry_.DeleteTree(RegistryRoot::CurrentUser, kMenuExtKey);
  }

  void StartApp() {
    app_ = std::make_unique<app::Application>(GetModuleHandleW(nullptr));
    ASSERT_TRUE(app_->Start());
    ShowWindow(Window(ControlId::kMainWindow), SW_SHOW);
    PumpMessages();
  }

  HWND Window(ControlId id) { return app_->controls().Window(id); }
  void Press(ControlId id) {
    SendMessageW(Window(id), BM_CLICK, 0, 0);
    quit_ = PumpMessages() || quit_;
  }
  bool Shown(ControlId id) { return GetWindowLongW(Window(id), GWL_STYLE) & WS_VISIBLE; }
  std::vector<ControlId> ShownPanels() {
    std::vector<ControlId> shown;
    for (ControlId panel : ui::kPanels) {
      if (Shown(panel)) shown.push_back(panel);
    }
    return shown;
  }
  std::wstring Text(ControlId id) {
    wchar_t text[256] = {};
    GetWindowTextW(Window(id), text, 256);
    return text;
  }
  bool Checked(ControlId id) { return SendMessageW(Window(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  std::wstring TooltipOf(ControlId id) {
    HWND tooltip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    std::vector<wchar_t> text(1024);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(Window(id));
    tool.uId = reinterpret_cast<UINT_PTR>(Window(id));
    tool.lpszText = text.data();
    SendMessageW(tooltip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return text.data();
  }

  win32::Win32Registry registry_;
  std::unique_ptr<app::Application> app_;
  bool quit_ = false;
};

TEST_F(MainWindowTest, EachNavigationButtonShowsExactlyItsPanel) {
  StartApp();
  EXPECT_EQ(ShownPanels(), std::vector<ControlId>{ControlId::CleanItems});
  const std::pair<ControlId, ControlId> routes[] = {
      {ControlId::bntIERepair, ControlId::IERepare},
      {ControlId::bntToolsMenu, ControlId::ToolsMenuWizard},
      {ControlId::bntAbout, ControlId::groupAbout},
      {ControlId::bntTraceCleaner, ControlId::CleanItems}};
  for (const auto& [button, panel] : routes) {
    Press(button);
    EXPECT_EQ(ShownPanels(), std::vector<ControlId>{panel}) << static_cast<int>(button);
  }
}

TEST_F(MainWindowTest, TheRepairButtonResetsItsBar) {
  StartApp();
  SendMessageW(Window(ControlId::RepairProgressBar), PBM_SETPOS, 85, 0);
  Press(ControlId::bntIERepair);
  EXPECT_EQ(SendMessageW(Window(ControlId::RepairProgressBar), PBM_GETPOS, 0, 0), 0);
}

TEST_F(MainWindowTest, TheToolsButtonRefillsItsLists) {
  StartApp();
  registry_.Create(RegistryRoot::CurrentUser, std::string(kMenuExtKey) + "\\&Send to Notes");
  Press(ControlId::bntToolsMenu);
  HWND list = Window(ControlId::ExtendMenuitems);
  ASSERT_EQ(ListView_GetItemCount(list), 1);
  ListView_SetCheckState(list, 0, TRUE);
  registry_.Create(RegistryRoot::CurrentUser, std::string(kMenuExtKey) + "\\&Translate");
  Press(ControlId::bntToolsMenu);
  ASSERT_EQ(ListView_GetItemCount(list), 2);
  EXPECT_FALSE(ListView_GetCheckState(list, 0));
}

TEST_F(MainWindowTest, MissingProductsDisableTheirGroupsKeepingTheTicks) {
  registry_.DeleteTree(RegistryRoot::LocalMachine, kNetscapeKey);
  registry_.DeleteTree(RegistryRoot::LocalMachine, kOfficeKey);
  StartApp();
  EXPECT_FALSE(IsWindowEnabled(Window(ControlId::groupNetscape)));
  EXPECT_FALSE(IsWindowEnabled(Window(ControlId::groupOffice)));
  EXPECT_FALSE(IsWindowEnabled(Window(ControlId::NsCookies)));
  EXPECT_TRUE(Checked(ControlId::NsCookies));
  EXPECT_TRUE(Checked(ControlId::MSWord));
  EXPECT_FALSE(IsWindowEnabled(Window(ControlId::MSWord)));
}

TEST_F(MainWindowTest, PresentProductsLeaveTheirGroupsEnabled) {
  registry_.Create(RegistryRoot::LocalMachine, kNetscapeKey);
  registry_.Create(RegistryRoot::LocalMachine, std::string(kOfficeKey) + "\\11.0");
  StartApp();
  EXPECT_TRUE(IsWindowEnabled(Window(ControlId::groupNetscape)));
  EXPECT_TRUE(IsWindowEnabled(Window(ControlId::groupOffice)));
  EXPECT_TRUE(IsWindowEnabled(Window(ControlId::MSWord)));
}

TEST_F(MainWindowTest, CheckboxesCarryTheirCaptionsDefaultsAndHints) {
  StartApp();
  EXPECT_EQ(Text(ControlId::WinFindSearch), L"Find && Search History");
  EXPECT_TRUE(Checked(ControlId::WinFindSearch));
  EXPECT_EQ(Text(ControlId::WinSTF), L"Scan Disk Temp Files");
  EXPECT_FALSE(Checked(ControlId::WinSTF));
  EXPECT_EQ(Text(ControlId::MSFrontPage), L"Microsfot FrontPage");
  EXPECT_EQ(Text(ControlId::IER_RestoreRestart), L"Restore windows restart problem ");
  EXPECT_EQ(TooltipOf(ControlId::IECookies),
            L"Clean all cookies.What is cookies?\r\nCookies is some files that store your\r\n"
            L"interation with web sites");
  EXPECT_EQ(TooltipOf(ControlId::bntClose), L"Close Tidora");
  EXPECT_EQ(TooltipOf(ControlId::IER_RestoreCaption),
            L"Restore your Internet Explorer caption to blank.");
}

TEST_F(MainWindowTest, TheGridHasItsHeadersAndOneEmptyRow) {
  StartApp();
  HWND grid = Window(ControlId::sgResultList);
  EXPECT_EQ(ListView_GetItemCount(grid), 1);
  wchar_t header[64] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = header;
  column.cchTextMax = 64;
  ListView_GetColumn(grid, 1, &column);
  EXPECT_STREQ(header, L"Files/Entries");
  EXPECT_EQ(column.cx, app::skin::Scale(94));
}

TEST_F(MainWindowTest, CloseAnsweredNoLeavesEverythingAsItWas) {
  StartApp();
  Press(ControlId::bntAbout);
  {
    MessageBoxAnswerer answer_no(IDNO);
    Press(ControlId::bntClose);
    EXPECT_EQ(answer_no.text(), L"Are you sure to quite Tidora?");
  }
  EXPECT_TRUE(IsWindow(Window(ControlId::kMainWindow)));
  EXPECT_EQ(ShownPanels(), std::vector<ControlId>{ControlId::groupAbout});
}

TEST_F(MainWindowTest, CloseAnsweredYesEndsTheProgram) {
  StartApp();
  HWND main = Window(ControlId::kMainWindow);
  {
    MessageBoxAnswerer answer_yes(IDYES);
    Press(ControlId::bntClose);
  }
  EXPECT_FALSE(IsWindow(main));
  EXPECT_TRUE(quit_);
  app_.reset();
}

// A value planted with the wrong type hides nothing and raises no error box.
TEST_F(MainWindowTest, AToolbarTextOfTheWrongTypeFallsBackAndShowsNoError) {
  auto bad = registry_.Create(RegistryRoot::LocalMachine,
                              "Software\\Microsoft\\Internet Explorer\\Extensions\\{BAD}");
  bad->WriteDword("ButtonText", 7);
  bad->WriteString("MenuText", "Fallback");
  StartApp();
  {
    MessageBoxAnswerer acknowledge(IDOK);
    Press(ControlId::bntToolsMenu);
    EXPECT_EQ(acknowledge.text(), L"");
  }
  registry_.DeleteTree(RegistryRoot::LocalMachine,
                       "Software\\Microsoft\\Internet Explorer\\Extensions\\{BAD}");
  LVFINDINFOW fallback{};
  fallback.flags = LVFI_STRING;
  fallback.psz = L"Fallback";
  EXPECT_GE(ListView_FindItem(Window(ControlId::ExtendToolsItems), -1, &fallback), 0);
}

TEST_F(MainWindowTest, TabFollowsTheRepairOptionsOrder) {
  StartApp();
  Press(ControlId::bntIERepair);
  HWND group = Window(ControlId::suiGroupBox1);
  HWND after_home_page = GetNextDlgTabItem(group, Window(ControlId::IER_RestoreHomePage), FALSE);
  EXPECT_EQ(after_home_page, Window(ControlId::IER_RestoreRestart));
  EXPECT_EQ(GetNextDlgTabItem(group, after_home_page, FALSE),
            Window(ControlId::IER_RestoreSearchEngine));
}

TEST_F(MainWindowTest, TheKeyboardMovesTicksAndPresses) {
  StartApp();
  HWND cookies = Window(ControlId::IECookies);
  SetFocus(cookies);
  PressKey(cookies, VK_SPACE);
  EXPECT_FALSE(Checked(ControlId::IECookies));
  PressKey(cookies, VK_TAB);
  EXPECT_EQ(GetFocus(), Window(ControlId::IEAFD));
  HWND about = Window(ControlId::bntAbout);
  SetFocus(about);
  PressKey(about, VK_RETURN);
  EXPECT_EQ(ShownPanels(), std::vector<ControlId>{ControlId::groupAbout});
}

TEST_F(MainWindowTest, AButtonLightsUpUnderTheMouseAndGoesBack) {
  StartApp();
  HWND repair = Window(ControlId::bntIERepair);
  SendMessageW(repair, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(app::skin::IsHot(repair));
  EXPECT_FALSE(app::skin::IsHot(Window(ControlId::bntToolsMenu)));
  SendMessageW(repair, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(app::skin::IsHot(repair));
}

TEST_F(MainWindowTest, TheSplashStepsItsBarThenHides) {
  StartApp();
  HWND splash = Window(ControlId::kSplashWindow);
  HWND bar = Window(ControlId::LoadProgressBar);
  std::vector<int> positions;
  for (int waited = 0; IsWindowVisible(splash) && waited < 5000; waited += 5) {
    PumpMessages();
    const int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    if (positions.empty() || positions.back() != position) positions.push_back(position);
    Sleep(5);
  }
  // Every step of 20 shows; the start at 0 may pass before the first look.
  if (!positions.empty() && positions.front() == 0) positions.erase(positions.begin());
  EXPECT_EQ(positions, (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_FALSE(IsWindowVisible(splash));
  EXPECT_TRUE(IsWindowVisible(Window(ControlId::kMainWindow)));
  EXPECT_EQ(Text(ControlId::LabelLoading), L"Loading Done");
  EXPECT_TRUE(GetWindowLongW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(splash, GWL_STYLE) & WS_SYSMENU);
}

TEST_F(MainWindowTest, ControlsTakeTheFontOfTheirStyle) {
  StartApp();
  const auto font = [&](ControlId id) {
    return reinterpret_cast<HFONT>(SendMessageW(Window(id), WM_GETFONT, 0, 0));
  };
  EXPECT_EQ(font(ControlId::IER_RestoreOptions), app::skin::FontFor(ui::TextStyle::kCompact));
  EXPECT_EQ(font(ControlId::TotalLabel), app::skin::FontFor(ui::TextStyle::kBold));
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
