#pragma once

// Plants the traces a user's work leaves, with the plain Windows API, for the Windows tests.

#include <windows.h>

#include <string>

namespace tidora::testing {

void PutTextOnClipboard(const char* text);
bool MoveToRecycleBin(const std::wstring& path);
long long RecycleBinItems();
// Makes the file, and the folders it lies in.
bool MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
bool Exists(const std::wstring& path);
// Removes a folder and everything in it, except folder links (reparse points), which it neither
// enters nor removes: what lies behind a link may be outside the folder, and Wine's
// RemoveDirectoryW on a link removes the empty folder it leads to. A folder that holds a link
// stays, with the link.
void RemoveFolderTree(const std::wstring& folder);

}  // namespace tidora::testing
