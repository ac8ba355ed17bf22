#pragma once

#include <string>
#include <string_view>

namespace tidora::win32 {

// UTF-8 inside, UTF-16 at the Windows API.
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// A path for the wide file API: long absolute paths get the "\\?\" prefix (with doubled
// separators folded, which that form no longer does for us).
std::wstring WidePath(std::string_view path);

}  // namespace tidora::win32
