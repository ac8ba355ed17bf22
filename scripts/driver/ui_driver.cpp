// Drives the running tidora.exe from outside, as a person or a screen reader would: finds its
// windows and controls by class and caption, presses buttons, and captures the screen.
//
//   tidora_driver wait <window class> shown|hidden <milliseconds>
//   tidora_driver click <caption>               press the main window's control with that text
//   tidora_driver show <control id>             show one panel, hide the others
//   tidora_driver tab <index>                   select the Trace Cleaner's tab, as arrow keys do
//   tidora_driver capture <file.bmp>            the whole screen as a bitmap
//   tidora_driver park-mouse                    move the pointer to a corner, away from hints
//   tidora_driver point <caption>               move the pointer over that control
//   tidora_driver wait-capture <class> <file.bmp> <milliseconds>
//                                               capture as soon as that window shows

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win/wine_only.h"

namespace {

HWND MainWindow() {
  return FindWindowW(L"TProjectMainForm", L"Tidora");
}

bool WaitFor(const wchar_t* window_class, bool shown, DWORD timeout_ms) {
  for (DWORD waited = 0;; waited += 20) {
    HWND window = FindWindowW(window_class, nullptr);
    if ((window && IsWindowVisible(window)) == shown) return true;
    if (waited >= timeout_ms) return false;
    Sleep(20);
  }
}

struct Search {
  std::wstring caption;
  HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (search->caption == text) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindControl(const std::wstring& caption) {
  Search search{caption};
  EnumChildWindows(MainWindow(), MatchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK MatchClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (search->caption == name) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The arrow keys move the selection and the page control tells the program, which shows the sheet.
bool SelectTab(int wanted) {
  Search search{WC_TABCONTROLW};
  EnumChildWindows(MainWindow(), MatchClass, reinterpret_cast<LPARAM>(&search));
  for (int tries = 0; search.found && tries < 8; ++tries) {
    const auto current = SendMessageW(search.found, TCM_GETCURSEL, 0, 0);
    if (current == wanted) return true;
    SendMessageW(search.found, WM_KEYDOWN, current < wanted ? VK_RIGHT : VK_LEFT, 0);
  }
  return false;
}

bool Capture(const wchar_t* path) {
  HDC screen = GetDC(nullptr);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  const DWORD stride = ((width * 3 + 3) / 4) * 4, size = stride * height;
  BITMAPFILEHEADER file{
      0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
      sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  bool written = false;
  if (FILE* out = _wfopen(path, L"wb")) {
    written = fwrite(&file, sizeof file, 1, out) == 1 &&
              fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
              fwrite(bits, size, 1, out) == 1;
    fclose(out);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

int Fail(const char* what) {
  fprintf(stderr, "tidora_driver: %s\n", what);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // It presses the program's buttons, Start among them.
  if (!tidora::testing::AllowedToRun("tidora_driver")) return 2;
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == L"wait") {
    return WaitFor(args[1].c_str(), args[2] == L"shown", _wtoi(args[3].c_str()))
               ? 0
               : Fail("timed out");
  }
  if (args.size() == 2 && args[0] == L"click") {
    HWND control = FindControl(args[1]);
    if (!control) return Fail("no control with that caption");
    SendMessageW(control, BM_CLICK, 0, 0);
    return 0;
  }
  if (args.size() == 2 && args[0] == L"show") {
    const int wanted = _wtoi(args[1].c_str());
    for (int panel = 400; panel <= 404; ++panel) {
      ShowWindow(GetDlgItem(MainWindow(), panel), panel == wanted ? SW_SHOW : SW_HIDE);
    }
    return 0;
  }
  if (args.size() == 2 && args[0] == L"tab") {
    return SelectTab(_wtoi(args[1].c_str())) ? 0 : Fail("no such tab");
  }
  if (args.size() == 1 && args[0] == L"park-mouse") {
    SetCursorPos(0, 0);
    for (HWND tip = FindWindowW(L"tooltips_class32", nullptr); tip;
         tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) {
      SendMessageW(tip, 0x41C /* TTM_POP */, 0, 0);
    }
    return 0;
  }
  if (args.size() == 2 && args[0] == L"point") {
    HWND control = FindControl(args[1]);
    if (!control) return Fail("no control with that caption");
    RECT place;
    GetWindowRect(control, &place);
    SetCursorPos((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    return 0;
  }
  if (args.size() == 2 && args[0] == L"capture") {
    return Capture(args[1].c_str()) ? 0 : Fail("capture failed");
  }
  if (args.size() == 4 && args[0] == L"wait-capture") {
    if (!WaitFor(args[1].c_str(), true, _wtoi(args[3].c_str()))) return Fail("timed out");
    Sleep(50);  // let it paint
    return Capture(args[2].c_str()) ? 0 : Fail("capture failed");
  }
  return Fail("unknown command");
}
