#include "cleaning/shared_routines.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"

namespace tidora::cleaning {
namespace {

using platform::ValueType;
using testing::FakeFileSystem;
using testing::FakeRegistry;
namespace attribute = platform::attribute;
constexpr auto kUser = platform::RegistryRoot::CurrentUser;
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
    if (c.drive)
      registry.SetValue(kUser, kVolatile, "HOMEDRIVE", ValueType::String, std::string(c.drive));
    if (c.path_type == ValueType::Dword) {
      registry.SetValue(kUser, kVolatile, "HOMEPATH", ValueType::Dword, 5u);
    } else if (c.path_type) {
      registry.SetValue(kUser, kVolatile, "HOMEPATH", *c.path_type,
                        std::string("\\users\\%USERNAME%"));
    }
    if (c.locked) registry.RefuseFullAccess(kUser, kVolatile);
    EXPECT_EQ(UserProfileFolder(registry), c.folder) << c.folder;
  }
}

// Plain, hidden and system files go; read-only and locked ones stay uncounted; subfolders and
// links are never entered; an empty folder text never searches the root.
TEST(DeleteFilesInFolder, DeletesWhatIsDirectlyInsideOnly) {
  FakeFileSystem files;
  files.AddFile("C:\\work\\plain.txt");
  files.AddFile("C:\\work\\locked.txt");
  files.AddFile("C:\\work\\hidden.dat", attribute::kHidden);
  files.AddFile("C:\\work\\system.sys", attribute::kSystem | attribute::kHidden);
  const char* kept[] = {"C:\\work\\readonly.txt", "C:\\work\\locked.txt",
                        "C:\\work\\sub\\deeper\\x.tmp", "C:\\elsewhere\\precious.doc"};
  for (const char* path : kept)
    if (!files.Exists(path)) files.AddFile(path);
  files.SetAttributes("C:\\work\\readonly.txt", attribute::kReadOnly);
  files.Lock("C:\\work\\locked.txt");
  files.AddJunction("C:\\work\\link", "C:\\elsewhere");
  EXPECT_EQ(DeleteFilesInFolder(files, ""), 0);
  EXPECT_TRUE(files.searches().empty());
  EXPECT_EQ(DeleteFilesInFolder(files, "C:\\nowhere"), 0);
  EXPECT_EQ(DeleteFilesInFolder(files, "C:\\work\\"), 3);
  for (const char* path : kept) EXPECT_TRUE(files.Exists(path)) << path;
  files.AddFile("C:\\work\\a.txt");
  files.AddFile("C:\\work\\b.txt");
  files.FailListing("C:\\work", 1);  // a broken listing keeps the count so far
  EXPECT_EQ(DeleteFilesInFolder(files, "C:\\work"), 1);
}

}  // namespace
}  // namespace tidora::cleaning
