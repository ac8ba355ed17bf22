// End to end: real traces planted in the Wine prefix, Start pressed in the running program's
// window, and the registry and files checked afterwards.

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <string>

#include "tests/win/running_program.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {

using ui::ControlId;
constexpr auto CU = platform::RegistryRoot::CurrentUser;
const std::string kRunMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU",
                  kSearchBar =
                      "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
                      "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";
constexpr ControlId kWindowsItems[] = {ControlId::WinDocumentHistory,
                                       ControlId::WinRunHistory,
                                       ControlId::WinFindSearch,
                                       ControlId::WinTFD,
                                       ControlId::WinSTF,
                                       ControlId::WinRecycleBin,
                                       ControlId::WinClipboard};
constexpr wchar_t kDiskScan[] = L"Windows Scan System Disk Temp Files ";

class CleaningEndToEnd : public RunningProgram {
 protected:
  void StartWith(ControlId only = ControlId::kMainWindow) {
    Press(ControlId::bntTraceCleaner);
    for (ControlId id : kWindowsItems) SetChecked(id, only == ControlId::kMainWindow || id == only);
    // The Internet Explorer items have a test of their own.
    for (ControlId id : {ControlId::IEABH, ControlId::IETIF, ControlId::IECookies, ControlId::IEAFD,
                         ControlId::IEHistory, ControlId::IEBleachIndex}) {
      SetChecked(id, false);
    }
    Press(ControlId::bntCleanNow);
  }
  int ValueCount(const std::string& key) {
    const auto opened = registry_.OpenForRead(CU, key);
    return opened ? static_cast<int>(opened->ValueNames().size()) : -1;
  }
};

TEST_F(CleaningEndToEnd, TheWindowsTabCleansEveryPlantedTraceAndNothingElse) {
  wchar_t recent_path[MAX_PATH] = {}, temp_path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent_path);
  GetTempPathW(MAX_PATH, temp_path);
  const std::wstring recent = recent_path, temp = temp_path, tree = L"C:\\tidora-e2e";
  ASSERT_FALSE(recent.empty());
  ASSERT_TRUE(MakeFile(recent + L"\\letter.lnk"));
  MakeFile(recent + L"\\plans.lnk", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(recent + L"\\pinned.lnk", FILE_ATTRIBUTE_READONLY);
  for (const char* name : {"a", "b", "c", "MRUList"}) Set(CU, kRunMru, name, "regedit\\1");
  Set(CU, kSearchBar + "\\FilesNamedMRU", "000", "salary*.xls");
  Set(CU, kSearchBar + "\\FilesNamedMRU", "001", "diary");
  Set(CU, kSearchBar + "\\ContainingTextMRU", "000", "password");
  Set(CU, kSearchBar, "BarSize", "keep");
  for (const wchar_t* name : {L"e2e-one.dat", L"e2e-two.log", L"e2e-three", L"e2e-setup\\keep.dat"})
    MakeFile(temp + name);
  // Stray *.tmp files on the Windows drive, and one behind a folder link that loops (made by the
  // test script), which the scan reaches by its real path only.
  MakeFile(tree + L"\\top.tmp", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  MakeFile(tree + L"\\deep\\er\\bottom.TMP", FILE_ATTRIBUTE_SYSTEM);
  MakeFile(tree + L"\\folder.tmp\\inside.tmp");
  MakeFile(tree + L"\\report.tmpl");
  MakeFile(tree + L"\\keep.txt");
  ASSERT_TRUE(Exists(L"C:\\tidora-loop\\inner\\back\\inner")) << "the test script makes it";
  MakeFile(L"C:\\tidora-loop\\inner\\looped.tmp");
  MakeFile(temp + L"e2e-recycled.txt");
  ASSERT_TRUE(MoveToRecycleBin(temp + L"e2e-recycled.txt"));
  ASSERT_GT(RecycleBinItems(), 0);
  PutTextOnClipboard("a secret");

  StartWith();
  ASSERT_TRUE(WaitForText(ControlId::bntStopFinish, L"Finished", 180000));

  int total = 0;
  const std::wstring counts = Counts(&total);
  EXPECT_EQ(std::count(counts.begin(), counts.end(), L' '), 7) << counts;
  EXPECT_EQ(counts.find(L'?'), std::wstring::npos) << counts;
  EXPECT_EQ(Text(ControlId::TotalResult), std::to_wstring(total));
  EXPECT_EQ(Position(ControlId::CleanResultProgressBar), 100);
  EXPECT_TRUE(IsWindowEnabled(Control(ControlId::bntTraceCleaner)));
  for (const std::wstring& gone :
       {recent + L"\\letter.lnk", recent + L"\\plans.lnk", temp + L"e2e-one.dat",
        temp + L"e2e-two.log", temp + L"e2e-three", tree + L"\\top.tmp",
        tree + L"\\deep\\er\\bottom.TMP", tree + L"\\folder.tmp\\inside.tmp",
        std::wstring(L"C:\\tidora-loop\\inner\\looped.tmp")}) {
    EXPECT_FALSE(Exists(gone)) << gone;
  }
  for (const std::wstring& kept :
       {recent + L"\\pinned.lnk", temp + L"e2e-setup\\keep.dat", tree + L"\\folder.tmp",
        tree + L"\\report.tmpl", tree + L"\\keep.txt"}) {
    EXPECT_TRUE(Exists(kept)) << kept;
  }
  EXPECT_GE(CountOf(L"Windows Recent Documents"), 2);
  EXPECT_EQ(ValueCount(kRunMru), 0);
  EXPECT_EQ(CountOf(L"Windows Run History"), 4);
  EXPECT_EQ(ValueCount(kSearchBar + "\\FilesNamedMRU"), 0);
  EXPECT_EQ(ValueCount(kSearchBar + "\\ContainingTextMRU"), 0);
  EXPECT_EQ(ValueCount(kSearchBar), 1);
  EXPECT_EQ(CountOf(L"Windows Find&Search History"), 3);
  EXPECT_GE(CountOf(L"Windows Tempory Files Directory"), 3);
  EXPECT_GE(CountOf(kDiskScan), 4);
  EXPECT_EQ(RecycleBinItems(), 0);
  EXPECT_EQ(CountOf(L"Windows Recycle Bin"), 1);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(CountOf(L"Windows Clipboard"), 1);

  Press(ControlId::bntStopFinish);  // "Finished" returns to the items
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(ControlId::CleanItems)); }));
}

// Started from the Windows folder, as a shortcut may start it, help still opens the shipped file.
TEST_F(RunningProgram, HelpOpensTheShippedHelpFileWhereverItWasStarted) {
  Press(ControlId::bntHelp);
  HWND viewer = WaitForVisibleWindow(nullptr, L"Tidora Help", 20000);
  ASSERT_NE(viewer, nullptr);
  PostMessageW(viewer, WM_CLOSE, 0, 0);
}

// A scan of many files, started and seen deleting; Stop or closing the window must end it.
class LongScan : public CleaningEndToEnd {
 protected:
  static constexpr int kFiles = 4000;
  std::wstring File(int i) { return L"C:\\tidora-stop\\" + std::to_wstring(i) + L".tmp"; }
  void SetUp() override {
    for (int i = 0; i < kFiles; ++i) MakeFile(File(i));
    CleaningEndToEnd::SetUp();
    StartWith(ControlId::WinSTF);
    WaitUntil([&] { return CountOf(kDiskScan) >= 1; }, 60000);
  }
  int Remaining() {
    int remaining = 0;
    for (int i = 0; i < kFiles; ++i) remaining += Exists(File(i));
    return remaining;
  }
  void TearDown() override {
    CleaningEndToEnd::TearDown();
    for (int i = 0; i < kFiles; ++i) DeleteFileW(File(i).c_str());
  }
};

TEST_F(LongScan, StopEndsTheScanEarly) {
  Press(ControlId::bntStopFinish);
  ASSERT_TRUE(WaitForText(ControlId::bntStopFinish, L"Finished", 60000));
  Sleep(500);  // the run ends at its next stop test
  EXPECT_GT(Remaining(), 0);
  // The row counts these and any other *.tmp file the scan met before them.
  EXPECT_GE(CountOf(kDiskScan), kFiles - Remaining());
  EXPECT_TRUE(IsWindowEnabled(Control(ControlId::bntTraceCleaner)));
  EXPECT_LT(Position(ControlId::CleanResultProgressBar), 100);
}

TEST_F(LongScan, ClosingTheWindowStopsTheRunAndEndsTheProgram) {
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitForExit(60000));
  EXPECT_GT(Remaining(), 0);
}

}  // namespace
}  // namespace tidora::testing
