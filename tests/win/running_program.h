#pragma once

// The real tidora.exe, started as a user starts it and driven from outside its process, as a
// screen reader or an automated UI test would: controls are found by ID, class and caption.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "controls/control_id.h"
#include "platform/win32/unique_handles.h"

namespace tidora::testing {

HWND WaitForVisibleWindow(const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms);

class RunningProgram : public ::testing::Test {
 protected:
  // Started from the Windows folder, not its own, as a shortcut may start it.
  void SetUp() override;
  void TearDown() override;

  HWND Control(ui::ControlId id) const;
  std::wstring Text(ui::ControlId id) const;
  void SetChecked(ui::ControlId id, bool checked);
  // Presses a button without waiting for what it does.
  void Press(ui::ControlId id);
  // Waits until a control's caption reads text; false on time-out.
  bool WaitForText(ui::ControlId id, const std::wstring& text, DWORD timeout_ms);
  // A cell of the result grid, read from the program's memory.
  std::wstring GridCell(int item, int column) const;
  int GridItems() const;
  bool WaitForExit(DWORD timeout_ms);

  win32::UniqueKernelObject process_;
  HWND main_ = nullptr;
};

}  // namespace tidora::testing
