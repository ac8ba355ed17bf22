#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <string_view>

#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"

namespace tidora::win32 {

namespace {

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

platform::FoundEntry ToFoundEntry(const WIN32_FIND_DATAW& data) {
  return {Narrow(data.cFileName), data.dwFileAttributes};
}

// Calls a Get...Directory style function; empty text when it fails.
template <typename Query>
std::string QueryFolder(Query query) {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = query(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return Narrow(std::wstring_view(buffer, length));
}

}  // namespace

platform::FindEnd Win32FileSystem::Find(std::string_view pattern,
                                        const platform::FoundEntryVisitor& visit) {
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileExW(WidePath(pattern).c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                   error == ERROR_NO_MORE_FILES
               ? platform::FindEnd::kNoMatch
               : platform::FindEnd::kFailed;
  }
  do {
    if (IsDotEntry(data.cFileName)) continue;
    if (!visit(ToFoundEntry(data))) return platform::FindEnd::kStopped;
  } while (FindNextFileW(find.get(), &data));
  return GetLastError() == ERROR_NO_MORE_FILES ? platform::FindEnd::kListed
                                               : platform::FindEnd::kFailed;
}

bool Win32FileSystem::RemoveFile(std::string_view path) {
  return DeleteFileW(WidePath(path).c_str()) != FALSE;
}

bool Win32FileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  return SetFileAttributesW(WidePath(path).c_str(), attributes) != FALSE;
}

std::optional<std::uint32_t> Win32FileSystem::Attributes(std::string_view path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

std::string Win32FileSystem::TempFolder() {
  return QueryFolder([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
}

std::string Win32FileSystem::WindowsFolder() {
  return QueryFolder(
      [](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
}

std::string Win32FileSystem::SystemFolder() {
  return QueryFolder([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
}

}  // namespace tidora::win32
