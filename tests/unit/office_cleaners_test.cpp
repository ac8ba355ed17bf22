#include "office/office_cleaners.h"

#include <gtest/gtest.h>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"

namespace tidora::office {
namespace {

using enum OfficeProgram;
constexpr auto kUser = platform::RegistryRoot::CurrentUser;

class OfficeTest : public ::testing::Test {
 protected:
  void Put(const std::string& key, const std::string& name) {
    registry_.SetValue(kUser, key, name, platform::ValueType::String, std::string("C:\\a.doc"));
  }
  // The same lists for two versions, and FrontPage's; only 10.0's and FrontPage's may go.
  void SetUp() override {
    for (std::string version : {"\\8.0", "\\10.0"}) {
      const std::string office = kOfficeKey + version;
      for (const char* program :
           {"Word", "Excel", "PowerPoint", "Access", "FrontPage", "Outlook"}) {
        for (const char* vendor : {"\\Microsoft ", "\\Mircosoft "}) {
          const std::string settings =
              office + "\\Common\\Open Find" + vendor + program + "\\Settings";
          Put(settings + "\\Open\\File Name MRU", "Value");
          Put(settings + "\\Save As\\File Name MRU", "Value");
          Put(settings + "\\Find", "Value");  // no "File Name MRU": stays
        }
      }
      Put(office + "\\Word\\Data", "Settings");
      Put(office + "\\Excel\\Recent Files\\Sub", "File1");
      Put(office + "\\PowerPoint\\Recent File List", "File1");
      for (const char* name : {"MRU1", "MRU2", "MRU3", "MRU4", "Other"}) {
        Put(office + "\\Access\\Settings", name);
      }
    }
    Put(std::string(kFrontPageExplorerKey) + "\\Recent Web List", "1");
  }
  int ValuesOf(const std::string& key) {
    auto opened = registry_.Open(kUser, key);
    return opened ? static_cast<int>(opened->ValueNames().size()) : -1;
  }
  testing::FakeRegistry registry_;
};

TEST_F(OfficeTest, EachProgramsListsGoForTheHighestVersionOnly) {
  struct Case {
    OfficeProgram program;
    int removed;  // both spellings' Open Find lists, then the program's own
  };
  constexpr Case kCases[] = {{kWord, 4 + 1}, {kExcel, 4 + 1},  {kPowerPoint, 4 + 1},
                             {kOutlook, 0},  {kAccess, 4 + 4}, {kFrontPage, 4 + 1}};
  for (const Case& c : kCases) EXPECT_EQ(CleanOfficeMru(registry_, c.program), c.removed);
  const std::string old_office = std::string(kOfficeKey) + "\\8.0";
  EXPECT_EQ(
      ValuesOf(old_office + "\\Common\\Open Find\\Microsoft Word\\Settings\\Open\\File Name MRU"),
      1);
  EXPECT_EQ(ValuesOf(old_office + "\\Access\\Settings"), 5);
  EXPECT_TRUE(registry_.KeyExists(kUser, old_office + "\\Excel\\Recent Files\\Sub"));
  EXPECT_EQ(ValuesOf(std::string(kOfficeKey) + "\\10.0\\Access\\Settings"), 1);
  EXPECT_EQ(ValuesOf(std::string(kOfficeKey) +
                     "\\10.0\\Common\\Open Find\\Microsoft Outlook\\Settings\\Open\\File Name MRU"),
            1);
  EXPECT_EQ(CleanOfficeMru(registry_, kWord), 0);
}

TEST_F(OfficeTest, OnlyRemovedEntriesCountAndTheAccessWalkStopsAtTheFirstGap) {
  const std::string office = std::string(kOfficeKey) + "\\10.0";
  registry_.RefuseValueDeletion(kUser, office + "\\Access\\Settings");
  registry_.RefuseValueDeletion(
      kUser, office + "\\Common\\Open Find\\Microsoft Access\\Settings\\Open\\File Name MRU");
  EXPECT_EQ(CleanOfficeMru(registry_, kAccess), 3);
  registry_.DeleteTree(kUser, office + "\\Access");
  for (const char* name : {"MRU2", "MRU3"}) Put(office + "\\Access\\Settings", name);
  EXPECT_EQ(CleanOfficeMru(registry_, kAccess), 0);
  EXPECT_EQ(ValuesOf(office + "\\Access\\Settings"), 2);
}

TEST_F(OfficeTest, WithoutTheOfficeKeyNothingGoesNotEvenFrontPagesLists) {
  registry_.DeleteTree(kUser, kOfficeKey);
  for (auto program : {kWord, kExcel, kPowerPoint, kOutlook, kAccess, kFrontPage}) {
    EXPECT_EQ(CleanOfficeMru(registry_, program), 0);
  }
  EXPECT_TRUE(registry_.KeyExists(kUser, std::string(kFrontPageExplorerKey) + "\\Recent Web List"));
}

TEST_F(OfficeTest, PhotoEditorsLastFilesOfItsLastVersionGoUpToTheFirstGap) {
  const std::string editor = std::string(kPhotoEditorKey) + "\\";
  for (const char* name : {"LastFile1", "LastFile2", "LastFile3", "LastFile5", "Other"}) {
    Put(editor + "3.0\\Microsoft Photo Editor", name);
  }
  Put(editor + "2.0\\Microsoft Photo Editor", "LastFile1");
  EXPECT_EQ(CleanPhotoEditorMru(registry_), 3);
  EXPECT_EQ(ValuesOf(editor + "3.0\\Microsoft Photo Editor"), 2);
  EXPECT_EQ(ValuesOf(editor + "2.0\\Microsoft Photo Editor"), 1);
}

TEST(OfficeRecentFolder, ItsPlainFilesGoButNotReadOnlyOnesNorSubfolders) {
  testing::FakeSystemInfo system;
  testing::FakeShell shell;
  testing::FakeRegistry registry;
  testing::FakeFileSystem files;
  shell.application_data_folder = "C:\\me\\AppData\\Roaming";
  const std::string recent = "C:\\me\\AppData\\Roaming\\Microsoft\\Office\\Recent\\";
  files.AddFile(recent + "a.doc.LNK");
  files.AddFile(recent + "b.xls.LNK", platform::attribute::kHidden);
  files.AddFile(recent + "c.ppt.LNK", platform::attribute::kReadOnly);
  files.AddFile(recent + "sub\\d.doc");
  EXPECT_EQ(CleanOfficeRecentFolder(system, shell, registry, files), 2);
  EXPECT_TRUE(files.Exists(recent + "c.ppt.LNK") && files.Exists(recent + "sub\\d.doc"));
  shell.application_data_folder.clear();  // and no profile: nothing, not the drive's root
  files.AddFile("C:\\Application Data\\Microsoft\\Office\\Recent\\e.doc");
  EXPECT_EQ(CleanOfficeRecentFolder(system, shell, registry, files), 0);
}

}  // namespace
}  // namespace tidora::office
