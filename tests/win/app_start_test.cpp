// tidora.exe starts, shows its main window, and ends when that window is closed.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/unique_handles.h"

namespace tidora::testing {
namespace {

std::wstring ProgramBeside(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + L"..\\app\\" + name;
}

HWND WaitForVisibleWindow(const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    HWND window = FindWindowW(class_name, title);
    if (window && IsWindowVisible(window)) return window;
    Sleep(50);
  }
  return nullptr;
}

TEST(AppStart, ShowsTheMainWindowAndEndsWhenItCloses) {
  std::wstring command = L"\"" + ProgramBeside(L"tidora.exe") + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process))
      << GetLastError();
  win32::UniqueKernelObject owned_process(process.hProcess);
  win32::UniqueKernelObject owned_thread(process.hThread);

  HWND window = WaitForVisibleWindow(L"TProjectMainForm", L"Tidora", 20000);
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace tidora::testing
