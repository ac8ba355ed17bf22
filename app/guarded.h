#pragma once

#include <windows.h>

#include <exception>

#include "platform/win32/utf.h"

namespace tidora::app {

// Shows an error that escaped a handler in the application's error box.
inline void ShowError(const char* text) {
  MessageBoxW(GetActiveWindow(), win32::Widen(text).c_str(), L"Tidora", MB_OK | MB_ICONERROR);
}

// Runs a window procedure's work so that no exception crosses into Windows: the error's text is
// shown and the message loop goes on.
template <typename Work>
LRESULT Guarded(Work work) noexcept {
  try {
    return work();
  } catch (const std::exception& error) {
    ShowError(error.what());
  } catch (...) {
    ShowError("An unexpected error occurred.");
  }
  return 0;
}

}  // namespace tidora::app
