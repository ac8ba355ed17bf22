#include "cleaning/shared_routines.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_system_info.h"

namespace tidora::cleaning {
namespace {

using platform::RegistryRoot;
using platform::ValueType;
using testing::FakeFileSystem;
using testing::FakeRegistry;
using testing::FakeSystemInfo;
namespace attribute = platform::attribute;

constexpr char kVolatile[] = "Volatile Environment";

TEST(UserProfileFolder, JoinsHomeDriveAndHomePath) {
  FakeRegistry registry;
  registry.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEDRIVE", ValueType::String,
                    std::string("C:"));
  registry.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEPATH", ValueType::ExpandString,
                    std::string("\\Documents and Settings\\%USERNAME%"));
  // Expandable data comes as stored, unexpanded.
  EXPECT_EQ(UserProfileFolder(registry), "C:\\Documents and Settings\\%USERNAME%");
}

TEST(UserProfileFolder, WithoutHomePathIsTheDriveAlone) {
  FakeRegistry registry;
  registry.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEDRIVE", ValueType::String,
                    std::string("D:"));
  EXPECT_EQ(UserProfileFolder(registry), "D:");
}

TEST(UserProfileFolder, IsEmptyWhenTheKeyIsMissingOrUnreadable) {
  FakeRegistry missing;
  EXPECT_EQ(UserProfileFolder(missing), "");

  FakeRegistry locked;
  locked.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEDRIVE", ValueType::String,
                  std::string("C:"));
  locked.RefuseFullAccess(RegistryRoot::CurrentUser, kVolatile);
  EXPECT_EQ(UserProfileFolder(locked), "");
}

TEST(UserProfileFolder, IsEmptyWhenAValueIsNotText) {
  // Hostile content must not end the run, nor point the cleaners at a made-up folder.
  FakeRegistry registry;
  registry.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEDRIVE", ValueType::String,
                    std::string("C:"));
  registry.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEPATH", ValueType::Dword, 5u);
  EXPECT_EQ(UserProfileFolder(registry), "");
}

TEST(WindowsPlatform, MapsEachPlatformIdentifier) {
  struct Case {
    std::optional<std::uint32_t> id;
    PlatformFamily family;
  };
  const Case cases[] = {{0u, PlatformFamily::kOther},
                        {1u, PlatformFamily::kWindows9x},
                        {2u, PlatformFamily::kWindowsNt},
                        {3u, PlatformFamily::kOther},
                        {std::nullopt, PlatformFamily::kOther}};
  for (const auto& c : cases) {
    FakeSystemInfo system(c.id);
    EXPECT_EQ(WindowsPlatform(system), c.family) << c.id.value_or(99);
  }
}

class DeleteFilesInFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.AddFile("C:\\work\\plain.txt");
    files_.AddFile("C:\\work\\hidden.dat", attribute::kHidden);
    files_.AddFile("C:\\work\\system.sys", attribute::kSystem | attribute::kHidden);
    files_.AddFile("C:\\work\\readonly.txt", attribute::kReadOnly);
    files_.AddFile("C:\\work\\sub\\deep.txt");
    files_.AddFile("C:\\work\\sub\\deeper\\x.tmp");
    files_.AddFile("C:\\elsewhere.txt");
  }
  FakeFileSystem files_;
};

TEST_F(DeleteFilesInFolderTest, DeletesPlainHiddenAndSystemFilesOnly) {
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\work"), 3);
  EXPECT_FALSE(files_.Exists("C:\\work\\plain.txt"));
  EXPECT_FALSE(files_.Exists("C:\\work\\hidden.dat"));
  EXPECT_FALSE(files_.Exists("C:\\work\\system.sys"));
  EXPECT_TRUE(files_.Exists("C:\\work\\readonly.txt"));
  EXPECT_TRUE(files_.Exists("C:\\work\\sub\\deep.txt"));
  EXPECT_TRUE(files_.Exists("C:\\work\\sub\\deeper\\x.tmp"));
  EXPECT_TRUE(files_.Exists("C:\\elsewhere.txt"));
}

TEST_F(DeleteFilesInFolderTest, ATrailingBackslashGivesTheSameResult) {
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\work\\"), 3);
  EXPECT_TRUE(files_.Exists("C:\\work\\readonly.txt"));
  EXPECT_TRUE(files_.Exists("C:\\work\\sub\\deep.txt"));
}

TEST_F(DeleteFilesInFolderTest, LockedFilesStayUncounted) {
  files_.Lock("C:\\work\\plain.txt");
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\work"), 2);
  EXPECT_TRUE(files_.Exists("C:\\work\\plain.txt"));
}

TEST_F(DeleteFilesInFolderTest, AnEmptyFolderTextNeverSearchesTheRoot) {
  EXPECT_EQ(DeleteFilesInFolder(files_, ""), 0);
  EXPECT_TRUE(files_.searches().empty());
  EXPECT_TRUE(files_.Exists("C:\\elsewhere.txt"));
}

TEST_F(DeleteFilesInFolderTest, AMissingOrEmptyFolderGivesZero) {
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\nowhere"), 0);
  files_.AddFolder("C:\\empty");
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\empty"), 0);
}

TEST_F(DeleteFilesInFolderTest, ABrokenListingKeepsTheCountSoFar) {
  files_.FailListing("C:\\work");
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\work"), 1);
}

TEST_F(DeleteFilesInFolderTest, NeverEntersAJunction) {
  files_.AddJunction("C:\\work\\link", "C:\\elsewhere-folder");
  files_.AddFile("C:\\elsewhere-folder\\precious.doc");
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\work"), 3);
  EXPECT_TRUE(files_.Exists("C:\\elsewhere-folder\\precious.doc"));
}

}  // namespace
}  // namespace tidora::cleaning
