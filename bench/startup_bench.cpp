// Times start-up from outside: from CreateProcess to the program's main window being visible,
// polled every millisecond, for tidora.exe and for the floor (a program that registers a class
// and shows one window). Each program is closed once its window shows. Prints the medians and
// their ratio on one line.
//
//   tidora_startup_bench [runs]

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/start_timer.h"

using namespace tidora::bench;

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
