#include "app/control_factory.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "app/checked_tree.h"
#include "app/gdi.h"
#include "app/guarded.h"
#include "app/skin.h"
#include "app/text_window.h"
#include "app/window_text.h"

namespace tidora::app {

namespace {

using ui::ControlId;
using ui::ControlKind;
using ui::LayoutRow;

constexpr UINT_PTR kSubclassId = 1;
// Start's three columns as they always were; a preview's sizes take their room from the captions.
constexpr int kGridColumnWidths[] = {302, 94, 85};
constexpr int kPreviewColumnWidths[] = {222, 94, 85, 80};
constexpr int kGridRowHeight = 20;

const LayoutRow* LayoutOf(HWND window) {
  return ui::FindLayoutRow(static_cast<ControlId>(GetDlgCtrlID(window)));
}

bool IsForwarded(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return true;
    default:
      return false;
  }
}

void PaintContainer(HWND window, ControlKind kind) {
  PaintScope scope(window);
  RECT client;
  GetClientRect(window, &client);
  if (kind != ControlKind::kPanel) {
    FillRect(scope.dc(), &client, skin::BodyBrush());
    return;
  }
  BufferedPaint buffer(scope.dc(), client);
  skin::PaintPanel(buffer.dc(), client, WindowText(window));
}

// Panels, tab sheets, the page control and group boxes hold other controls: they pass what their
// children tell their parent on to the top-level window, which answers for every control.
LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                               DWORD_PTR kind_data) {
  return Guarded([&]() -> LRESULT {
    const auto kind = static_cast<ControlKind>(kind_data);
    if (IsForwarded(message)) {
      return SendMessageW(GetAncestor(window, GA_ROOT), message, wparam, lparam);
    }
    switch (message) {
      case WM_NCHITTEST:
        if (kind != ControlKind::kPageControl) return HTCLIENT;  // group boxes say "transparent"
        break;
      case WM_ERASEBKGND:
        if (kind == ControlKind::kPageControl) break;
        if (kind == ControlKind::kGroupBox) {
          RECT client;
          GetClientRect(window, &client);
          FillRect(reinterpret_cast<HDC>(wparam), &client, skin::BodyBrush());
        }
        return 1;  // panels and tab sheets paint all of themselves
      case WM_PAINT:
        if (kind == ControlKind::kPanel || kind == ControlKind::kTabSheet) {
          PaintContainer(window, kind);
          return 0;
        }
        break;
      case WM_NCDESTROY:
        RemoveWindowSubclass(window, ContainerProc, kSubclassId);
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
  });
}

LRESULT CALLBACK ProgressBarProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR) {
  return Guarded([&]() -> LRESULT {
    switch (message) {
      case WM_PAINT:
        skin::PaintProgressBar(window);
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_NCDESTROY:
        RemoveWindowSubclass(window, ProgressBarProc, kSubclassId);
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
  });
}

void SetHot(HWND button, bool hot) {
  if (hot == skin::IsHot(button)) return;
  if (hot) {
    SetPropW(button, skin::kHotProperty, reinterpret_cast<HANDLE>(1));
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, button, 0};
    TrackMouseEvent(&leave);
  } else {
    RemovePropW(button, skin::kHotProperty);
  }
  InvalidateRect(button, nullptr, FALSE);
}

// Owner-drawn push buttons: Enter presses the focused one, as for standard push buttons, and the
// one under the mouse lights up.
LRESULT CALLBACK PushButtonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR) {
  return Guarded([&]() -> LRESULT {
    switch (message) {
      case WM_GETDLGCODE:
        return DLGC_BUTTON | (GetFocus() == window ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      case WM_MOUSEMOVE:
        SetHot(window, true);
        break;
      case WM_MOUSELEAVE:
        SetHot(window, false);
        break;
      case WM_NCDESTROY:
        RemovePropW(window, skin::kHotProperty);
        RemoveWindowSubclass(window, PushButtonProc, kSubclassId);
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
  });
}

bool ChangesCheckBoxLook(UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE:
    case BM_SETCHECK:
    case BM_SETSTATE:
      return true;
    default:
      return false;
  }
}

// Checkboxes stay standard buttons (the system keeps their state, keyboard and accessibility)
// but are painted in the skin: the button's own drawing follows the theme, not the window's font.
LRESULT CALLBACK CheckBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                              DWORD_PTR) {
  return Guarded([&]() -> LRESULT {
    switch (message) {
      case WM_PAINT: {
        PaintScope scope(window);
        skin::PaintCheckBox(window, scope.dc());
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_NCDESTROY:
        RemoveWindowSubclass(window, CheckBoxProc, kSubclassId);
        break;
    }
    const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    if (ChangesCheckBoxLook(message))
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return result;
  });
}

struct WindowClassAndStyle {
  const wchar_t* window_class;
  DWORD style;
  DWORD extended_style;
};

WindowClassAndStyle ClassAndStyleOf(const LayoutRow& entry) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (entry.kind) {
    case ControlKind::kFrameButton:
      return {WC_BUTTONW, kChild | BS_OWNERDRAW, 0};
    case ControlKind::kNavButton:
    case ControlKind::kButton:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_OWNERDRAW, 0};
    case ControlKind::kPanel: {
      const DWORD shown = entry.id == ControlId::CleanItems ? WS_VISIBLE : 0;
      return {WC_BUTTONW, WS_CHILD | shown | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    }
    case ControlKind::kPageControl:
      return {WC_TABCONTROLW, kChild | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
              WS_EX_CONTROLPARENT};
    case ControlKind::kTabSheet:
      return {WC_STATICW, WS_CHILD | SS_NOTIFY | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::kGroupBox:
      return {WC_BUTTONW, kChild | BS_GROUPBOX | WS_GROUP, WS_EX_CONTROLPARENT};
    case ControlKind::kCheckBox:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::kLabel:
      return {WC_STATICW, kChild | SS_LEFT, 0};
    case ControlKind::kPicture:
      return {WC_STATICW, kChild | SS_OWNERDRAW, 0};
    case ControlKind::kGrid:
      return {WC_LISTVIEWW,
              kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_NOSORTHEADER | LVS_SINGLESEL, 0};
    case ControlKind::kCheckList:
      return {WC_LISTVIEWW,
              kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, 0};
    case ControlKind::kCheckTree:
      // Its boxes come in SetUpCheckedTree.
      return {WC_TREEVIEWW,
              kChild | WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_SHOWSELALWAYS,
              0};
    case ControlKind::kProgressBar:
      return {PROGRESS_CLASSW, kChild | PBS_SMOOTH, 0};
    case ControlKind::kTextBox:
      return {WC_EDITW, kTextBoxStyle, WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, kChild, 0};
}

RECT PlaceOf(const LayoutRow& entry, HWND parent) {
  if (entry.kind != ControlKind::kTabSheet) {
    return skin::ScaledRect(entry.place.left, entry.place.top, entry.place.width,
                            entry.place.height);
  }
  RECT display;
  GetClientRect(parent, &display);
  TabCtrl_AdjustRect(parent, FALSE, &display);
  return display;
}

void AddColumn(HWND list, int index, int width, int format = LVCFMT_LEFT) {
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(L"");
  SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void SetUpGrid(HWND grid) {
  SendMessageW(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES);
  // Rows 20 pixels high: a list view takes its row height from its small-image list. The list
  // lives as long as the grid (it is not shared, so the grid destroys it).
  HIMAGELIST row_height = ImageList_Create(1, skin::Scale(kGridRowHeight), ILC_COLOR, 0, 0);
  SendMessageW(grid, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(row_height));
  for (int column = 0; column < 3; ++column) {
    AddColumn(grid, column, skin::Scale(kGridColumnWidths[column]));
  }
  LVITEMW trailing_row{};
  trailing_row.mask = LVIF_TEXT;
  trailing_row.pszText = const_cast<wchar_t*>(L"");
  SendMessageW(grid, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&trailing_row));
}

}  // namespace

void AddGridColumn(HWND grid, int index) {
  // Sizes line up on their units.
  AddColumn(grid, index, skin::Scale(kPreviewColumnWidths[std::min(index, 3)]),
            index == 3 ? LVCFMT_RIGHT : LVCFMT_LEFT);
}

void FitGridColumns(HWND grid, int columns) {
  const int* widths = columns > 3 ? kPreviewColumnWidths : kGridColumnWidths;
  for (int column = 0; column < columns && column < 4; ++column) {
    SendMessageW(grid, LVM_SETCOLUMNWIDTH, column, skin::Scale(widths[column]));
  }
}

namespace {

void SetUpCheckList(HWND list) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  RECT client;
  GetClientRect(list, &client);
  AddColumn(list, 0, client.right - GetSystemMetrics(SM_CXVSCROLL));
}

void AddTab(HWND page_control, const LayoutRow& sheet) {
  std::wstring caption = win32::Widen(sheet.caption);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = caption.data();
  SendMessageW(page_control, TCM_INSERTITEMW, TabCtrl_GetItemCount(page_control),
               reinterpret_cast<LPARAM>(&tab));
}

void SetUp(HWND window, const LayoutRow& entry) {
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(skin::FontFor(entry.style)), FALSE);
  const auto kind_data = static_cast<DWORD_PTR>(entry.kind);
  switch (entry.kind) {
    case ControlKind::kPanel:
    case ControlKind::kPageControl:
    case ControlKind::kTabSheet:
    case ControlKind::kGroupBox:
      SetWindowSubclass(window, ContainerProc, kSubclassId, kind_data);
      if (entry.kind == ControlKind::kGroupBox) SetWindowTheme(window, L"", L"");
      break;
    case ControlKind::kFrameButton:
    case ControlKind::kNavButton:
    case ControlKind::kButton:
      SetWindowSubclass(window, PushButtonProc, kSubclassId, 0);
      break;
    case ControlKind::kCheckBox:
      SendMessageW(window, BM_SETCHECK, entry.ticked ? BST_CHECKED : BST_UNCHECKED, 0);
      SetWindowSubclass(window, CheckBoxProc, kSubclassId, 0);
      break;
    case ControlKind::kProgressBar:
      SendMessageW(window, PBM_SETRANGE32, 0, 100);
      SetWindowSubclass(window, ProgressBarProc, kSubclassId, 0);
      break;
    case ControlKind::kGrid:
      SetUpGrid(window);
      break;
    case ControlKind::kCheckList:
      SetUpCheckList(window);
      break;
    case ControlKind::kCheckTree:
      SetUpCheckedTree(window);
      break;
    default:
      break;
  }
}

}  // namespace

void CreateControls(std::span<const LayoutRow> layout, Win32ControlSet& controls) {
  for (const auto& entry : layout) {
    HWND parent = controls.Window(entry.parent);
    const auto [window_class, style, extended_style] = ClassAndStyleOf(entry);
    if (entry.kind == ControlKind::kTabSheet) AddTab(parent, entry);
    const RECT place = PlaceOf(entry, parent);
    const bool first_sheet =
        entry.kind == ControlKind::kTabSheet && TabCtrl_GetItemCount(parent) == 1;
    HWND window = CreateWindowExW(extended_style, window_class, win32::Widen(entry.caption).c_str(),
                                  style | (first_sheet ? WS_VISIBLE : 0), place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) continue;
    SetUp(window, entry);
    controls.Register(entry.id, window, entry.kind);
  }
}

void ShowSelectedTabSheet(Win32ControlSet& controls) {
  HWND page_control = controls.Window(ControlId::suiPageControl1);
  const int selected = TabCtrl_GetCurSel(page_control);
  for (int tab = 0; tab < static_cast<int>(std::size(ui::kTabSheets)); ++tab) {
    controls.SetVisible(ui::kTabSheets[tab], tab == selected);
  }
}

LRESULT ColorControl(HDC dc, HWND control) {
  const LayoutRow* entry = LayoutOf(control);
  const ui::TextStyle style = entry ? entry->style : ui::TextStyle::kNormal;
  SetTextColor(dc, IsWindowEnabled(control) ? skin::TextColorFor(style) : skin::kDisabledText);
  if (style == ui::TextStyle::kLoading) {  // stands on the splash's picture
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, skin::kBody);
  return reinterpret_cast<LRESULT>(skin::BodyBrush());
}

}  // namespace tidora::app
