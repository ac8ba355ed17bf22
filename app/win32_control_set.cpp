#include "app/win32_control_set.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "app/checked_tree.h"
#include "app/control_factory.h"
#include "app/dialog_keys.h"
#include "app/list_editor.h"
#include "app/text_window.h"
#include "app/window_text.h"
#include "platform/win32/utf.h"

namespace tidora::app {

namespace {

using ui::ControlId;
using ui::ControlKind;
using win32::Narrow;
using win32::Widen;

std::string ListViewText(HWND list, int item, int column) {
  std::vector<wchar_t> buffer(1024);
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = buffer.data();
  request.cchTextMax = static_cast<int>(buffer.size());
  const auto length =
      SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
  return Narrow(std::wstring_view(buffer.data(), static_cast<size_t>(length)));
}

void SetListViewText(HWND list, int item, int column, std::string_view text) {
  std::wstring wide = Widen(text);
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
}

int ListViewCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

void AppendListViewItem(HWND list, std::string_view text) {
  std::wstring wide = Widen(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = ListViewCount(list);
  item.pszText = wide.data();
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// A carriage return breaks a hint's line; the tooltip wants CR LF.
std::wstring TooltipText(std::string_view hint) {
  std::wstring text;
  for (wchar_t c : Widen(hint)) {
    text.push_back(c);
    if (c == L'\r') text.push_back(L'\n');
  }
  return text;
}

// The text box of each text window.
ControlId TextBoxOf(ControlId window) {
  return window == ControlId::kDetailsWindow ? ControlId::DetailsText : ControlId::kNone;
}

void EnableTree(HWND window, bool enabled) {
  EnableWindow(window, enabled);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    EnableTree(child, enabled);
  }
}

}  // namespace

void Win32ControlSet::Register(ControlId id, HWND window, ControlKind kind) {
  controls_[id] = {window, kind};
}

HWND Win32ControlSet::Window(ControlId id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second.window;
}

HWND Win32ControlSet::Of(ControlId id, ControlKind kind) const {
  const auto found = controls_.find(id);
  return found != controls_.end() && found->second.kind == kind ? found->second.window : nullptr;
}

std::string Win32ControlSet::Caption(ControlId id) const {
  if (HWND box = Of(id, ControlKind::kTextBox)) return TextBoxText(box);
  HWND window = Window(id);
  return window ? Narrow(WindowText(window)) : std::string();
}

void Win32ControlSet::SetCaption(ControlId id, std::string_view caption) {
  if (HWND box = Of(id, ControlKind::kTextBox)) return SetTextBoxText(box, caption);
  HWND window = Window(id);
  if (!window) return;
  SetWindowTextW(window, Widen(caption).c_str());
  // Labels may stand on a painted background: have the parent paint behind the new text.
  RECT area;
  GetWindowRect(window, &area);
  HWND parent = GetParent(window);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
  InvalidateRect(parent, &area, TRUE);
  InvalidateRect(window, nullptr, TRUE);
}

bool Win32ControlSet::Enabled(ControlId id) const {
  HWND window = Window(id);
  return window && IsWindowEnabled(window);
}

void Win32ControlSet::SetEnabled(ControlId id, bool enabled) {
  HWND window = Window(id);
  if (!window) return;
  // A group's boxes keep their ticks but cannot be changed, and look it.
  if (controls_.at(id).kind == ControlKind::kGroupBox) {
    EnableTree(window, enabled);
  } else {
    EnableWindow(window, enabled);
  }
}

bool Win32ControlSet::Visible(ControlId id) const {
  HWND window = Window(id);
  return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE);
}

void Win32ControlSet::SetVisible(ControlId id, bool visible) {
  if (HWND window = Window(id)) ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

bool Win32ControlSet::Ticked(ControlId id) const {
  HWND box = Of(id, ControlKind::kCheckBox);
  return box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32ControlSet::SetTicked(ControlId id, bool ticked) {
  if (HWND box = Of(id, ControlKind::kCheckBox)) {
    SendMessageW(box, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

std::string Win32ControlSet::Hint(ControlId id) const {
  const auto found = hints_.find(id);
  return found == hints_.end() ? std::string() : found->second;
}

void Win32ControlSet::SetHint(ControlId id, std::string_view hint) {
  HWND window = Window(id);
  if (!window) return;
  hints_[id] = hint;
  if (!tooltip_) return;
  std::wstring text = TooltipText(hint);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(window);
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

int Win32ControlSet::Position(ControlId id) const {
  HWND bar = Of(id, ControlKind::kProgressBar);
  return bar ? static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)) : 0;
}

void Win32ControlSet::SetPosition(ControlId id, int position) {
  if (HWND bar = Of(id, ControlKind::kProgressBar)) {
    SendMessageW(bar, PBM_SETPOS, std::clamp(position, 0, 100), 0);
    InvalidateRect(bar, nullptr, FALSE);
  }
}

// The grid's row 0 is the list view's header; row r is item r - 1.
int Win32ControlSet::RowCount(ControlId id) const {
  HWND grid = Of(id, ControlKind::kGrid);
  return grid ? ListViewCount(grid) + 1 : 0;
}

void Win32ControlSet::SetRowCount(ControlId id, int rows) {
  HWND grid = Of(id, ControlKind::kGrid);
  if (!grid) return;
  const int items = std::max(rows - 1, 0);
  while (ListViewCount(grid) > items)
    SendMessageW(grid, LVM_DELETEITEM, ListViewCount(grid) - 1, 0);
  while (ListViewCount(grid) < items) AppendListViewItem(grid, "");
}

std::string Win32ControlSet::Cell(ControlId id, int row, int column) const {
  HWND grid = Of(id, ControlKind::kGrid);
  if (!grid) return {};
  if (row > 0) return ListViewText(grid, row - 1, column);
  wchar_t text[256] = {};
  LVCOLUMNW request{};
  request.mask = LVCF_TEXT;
  request.pszText = text;
  request.cchTextMax = 256;
  SendMessageW(grid, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&request));
  return Narrow(text);
}

void Win32ControlSet::SetCell(ControlId id, int row, int column, std::string_view text) {
  HWND grid = Of(id, ControlKind::kGrid);
  if (!grid) return;
  if (row > 0) return SetListViewText(grid, row - 1, column, text);
  std::wstring wide = Widen(text);
  LVCOLUMNW request{};
  request.mask = LVCF_TEXT;
  request.pszText = wide.data();
  SendMessageW(grid, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&request));
}

int Win32ControlSet::ColumnCount(ControlId id) const {
  HWND grid = Of(id, ControlKind::kGrid);
  HWND header = grid ? reinterpret_cast<HWND>(SendMessageW(grid, LVM_GETHEADER, 0, 0)) : nullptr;
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void Win32ControlSet::SetColumnCount(ControlId id, int columns) {
  HWND grid = Of(id, ControlKind::kGrid);
  if (!grid) return;
  // Bounded: a list view that refuses a column must not hold the window in a loop.
  for (int tries = 0; ColumnCount(id) > columns && tries < 4; ++tries)
    SendMessageW(grid, LVM_DELETECOLUMN, ColumnCount(id) - 1, 0);
  for (int tries = 0; ColumnCount(id) < columns && tries < 4; ++tries)
    AddGridColumn(grid, ColumnCount(id));
  FitGridColumns(grid, columns);
}

int Win32ControlSet::TopRow(ControlId id) const {
  HWND grid = Of(id, ControlKind::kGrid);
  return grid ? static_cast<int>(SendMessageW(grid, LVM_GETTOPINDEX, 0, 0)) + 1 : 0;
}

void Win32ControlSet::SetTopRow(ControlId id, int row) {
  HWND grid = Of(id, ControlKind::kGrid);
  if (!grid || ListViewCount(grid) == 0) return;
  RECT item{LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(grid, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  const int current = static_cast<int>(SendMessageW(grid, LVM_GETTOPINDEX, 0, 0));
  SendMessageW(grid, LVM_SCROLL, 0, (row - 1 - current) * (item.bottom - item.top));
}

void Win32ControlSet::ClearItems(ControlId id) {
  if (HWND list = Of(id, ControlKind::kCheckList)) SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

void Win32ControlSet::AddItem(ControlId id, std::string_view text) {
  if (HWND list = Of(id, ControlKind::kCheckList)) AppendListViewItem(list, text);
}

int Win32ControlSet::ItemCount(ControlId id) const {
  HWND list = Of(id, ControlKind::kCheckList);
  return list ? ListViewCount(list) : 0;
}

std::string Win32ControlSet::ItemText(ControlId id, int index) const {
  HWND list = Of(id, ControlKind::kCheckList);
  return list ? ListViewText(list, index, 0) : std::string();
}

bool Win32ControlSet::ItemTicked(ControlId id, int index) const {
  HWND list = Of(id, ControlKind::kCheckList);
  return list && ListView_GetCheckState(list, index);
}

void Win32ControlSet::SetItemTicked(ControlId id, int index, bool ticked) {
  if (HWND list = Of(id, ControlKind::kCheckList)) ListView_SetCheckState(list, index, ticked);
}

HTREEITEM Win32ControlSet::ItemOf(ControlId id, int node) const {
  const auto found = nodes_.find(id);
  if (!Of(id, ControlKind::kCheckTree) || found == nodes_.end()) return nullptr;
  const auto& nodes = found->second;
  return node >= 0 && node < static_cast<int>(nodes.size()) ? nodes[size_t(node)].item : nullptr;
}

void Win32ControlSet::ClearNodes(ControlId id) {
  HWND tree = Of(id, ControlKind::kCheckTree);
  if (!tree) return;
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  nodes_[id].clear();
}

int Win32ControlSet::AddNode(ControlId id, int parent, std::string_view text) {
  HWND tree = Of(id, ControlKind::kCheckTree);
  HTREEITEM parent_item = parent == kNoNode ? TVI_ROOT : ItemOf(id, parent);
  if (!tree || !parent_item) return kNoNode;
  HTREEITEM item = AppendTreeNode(tree, parent_item, text);
  if (!item) return kNoNode;
  auto& nodes = nodes_[id];
  nodes.push_back({item, parent});
  return static_cast<int>(nodes.size()) - 1;
}

int Win32ControlSet::NodeCount(ControlId id) const {
  const auto found = nodes_.find(id);
  return found == nodes_.end() ? 0 : static_cast<int>(found->second.size());
}

std::string Win32ControlSet::NodeText(ControlId id, int node) const {
  HTREEITEM item = ItemOf(id, node);
  return item ? TreeNodeText(Window(id), item) : std::string();
}

int Win32ControlSet::NodeParent(ControlId id, int node) const {
  return ItemOf(id, node) ? nodes_.at(id)[size_t(node)].parent : kNoNode;
}

ui::TickState Win32ControlSet::NodeTick(ControlId id, int node) const {
  HTREEITEM item = ItemOf(id, node);
  return item ? TreeNodeTick(Window(id), item) : ui::TickState::kUnticked;
}

void Win32ControlSet::SetNodeTick(ControlId id, int node, ui::TickState tick) {
  if (HTREEITEM item = ItemOf(id, node)) SetTreeNodeTick(Window(id), item, tick);
}

void Win32ControlSet::NoteTreeNotification(const NMHDR& header) {
  const auto id = static_cast<ControlId>(header.idFrom);
  if (!Of(id, ControlKind::kCheckTree)) return;
  HTREEITEM item = NodeTheUserTicks(header);
  if (!item) return;
  // The tick as it was, so that the end state does not hang on how the control cycles its boxes.
  const auto before = TreeNodeTick(header.hwndFrom, item);
  PostMessageW(GetAncestor(header.hwndFrom, GA_ROOT), kUserTickMessage,
               MAKEWPARAM(header.idFrom, static_cast<WORD>(before)),
               reinterpret_cast<LPARAM>(item));
}

void Win32ControlSet::FinishUserTick(WPARAM wparam, LPARAM lparam) {
  const auto id = static_cast<ControlId>(LOWORD(wparam));
  const auto before = static_cast<ui::TickState>(HIWORD(wparam));
  const auto found = nodes_.find(id);
  if (found == nodes_.end()) return;
  const auto& nodes = found->second;
  const auto item = reinterpret_cast<HTREEITEM>(lparam);
  const auto node = std::find_if(nodes.begin(), nodes.end(),
                                 [item](const Node& each) { return each.item == item; });
  if (node == nodes.end()) return;  // cleared meanwhile
  const int index = static_cast<int>(node - nodes.begin());
  // Unticked and partly become ticked; ticked becomes unticked.
  SetNodeTick(id, index,
              before == ui::TickState::kTicked ? ui::TickState::kUnticked : ui::TickState::kTicked);
  RaiseNodeTicked(id, index);
}

std::optional<std::vector<std::string>> Win32ControlSet::EditList(ControlId window,
                                                                  const ListEdit& edit) {
  if (window != ControlId::kKeepListWindow) return std::nullopt;
  return EditListModal(Window(ControlId::kMainWindow), edit);
}

void Win32ControlSet::ShowTextWindow(ControlId id, std::string_view title, std::string_view text) {
  const ControlId box = TextBoxOf(id);
  if (box == ControlId::kNone) return;
  HWND window = Window(id);
  if (!window) {
    // Forgotten as it closes, so nothing reaches it afterwards.
    window =
        CreateTextWindow(Window(ControlId::kMainWindow), static_cast<int>(box), [this, id, box] {
          controls_.erase(id);
          controls_.erase(box);
        });
    if (!window) return;
    Register(id, window, ControlKind::kPanel);
    Register(box, GetDlgItem(window, static_cast<int>(box)), ControlKind::kTextBox);
  }
  SetWindowTextW(window, Widen(title).c_str());
  SetTextBoxText(Window(box), text);
  BringTextWindowForward(window);
}

void Win32ControlSet::Focus(ControlId id) {
  if (HWND window = Window(id)) SetFocus(window);
}

void Win32ControlSet::Repaint(ControlId id) {
  if (HWND window = Window(id)) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

bool Win32ControlSet::AllowedWhileBusy(const MSG& message) const {
  const bool keyboard = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
  const bool non_client =
      message.message >= WM_NCMOUSEMOVE && message.message <= WM_NCXBUTTONDBLCLK;
  const bool mouse =
      (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) || non_client;
  if (!keyboard && !mouse) return true;  // painting, timers and the like
  for (ControlId id : {ControlId::bntStopFinish, ControlId::bntHelp, ControlId::kFrameMinimize,
                       ControlId::kFrameClose}) {
    if (message.hwnd == Window(id)) return true;
  }
  // The details can be read, scrolled and closed during a run: they never touch it.
  HWND details = Window(ControlId::kDetailsWindow);
  if (details && message.hwnd && GetAncestor(message.hwnd, GA_ROOT) == details) return true;
  HWND main = Window(ControlId::kMainWindow);
  // The frame itself: dragging its title bar, and Alt+F4.
  const bool system_key = message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP ||
                          message.message == WM_SYSCHAR;
  return message.hwnd == main && (non_client || system_key);
}

std::string Win32ControlSet::FormatByteSize(std::uint64_t bytes) const {
  wchar_t text[64] = {};
  if (!StrFormatByteSizeW(static_cast<LONGLONG>(bytes), text, 64)) return {};
  return Narrow(text);
}

void Win32ControlSet::DispatchPendingInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
      return;
    }
    if (!AllowedWhileBusy(message)) continue;
    if (HandleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32ControlSet::EndApplication() {
  if (HWND splash = Window(ControlId::kSplashWindow)) DestroyWindow(splash);
  if (HWND main = Window(ControlId::kMainWindow)) DestroyWindow(main);
}

}  // namespace tidora::app
