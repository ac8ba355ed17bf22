#include "tests/win/running_program.h"

namespace tidora::testing {

using ui::ControlId;

HWND WaitForVisibleWindow(const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindWindowW(class_name, title)) && IsWindowVisible(window); },
            timeout_ms);
  return window && IsWindowVisible(window) ? window : nullptr;
}

void RunningProgram::SetUp() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command(self);
  command = L"\"" + command.substr(0, command.find_last_of(L"\\/")) + L"\\..\\app\\tidora.exe\"";
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

HWND RunningProgram::Control(ControlId id) const {
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

std::wstring RunningProgram::Text(ControlId id) const {
  wchar_t text[256] = {};
  GetWindowTextW(Control(id), text, 256);
  return text;
}

int RunningProgram::Position(ControlId bar) const {
  return static_cast<int>(SendMessageW(Control(bar), PBM_GETPOS, 0, 0));
}

void RunningProgram::SetChecked(ControlId id, bool checked) {
  SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RunningProgram::Press(ControlId id) {
  PostMessageW(Control(id), BM_CLICK, 0, 0);
}

int RunningProgram::ListItems(ControlId list) const {
  return static_cast<int>(SendMessageW(Control(list), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring RunningProgram::ListItem(ControlId list, int item, int column, UINT message) const {
  // The list view reads and writes items in memory of its own process: lend it some.
  LVITEMW request{};
  request.iSubItem = column;
  request.state = INDEXTOSTATEIMAGEMASK(2);  // ticked, for LVM_SETITEMSTATE
  request.stateMask = LVIS_STATEIMAGEMASK;
  request.cchTextMax = 256;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process_.get(), nullptr, sizeof request + 512, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return L"<no memory>";
  request.pszText = reinterpret_cast<wchar_t*>(remote + sizeof request);
  wchar_t text[256] = {};
  WriteProcessMemory(process_.get(), remote, &request, sizeof request, nullptr);
  SendMessageW(Control(list), message, item, reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process_.get(), request.pszText, text, sizeof text - 2, nullptr);
  VirtualFreeEx(process_.get(), remote, 0, MEM_RELEASE);
  return text;
}

std::wstring RunningProgram::Counts(int* total) const {
  std::wstring counts;
  int sum = 0;
  for (int item = 0; item + 1 < ListItems(ControlId::sgResultList); ++item) {
    const std::wstring count = ListItem(ControlId::sgResultList, item, 1);
    sum += _wtoi(count.c_str());
    counts += count + (ListItem(ControlId::sgResultList, item, 2) == L"Finished" ? L" " : L"? ");
  }
  if (total) *total = sum;
  return counts;
}

int RunningProgram::CountOf(const std::wstring& caption) const {
  for (int item = 0; item + 1 < ListItems(ControlId::sgResultList); ++item) {
    if (ListItem(ControlId::sgResultList, item) == caption)
      return _wtoi(ListItem(ControlId::sgResultList, item, 1).c_str());
  }
  return -1;
}

void RunningProgram::Set(platform::RegistryRoot root, const std::string& key, const char* name,
                         const char* text, platform::RegistryView view) {
  auto opened = registry_.Create(root, key, view);
  ASSERT_NE(opened, nullptr) << key;
  text ? opened->WriteString(name, text) : opened->WriteDword(name, 1);
}

bool RunningProgram::WaitForExit(DWORD timeout_ms) {
  return WaitForSingleObject(process_.get(), timeout_ms) == WAIT_OBJECT_0;
}

}  // namespace tidora::testing
