#pragma once

// The real tidora.exe, started as a user starts it and driven from outside, found by control ID.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/control_id.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/win32_registry.h"
#include "tests/win/traces.h"

namespace tidora::testing {

// Polls until done() holds or the time runs out, answering this thread's messages; the last answer.
template <typename Done>
bool WaitUntil(Done done, DWORD timeout_ms = 30000) {
  for (DWORD waited = 0;; waited += 20, Sleep(20)) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (done() || waited >= timeout_ms) return done();
  }
}
HWND WaitForWindow(const wchar_t* class_name, const wchar_t* title);

// A value of HKCU, put back with its type as it was when this goes.
class SavedValue {
 public:
  SavedValue(std::wstring key, std::wstring name) : key_(std::move(key)), name_(std::move(name)) {
    DWORD size = 0;
    found_ = !Get(nullptr, &size);
    data_.resize(size);
    found_ = found_ && !Get(data_.data(), &size);
  }
  ~SavedValue() {
    if (found_)
      RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), type_, data_.data(),
                      static_cast<DWORD>(data_.size()));
    if (!found_) RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
  }

 private:
  LONG Get(BYTE* data, DWORD* size) {
    return RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                        &type_, data, size);
  }
  std::wstring key_, name_;
  bool found_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> data_;
};

class RunningProgram : public ::testing::Test {
 protected:
  using Id = ui::ControlId;
  void SetUp() override;  // from the Windows folder, as a shortcut may start it
  void TearDown() override;
  HWND Control(Id id) const;
  std::wstring Text(Id id) const;
  int Position(Id bar) const { return int(SendMessageW(Control(bar), PBM_GETPOS, 0, 0)); }
  void Press(Id id) { PostMessageW(Control(id), BM_CLICK, 0, 0); }
  // Ticks the cleaner boxes that ticked(id) holds for, unticks the rest, and presses Start.
  template <typename Ticked>
  void StartCleaning(Ticked ticked) {
    Press(Id::bntTraceCleaner);
    for (int id = int(Id::IEABH); id <= int(Id::MSOfficeRecent); ++id)
      SendMessageW(Control(Id(id)), BM_SETCHECK, ticked(Id(id)) ? BST_CHECKED : BST_UNCHECKED, 0);
    Press(Id::bntCleanNow);
  }
  bool WaitForFinished(DWORD timeout_ms = 180000) {
    return WaitUntil([&] { return Text(Id::bntStopFinish) == L"Finished"; }, timeout_ms);
  }
  // A list view item's text, read from the program's memory; LVM_SETITEMSTATE ticks it instead.
  std::wstring Item(Id list, int item, int column = 0, UINT message = LVM_GETITEMTEXTW) const;
  int Items(Id list) const { return int(SendMessageW(Control(list), LVM_GETITEMCOUNT, 0, 0)); }
  // The nodes of a tree view in the order shown, groups before their entries.
  std::vector<HTREEITEM> Nodes(Id tree) const;
  std::wstring NodeText(Id tree, HTREEITEM node) const;
  // 1 unticked, 2 ticked, 3 partly ticked.
  int NodeState(Id tree, HTREEITEM node) const {
    return int(SendMessageW(Control(tree), TVM_GETITEMSTATE, WPARAM(node), TVIS_STATEIMAGEMASK) >>
               12);
  }
  // The first node showing the text; nullptr when none does.
  HTREEITEM FindNode(Id tree, const std::wstring& text) const;
  // Selects the node and presses space in the tree, as a user ticks it.
  void PressSpaceOn(Id tree, HTREEITEM node);
  // The result rows' counts, each followed by "?" unless the row is "Finished", and their sum.
  std::pair<std::wstring, int> Counts() const;
  // Writes the text, or the number 1 when text is null.
  void Set(platform::RegistryRoot root, const std::string& key, const char* name, const char* text,
           platform::RegistryView view = platform::RegistryView::kDefault);
  bool WaitForExit(DWORD ms) { return WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0; }

  win32::UniqueKernelObject process_;
  HWND main_ = nullptr;
  win32::Win32Registry registry_;
};

}  // namespace tidora::testing
