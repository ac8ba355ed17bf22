#include "app/whole_file.h"

#include <windows.h>

#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"

namespace tidora::app {

namespace {

bool WriteAll(const std::wstring& path, std::string_view text) {
  win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size() && FlushFileBuffers(file.get());
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view text) {
  const std::wstring target = win32::WidePath(path);
  // Beside the target, so that the rename stays on its volume; named by the process, so that two
  // writers never share one.
  std::wstring temporary = target;
  temporary.append(L".").append(std::to_wstring(GetCurrentProcessId())).append(L".tmp");
  if (WriteAll(temporary, text) &&
      MoveFileExW(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace tidora::app
