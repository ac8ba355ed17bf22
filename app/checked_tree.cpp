#include "app/checked_tree.h"

#include <algorithm>
#include <vector>

#include "app/gdi.h"
#include "platform/win32/utf.h"

namespace tidora::app {

namespace {

using ui::TickState;

constexpr UINT_PTR kSubclassId = 1;
constexpr int kUnticked = 1, kTicked = 2, kPartly = 3;
// A colour no box uses: the image list draws it transparent.
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// A partly ticked box as a three-state checkbox draws it: ticked, and greyed.
Bitmap PartlyTickedBox(int width, int height) {
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  Bitmap box(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc;
  if (!box.get() || !dc.get()) return box;
  Selection selected(dc.get(), box.get());
  RECT all{0, 0, width, height};
  Brush mask(CreateSolidBrush(kMaskColour));
  FillRect(dc.get(), &all, mask.get());
  // As the control's own boxes: 13 pixels square in an image of 16, centred.
  const int side = std::min(width, height) * 13 / 16;
  RECT frame{(width - side) / 2, (height - side) / 2, 0, 0};
  frame.right = frame.left + side;
  frame.bottom = frame.top + side;
  DrawFrameControl(dc.get(), &frame, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE | DFCS_FLAT);
  return box;
}

// The state images as indexes: 0 blank, then unticked, ticked and partly.
void AddPartlyImage(HWND tree) {
  const auto states =
      reinterpret_cast<HIMAGELIST>(SendMessageW(tree, TVM_GETIMAGELIST, TVSIL_STATE, 0));
  int width = 0, height = 0;
  if (!states || ImageList_GetImageCount(states) > kPartly) return;
  if (!ImageList_GetIconSize(states, &width, &height)) return;
  ImageList_SetImageCount(states, kPartly);
  const Bitmap box = PartlyTickedBox(width, height);
  if (box.get()) ImageList_AddMasked(states, box.get(), kMaskColour);
}

bool OnStateIcon(HWND tree, LPARAM client_point) {
  TVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(client_point)), static_cast<short>(HIWORD(client_point))};
  SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.hItem && (hit.flags & TVHT_ONITEMSTATEICON);
}

LRESULT CALLBACK CheckedTreeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      // Two quick clicks on a box are two clicks, each heard, not one click and a silent change.
      if (OnStateIcon(window, lparam)) message = WM_LBUTTONDOWN;
      break;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE: {
      // The control may make its boxes anew.
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      AddPartlyImage(window);
      return result;
    }
    case WM_DESTROY: {
      // Taken from the control first, so that it cannot free the list itself as well.
      const auto states =
          reinterpret_cast<HIMAGELIST>(SendMessageW(window, TVM_SETIMAGELIST, TVSIL_STATE, 0));
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      if (states) ImageList_Destroy(states);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, CheckedTreeProc, kSubclassId);
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

UINT StateIndex(HWND tree, HTREEITEM node) {
  return static_cast<UINT>(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node),
                                        TVIS_STATEIMAGEMASK)) >>
         12;
}

}  // namespace

void SetUpCheckedTree(HWND tree) {
  // Given after creation, as the control wants it, so that it makes its boxes before any node.
  SetWindowLongPtrW(tree, GWL_STYLE, GetWindowLongPtrW(tree, GWL_STYLE) | TVS_CHECKBOXES);
  AddPartlyImage(tree);
  SetWindowSubclass(tree, CheckedTreeProc, kSubclassId, 0);
}

HTREEITEM AppendTreeNode(HWND tree, HTREEITEM parent, std::string_view text) {
  std::wstring wide = win32::Widen(text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_STATE;
  insert.item.pszText = wide.data();
  insert.item.state = INDEXTOSTATEIMAGEMASK(kUnticked);
  insert.item.stateMask = TVIS_STATEIMAGEMASK;
  const auto node = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (node && parent != TVI_ROOT) {
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  }
  return node;
}

std::string TreeNodeText(HWND tree, HTREEITEM node) {
  std::vector<wchar_t> buffer(1024);
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
  return win32::Narrow(item.pszText);
}

TickState TreeNodeTick(HWND tree, HTREEITEM node) {
  switch (StateIndex(tree, node)) {
    case kTicked:
      return TickState::kTicked;
    case kPartly:
      return TickState::kPartly;
    default:
      return TickState::kUnticked;
  }
}

void SetTreeNodeTick(HWND tree, HTREEITEM node, TickState tick) {
  const int index = tick == TickState::kTicked   ? kTicked
                    : tick == TickState::kPartly ? kPartly
                                                 : kUnticked;
  TVITEMW item{};
  item.mask = TVIF_STATE;
  item.hItem = node;
  item.state = INDEXTOSTATEIMAGEMASK(index);
  item.stateMask = TVIS_STATEIMAGEMASK;
  SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

HTREEITEM NodeTheUserTicks(const NMHDR& header) {
  HWND tree = header.hwndFrom;
  if (header.code == TVN_KEYDOWN) {
    if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey != VK_SPACE) return nullptr;
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  }
  if (header.code != NM_CLICK) return nullptr;
  // Where the button went down: the message that caused the click.
  const DWORD position = GetMessagePos();
  TVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ScreenToClient(tree, &hit.pt);
  SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & TVHT_ONITEMSTATEICON) ? hit.hItem : nullptr;
}

}  // namespace tidora::app
