// Times loading and detecting a user's rule file of the community's shape (4 000 entries, about
// 14 000 file keys, 3 700 registry keys and 3 300 file detections, most with wildcards, a few
// hundred detected) against the start of a program that only shows one window; then tidora's
// start-up with that file beside it against without. Prints two lines; nothing is a pass or fail.
//
//   tidora_rules_bench [runs]

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/start_timer.h"
#include "platform/sqlite/sqlite_database.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "rules/detector.h"
#include "rules/rule_sources.h"

using namespace tidora;

namespace {

constexpr int kEntries = 4000;
constexpr int kDetectedEvery = 13;  // about 300 of them are found
constexpr const char* kGroups[] = {"3021", "3022", "3023", "3024", "3026", "3029"};

// Entry i: a detection by folder (wildcards) for most, by key for nearly all, three or four file
// keys and one registry key.
std::string GeneratedRules() {
  std::string text = "; generated for the benchmark\r\n";
  for (int i = 0; i < kEntries; ++i) {
    const std::string vendor = "BenchVendor" + std::to_string(i);
    text += "\r\n[" + vendor + " Cache *]\r\nLangSecRef=" + kGroups[i % 6] + "\r\n";
    if (i % 6 != 5) text += "DetectFile=%LocalAppData%\\" + vendor + "*\\App*\r\n";
    if (i % 13 != 12) text += "Detect=HKCU\\Software\\" + vendor + "\r\n";
    text += "FileKey1=%LocalAppData%\\" + vendor + "*\\App*\\Cache|*.*|RECURSE\r\n";
    text += "FileKey2=%AppData%\\" + vendor + "\\Logs|*.log;*.txt\r\n";
    text += "FileKey3=%LocalAppData%\\" + vendor + "\\Temp|*.tmp\r\n";
    if (i % 2) text += "FileKey4=%LocalAppData%\\" + vendor + "\\*\\Crash*|*.dmp\r\n";
    if (i % 13 != 12) text += "RegKey1=HKCU\\Software\\" + vendor + "\\Recent\r\n";
  }
  return text;
}

std::wstring LocalAppData() {
  PWSTR path = nullptr;
  SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path);
  std::wstring folder = path ? path : L"";
  CoTaskMemFree(path);
  return folder;
}

void PlantDetectedPrograms() {
  const std::wstring local = LocalAppData();
  for (int i = 0; i < kEntries; i += kDetectedEvery) {
    const std::wstring app = local + L"\\BenchVendor" + std::to_wstring(i) + L" Inc\\App 1";
    SHCreateDirectoryExW(nullptr, (app + L"\\Cache").c_str(), nullptr);
  }
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  const win32::UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  return file && ::WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

struct Timing {
  double places = 0, reading = 0, detection = 0;
  int found = 0, listed = 0;
  double total() const { return places + reading + detection; }
};

double Since(std::chrono::steady_clock::time_point& mark) {
  const auto now = std::chrono::steady_clock::now();
  const std::chrono::duration<double, std::milli> elapsed = now - mark;
  mark = now;
  return elapsed.count();
}

// Load and detect once, as the Applications tab does.
Timing LoadAndDetect() {
  win32::Win32Registry registry;
  win32::Win32FileSystem files;
  win32::Win32Shell shell;
  win32::Win32SystemInfo system;
  Timing timing;
  auto mark = std::chrono::steady_clock::now();
  const auto places = rules::Places::Gather(shell, files, system);
  timing.places = Since(mark);
  const auto loaded = rules::LoadRuleSources("", files, shell, places);
  timing.reading = Since(mark);
  sqlite::SqliteOpener databases;
  rules::Detector detector({registry, files, shell, system, databases}, places);
  for (const auto& entry : loaded.entries) timing.found += detector.Detected(entry.entry);
  timing.detection = Since(mark);
  timing.listed = detector.listings().listings();
  return timing;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = std::max(1, argc > 1 ? _wtoi(argv[1]) : 5);
  const std::wstring build = bench::BuildFolder();
  const std::string rules = GeneratedRules();
  PlantDetectedPrograms();
  // Beside this program, where the loader looks first.
  if (!WriteWholeFile(build + L"bench\\winapp2.ini", rules)) return 1;
  std::vector<Timing> timings;
  std::vector<double> floor_times;
  const bench::Program floor{"floor", build + L"bench\\tidora_floor_window.exe",
                             L"TidoraFloorWindow"};
  for (int run = -1; run < runs; ++run) {
    const Timing timing = LoadAndDetect();
    const double floor_ms = bench::TimeStart(floor);
    if (run < 0) continue;  // the first of each fills the file cache
    timings.push_back(timing);
    floor_times.push_back(floor_ms);
  }
  std::ranges::sort(timings, {}, &Timing::total);
  const Timing& median = timings[timings.size() / 2];
  const double floor_ms = bench::Median(floor_times);
  std::printf(
      "rules: %d entries read, %d found, loaded and detected in %.0f ms (places %.0f, reading "
      "%.0f, detection %.0f with %d folders listed); floor %.0f ms; ratio %.2f (target 0.5 or "
      "less)\n",
      kEntries, median.found, median.total(), median.places, median.reading, median.detection,
      median.listed, floor_ms, median.total() / floor_ms);

  const bench::Program tidora{"tidora", build + L"app\\tidora.exe", L"TProjectMainForm"};
  const std::wstring beside = build + L"app\\winapp2.ini";
  std::vector<double> with_rules, without;
  for (int run = -1; run < runs; ++run) {
    DeleteFileW(beside.c_str());
    const double bare = bench::TimeStart(tidora);
    WriteWholeFile(beside, rules);
    const double loaded = bench::TimeStart(tidora);
    if (run < 0) continue;
    without.push_back(bare);
    with_rules.push_back(loaded);
  }
  DeleteFileW(beside.c_str());
  const double with_ms = bench::Median(with_rules), without_ms = bench::Median(without);
  std::printf(
      "start-up with rules: tidora %.0f ms with the %d-entry file beside it, %.0f ms without, "
      "ratio %.2f (target 1.05 or less)\n",
      with_ms, kEntries, without_ms, with_ms / without_ms);
  return 0;
}
