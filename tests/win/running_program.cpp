#include "tests/win/running_program.h"

#include <commctrl.h>

#include <vector>

namespace tidora::testing {

namespace {

std::wstring BuildFolder() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + L"..\\";
}

}  // namespace

HWND WaitForVisibleWindow(const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    HWND window = FindWindowW(class_name, title);
    if (window && IsWindowVisible(window)) return window;
    Sleep(50);
  }
  return nullptr;
}

void RunningProgram::SetUp() {
  std::wstring command = L"\"" + BuildFolder() + L"app\\tidora.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             L"C:\\windows", &startup, &started))
      << GetLastError();
  process_ = win32::UniqueKernelObject(started.hProcess);
  win32::UniqueKernelObject thread(started.hThread);
  main_ = WaitForVisibleWindow(L"TProjectMainForm", L"Tidora", 20000);
  ASSERT_NE(main_, nullptr);
}

void RunningProgram::TearDown() {
  if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
  if (process_ && !WaitForExit(60000)) TerminateProcess(process_.get(), 1);
}

HWND RunningProgram::Control(ui::ControlId id) const {
  // Controls sit in panels and groups: search the whole tree by ID.
  struct Search {
    int id;
    HWND found;
  } search{static_cast<int>(id), nullptr};
  EnumChildWindows(
      main_,
      [](HWND window, LPARAM data) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(window) != wanted->id) return TRUE;
        wanted->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring RunningProgram::Text(ui::ControlId id) const {
  wchar_t text[256] = {};
  GetWindowTextW(Control(id), text, 256);
  return text;
}

void RunningProgram::SetChecked(ui::ControlId id, bool checked) {
  SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RunningProgram::Press(ui::ControlId id) {
  PostMessageW(Control(id), BM_CLICK, 0, 0);
}

bool RunningProgram::WaitForText(ui::ControlId id, const std::wstring& text, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    if (Text(id) == text) return true;
    Sleep(50);
  }
  return false;
}

int RunningProgram::GridItems() const {
  return static_cast<int>(
      SendMessageW(Control(ui::ControlId::sgResultList), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring RunningProgram::GridCell(int item, int column) const {
  // The list view writes into memory of its own process: lend it some.
  constexpr size_t kChars = 256;
  void* remote = VirtualAllocEx(process_.get(), nullptr, sizeof(LVITEMW) + kChars * 2, MEM_COMMIT,
                                PAGE_READWRITE);
  if (!remote) return L"<no memory>";
  auto* remote_text = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(LVITEMW));
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = remote_text;
  request.cchTextMax = kChars;
  WriteProcessMemory(process_.get(), remote, &request, sizeof request, nullptr);
  SendMessageW(Control(ui::ControlId::sgResultList), LVM_GETITEMTEXTW, item,
               reinterpret_cast<LPARAM>(remote));
  std::vector<wchar_t> text(kChars);
  ReadProcessMemory(process_.get(), remote_text, text.data(), kChars * 2, nullptr);
  VirtualFreeEx(process_.get(), remote, 0, MEM_RELEASE);
  text.back() = L'\0';
  return text.data();
}

bool RunningProgram::WaitForExit(DWORD timeout_ms) {
  return WaitForSingleObject(process_.get(), timeout_ms) == WAIT_OBJECT_0;
}

}  // namespace tidora::testing
