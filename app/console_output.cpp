#include "app/console_output.h"

#include <string>

#include "platform/win32/utf.h"

namespace tidora::app {

namespace {

// A file, a pipe, or a device that is no console (NUL): what the starter redirected output to.
bool IsRedirected(HANDLE output) {
  if (!output || output == INVALID_HANDLE_VALUE) return false;
  switch (GetFileType(output)) {
    case FILE_TYPE_DISK:
    case FILE_TYPE_PIPE:
      return true;
    case FILE_TYPE_CHAR: {
      DWORD mode = 0;
      return !GetConsoleMode(output, &mode);
    }
    default:
      return false;
  }
}

}  // namespace

ConsoleOutput::ConsoleOutput() {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (IsRedirected(output)) {
    redirected_ = output;
    return;
  }
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  console_ = win32::UniqueFile(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
  // The starter's prompt came back at once: begin below it.
  if (console_) WriteLine("");
}

ConsoleOutput::~ConsoleOutput() {
  if (console_) {
    console_.Reset();
    FreeConsole();
  }
}

void ConsoleOutput::WriteLine(std::string_view utf8) {
  if (redirected_) {
    std::string bytes(utf8);
    bytes.append("\r\n");
    DWORD written = 0;
    WriteFile(redirected_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  } else if (console_) {
    std::wstring text = win32::Widen(utf8);
    text.append(L"\r\n");
    DWORD written = 0;
    WriteConsoleW(console_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

}  // namespace tidora::app
