#pragma once

#include <windows.h>

#include <string>

namespace tidora::app {

// A window's text (a control's caption), whole whatever its length.
inline std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

}  // namespace tidora::app
