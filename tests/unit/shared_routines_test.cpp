#include "cleaning/shared_routines.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"

namespace tidora::cleaning {
namespace {

using platform::RegistryRoot;
using platform::ValueType;
using testing::FakeFileSystem;
using testing::FakeRegistry;
namespace attribute = platform::attribute;

constexpr char kVolatile[] = "Volatile Environment";

// Expandable data comes as stored, unexpanded. A missing, locked or hostile key must not end the
// run, nor point the cleaners at a made-up folder.
TEST(UserProfileFolder, JoinsHomeDriveAndHomePathOrIsEmpty) {
  struct Case {
    const char* drive;
    std::optional<platform::ValueType> path_type;  // nullopt: no HOMEPATH
    bool locked;
    const char* folder;
  };
  // clang-format off
  const Case cases[] = {
      {"C:", ValueType::ExpandString, false, "C:\\users\\%USERNAME%"},
      {"D:", std::nullopt,            false, "D:"},
      {"C:", ValueType::String,       true,  ""},
      {"C:", ValueType::Dword,        false, ""},
      {nullptr, std::nullopt,         false, ""},
  };
  // clang-format on
  for (const auto& c : cases) {
    FakeRegistry registry;
    if (c.drive) {
      registry.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEDRIVE", ValueType::String,
                        std::string(c.drive));
    }
    if (c.path_type == ValueType::Dword) {
      registry.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEPATH", ValueType::Dword, 5u);
    } else if (c.path_type) {
      registry.SetValue(RegistryRoot::CurrentUser, kVolatile, "HOMEPATH", *c.path_type,
                        std::string("\\users\\%USERNAME%"));
    }
    if (c.locked) registry.RefuseFullAccess(RegistryRoot::CurrentUser, kVolatile);
    EXPECT_EQ(UserProfileFolder(registry), c.folder) << c.folder;
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

// A trailing backslash gives the same result.
TEST_F(DeleteFilesInFolderTest, DeletesPlainHiddenAndSystemFilesOnly) {
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\work\\"), 3);
  EXPECT_FALSE(files_.Exists("C:\\work\\plain.txt"));
  EXPECT_FALSE(files_.Exists("C:\\work\\hidden.dat"));
  EXPECT_FALSE(files_.Exists("C:\\work\\system.sys"));
  EXPECT_TRUE(files_.Exists("C:\\work\\readonly.txt"));
  EXPECT_TRUE(files_.Exists("C:\\work\\sub\\deep.txt"));
  EXPECT_TRUE(files_.Exists("C:\\work\\sub\\deeper\\x.tmp"));
  EXPECT_TRUE(files_.Exists("C:\\elsewhere.txt"));
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
  EXPECT_EQ(DeleteFilesInFolder(files_, "C:\\nowhere"), 0);
}

TEST_F(DeleteFilesInFolderTest, ABrokenListingKeepsTheCountSoFar) {
  files_.FailListing("C:\\work", 1);
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
