#include "browser/netscape_cleaner.h"

#include <gtest/gtest.h>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/headless_control_set.h"

namespace tidora::browser {
namespace {

using ui::ControlId;
namespace attribute = platform::attribute;

struct Progress final : cleaning::CleanerProgress {
  void ShowCount(int count) override { counts.push_back(count); }
  bool StopRequested() override { return ++stop_tests == stop_at; }
  void Finish() override { ++finished; }
  std::vector<int> counts;
  int stop_tests = 0, stop_at = -1, finished = 0;
};

class NetscapeTest : public ::testing::Test {
 protected:
  static constexpr char kRoot[] = "C:\\data\\Mozilla\\ProFiles\\Default";
  std::string At(const std::string& path) { return std::string(kRoot) + "\\" + path; }
  void TickOnly(std::initializer_list<ControlId> boxes) {
    for (auto id : {ControlId::NsCache, ControlId::NsAddressBar, ControlId::NsCookies,
                    ControlId::NsHistory, ControlId::NsAutoForm}) {
      controls_.SetTicked(id, std::find(boxes.begin(), boxes.end(), id) != boxes.end());
    }
  }
  int Clean() { return CleanNetscapeMozilla(files_, kRoot, controls_, progress_); }
  testing::FakeFileSystem files_;
  testing::HeadlessControlSet controls_;
  Progress progress_;
};

TEST_F(NetscapeTest, EveryTickedBoxCleansEachListedProfileAndCountsOnlyWhatWent) {
  for (const char* file : {"cookies.txt", "history.dat", "Cache\\1.dat", "x.s", "Y.W"}) {
    files_.AddFile(At(" a\\") + file, attribute::kHidden);
  }
  files_.AddFile(At(" a\\localstore.rdf"), attribute::kReadOnly);  // stays, not counted
  files_.AddFile(At(" a\\form.s\\inner.w"));                       // a folder, not a form file
  files_.AddFile(At("a\\cookies.txt"));  // the trimmed name is another profile: hidden
  files_.SetAttributes(At("a"), attribute::kDirectory | attribute::kHidden);
  files_.AddFile(At("note.txt"));  // a plain file finds nothing below it
  files_.AddFile("C:\\elsewhere\\cookies.txt");
  files_.AddJunction(At("linked"), "C:\\elsewhere");
  files_.AddJunction(At("b\\Cache"), "C:\\elsewhere");
  EXPECT_EQ(Clean(), 5);
  EXPECT_EQ(progress_.counts.back(), 5);
  EXPECT_EQ(progress_.finished, 1);
  for (const char* kept : {" a\\localstore.rdf", " a\\form.s\\inner.w", "a\\cookies.txt"}) {
    EXPECT_TRUE(files_.Exists(At(kept))) << kept;
  }
  EXPECT_TRUE(files_.Exists("C:\\elsewhere\\cookies.txt"));
}

TEST_F(NetscapeTest, UntickedBoxesLeaveTheirFilesAndTheCountClimbsFileByFile) {
  for (const char* file : {"p\\cookies.txt", "p\\history.dat", "p\\Cache\\1", "q\\cookies.txt",
                           "q\\history.dat", "q\\x.s"}) {
    files_.AddFile(At(file));
  }
  TickOnly({ControlId::NsCookies, ControlId::NsHistory});
  EXPECT_EQ(Clean(), 4);
  EXPECT_EQ(progress_.counts, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(files_.Exists(At("p\\Cache\\1")) && files_.Exists(At("q\\x.s")));
}

TEST_F(NetscapeTest, AStopEndsTheWorkAfterTheProfileInHandAndLeavesTheRowPending) {
  files_.AddFile(At("p\\cookies.txt"));
  files_.AddFile(At("q\\cookies.txt"));
  TickOnly({ControlId::NsCookies});
  progress_.stop_at = 3;  // the last stop test of the first profile
  EXPECT_EQ(Clean(), 1);
  EXPECT_TRUE(files_.Exists(At("q\\cookies.txt")));
  EXPECT_EQ(progress_.finished, 0);
}

TEST(MozillaProfileRoot, IsBelowTheShellsApplicationDataElseThePlatformsNeverADriveRoot) {
  struct Case {
    std::uint32_t platform;
    const char *shell, *profile, *windows, *root;
  };
  constexpr auto kNt = platform::kPlatformWin32Nt, k9x = platform::kPlatformWin32Windows;
  constexpr Case kCases[] = {
      {kNt, "D:\\u\\AppData", "C:\\me", "C:\\W", "D:\\u\\AppData\\Mozilla\\ProFiles\\Default"},
      {kNt, "", "C:\\me", "C:\\W", "C:\\me\\Application Data\\Mozilla\\ProFiles\\Default"},
      {kNt, "", "C:", "C:\\W", ""},
      {kNt, "", nullptr, "C:\\W", ""},
      {k9x, "", nullptr, " C:\\W ", "C:\\W\\Application Data\\Mozilla\\ProFiles\\Default"},
      {k9x, "", nullptr, "", ""},
      {3, "D:\\u\\AppData", "C:\\me", "C:\\W", ""},
  };
  for (const Case& c : kCases) {
    testing::FakeSystemInfo system(c.platform);
    testing::FakeShell shell;
    shell.application_data_folder = c.shell;
    testing::FakeRegistry registry;
    testing::FakeFileSystem files;
    files.set_windows_folder(c.windows);
    if (c.profile) {
      const std::string profile = c.profile;
      for (auto [name, part] : {std::pair{"HOMEDRIVE", profile.substr(0, 2)},
                                std::pair{"HOMEPATH", profile.substr(2)}}) {
        registry.SetValue(platform::RegistryRoot::CurrentUser, "Volatile Environment", name,
                          platform::ValueType::String, part);
      }
    }
    EXPECT_EQ(MozillaProfileRoot(system, shell, registry, files), c.root)
        << c.platform << (c.profile ? c.profile : "") << c.windows;
  }
}

}  // namespace
}  // namespace tidora::browser
