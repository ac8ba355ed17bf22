#include "tests/win/traces.h"

#include <shellapi.h>

#include <cstring>

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
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, "trace", 5, &written, nullptr);
  CloseHandle(file);
  return SetFileAttributesW(path.c_str(), attributes) != FALSE;
}

}  // namespace tidora::testing
