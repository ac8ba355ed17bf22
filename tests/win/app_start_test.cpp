// The real tidora.exe, started as a user starts it and driven from outside its process, as a
// screen reader or an automated UI test would.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/utf.h"
#include "tests/win/running_program.h"
#include "ui/layout.h"

namespace tidora::testing {
namespace {

const wchar_t* ClassOf(ui::ControlKind kind) {
  switch (kind) {
    case ui::ControlKind::kPageControl:
      return L"SysTabControl32";
    case ui::ControlKind::kTabSheet:
    case ui::ControlKind::kLabel:
    case ui::ControlKind::kPicture:
      return L"Static";
    case ui::ControlKind::kGrid:
    case ui::ControlKind::kCheckList:
      return L"SysListView32";
    case ui::ControlKind::kProgressBar:
      return L"msctls_progress32";
    default:
      return L"Button";
  }
}

struct Search {
  std::wstring window_class;
  std::wstring caption;
  int id;
  bool found = false;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t window_class[64] = {}, caption[256] = {};
  GetClassNameW(window, window_class, 64);
  GetWindowTextW(window, caption, 256);
  if (_wcsicmp(window_class, search->window_class.c_str()) == 0 && search->caption == caption &&
      GetDlgCtrlID(window) == search->id) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

TEST_F(RunningProgram, EveryControlIsFoundByItsClassCaptionAndId) {
  for (const auto& entry : ui::MainWindowControls()) {
    Search search{ClassOf(entry.kind), win32::Widen(entry.caption), static_cast<int>(entry.id)};
    EnumChildWindows(main_, Match, reinterpret_cast<LPARAM>(&search));
    EXPECT_TRUE(search.found) << entry.caption << " (" << static_cast<int>(entry.id) << ")";
  }
}

TEST_F(RunningProgram, HelpOpensTheShippedHelpFileWhereverItWasStarted) {
  HWND help_button = GetDlgItem(main_, static_cast<int>(ui::ControlId::bntHelp));
  ASSERT_NE(help_button, nullptr);
  SendMessageW(help_button, BM_CLICK, 0, 0);
  HWND viewer = WaitForVisibleWindow(nullptr, L"Tidora Help", 20000);
  ASSERT_NE(viewer, nullptr);
  PostMessageW(viewer, WM_CLOSE, 0, 0);
}

TEST_F(RunningProgram, EndsWhenItsWindowCloses) {
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitForExit(20000));
  DWORD exit_code = 1;
  GetExitCodeProcess(process_.get(), &exit_code);
  EXPECT_EQ(exit_code, 0u);
}

}  // namespace
}  // namespace tidora::testing
