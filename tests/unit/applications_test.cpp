// The Applications tab on fakes: what it offers and how ticks behave, and the rows and bar of a
// run that takes its entries.

#include <gtest/gtest.h>

#include "cleaning/cleaning_items.h"
#include "cleaning/cookie_keep_list.h"
#include "composition/features.h"
#include "platform/sqlite/sqlite_database.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/fake_url_cache.h"
#include "tests/support/headless_control_set.h"
#include "ui/main_form.h"

namespace tidora::testing {
namespace {

using Id = ui::ControlId;
using ui::TickState;
constexpr Id kTree = Id::AppTree;

constexpr const char* kRules =
    R"(; groups out of order, one entry undetected, one for another Windows
[Zeta Cache *]
LangSecRef=3029
Default=True
FileKey1=%LocalAppData%\Zeta|*.tmp

[Alpha Cache *]
LangSecRef=3029
DetectFile=%LocalAppData%\Zeta
Default=True
FileKey1=%LocalAppData%\Alpha|*.tmp

[Risky Lists *]
LangSecRef=3029
Warning=This also forgets the open tabs.
RegKey1=HKCU\Software\Zeta\Lists

[Fox Sessions *]
LangSecRef=3026
FileKey1=%AppData%\Fox|*.js

[Own Thing *]
LangSecRef=1234
FileKey1=%Temp%|*.own

[Absent Cache *]
LangSecRef=3026
DetectFile=%LocalAppData%\Nowhere
FileKey1=%LocalAppData%\Nowhere|*.tmp

[Old Windows *]
LangSecRef=3025
DetectOS=|6.1
FileKey1=%LocalAppData%\Old|*.tmp
)";

struct Pc {
  Pc() {
    shell.known_folders = UserKnownFolders();
    for (const auto& [known, path] : shell.known_folders) files.AddFolder(path);
    const std::string local = shell.known_folders[platform::KnownFolder::kLocalAppData];
    for (const char* file : {"\\Zeta\\a.tmp", "\\Zeta\\b.tmp", "\\Alpha\\c.tmp"})
      files.AddFile(local + file, platform::attribute::kArchive, 10);
    for (const auto& item : cleaning::CleaningItems()) controls.SetTicked(item.gate, false);
    controls.SetEnabled(Id::groupNetscape, false);
    controls.OnNodeTicked([this](Id tree, int node) { form.HandleNodeTicked(tree, node); });
    controls.OnClick([this](Id id) { form.HandleClick(id); });
  }
  void Load() {
    while (form.IdleSlice()) {
    }
  }
  std::vector<std::string> Tree() const {
    std::vector<std::string> nodes;
    for (int node = 0; node < controls.NodeCount(kTree); ++node) {
      const char* state[] = {"[ ]", "[x]", "[-]"};
      nodes.push_back((controls.NodeParent(kTree, node) < 0 ? "" : "  ") +
                      std::string(state[int(controls.NodeTick(kTree, node))]) + " " +
                      controls.NodeText(kTree, node));
    }
    return nodes;
  }

  FakeRegistry registry;
  FakeFileSystem files;
  FakeShell shell;
  FakeSystemInfo system;
  FakeUrlCache cache;
  HeadlessControlSet controls;
  sqlite::SqliteOpener databases;
  composition::Features features{controls,
                                 {registry, files, shell, system, cache, databases,
                                  [] { return std::make_unique<FakeUrlHistoryStore>(0); },
                                  [] { return std::string(kRules); }}};
  ui::MainForm form{controls, registry, shell, features.All()};
};

// Groups in order, "Other" last, entries as their Default says; a group ticks its entries, and a
// warning refused leaves one unticked.
TEST(ApplicationsTab, OffersTheDetectedEntriesByGroupAndAGroupTicksThemWarningsAsked) {
  Pc pc;
  EXPECT_EQ(pc.controls.NodeCount(kTree), 0);
  pc.Load();
  EXPECT_EQ(pc.Tree(),
            (std::vector<std::string>{"[ ] Firefox", "  [ ] Fox Sessions", "[-] Google Chrome",
                                      "  [x] Alpha Cache", "  [ ] Risky Lists", "  [x] Zeta Cache",
                                      "[ ] Other", "  [ ] Own Thing"}));
  EXPECT_EQ(pc.controls.Caption(Id::AppStatusLabel), "Built-in rules: 5 entries found on this PC.");
  pc.shell.answer_yes = false;
  pc.controls.UserTicks(kTree, 2);  // Google Chrome, partly ticked: becomes ticked
  EXPECT_EQ(pc.Tree()[2], "[-] Google Chrome");
  EXPECT_EQ(pc.Tree()[4], "  [ ] Risky Lists");
  EXPECT_EQ(pc.shell.questions,
            std::vector<std::string>{"Risky Lists: This also forgets the open tabs."});
  pc.shell.answer_yes = true;
  pc.controls.UserTicks(kTree, 4);
  EXPECT_EQ(pc.Tree()[2], "[x] Google Chrome");
  pc.controls.UserTicks(kTree, 2);
  EXPECT_EQ(pc.Tree()[3], "  [ ] Alpha Cache");
  EXPECT_EQ(pc.Tree()[2], "[ ] Google Chrome");
}

// A tick set on the control with no click (an automation tool's) counts as a click does; each
// ticked entry gets a row after the items, and the bar shares its last fifth among them.
TEST(ApplicationsTab, TheRunTakesWhatTheTreeShowsTickedEachInARowOfItsOwn) {
  Pc pc;
  pc.Load();
  pc.controls.SetNodeTick(kTree, 7, TickState::kTicked);  // Own Thing, no files to remove
  pc.controls.SetNodeTick(kTree, 3, TickState::kUnticked);
  std::vector<int> positions;
  pc.controls.WhenInputIsDispatched(
      [&](int) { positions.push_back(pc.controls.Position(Id::CleanResultProgressBar)); });
  pc.features.cleaning_run().bntPreviewClick();
  const int rows = pc.controls.RowCount(Id::sgResultList);
  ASSERT_GE(rows, 3);
  EXPECT_EQ(pc.controls.Cell(Id::sgResultList, rows - 3, 0), "Zeta Cache");
  EXPECT_EQ(pc.controls.Cell(Id::sgResultList, rows - 3, 1), "2");
  EXPECT_EQ(pc.controls.Cell(Id::sgResultList, rows - 3, 2), "Found");
  EXPECT_EQ(pc.controls.Cell(Id::sgResultList, rows - 2, 0), "Own Thing");
  // The items' 80 steps (Netscape's group is disabled) in four fifths of the bar, then half of
  // the last fifth for each entry; the end only when the run is.
  EXPECT_TRUE(std::ranges::is_sorted(positions));
  EXPECT_NE(std::ranges::find(positions, 64), positions.end());
  EXPECT_EQ(positions.back(), 90);
  EXPECT_EQ(pc.controls.Position(Id::CleanResultProgressBar), 100);
  EXPECT_TRUE(pc.files.Exists(pc.shell.known_folders[platform::KnownFolder::kLocalAppData] +
                              "\\Zeta\\a.tmp"));
  pc.features.cleaning_run().bntCleanNowClick();
  EXPECT_EQ(pc.controls.Cell(Id::sgResultList, rows - 3, 2), "Finished");
  EXPECT_EQ(pc.controls.Caption(Id::TotalResult), "2");
  EXPECT_FALSE(pc.files.Exists(pc.shell.known_folders[platform::KnownFolder::kLocalAppData] +
                               "\\Zeta\\a.tmp"));
  EXPECT_TRUE(pc.files.Exists(pc.shell.known_folders[platform::KnownFolder::kLocalAppData] +
                              "\\Alpha\\c.tmp"));
}

// After its own rules, a file beside the program, then one in %AppData%\Tidora: entries start
// unticked, a name loaded already is skipped, and the label says what became of each file.
TEST(ApplicationsTab, ReadsUsersRuleFilesAfterItsOwnAndSaysWhatBecameOfEach) {
  const std::string beside = "C:\\Program Files\\Tidora\\winapp2.ini",
                    in_app_data = "C:\\users\\me\\AppData\\Roaming\\Tidora\\winapp2.ini",
                    first = "Built-in rules: 5 entries found on this PC. ";
  struct Case {
    std::string beside, in_app_data;
    std::uint64_t size = 0;  // of the file beside, when its contents are not set
    bool locked = false;
    std::string label;
  } cases[] = {
      {"[Zeta Cache *]\nFileKey1=%Temp%|*.x\n[Mine *]\nDefault=True\nFileKey1=%Temp%|*.y\n"
       "[Bad *]\nFileKey1=%UserProfile%|*.*|RECURSE\n",
       "[Mine *]\nFileKey1=%Temp%|*.z\n[Theirs "
       "*]\nDetectFile=%Temp%\\Nothing\nFileKey1=%Temp%|*.w\n",
       0, false,
       first + "winapp2.ini: 3 entries read, 1 found on this PC, 1 refused as unsafe, 1 skipped. "
               "%AppData%\\Tidora\\winapp2.ini: 2 entries read, 1 skipped."},
      {"[A *]\nDetectFoo=1\nFileKey1=%Temp%|*.a\n[B *]\nRegKey1=HKCU\\Software\n", "", 0, false,
       first + "winapp2.ini: 2 entries read, 1 refused as unsafe, 1 skipped."},
      {"", "", (16u << 20) + 1, false, first + "winapp2.ini: larger than 16 MB, not read."},
      {"MZ\x90\x03\nPE\x01\n=\xff\n", "", 0, false, first + "winapp2.ini: no entries."},
      {"[A *]\nFileKey1=%Temp%|*.a\n", "", 0, true, first + "winapp2.ini: could not be read."},
  };
  for (const Case& test : cases) {
    Pc pc;
    if (test.size) pc.files.AddFile(beside, platform::attribute::kArchive, test.size);
    if (!test.beside.empty()) pc.files.SetContents(beside, test.beside);
    if (test.locked) pc.files.Lock(beside);
    if (!test.in_app_data.empty()) pc.files.SetContents(in_app_data, test.in_app_data);
    pc.Load();
    EXPECT_EQ(pc.controls.Caption(Id::AppStatusLabel), test.label);
    if (&test != &cases[0]) continue;
    const auto tree = pc.Tree();
    EXPECT_NE(std::ranges::find(tree, "  [ ] Mine"), tree.end()) << "opt-in whatever its Default";
    pc.controls.Click(Id::bntAppDetails);
    const std::string details = pc.controls.Caption(Id::DetailsText);
    EXPECT_EQ(std::ranges::count(details, '\n'), 3) << details;
    EXPECT_NE(details.find("winapp2.ini, line 7: Bad: FileKey1=%UserProfile%|*.*|RECURSE: "),
              std::string::npos)
        << details;
  }
}

// Cookies to keep…: the hosts found are offered, a typed domain is tidied, and only a Save writes;
// an emptied list leaves nothing behind. The Internet Explorer cookie item keeps those domains.
TEST(ApplicationsTab, CookiesToKeepOffersTheHostsFoundAndOnlyASaveWrites) {
  Pc pc;
  for (const char* url : {"Cookie:me@mail.example.com/", "Cookie:me@.tracker.net/x"})
    pc.cache.entries.push_back({url, 1u << 20});
  pc.Load();
  ui::ControlSet::ListEdit shown;
  std::optional<std::vector<std::string>> answer;
  pc.controls.list_editor = [&](const ui::ControlSet::ListEdit& edit) {
    shown = edit;
    return answer;
  };
  const auto saved = [&] { return cleaning::ReadCookieKeepList(pc.registry).domains(); };
  answer = std::vector<std::string>{" Example.COM", "no such host!"};
  pc.controls.Click(Id::bntCookiesToKeep);
  EXPECT_EQ(shown.suggestions, (std::vector<std::string>{"mail.example.com", "tracker.net"}));
  EXPECT_FALSE(shown.accept("two words"));
  EXPECT_EQ(saved(), std::vector<std::string>{"example.com"});

  answer = std::nullopt;  // Cancel
  pc.controls.Click(Id::bntCookiesToKeep);
  EXPECT_EQ(shown.items, std::vector<std::string>{"example.com"});
  EXPECT_EQ(saved(), std::vector<std::string>{"example.com"});

  pc.controls.SetTicked(Id::IECookies, true);
  pc.controls.Click(Id::bntCleanNow);
  EXPECT_EQ(pc.cache.entries[0].url, "Cookie:me@mail.example.com/");
  EXPECT_EQ(pc.cache.entries[1].url, "");  // deleted

  answer = std::vector<std::string>{};
  pc.controls.Click(Id::bntCookiesToKeep);
  EXPECT_FALSE(
      pc.registry.OpenForRead(platform::RegistryRoot::CurrentUser, cleaning::kKeepCookiesKey));
}

}  // namespace
}  // namespace tidora::testing
