#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"

namespace tidora::win32 {

namespace {

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

platform::FoundEntry ToFoundEntry(const WIN32_FIND_DATAW& data) {
  const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  return {Narrow(data.cFileName), data.dwFileAttributes, size};
}

// Upper case as the file system compares names, and every run of separators as one.
std::wstring FoldedWithoutDoubles(std::wstring path) {
  if (path.starts_with(L"\\\\?\\")) path.erase(0, 4);  // a long path's prefix names nothing
  if (!path.empty()) CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  std::wstring folded;
  folded.reserve(path.size());
  for (wchar_t c : path) {
    if (c == L'/') c = L'\\';
    if (c == L'\\' && !folded.empty() && folded.back() == L'\\' && folded.size() > 1) continue;
    folded.push_back(c);
  }
  while (folded.size() > 3 && folded.back() == L'\\') folded.pop_back();
  return folded;
}

bool IsPlainFolder(DWORD attributes) {
  constexpr DWORD kFolderOrLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & kFolderOrLink) == FILE_ATTRIBUTE_DIRECTORY;
}

constexpr DWORD kAnySharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

using Status = platform::FileContents::Status;

// Why a file could not be opened for reading: a folder refuses the open as no rights would.
Status OpenFailure(const std::wstring& path) {
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Status::kMissing;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)
             ? Status::kMissing
             : Status::kUnreadable;
}

// Exactly bytes.size() bytes, in chunks a DWORD can count; false when the read breaks off early.
bool ReadWhole(HANDLE file, std::string& bytes) {
  constexpr std::size_t kChunk = std::size_t{1} << 30;
  for (std::size_t done = 0; done < bytes.size();) {
    DWORD read = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
    if (!::ReadFile(file, bytes.data() + done, chunk, &read, nullptr) || read == 0) return false;
    done += read;
  }
  return true;
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

platform::FileContents Win32FileSystem::ReadFile(std::string_view path, std::uint64_t max_bytes) {
  const std::wstring wide = WidePath(path);
  // Every kind of sharing: a file another program has open for writing is still read.
  const UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, kAnySharing, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return {OpenFailure(wide), {}};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return {Status::kUnreadable, {}};
  const auto length = static_cast<std::uint64_t>(size.QuadPart);
  if (length > max_bytes) return {Status::kTooLarge, {}};
  platform::FileContents contents{Status::kRead, {}};
  if (length > contents.bytes.max_size()) return {Status::kUnreadable, {}};
  contents.bytes.resize(static_cast<std::size_t>(length));
  if (!ReadWhole(file.get(), contents.bytes)) return {Status::kUnreadable, {}};
  return contents;
}

bool Win32FileSystem::RemoveFile(std::string_view path) {
  return DeleteFileW(WidePath(path).c_str()) != FALSE;
}

// The check and the removal go through one handle opened as the entry itself, so that a folder
// swapped for a link in between is not what goes. Wine opens what a link leads to even so, and
// shows the link only to a look by path (removing it would remove its target): the path is looked
// at first.
bool Win32FileSystem::RemoveFolder(std::string_view path) {
  const std::wstring wide = WidePath(path);
  if (!IsPlainFolder(GetFileAttributesW(wide.c_str()))) return false;
  const UniqueFile folder(
      CreateFileW(wide.c_str(), DELETE | FILE_READ_ATTRIBUTES, kAnySharing, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  FILE_ATTRIBUTE_TAG_INFO held{};
  if (!folder ||
      !GetFileInformationByHandleEx(folder.get(), FileAttributeTagInfo, &held, sizeof held) ||
      !IsPlainFolder(held.FileAttributes)) {
    return false;
  }
  // Refused while the folder holds anything; it goes when the handle closes.
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(folder.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition) != FALSE;
}

bool Win32FileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  return SetFileAttributesW(WidePath(path).c_str(), attributes) != FALSE;
}

std::optional<std::uint32_t> Win32FileSystem::Attributes(std::string_view path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

std::string Win32FileSystem::CanonicalPath(std::string_view path) {
  const std::wstring given = WidePath(path);
  std::wstring long_path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetLongPathNameW(given.c_str(), long_path.data(), static_cast<DWORD>(long_path.size()));
    if (length == 0) {
      long_path = given;  // nothing there: the names as given
      break;
    }
    if (length < long_path.size()) {
      long_path.resize(length);
      break;
    }
    long_path.resize(length);
  }
  return Narrow(FoldedWithoutDoubles(std::move(long_path)));
}

bool Win32FileSystem::CouldRemoveNow(std::string_view path) {
  const UniqueFile file(CreateFileW(WidePath(path).c_str(), DELETE, kAnySharing, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  return static_cast<bool>(file);
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
