// The faults the fakes inject, which the contract cases cannot reach on a real system: the
// cleaner tests rely on each of them behaving as Windows does.

#include <gtest/gtest.h>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"

namespace tidora::testing {
namespace {

using platform::RegistryRoot;
using platform::ValueType;
namespace attribute = platform::attribute;

TEST(FakeRegistryFaults, AKeyRefusingFullAccessIsAbsentAndSurvivesDeletion) {
  FakeRegistry registry;
  registry.SetValue(RegistryRoot::LocalMachine, "Software\\Netscape", "v", ValueType::String,
                    std::string("x"));
  registry.RefuseFullAccess(RegistryRoot::LocalMachine, "Software\\Netscape");
  EXPECT_EQ(registry.Open(RegistryRoot::LocalMachine, "Software\\Netscape"), nullptr);
  EXPECT_EQ(registry.Create(RegistryRoot::LocalMachine, "Software\\Netscape"), nullptr);
  EXPECT_FALSE(registry.DeleteTree(RegistryRoot::LocalMachine, "Software"));
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine, "Software\\Netscape"));
}

TEST(FakeRegistryFaults, ARefusedDeletionKeepsItsPathAndTheRestGoes) {
  FakeRegistry registry;
  registry.Create(RegistryRoot::CurrentUser, "Top\\Keep\\Stuck");
  registry.Create(RegistryRoot::CurrentUser, "Top\\Goes\\Away");
  registry.RefuseDeletion(RegistryRoot::CurrentUser, "Top\\Keep\\Stuck");
  EXPECT_FALSE(registry.DeleteTree(RegistryRoot::CurrentUser, "Top"));
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "Top\\Keep\\Stuck"));
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "Top\\Goes"));
}

TEST(FakeRegistryFaults, AKeyDeletedWhileOpenListsNothingAndRefusesWrites) {
  FakeRegistry registry;
  auto key = registry.Create(RegistryRoot::CurrentUser, "Doomed");
  key->WriteString("a", "1");
  ASSERT_TRUE(registry.DeleteTree(RegistryRoot::CurrentUser, "Doomed"));
  EXPECT_TRUE(key->ValueNames().empty());
  EXPECT_EQ(key->ReadString("a"), std::nullopt);
  EXPECT_THROW(key->WriteString("a", "2"), platform::RegistryError);
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "Doomed"));
}

TEST(FakeRegistryFaults, ValuesOfOtherTypesAreNotText) {
  FakeRegistry registry;
  for (auto type :
       {ValueType::Binary, ValueType::MultiString, ValueType::Qword, ValueType::Other}) {
    registry.SetValue(RegistryRoot::CurrentUser, "Odd", "v", type, std::vector<std::uint8_t>{1, 2});
    auto key = registry.Open(RegistryRoot::CurrentUser, "Odd");
    EXPECT_EQ(key->TypeOf("v"), type);
    EXPECT_THROW(key->ReadString("v"), platform::RegistryError);
    EXPECT_THROW(key->ReadDword("v"), platform::RegistryError);
  }
}

TEST(FakeRegistryFaults, TheRootsCannotBeDeleted) {
  FakeRegistry registry;
  registry.Create(RegistryRoot::CurrentUser, "Software");
  EXPECT_FALSE(registry.DeleteTree(RegistryRoot::CurrentUser, ""));
  EXPECT_FALSE(registry.DeleteTree(RegistryRoot::CurrentUser, "\\"));
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "Software"));
}

TEST(FakeFileSystemShortNames, FollowTheEightDotThreeRules) {
  EXPECT_EQ(FakeFileSystem::ShortName("report.tmpl"), "REPORT~1.TMP");
  EXPECT_EQ(FakeFileSystem::ShortName("a long name.txt"), "ALONGN~1.TXT");
  EXPECT_EQ(FakeFileSystem::ShortName("archive.tar.gz"), "ARCHIV~1.GZ");
  EXPECT_EQ(FakeFileSystem::ShortName("README"), "");
  EXPECT_EQ(FakeFileSystem::ShortName("a.tmp"), "");
}

TEST(FakeFileSystemWildcards, MatchAsTheSystemDoes) {
  EXPECT_TRUE(FakeFileSystem::WildcardMatches("*.*", "noextension"));
  EXPECT_TRUE(FakeFileSystem::WildcardMatches("*.tmp", "X.TMP"));
  EXPECT_FALSE(FakeFileSystem::WildcardMatches("*.tmp", "x.tmpl"));
  EXPECT_TRUE(FakeFileSystem::WildcardMatches("a?c*", "abcdef"));
  EXPECT_FALSE(FakeFileSystem::WildcardMatches("a?c", "ac"));
  EXPECT_TRUE(FakeFileSystem::WildcardMatches("*a*b*", "xxaxxbxx"));
}

TEST(FakeFileSystemJunctions, LeadToTheirTargetAndALoopEnds) {
  FakeFileSystem files;
  files.AddFile("C:\\data\\inner.tmp");
  files.AddJunction("C:\\data\\again", "C:\\data");
  EXPECT_EQ(files.Attributes("C:\\data\\again"), attribute::kDirectory | attribute::kReparsePoint);
  EXPECT_TRUE(files.Exists("C:\\data\\again\\again\\inner.tmp"));
  files.AddJunction("C:\\loop", "C:\\loop");
  EXPECT_FALSE(files.Exists("C:\\loop\\anything"));
}

TEST(FakeFileSystemPaths, ARootRelativePathIsOnTheCurrentDrive) {
  FakeFileSystem files;
  files.AddFile("C:\\Recent\\doc.lnk");
  int found = 0;
  files.Find("\\Recent\\*.*", [&](const platform::FoundEntry&) { return ++found; });
  EXPECT_EQ(found, 1);
  EXPECT_FALSE(files.Exists("D:\\Recent\\doc.lnk"));
}

}  // namespace
}  // namespace tidora::testing
