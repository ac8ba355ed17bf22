// End to end: Mozilla profiles and Office lists planted in the Wine prefix, with the Netscape and
// Office groups enabled by their presence keys, cleaned by a press of Start in the real window.

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/utf.h"
#include "platform/win32/win32_registry.h"
#include "tests/win/running_program.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {

using platform::RegistryRoot;
using ui::ControlId;

constexpr const char* kPresenceKeys[] = {"Software\\Netscape", "Software\\Microsoft\\Office"};
constexpr const char* kPlantedKeys[] = {"Software\\Microsoft\\Office",
                                        "Software\\Microsoft\\Photo Editor",
                                        "Software\\Microsoft\\FrontPage"};

class NetscapeOfficeEndToEnd : public RunningProgram {
 protected:
  void SetUp() override {
    wchar_t data[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data), S_OK);
    profiles_ = std::wstring(data) + L"\\Mozilla\\ProFiles\\Default\\";
    recent_ = std::wstring(data) + L"\\Microsoft\\Office\\Recent\\";
    for (const char* key : kPresenceKeys) registry_.Create(RegistryRoot::LocalMachine, key);
    RunningProgram::SetUp();
  }
  void TearDown() override {
    RunningProgram::TearDown();
    for (const char* key : kPresenceKeys) registry_.DeleteTree(RegistryRoot::LocalMachine, key);
    for (const char* key : kPlantedKeys) registry_.DeleteTree(RegistryRoot::CurrentUser, key);
    SetFileAttributesW((profiles_ + L"kept\\history.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW((profiles_ + L"kept\\history.dat").c_str());
  }
  void Plant(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
    ASSERT_TRUE(MakeFile(path, attributes)) << win32::Narrow(path);
  }
  void Put(const std::string& key, const char* name) {
    registry_.Create(RegistryRoot::CurrentUser, key)->WriteString(name, "C:\\secret.doc");
  }
  bool HasValue(const std::string& key, const char* name) {
    auto opened = registry_.OpenForRead(RegistryRoot::CurrentUser, key);
    return opened && opened->HasValue(name);
  }
  bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  win32::Win32Registry registry_;
  std::wstring profiles_, recent_;
};

TEST_F(NetscapeOfficeEndToEnd, StartCleansTheMozillaProfilesAndTheListsOfTheLastOfficeVersion) {
  for (const wchar_t* file : {L"p1\\cookies.txt", L"p1\\history.dat", L"p1\\localstore.rdf",
                              L"p1\\Cache\\A1B2.dat", L"p1\\form.s", L"p2\\prefs.w"}) {
    Plant(profiles_ + file);
  }
  Plant(profiles_ + L"kept\\history.dat", FILE_ATTRIBUTE_READONLY);
  Plant(profiles_ + L"kept\\prefs.js");
  const std::string office = "Software\\Microsoft\\Office\\";
  Put(office + "9.0\\Word\\Data", "Settings");
  Put(office + "10.0\\Word\\Data", "Settings");
  Put(office + "10.0\\Common\\Open Find\\Microsoft Word\\Settings\\Open\\File Name MRU", "Value");
  Put(office + "10.0\\Excel\\Recent Files\\Sub", "File1");
  for (const char* name : {"MRU1", "MRU2", "Other"}) Put(office + "10.0\\Access\\Settings", name);
  Put("Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent File List", "1");
  for (const char* name : {"LastFile1", "LastFile2"}) {
    Put("Software\\Microsoft\\Photo Editor\\3.0\\Microsoft Photo Editor", name);
  }
  Plant(recent_ + L"report.doc.LNK");
  Plant(recent_ + L"budget.xls.LNK", FILE_ATTRIBUTE_HIDDEN);

  Press(ControlId::bntTraceCleaner);
  ASSERT_TRUE(IsWindowEnabled(Control(ControlId::groupNetscape)));
  ASSERT_TRUE(IsWindowEnabled(Control(ControlId::groupOffice)));
  for (int id = static_cast<int>(ControlId::IEABH);
       id <= static_cast<int>(ControlId::MSOfficeRecent); ++id) {
    // Only the Netscape and Office boxes: the others have end-to-end tests of their own.
    const auto box = static_cast<ControlId>(id);
    if (Control(box))
      SetChecked(box, (box >= ControlId::NsCache && box <= ControlId::NsAutoForm) ||
                          box >= ControlId::MSWord);
  }
  Press(ControlId::bntCleanNow);
  ASSERT_TRUE(WaitForText(ControlId::bntStopFinish, L"Finished", 60000));

  std::vector<std::wstring> rows;
  for (int item = 0; item + 1 < GridItems(); ++item) {
    rows.push_back(GridCell(item, 0) + L"|" + GridCell(item, 1) + L"|" + GridCell(item, 2));
  }
  const std::vector<std::wstring> expected{L"About Netscape|6|Finished",
                                           L"Micorsoft Office Word|2|Finished",
                                           L"Micorsoft Office Excel|1|Finished",
                                           L"Micorsoft Office PowerPoint|0|Finished",
                                           L"Micorsoft Office PhotoEditor|2|Finished",
                                           L"Micorsoft Office Outlook|0|Finished",
                                           L"Micorsoft Office Access|2|Finished",
                                           L"Micorsoft Office FrontPage|1|Finished",
                                           L"Micorsoft Office Recent Backup Files|2|Finished"};
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(Text(ControlId::TotalResult), L"16");

  for (const wchar_t* gone : {L"p1\\cookies.txt", L"p1\\history.dat", L"p1\\localstore.rdf",
                              L"p1\\Cache\\A1B2.dat", L"p1\\form.s", L"p2\\prefs.w"}) {
    EXPECT_FALSE(Exists(profiles_ + gone)) << win32::Narrow(gone);
  }
  EXPECT_TRUE(Exists(profiles_ + L"kept\\history.dat") && Exists(profiles_ + L"kept\\prefs.js"));
  EXPECT_FALSE(Exists(recent_ + L"report.doc.LNK") || Exists(recent_ + L"budget.xls.LNK"));
  EXPECT_TRUE(HasValue(office + "9.0\\Word\\Data", "Settings"));
  EXPECT_FALSE(HasValue(office + "10.0\\Word\\Data", "Settings"));
  EXPECT_FALSE(
      registry_.OpenForRead(RegistryRoot::CurrentUser, office + "10.0\\Excel\\Recent Files"));
  EXPECT_TRUE(HasValue(office + "10.0\\Access\\Settings", "Other"));
}

}  // namespace
}  // namespace tidora::testing
