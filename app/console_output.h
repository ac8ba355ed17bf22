#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/unique_handles.h"

namespace tidora::app {

// Where a program without a window of its own writes lines: to its standard output when that
// was redirected to a file, a pipe or a device (in UTF-8), else to the console of the program
// that started it, else nowhere.
class ConsoleOutput {
 public:
  ConsoleOutput();
  ConsoleOutput(const ConsoleOutput&) = delete;
  ConsoleOutput& operator=(const ConsoleOutput&) = delete;
  ~ConsoleOutput();

  void WriteLine(std::string_view utf8);

 private:
  HANDLE redirected_ = nullptr;  // inherited, not ours to close
  win32::UniqueFile console_;    // the parent's console, attached
};

}  // namespace tidora::app
