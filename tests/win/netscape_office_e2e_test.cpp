// End to end: Mozilla profiles and Office lists planted in the Wine prefix, the Netscape and Office
// groups enabled by their presence keys, cleaned by Start in the real window. And the shell
// contract on the Win32 adapter.

#include "cleaning/shared_routines.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_shell.h"
#include "tests/contract/shell_contract.h"
#include "tests/win/running_program.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {

using platform::RegistryRoot;
using ui::ControlId;

struct Win32ShellEnvironment {
  platform::Shell& shell() { return shell_; }
  std::string profile() { return cleaning::UserProfileFolder(registry_); }
  win32::Win32Shell shell_;
  win32::Win32Registry registry_;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ShellContract, Win32ShellEnvironment);

constexpr const char* kKeys[] = {"Software\\Netscape", "Software\\Microsoft\\Office",
                                 "Software\\Microsoft\\Photo Editor",
                                 "Software\\Microsoft\\FrontPage"};

class NetscapeOfficeEndToEnd : public RunningProgram {
 protected:
  void SetUp() override {}  // the test starts the program once the presence keys are planted
  void TearDown() override {
    RunningProgram::TearDown();
    for (auto root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
      for (const char* key : kKeys) registry_.DeleteTree(root, key);
    }
    SetFileAttributesW((data_ + kReadOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  void Put(const std::string& key, const char* name) {
    Set(RegistryRoot::CurrentUser, key, name, "C:\\secret.doc");
  }
  static constexpr wchar_t kReadOnly[] = L"Mozilla\\ProFiles\\Default\\p2\\history.dat";
  const std::wstring data_ = win32::Widen(win32::Win32Shell().ApplicationDataFolder()) + L"\\";
};

TEST_F(NetscapeOfficeEndToEnd, StartCleansTheMozillaProfilesAndTheLastOfficeVersionsLists) {
  for (const wchar_t* file : {L"p1\\cookies.txt", L"p1\\history.dat", L"p1\\localstore.rdf",
                              L"p1\\Cache\\A1B2.dat", L"p1\\form.s", L"p2\\prefs.w"}) {
    ASSERT_TRUE(MakeFile(data_ + L"Mozilla\\ProFiles\\Default\\" + file));
  }
  ASSERT_TRUE(MakeFile(data_ + kReadOnly, FILE_ATTRIBUTE_READONLY));
  MakeFile(data_ + L"Microsoft\\Office\\Recent\\report.doc.LNK", FILE_ATTRIBUTE_HIDDEN);
  const std::string office = "Software\\Microsoft\\Office\\";
  Put(office + "9.0\\Word\\Data", "Settings");
  Put(office + "10.0\\Word\\Data", "Settings");
  Put(office + "10.0\\Common\\Open Find\\Microsoft Word\\Settings\\Save\\File Name MRU", "Value");
  Put(office + "10.0\\Excel\\Recent Files\\Sub", "File1");
  for (const char* name : {"MRU1", "MRU2", "Other"}) Put(office + "10.0\\Access\\Settings", name);
  Put("Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent File List", "1");
  Put("Software\\Microsoft\\Photo Editor\\3.0\\Microsoft Photo Editor", "LastFile1");

  for (const char* key : kKeys) registry_.Create(RegistryRoot::LocalMachine, key);
  RunningProgram::SetUp();
  Press(ControlId::bntTraceCleaner);
  for (int id = static_cast<int>(ControlId::IEABH);
       id <= static_cast<int>(ControlId::MSOfficeRecent); ++id) {
    const auto box = static_cast<ControlId>(id);  // only the Netscape and Office boxes
    SetChecked(box, (box >= ControlId::NsCache && box <= ControlId::NsAutoForm) ||
                        box >= ControlId::MSWord);
  }
  Press(ControlId::bntCleanNow);
  ASSERT_TRUE(WaitForText(ControlId::bntStopFinish, L"Finished", 60000));
  // Netscape; Word, Excel, PowerPoint, PhotoEditor, Outlook, Access, FrontPage, the recent folder.
  EXPECT_EQ(Counts(), L"6 2 1 0 1 0 2 1 1 ");
  EXPECT_EQ(Text(ControlId::TotalResult), L"14");
  EXPECT_NE(GetFileAttributesW((data_ + kReadOnly).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(
      registry_.Open(RegistryRoot::CurrentUser, office + "9.0\\Word\\Data")->HasValue("Settings"));
}

}  // namespace
}  // namespace tidora::testing
