#pragma once

// Plants the traces a user's work leaves, with the plain Windows API, for the Windows tests.

#include <windows.h>

#include <string>

namespace tidora::testing {

// Makes the file, and the folders it lies in.
bool MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
inline bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
// Removes a folder and all in it but folder links (reparse points), which it neither enters nor
// removes: Wine's RemoveDirectoryW on a link removes the empty folder it leads to.
void RemoveFolderTree(const std::wstring& folder);

}  // namespace tidora::testing
