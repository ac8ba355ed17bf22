#include "bench/start_timer.h"

#include <algorithm>

#include "platform/win32/unique_handles.h"

namespace tidora::bench {

namespace {

using win32::UniqueKernelObject;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

HWND VisibleWindow(const wchar_t* window_class) {
  HWND window = FindWindowW(window_class, nullptr);
  return window && IsWindowVisible(window) ? window : nullptr;
}

void Close(HANDLE process, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
  WaitForSingleObject(process, 10000);
}

}  // namespace

std::wstring BuildFolder() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L'\\'));
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder;
}

double TimeStart(const Program& program) {
  std::wstring command = L"\"" + program.path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return -1;
  }
  UniqueKernelObject process(started.hProcess), thread(started.hThread);
  for (;;) {
    HWND window = VisibleWindow(program.window_class);
    QueryPerformanceCounter(&now);
    if (window) {
      Close(process.get(), window);
      return Milliseconds(start, now);
    }
    if (WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0 ||
        Milliseconds(start, now) > 30000) {
      TerminateProcess(process.get(), 1);
      return -1;
    }
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace tidora::bench
