#pragma once

#include <windows.h>

#include <span>

#include "app/win32_control_set.h"
#include "ui/layout.h"

namespace tidora::app {

// Creates the controls of a window's layout as real child windows, skinned and scaled, each with
// its caption as window text and its stable ID, and registers them with the control set. The
// parent of every row must be registered already.
void CreateControls(std::span<const ui::LayoutRow> layout, Win32ControlSet& controls);

// The result grid's columns: one more, or all of them fitted to the panel.
void AddGridColumn(HWND grid, int index);
void FitGridColumns(HWND grid, int columns);

// Shows the tab sheet of the page control's selected tab and hides the others.
void ShowSelectedTabSheet(Win32ControlSet& controls);

// Answers WM_CTLCOLORSTATIC and WM_CTLCOLORBTN for the skinned windows.
LRESULT ColorControl(HDC dc, HWND control);

}  // namespace tidora::app
