// Times start-up from outside: from CreateProcess to the program's main window being visible,
// polled every millisecond, for tidora.exe and for the floor (a program that registers a class
// and shows one window). Each program is closed once its window shows. Prints the medians and
// their ratio on one line.
//
//   tidora_startup_bench [runs]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/unique_handles.h"

namespace {

using tidora::win32::UniqueKernelObject;

struct Program {
  const char* name;
  std::wstring path;
  const wchar_t* window_class;
};

// The build folder: this program lies in its bench\ folder.
std::wstring BuildFolder() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L'\\'));
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder;
}

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

// Milliseconds until the window showed; negative if the program ended or took over 30 s.
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = std::max(1, argc > 1 ? _wtoi(argv[1]) : 5);
  const std::wstring build = BuildFolder();
  const Program tidora{"tidora", build + L"app\\tidora.exe", L"TProjectMainForm"};
  const Program floor{"floor", build + L"bench\\tidora_floor_window.exe", L"TidoraFloorWindow"};
  std::vector<double> tidora_times, floor_times;
  // One start of each first, unmeasured: the first start of a program loads what later ones find
  // in the file cache.
  for (int run = -1; run < runs; ++run) {
    for (const Program* program : {&floor, &tidora}) {
      const double elapsed = TimeStart(*program);
      if (elapsed < 0) {
        std::printf("start-up: %s did not show its window\n", program->name);
        return 1;
      }
      if (run >= 0) (program == &tidora ? tidora_times : floor_times).push_back(elapsed);
    }
  }
  const double tidora_ms = Median(tidora_times), floor_ms = Median(floor_times);
  std::printf(
      "start-up: tidora %.0f ms, floor %.0f ms (to the window shown, median of %d), ratio %.2f "
      "(target 1.2 or less)\n",
      tidora_ms, floor_ms, runs, tidora_ms / floor_ms);
  return 0;
}
