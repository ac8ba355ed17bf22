// End to end: real traces planted in the Wine prefix, Start pressed in the running program's
// window, and the registry and files checked afterwards.

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/running_program.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {

using ui::ControlId;

constexpr wchar_t kRunMru[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr wchar_t kSearchBar[] =
    L"Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
    L"{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";
// Made by the test script: a folder whose "back" link leads to its own parent.
constexpr wchar_t kLoopFolder[] = L"C:\\tidora-loop";

constexpr ControlId kWindowsItems[] = {ControlId::WinDocumentHistory,
                                       ControlId::WinRunHistory,
                                       ControlId::WinFindSearch,
                                       ControlId::WinTFD,
                                       ControlId::WinSTF,
                                       ControlId::WinRecycleBin,
                                       ControlId::WinClipboard};

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolder(const std::wstring& path) {
  CreateDirectoryW(path.c_str(), nullptr);
}

std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::wstring TempFolder() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  return path;
}

void SetValue(const wchar_t* key_path, const wchar_t* name, const wchar_t* data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                 static_cast<DWORD>((wcslen(data) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

int ValueCount(const std::wstring& key_path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return -1;
  }
  DWORD values = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(values);
}

class CleaningEndToEnd : public RunningProgram {
 protected:
  void ShowWindowsTab() {
    Press(ControlId::bntTraceCleaner);
    for (ControlId id : kWindowsItems) SetChecked(id, true);
    for (ControlId id : {ControlId::IEABH, ControlId::IETIF, ControlId::IECookies, ControlId::IEAFD,
                         ControlId::IEHistory, ControlId::IEBleachIndex}) {
      SetChecked(id, false);
    }
  }
  // The rows as "caption|count|status", and the total they should add up to.
  std::vector<std::wstring> Rows(int* total) {
    std::vector<std::wstring> rows;
    *total = 0;
    for (int item = 0; item + 1 < GridItems(); ++item) {
      rows.push_back(GridCell(item, 0) + L"|" + GridCell(item, 1) + L"|" + GridCell(item, 2));
      *total += _wtoi(GridCell(item, 1).c_str());
    }
    return rows;
  }
  int CountOf(const std::wstring& caption) {
    for (int item = 0; item + 1 < GridItems(); ++item) {
      if (GridCell(item, 0) == caption) return _wtoi(GridCell(item, 1).c_str());
    }
    return -1;
  }
};

TEST_F(CleaningEndToEnd, TheWindowsTabCleansEveryPlantedTraceAndNothingElse) {
  // Recent documents.
  const std::wstring recent = Folder(CSIDL_RECENT);
  ASSERT_FALSE(recent.empty());
  MakeFolder(recent);
  ASSERT_TRUE(MakeFile(recent + L"\\letter.lnk"));
  MakeFile(recent + L"\\plans.lnk", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(recent + L"\\pinned.lnk", FILE_ATTRIBUTE_READONLY);
  // Run and search histories.
  for (const wchar_t* name : {L"a", L"b", L"c", L"MRUList"}) SetValue(kRunMru, name, L"regedit\\1");
  SetValue((std::wstring(kSearchBar) + L"\\FilesNamedMRU").c_str(), L"000", L"salary*.xls");
  SetValue((std::wstring(kSearchBar) + L"\\FilesNamedMRU").c_str(), L"001", L"diary");
  SetValue((std::wstring(kSearchBar) + L"\\ContainingTextMRU").c_str(), L"000", L"password");
  SetValue(kSearchBar, L"BarSize", L"keep");
  // The temporary folder.
  const std::wstring temp = TempFolder();
  for (const wchar_t* name : {L"e2e-one.dat", L"e2e-two.log", L"e2e-three"}) MakeFile(temp + name);
  MakeFolder(temp + L"e2e-setup");
  MakeFile(temp + L"e2e-setup\\keep-1.dat");
  MakeFile(temp + L"e2e-setup\\keep-2.dat");
  // Stray *.tmp files on the Windows drive.
  const std::wstring tree = L"C:\\tidora-e2e";
  for (const wchar_t* folder : {L"", L"\\deep", L"\\deep\\er", L"\\folder.tmp"})
    MakeFolder(tree + folder);
  MakeFile(tree + L"\\top.tmp", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  MakeFile(tree + L"\\deep\\er\\bottom.TMP", FILE_ATTRIBUTE_SYSTEM);
  MakeFile(tree + L"\\folder.tmp\\inside.tmp");
  MakeFile(tree + L"\\report.tmpl");
  MakeFile(tree + L"\\keep.txt");
  ASSERT_TRUE(Exists(std::wstring(kLoopFolder) + L"\\inner\\back\\inner"))
      << "the test script makes a folder link that loops";
  MakeFile(std::wstring(kLoopFolder) + L"\\inner\\looped.tmp");
  // The Recycle Bin and the clipboard.
  MakeFile(temp + L"e2e-recycled.txt");
  ASSERT_TRUE(MoveToRecycleBin(temp + L"e2e-recycled.txt"));
  ASSERT_GT(RecycleBinItems(), 0);
  PutTextOnClipboard("a secret");

  ShowWindowsTab();
  Press(ControlId::bntCleanNow);
  ASSERT_TRUE(WaitForText(ControlId::bntStopFinish, L"Finished", 180000));

  int total = 0;
  const auto rows = Rows(&total);
  ASSERT_EQ(rows.size(), 7u);
  for (const auto& row : rows) EXPECT_NE(row.find(L"|Finished"), std::wstring::npos);
  EXPECT_EQ(Text(ControlId::TotalResult), std::to_wstring(total));
  EXPECT_EQ(SendMessageW(Control(ControlId::CleanResultProgressBar), PBM_GETPOS, 0, 0), 100);
  EXPECT_TRUE(IsWindowEnabled(Control(ControlId::bntTraceCleaner)));

  for (const std::wstring& gone :
       {recent + L"\\letter.lnk", recent + L"\\plans.lnk", temp + L"e2e-one.dat",
        temp + L"e2e-two.log", temp + L"e2e-three", tree + L"\\top.tmp",
        tree + L"\\deep\\er\\bottom.TMP", tree + L"\\folder.tmp\\inside.tmp",
        std::wstring(kLoopFolder) + L"\\inner\\looped.tmp"}) {
    EXPECT_FALSE(Exists(gone)) << gone;
  }
  for (const std::wstring& kept :
       {recent + L"\\pinned.lnk", temp + L"e2e-setup\\keep-1.dat", temp + L"e2e-setup\\keep-2.dat",
        tree + L"\\folder.tmp", tree + L"\\report.tmpl", tree + L"\\keep.txt"}) {
    EXPECT_TRUE(Exists(kept)) << kept;
  }
  EXPECT_GE(CountOf(L"Windows Recent Documents"), 2);

  EXPECT_EQ(ValueCount(kRunMru), 0);
  EXPECT_EQ(CountOf(L"Windows Run History"), 4);
  EXPECT_EQ(ValueCount(std::wstring(kSearchBar) + L"\\FilesNamedMRU"), 0);
  EXPECT_EQ(ValueCount(std::wstring(kSearchBar) + L"\\ContainingTextMRU"), 0);
  EXPECT_EQ(ValueCount(kSearchBar), 1);
  EXPECT_EQ(CountOf(L"Windows Find&Search History"), 3);

  EXPECT_GE(CountOf(L"Windows Tempory Files Directory"), 3);
  EXPECT_GE(CountOf(L"Windows Scan System Disk Temp Files "), 4);

  EXPECT_EQ(RecycleBinItems(), 0);
  EXPECT_EQ(CountOf(L"Windows Recycle Bin"), 1);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(CountOf(L"Windows Clipboard"), 1);

  Press(ControlId::bntStopFinish);  // "Finished" returns to the items
  Sleep(300);
  EXPECT_TRUE(IsWindowVisible(Control(ControlId::CleanItems)));
}

// Started from the Windows folder, as a shortcut may start it, help still opens the shipped file.
TEST_F(RunningProgram, HelpOpensTheShippedHelpFileWhereverItWasStarted) {
  Press(ControlId::bntHelp);
  HWND viewer = WaitForVisibleWindow(nullptr, L"Tidora Help", 20000);
  ASSERT_NE(viewer, nullptr);
  PostMessageW(viewer, WM_CLOSE, 0, 0);
}

class LongScan : public CleaningEndToEnd {
 protected:
  static constexpr int kFiles = 4000;
  const std::wstring tree_ = L"C:\\tidora-stop";

  void PlantAndStartScan() {
    MakeFolder(tree_);
    for (int i = 0; i < kFiles; ++i) MakeFile(tree_ + L"\\" + std::to_wstring(i) + L".tmp");
    ShowWindowsTab();
    for (ControlId id : kWindowsItems) SetChecked(id, id == ControlId::WinSTF);
    Press(ControlId::bntCleanNow);
    // Wait until the scan has begun to delete.
    for (int waited = 0; waited < 60000 && CountOf(L"Windows Scan System Disk Temp Files ") < 1;
         waited += 10) {
      Sleep(10);
    }
  }
  int Remaining() {
    int remaining = 0;
    for (int i = 0; i < kFiles; ++i) {
      remaining += Exists(tree_ + L"\\" + std::to_wstring(i) + L".tmp");
    }
    return remaining;
  }
  void TearDown() override {
    RunningProgram::TearDown();
    for (int i = 0; i < kFiles; ++i)
      DeleteFileW((tree_ + L"\\" + std::to_wstring(i) + L".tmp").c_str());
  }
};

TEST_F(LongScan, StopEndsTheScanEarly) {
  PlantAndStartScan();
  Press(ControlId::bntStopFinish);
  ASSERT_TRUE(WaitForText(ControlId::bntStopFinish, L"Finished", 60000));
  Sleep(500);  // the run ends at its next stop test
  const int shown = CountOf(L"Windows Scan System Disk Temp Files ");
  EXPECT_GT(Remaining(), 0);
  // The row counts these and any other *.tmp file the scan met before them.
  EXPECT_GE(shown, kFiles - Remaining());
  EXPECT_TRUE(IsWindowEnabled(Control(ControlId::bntTraceCleaner)));
  EXPECT_LT(SendMessageW(Control(ControlId::CleanResultProgressBar), PBM_GETPOS, 0, 0), 100);
}

TEST_F(LongScan, ClosingTheWindowStopsTheRunAndEndsTheProgram) {
  PlantAndStartScan();
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitForExit(60000));
  EXPECT_GT(Remaining(), 0);
}

}  // namespace
}  // namespace tidora::testing
