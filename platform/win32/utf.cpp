#include "platform/win32/utf.h"

#include <windows.h>

namespace tidora::win32 {

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                      nullptr, nullptr);
  return narrow;
}

namespace {
bool IsDriveAbsolute(std::wstring_view path) {
  return path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}
}  // namespace

std::wstring WidePath(std::string_view path) {
  std::wstring wide = Widen(path);
  constexpr size_t kShortPathLimit = MAX_PATH - 12;  // room for an 8.3 name, as CreateDirectory
  if (wide.size() < kShortPathLimit || !IsDriveAbsolute(wide)) return wide;
  std::wstring extended = L"\\\\?\\";
  for (wchar_t c : wide) {
    if (c == L'/') c = L'\\';
    if (c == L'\\' && !extended.empty() && extended.back() == L'\\' && extended.size() > 4) {
      continue;
    }
    extended.push_back(c);
  }
  return extended;
}

}  // namespace tidora::win32
