#include "app/list_editor.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "app/guarded.h"
#include "app/skin.h"
#include "app/window_class.h"
#include "app/window_text.h"
#include "platform/win32/utf.h"

namespace tidora::app {

namespace {

using ui::ControlId;

constexpr wchar_t kEditorClass[] = L"TidoraListEditor";
constexpr int kClientWidth = 420, kClientHeight = 338;  // at 96 dpi

enum class Kind { kLabel, kList, kEdit, kButton };

struct Part {
  ControlId id;  // kNone for a label
  Kind kind;
  RECT place;  // at 96 dpi
  const wchar_t* text;
};

// clang-format off
constexpr Part kParts[] = {
    {ControlId::kNone,         Kind::kLabel,  {12, 10, 408, 28},   L"Domains whose cookies are kept, with their subdomains:"},
    {ControlId::KeepList,      Kind::kList,   {12, 30, 312, 142},  L""},
    {ControlId::bntKeepRemove, Kind::kButton, {320, 30, 408, 56},  L"Remove"},
    {ControlId::kNone,         Kind::kLabel,  {12, 152, 408, 170}, L"Cookie hosts found on this PC:"},
    {ControlId::FoundHosts,    Kind::kList,   {12, 172, 312, 264}, L""},
    {ControlId::bntKeepFound,  Kind::kButton, {320, 172, 408, 198}, L"Keep"},
    {ControlId::DomainEdit,    Kind::kEdit,   {12, 270, 312, 294}, L""},
    {ControlId::bntKeepAdd,    Kind::kButton, {320, 269, 408, 295}, L"Add"},
    {ControlId::bntKeepSave,   Kind::kButton, {226, 304, 314, 330}, L"Save"},
    {ControlId::bntKeepCancel, Kind::kButton, {320, 304, 408, 330}, L"Cancel"},
};
// clang-format on

// The editor's state while it is shown, kept with its window.
struct Editing {
  const ui::ControlSet::ListEdit* edit = nullptr;
  std::vector<std::string> items;
  bool done = false;
  bool saved = false;
};

Editing* EditingOf(HWND window) {
  return reinterpret_cast<Editing*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND Part(HWND window, ControlId id) {
  return GetDlgItem(window, static_cast<int>(id));
}

void ShowItems(HWND window, const Editing& editing) {
  HWND list = Part(window, ControlId::KeepList);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : editing.items) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(item).c_str()));
  }
}

std::string SelectedText(HWND list) {
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)), L'\0');
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return win32::Narrow(text);
}

// Adds the text as the list holds it; a text that names nothing is refused with a word.
bool Add(HWND window, Editing& editing, const std::string& text) {
  const auto accepted = editing.edit->accept ? editing.edit->accept(text) : std::optional(text);
  if (!accepted) {
    const std::wstring message = L"\u201c" + win32::Widen(text) + L"\u201d is not a domain name.";
    MessageBoxW(window, message.c_str(), L"Cookies to keep", MB_OK | MB_ICONINFORMATION);
    return false;
  }
  if (std::ranges::find(editing.items, *accepted) == editing.items.end()) {
    editing.items.push_back(*accepted);
    std::ranges::sort(editing.items);
    ShowItems(window, editing);
  }
  return true;
}

void OnCommand(HWND window, Editing& editing, int id) {
  switch (static_cast<ControlId>(id)) {
    case ControlId::bntKeepRemove: {
      const std::string selected = SelectedText(Part(window, ControlId::KeepList));
      std::erase(editing.items, selected);
      ShowItems(window, editing);
      return;
    }
    case ControlId::bntKeepFound: {
      const std::string selected = SelectedText(Part(window, ControlId::FoundHosts));
      if (!selected.empty()) Add(window, editing, selected);
      return;
    }
    case ControlId::bntKeepAdd: {
      HWND field = Part(window, ControlId::DomainEdit);
      const std::string typed = win32::Narrow(WindowText(field));
      if (!typed.empty() && Add(window, editing, typed)) SetWindowTextW(field, L"");
      return;
    }
    case ControlId::bntKeepSave:
      editing.saved = true;
      editing.done = true;
      return;
    default:
      break;
  }
  // Enter adds what is typed; Escape and Cancel close without saving.
  if (id == IDOK) return OnCommand(window, editing, static_cast<int>(ControlId::bntKeepAdd));
  if (id == IDCANCEL || id == static_cast<int>(ControlId::bntKeepCancel)) editing.done = true;
}

LRESULT OnEditorMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Editing* editing = EditingOf(window);
  switch (message) {
    case WM_COMMAND:
      if (editing && HIWORD(wparam) == BN_CLICKED) OnCommand(window, *editing, LOWORD(wparam));
      if (editing && HIWORD(wparam) == LBN_DBLCLK &&
          LOWORD(wparam) == static_cast<int>(ControlId::FoundHosts)) {
        OnCommand(window, *editing, static_cast<int>(ControlId::bntKeepFound));
      }
      return 0;
    case WM_CLOSE:
      if (editing) editing->done = true;
      return 0;
    case WM_DESTROY:
      if (editing) editing->done = true;
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded([&] { return OnEditorMessage(window, message, wparam, lparam); });
}

HWND CreatePart(HWND window, const struct Part& part) {
  static constexpr const wchar_t* kClasses[] = {WC_STATICW, WC_LISTBOXW, WC_EDITW, WC_BUTTONW};
  static constexpr DWORD kStyles[] = {
      0, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
      WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, WS_TABSTOP | BS_PUSHBUTTON};
  const int kind = static_cast<int>(part.kind);
  const RECT& place = part.place;
  HWND child = CreateWindowExW(
      part.kind == Kind::kEdit ? WS_EX_CLIENTEDGE : 0, kClasses[kind], part.text,
      WS_CHILD | WS_VISIBLE | kStyles[kind], skin::Scale(place.left), skin::Scale(place.top),
      skin::Scale(place.right - place.left), skin::Scale(place.bottom - place.top), window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(part.id)), GetModuleHandleW(nullptr), nullptr);
  if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(skin::GetFonts().normal), 0);
  return child;
}

HWND CreateEditor(HWND owner, const ui::ControlSet::ListEdit& edit) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterProgramWindowClass(instance, kEditorClass, EditorProc, COLOR_BTNFACE))
    return nullptr;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  RECT frame{0, 0, skin::Scale(kClientWidth), skin::Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  RECT around{};
  GetWindowRect(owner, &around);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, kEditorClass, win32::Widen(edit.title).c_str(),
                                style, (around.left + around.right - width) / 2,
                                (around.top + around.bottom - height) / 2, width, height, owner,
                                nullptr, instance, nullptr);
  if (!window) return nullptr;
  for (const struct Part& part : kParts) {
    if (!CreatePart(window, part)) {
      DestroyWindow(window);
      return nullptr;
    }
  }
  HWND found = Part(window, ControlId::FoundHosts);
  for (const std::string& host : edit.suggestions) {
    SendMessageW(found, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(host).c_str()));
  }
  return window;
}

}  // namespace

std::optional<std::vector<std::string>> EditListModal(HWND owner,
                                                      const ui::ControlSet::ListEdit& edit) {
  HWND window = CreateEditor(owner, edit);
  if (!window) return std::nullopt;
  Editing editing{&edit, edit.items, false, false};
  std::ranges::sort(editing.items);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&editing));
  ShowItems(window, editing);
  EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  SetFocus(Part(window, ControlId::DomainEdit));
  MSG message{};
  BOOL got = TRUE;
  while (!editing.done && (got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // A quit asked meanwhile is the application's: pass it on to its own loop.
  if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
  // The owner first: destroying the active window with its owner disabled would hand the
  // activation to another program.
  EnableWindow(owner, TRUE);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  if (!editing.saved) return std::nullopt;
  return editing.items;
}

}  // namespace tidora::app
