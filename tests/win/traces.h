#pragma once

// Plants the traces a user's work leaves, with the plain Windows API, for the Windows tests.

#include <windows.h>

#include <string>

namespace tidora::testing {

void PutTextOnClipboard(const char* text);
bool MoveToRecycleBin(const std::wstring& path);
long long RecycleBinItems();
bool MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);

}  // namespace tidora::testing
