// The Netscape/Mozilla and Office cleaners on the fakes, and the shell contract on the fake shell.

#include <gtest/gtest.h>

#include "browser/netscape_cleaner.h"
#include "office/office_cleaners.h"
#include "tests/contract/shell_contract.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/headless_control_set.h"

namespace tidora::testing {
namespace {

using namespace office;
constexpr auto kUser = platform::RegistryRoot::CurrentUser;
constexpr auto kHidden = platform::attribute::kHidden;

struct FakeShellEnvironment {
  platform::Shell& shell() { return shell_.application_data_folder = "C:\\me\\Roaming", shell_; }
  std::string profile() { return "C:\\me"; }
  FakeShell shell_;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ShellContract, FakeShellEnvironment);

struct Progress final : cleaning::CleanerProgress {
  void ShowCount(int) override {}
  bool StopRequested() override { return ++stop_tests == stop_at; }
  void Finish() override { ++finished; }
  int stop_tests = 0, stop_at = 0, finished = 0;
};

TEST(NetscapeMozilla, ListedProfilesAreCleanedAsNamedAndOnlyWhatWentCounts) {
  FakeFileSystem files;
  HeadlessControlSet controls;
  files.AddFolder("C:\\M\\a", kHidden);  // what " a" would become if trimmed
  for (const char* file :
       {" a\\cookies.txt", " a\\history.dat", " a\\Cache\\1", " a\\x.s", " a\\Y.W", " a\\f.s\\in.w",
        "a\\cookies.txt", "n.txt", "p\\cookies.txt", "p\\history.dat"}) {
    files.AddFile(std::string("C:\\M\\") + file, kHidden);
  }
  files.SetAttributes("C:\\M\\ a\\history.dat", platform::attribute::kReadOnly);
  files.AddJunction("C:\\M\\link", "C:\\M\\a");
  files.AddJunction("C:\\M\\b\\Cache", "C:\\M\\a");
  Progress stopped, progress;
  stopped.stop_at = 1;  // after the first profile's own files
  EXPECT_EQ(browser::CleanNetscapeMozilla(files, "C:\\M", controls, stopped), 1);
  controls.SetTicked(ui::ControlId::NsHistory, false);
  EXPECT_EQ(browser::CleanNetscapeMozilla(files, "C:\\M", controls, progress), 4);
  EXPECT_EQ(stopped.finished * 10 + progress.finished, 1);
  for (const char* kept :
       {" a\\history.dat", " a\\f.s\\in.w", "a\\cookies.txt", "p\\history.dat"}) {
    EXPECT_TRUE(files.Exists(std::string("C:\\M\\") + kept)) << kept;
  }
}

TEST(ApplicationData, IsTheShellsFolderElseThePlatformsButNeverBelowADriveRoot) {
  struct Case {
    std::uint32_t platform;
    const char *shell, *home_path, *windows, *recent;
  } cases[] = {{2, "D:\\u", "\\me", "", "D:\\u\\Microsoft\\Office\\Recent"},
               {2, "", "\\me", "", "C:\\me\\Application Data\\Microsoft\\Office\\Recent"},
               {2, "", "", "C:\\W", ""},
               {1, "", "", " C:\\W ", "C:\\W\\Application Data\\Microsoft\\Office\\Recent"},
               {0, "D:\\u", "\\me", "C:\\W", ""}};
  for (const Case& c : cases) {
    FakeSystemInfo system(c.platform);
    FakeShell shell;
    shell.application_data_folder = c.shell;
    FakeRegistry registry;
    registry.SetValue(kUser, "Volatile Environment", "HOMEPATH", platform::ValueType::String,
                      std::string(c.home_path));
    registry.SetValue(kUser, "Volatile Environment", "HOMEDRIVE", platform::ValueType::String,
                      std::string("C:"));
    FakeFileSystem files;
    files.set_windows_folder(c.windows);
    EXPECT_EQ(OfficeRecentFolder(system, shell, registry, files), c.recent);
  }
}

TEST(OfficeLists, EachProgramsGoForTheLastVersionOnlyUpToTheFirstGapAndWithTheOfficeKey) {
  FakeRegistry registry;
  auto put = [&](const std::string& key, const char* name) {
    registry.Create(kUser, key)->WriteString(name, "");
  };
  for (const std::string office :
       {"Software\\Microsoft\\Office\\8.0\\", "Software\\Microsoft\\Office\\10.0\\"}) {
    for (const char* list : {"Microsoft Word", "Mircosoft Word", "Microsoft Excel",
                             "Microsoft Access", "Microsoft Outlook"}) {
      put(office + "Common\\Open Find\\" + list + "\\Settings\\Open\\File Name MRU", "Value");
      put(office + "Common\\Open Find\\" + list + "\\Settings\\Find", "Value");  // not a list
    }
    put(office + "Word\\Data", "Settings");
    put(office + "Excel\\Recent Files\\Sub", "1");
    for (const char* name : {"MRU1", "MRU2", "MRU4"}) put(office + "Access\\Settings", name);
  }
  put(std::string(kFrontPageExplorerKey) + "\\Recent Web List", "1");
  put(std::string(kPhotoEditorKey) + "\\2.0\\Microsoft Photo Editor", "LastFile1");
  for (const char* name : {"LastFile1", "LastFile2", "LastFile4"}) {
    put(std::string(kPhotoEditorKey) + "\\3.0\\Microsoft Photo Editor", name);
  }
  using enum OfficeProgram;
  const int removed[] = {CleanOfficeMru(registry, kWord),    CleanOfficeMru(registry, kExcel),
                         CleanOfficeMru(registry, kOutlook), CleanOfficeMru(registry, kAccess),
                         CleanOfficeMru(registry, kAccess),  CleanOfficeMru(registry, kFrontPage),
                         CleanPhotoEditorMru(registry),      CleanOfficeMru(registry, kWord)};
  EXPECT_EQ(std::vector<int>(std::begin(removed), std::end(removed)),
            (std::vector<int>{3, 2, 0, 3, 0, 1, 2, 0}));
  EXPECT_TRUE(registry.KeyExists(kUser, "Software\\Microsoft\\Office\\8.0\\Excel\\Recent Files"));
  registry.DeleteTree(kUser, kOfficeKey);
  put(std::string(kFrontPageExplorerKey) + "\\Recent Page List", "1");
  EXPECT_EQ(CleanOfficeMru(registry, kFrontPage), 0);
}

}  // namespace
}  // namespace tidora::testing
