#include "app/text_window.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "app/guarded.h"
#include "app/skin.h"
#include "app/window_class.h"
#include "app/window_text.h"
#include "platform/win32/utf.h"

namespace tidora::app {

namespace {

constexpr wchar_t kTextWindowClass[] = L"TidoraTextWindow";
constexpr int kWidth = 640, kHeight = 360;  // at 96 dpi
constexpr UINT_PTR kSubclassId = 1;

// Kept with the window and freed when it goes.
struct TextWindowState {
  std::function<void()> closed;
};

TextWindowState* StateOf(HWND window) {
  return reinterpret_cast<TextWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND TextBoxOf(HWND window) {
  return GetWindow(window, GW_CHILD);
}

// Escape closes the window, as it closes a message box: the text box has the focus.
LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                             DWORD_PTR) {
  if (message == WM_KEYDOWN && wparam == VK_ESCAPE) {
    PostMessageW(GetParent(box), WM_CLOSE, 0, 0);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, TextBoxProc, kSubclassId);
  return DefSubclassProc(box, message, wparam, lparam);
}

LRESULT OnTextWindowMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      MoveWindow(TextBoxOf(window), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(TextBoxOf(window));
      return 0;
    case WM_COMMAND:
      // Escape, when the dialog keys take it before the text box.
      if (LOWORD(wparam) == IDCANCEL) PostMessageW(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_CTLCOLORSTATIC: {
      // A read-only edit asks as a label does; the text reads as a document, not a grey form.
      const auto dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_DESTROY:
      if (TextWindowState* state = StateOf(window); state && state->closed) {
        std::exchange(state->closed, nullptr)();
      }
      return 0;
    case WM_NCDESTROY:
      std::unique_ptr<TextWindowState>(
          reinterpret_cast<TextWindowState*>(SetWindowLongPtrW(window, GWLP_USERDATA, 0)));
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded([&] { return OnTextWindowMessage(window, message, wparam, lparam); });
}

// Centred on the owner, and whole on the owner's monitor.
RECT CentredOn(HWND owner, int width, int height) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT work = monitor.rcWork;
  RECT around = work;
  if (owner) GetWindowRect(owner, &around);
  width = std::min<int>(width, work.right - work.left);
  height = std::min<int>(height, work.bottom - work.top);
  const int left =
      std::clamp<int>((around.left + around.right - width) / 2, work.left, work.right - width);
  const int top =
      std::clamp<int>((around.top + around.bottom - height) / 2, work.top, work.bottom - height);
  return RECT{left, top, left + width, top + height};
}

}  // namespace

HWND CreateTextWindow(HWND owner, int text_id, std::function<void()> closed) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterProgramWindowClass(instance, kTextWindowClass, TextWindowProc, COLOR_WINDOW))
    return nullptr;
  const RECT place = CentredOn(owner, skin::Scale(kWidth), skin::Scale(kHeight));
  HWND window = CreateWindowExW(0, kTextWindowClass, L"", WS_OVERLAPPEDWINDOW, place.left,
                                place.top, place.right - place.left, place.bottom - place.top,
                                owner, nullptr, instance, nullptr);
  if (!window) return nullptr;
  RECT client;
  GetClientRect(window, &client);
  HWND box =
      CreateWindowExW(0, WC_EDITW, L"", kTextBoxStyle, 0, 0, client.right, client.bottom, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(text_id)), instance, nullptr);
  if (!box) {
    DestroyWindow(window);
    return nullptr;
  }
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(skin::GetFonts().normal), FALSE);
  SendMessageW(box, EM_SETLIMITTEXT, 0, 0);  // the default stops near 32,000 characters
  SetWindowSubclass(box, TextBoxProc, kSubclassId, 0);
  // Only now: no message of the creation finds a half-made state.
  SetWindowLongPtrW(window, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(new TextWindowState{std::move(closed)}));
  return window;
}

void BringTextWindowForward(HWND window) {
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window);
}

void SetTextBoxText(HWND edit, std::string_view text) {
  std::wstring shown;
  for (wchar_t c : win32::Widen(text)) {
    if (c == L'\n' && (shown.empty() || shown.back() != L'\r')) shown.push_back(L'\r');
    shown.push_back(c);
  }
  SetWindowTextW(edit, shown.c_str());
}

std::string TextBoxText(HWND edit) {
  const std::wstring shown = WindowText(edit);
  std::wstring text;
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == L'\r' && i + 1 < shown.size() && shown[i + 1] == L'\n') continue;
    text.push_back(shown[i]);
  }
  return win32::Narrow(text);
}

}  // namespace tidora::app
