// Times the system-disk scan against a floor: a minimal walker that lists each folder once with
// the fastest listing the system offers and deletes the same files. Builds its own tree of
// folders and files (1 % of them *.tmp, some hidden, read-only or system), puts the *.tmp files
// back before every round, and prints the median times, their ratio and the scan's peak memory;
// then the same scan as a preview, through the dry-run overlay, against the scan itself.
//
//   tidora_bench [folder] [rounds]

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/dry_run/dry_run.h"
#include "platform/sqlite/sqlite_database.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_url_cache.h"
#include "system/windows_cleaners.h"
#include "tests/win/wine_only.h"

namespace {

constexpr int kTopFolders = 50;
constexpr int kSubfolders = 100;     // 5 000 folders in all
constexpr int kFilesPerFolder = 20;  // 100 000 files

class NoProgress final : public tidora::cleaning::CleanerProgress {
 public:
  void ShowCount(int) override {}
  bool StopRequested() override { return false; }
  void Finish() override {}
};

DWORD AttributesOf(int file) {
  if (file % 7 == 0) return FILE_ATTRIBUTE_HIDDEN;
  if (file % 11 == 0) return FILE_ATTRIBUTE_READONLY;
  if (file % 13 == 0) return FILE_ATTRIBUTE_SYSTEM;
  return FILE_ATTRIBUTE_ARCHIVE;
}

void MakeFile(const std::wstring& path, DWORD attributes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  SetFileAttributesW(path.c_str(), attributes);
}

struct Tree {
  std::wstring root;
  std::vector<std::pair<std::wstring, DWORD>> tmp_files;
};

Tree BuildTree(const std::wstring& root) {
  Tree tree{root, {}};
  CreateDirectoryW(root.c_str(), nullptr);
  int counter = 0;
  for (int top = 0; top < kTopFolders; ++top) {
    const std::wstring top_folder = root + L"\\t" + std::to_wstring(top);
    CreateDirectoryW(top_folder.c_str(), nullptr);
    for (int sub = 0; sub < kSubfolders; ++sub) {
      const std::wstring folder = top_folder + L"\\s" + std::to_wstring(sub);
      CreateDirectoryW(folder.c_str(), nullptr);
      for (int file = 0; file < kFilesPerFolder; ++file, ++counter) {
        const bool tmp = counter % 100 == 0;
        const std::wstring path =
            folder + L"\\f" + std::to_wstring(file) + (tmp ? L".tmp" : L".dat");
        const DWORD attributes = AttributesOf(counter);
        if (tmp) {
          tree.tmp_files.emplace_back(path, attributes);
        } else if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
          MakeFile(path, attributes);
        }
      }
    }
  }
  return tree;
}

void PutTmpFilesBack(const Tree& tree) {
  for (const auto& [path, attributes] : tree.tmp_files) MakeFile(path, attributes);
}

bool EndsWithTmp(const wchar_t* name) {
  const size_t length = wcslen(name);
  return length >= 4 && _wcsicmp(name + length - 4, L".tmp") == 0;
}

// The floor: one listing per folder, nothing but what the deletion needs.
int FloorWalk(const std::wstring& root) {
  int deleted = 0;
  std::vector<std::wstring> pending{root};
  WIN32_FIND_DATAW data;
  while (!pending.empty()) {
    const std::wstring folder = std::move(pending.back());
    pending.pop_back();
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L"..") &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
          pending.push_back(folder + L"\\" + data.cFileName);
        }
      } else if (EndsWithTmp(data.cFileName)) {
        const std::wstring path = folder + L"\\" + data.cFileName;
        if (data.dwFileAttributes &
            (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
          SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        deleted += DeleteFileW(path.c_str()) ? 1 : 0;
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  return deleted;
}

SIZE_T PeakPrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakPagefileUsage;
}

template <typename Walk>
double Seconds(Walk walk, int* deleted) {
  const auto start = std::chrono::steady_clock::now();
  *deleted = walk();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (!tidora::testing::AllowedToRun("tidora_bench")) return 2;
  const std::wstring root = argc > 1 ? argv[1] : L"C:\\tidora-bench";
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 5;
  std::printf("building %d folders, %d files under %ls ...\n", kTopFolders * kSubfolders,
              kTopFolders * kSubfolders * kFilesPerFolder, root.c_str());
  const Tree tree = BuildTree(root);

  tidora::win32::Win32FileSystem files;
  tidora::win32::Win32Registry registry;
  tidora::win32::Win32Shell shell;
  tidora::win32::Win32UrlCache url_cache;
  tidora::sqlite::SqliteOpener databases;
  tidora::dry_run::DryRun dry_run(registry, files, shell, url_cache, databases);
  NoProgress progress;
  const std::string root_utf8 = tidora::win32::Narrow(root);
  std::vector<double> scan_times, floor_times, preview_times;
  SIZE_T scan_peak_growth = 0, preview_peak_growth = 0;
  for (int round = 0; round < rounds; ++round) {
    int deleted = 0;
    PutTmpFilesBack(tree);
    const SIZE_T before = PeakPrivateBytes();
    // As Start runs it: through the overlay, forwarding.
    scan_times.push_back(Seconds(
        [&] { return tidora::system::DeleteTmpFilesUnder(dry_run.files(), root_utf8, progress); },
        &deleted));
    scan_peak_growth = std::max(scan_peak_growth, PeakPrivateBytes() - before);
    if (deleted != static_cast<int>(tree.tmp_files.size())) {
      std::printf("scan deleted %d of %zu\n", deleted, tree.tmp_files.size());
      return 1;
    }
    PutTmpFilesBack(tree);
    const SIZE_T before_preview = PeakPrivateBytes();
    preview_times.push_back(Seconds(
        [&] {
          tidora::dry_run::ModeScope preview(dry_run, tidora::dry_run::Mode::kRecord);
          return tidora::system::DeleteTmpFilesUnder(dry_run.files(), root_utf8, progress);
        },
        &deleted));
    preview_peak_growth = std::max(preview_peak_growth, PeakPrivateBytes() - before_preview);
    if (deleted != static_cast<int>(tree.tmp_files.size())) {
      std::printf("preview found %d of %zu\n", deleted, tree.tmp_files.size());
      return 1;
    }
    floor_times.push_back(Seconds([&] { return FloorWalk(root); }, &deleted));
    if (deleted != static_cast<int>(tree.tmp_files.size())) {
      std::printf("floor deleted %d of %zu\n", deleted, tree.tmp_files.size());
      return 1;
    }
  }
  const double scan = Median(scan_times), floor = Median(floor_times);
  std::printf("scan:  %.3f s (median of %d)\n", scan, rounds);
  std::printf("floor: %.3f s (median of %d)\n", floor, rounds);
  std::printf("ratio: %.3f (target 1.15 or less)\n", scan / floor);
  std::printf("scan peak memory growth: %zu KiB\n", static_cast<size_t>(scan_peak_growth / 1024));
  const double preview = Median(preview_times);
  std::printf("preview: %.3f s (median of %d)\n", preview, rounds);
  std::printf("preview ratio: %.3f against the scan (target 1.10 or less)\n", preview / scan);
  std::printf("preview peak memory growth: %zu KiB\n",
              static_cast<size_t>(preview_peak_growth / 1024));
  return 0;
}
