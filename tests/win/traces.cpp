#include "tests/win/traces.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "platform/win32/unique_handles.h"

namespace tidora::testing {

void PutTextOnClipboard(const char* text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  const size_t size = strlen(text) + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(memory), text, size);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

bool MoveToRecycleBin(const std::wstring& path) {
  std::wstring from = path + L'\0';  // the list ends in a double NUL
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationW(&operation) == 0;
}

long long RecycleBinItems() {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(SHQueryRecycleBinW(nullptr, &info))) return -1;
  return info.i64NumItems;
}

bool MakeFile(const std::wstring& path, DWORD attributes) {
  SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, "trace", 5, &written, nullptr);
  CloseHandle(file);
  return SetFileAttributesW(path.c_str(), attributes) != FALSE;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

bool IsLink(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

void RemoveFolderTree(const std::wstring& folder) {
  if (IsLink(GetFileAttributesW(folder.c_str()))) return;
  WIN32_FIND_DATAW data;
  win32::UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (find) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L".." || IsLink(data.dwFileAttributes)) continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolderTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find.get(), &data));
  }
  find.Reset();
  RemoveDirectoryW(folder.c_str());
}

}  // namespace tidora::testing
