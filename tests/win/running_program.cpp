#include "tests/win/running_program.h"

#include <shlobj.h>

namespace tidora::testing {

HWND WaitForWindow(const wchar_t* class_name, const wchar_t* title) {
  HWND window = nullptr;
  auto shown = [&] { return (window = FindWindowW(class_name, title)) && IsWindowVisible(window); };
  return WaitUntil(shown) ? window : nullptr;
}

void RunningProgram::SetUp() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\\..\\..\\app\\tidora.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             L"C:\\windows", &startup, &started));
  process_ = win32::UniqueKernelObject(started.hProcess);
  win32::UniqueKernelObject thread(started.hThread);
  ASSERT_NE(main_ = WaitForWindow(L"TProjectMainForm", L"Tidora"), nullptr);
}

void RunningProgram::TearDown() {
  if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
  if (process_ && !WaitForExit(60000)) TerminateProcess(process_.get(), 1);
}

HWND RunningProgram::Control(Id id) const {
  std::pair<int, HWND> search{int(id), nullptr};  // controls sit in panels: search the whole tree
  auto visit = [](HWND window, LPARAM data) -> BOOL {
    auto& [wanted, found] = *reinterpret_cast<std::pair<int, HWND>*>(data);
    return GetDlgCtrlID(window) == wanted ? (found = window, FALSE) : TRUE;
  };
  EnumChildWindows(main_, visit, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring RunningProgram::Text(Id id) const {
  wchar_t text[256] = {};
  GetWindowTextW(Control(id), text, 256);
  return text;
}

namespace {

// A list or tree view reads and writes items in memory of its own process: lend it some.
template <typename Request>
std::wstring RemoteText(HANDLE process, HWND control, UINT message, WPARAM wparam,
                        Request request) {
  request.cchTextMax = 256;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof request + 512, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return L"<no memory>";
  request.pszText = reinterpret_cast<wchar_t*>(remote + sizeof request);
  wchar_t text[256] = {};
  WriteProcessMemory(process, remote, &request, sizeof request, nullptr);
  SendMessageW(control, message, wparam, reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process, request.pszText, text, sizeof text - 2, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return text;
}

}  // namespace

std::wstring RunningProgram::Item(Id list, int item, int column, UINT message) const {
  LVITEMW request{};
  request.iSubItem = column;
  request.state = INDEXTOSTATEIMAGEMASK(2);  // ticked, for LVM_SETITEMSTATE
  request.stateMask = LVIS_STATEIMAGEMASK;
  return RemoteText(process_.get(), Control(list), message, item, request);
}

std::vector<HTREEITEM> RunningProgram::Nodes(Id tree) const {
  std::vector<HTREEITEM> nodes;
  const auto next = [&](UINT how, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Control(tree), TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
  };
  for (HTREEITEM group = next(TVGN_ROOT, nullptr); group; group = next(TVGN_NEXT, group)) {
    nodes.push_back(group);
    for (HTREEITEM entry = next(TVGN_CHILD, group); entry; entry = next(TVGN_NEXT, entry))
      nodes.push_back(entry);
  }
  return nodes;
}

std::wstring RunningProgram::NodeText(Id tree, HTREEITEM node) const {
  TVITEMW request{};
  request.mask = TVIF_TEXT;
  request.hItem = node;
  return RemoteText(process_.get(), Control(tree), TVM_GETITEMW, 0, request);
}

HTREEITEM RunningProgram::FindNode(Id tree, const std::wstring& text) const {
  for (HTREEITEM node : Nodes(tree))
    if (NodeText(tree, node) == text) return node;
  return nullptr;
}

void RunningProgram::PressSpaceOn(Id tree, HTREEITEM node) {
  SendMessageW(Control(tree), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
  PostMessageW(Control(tree), WM_KEYDOWN, VK_SPACE, 1);
  PostMessageW(Control(tree), WM_KEYUP, VK_SPACE, 0xC0000001);
}

std::pair<std::wstring, int> RunningProgram::Counts() const {
  std::pair<std::wstring, int> counts;
  for (int row = 0; row + 1 < Items(Id::sgResultList); ++row) {
    const std::wstring count = Item(Id::sgResultList, row, 1);
    counts.first += count + (Item(Id::sgResultList, row, 2) == L"Finished" ? L" " : L"? ");
    counts.second += _wtoi(count.c_str());
  }
  return counts;
}

void RunningProgram::Set(platform::RegistryRoot root, const std::string& key, const char* name,
                         const char* text, platform::RegistryView view) {
  auto opened = registry_.Create(root, key, view);
  ASSERT_NE(opened, nullptr) << key;
  text ? opened->WriteString(name, text) : opened->WriteDword(name, 1);
}

bool MakeFile(const std::wstring& path, DWORD attributes) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only one from a run before
  SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  {
    win32::UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), "trace", 5, &written, nullptr)) return false;
  }
  return SetFileAttributesW(path.c_str(), attributes) != FALSE;
}

void RemoveFolderTree(const std::wstring& folder) {
  auto is_link = [](DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  };
  if (is_link(GetFileAttributesW(folder.c_str()))) return;
  WIN32_FIND_DATAW data;
  win32::UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  for (bool more = bool(find); more; more = FindNextFileW(find.get(), &data)) {
    const std::wstring name = data.cFileName, path = folder + L"\\" + name;
    if (name == L"." || name == L".." || is_link(data.dwFileAttributes)) continue;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    data.dwFileAttributes& FILE_ATTRIBUTE_DIRECTORY ? RemoveFolderTree(path)
                                                    : void(DeleteFileW(path.c_str()));
  }
  find.Reset();
  RemoveDirectoryW(folder.c_str());
}

}  // namespace tidora::testing
