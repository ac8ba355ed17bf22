#pragma once

// The real tidora.exe, started as a user starts it and driven from outside its process, as a
// screen reader or an automated UI test would: controls are found by ID, class and caption.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "controls/control_id.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/win32_registry.h"

namespace tidora::testing {

HWND WaitForVisibleWindow(const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms);

// Polls until done() holds or the time runs out; the last answer.
template <typename Done>
bool WaitUntil(Done done, DWORD timeout_ms = 20000) {
  for (DWORD waited = 0; waited < timeout_ms && !done(); waited += 20) Sleep(20);
  return done();
}

class RunningProgram : public ::testing::Test {
 protected:
  // Started from the Windows folder, not its own, as a shortcut may start it.
  void SetUp() override;
  void TearDown() override;

  HWND Control(ui::ControlId id) const;
  std::wstring Text(ui::ControlId id) const;
  int Position(ui::ControlId bar) const;
  void SetChecked(ui::ControlId id, bool checked);
  // Presses a button without waiting for what it does.
  void Press(ui::ControlId id);
  bool WaitForText(ui::ControlId id, const std::wstring& text, DWORD timeout_ms) {
    return WaitUntil([&] { return Text(id) == text; }, timeout_ms);
  }
  // A list view item's text, read from the program's memory; LVM_SETITEMSTATE ticks it instead.
  std::wstring ListItem(ui::ControlId list, int item, int column = 0,
                        UINT message = LVM_GETITEMTEXTW) const;
  int ListItems(ui::ControlId list) const;
  // The result rows' counts, each followed by "?" unless the row is "Finished"; their sum.
  std::wstring Counts(int* total = nullptr) const;
  int CountOf(const std::wstring& caption) const;
  // Writes the text, or the number 1 when text is null.
  void Set(platform::RegistryRoot root, const std::string& key, const char* name, const char* text,
           platform::RegistryView view = platform::RegistryView::kDefault);
  bool WaitForExit(DWORD timeout_ms);

  win32::UniqueKernelObject process_;
  HWND main_ = nullptr;
  win32::Win32Registry registry_;
};

}  // namespace tidora::testing
