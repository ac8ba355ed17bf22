// Preview against Start, through the real cleaners on the fakes: no call of a preview reaches what
// would change the system, and a Start on the same state then removes what each row showed.

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "cleaning/cleaning_items.h"
#include "composition/features.h"
#include "platform/sqlite/sqlite_database.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/headless_control_set.h"
#include "tests/support/strict_fakes.h"

namespace tidora::testing {
namespace {

using Id = ui::ControlId;
namespace attribute = platform::attribute;
constexpr auto CU = platform::RegistryRoot::CurrentUser;

constexpr const char* kRules = R"([Vendor Cache *]
FileKey1=%LocalAppData%\Vendor\Cache|*|REMOVESELF
ExcludeKey1=FILE|%LocalAppData%\Vendor\Cache\|keep.idx

[Vendor Lists *]
RegKey1=HKCU\Software\Vendor\App\Recent
ExcludeKey1=REG|HKCU\Software\Vendor\App\Recent\Keep
)";

// A machine's traces made from a seed: links, refused keys, read-only, hidden, locked and
// 8.3-named files, a junction, locked cache entries, a temporary folder named by its 8.3 alias.
struct Machine {
  explicit Machine(unsigned seed) : random(seed) { Plant(); }

  int Pick(int choices) { return int(random() % unsigned(choices)); }
  void Files(const std::string& folder, std::initializer_list<const char*> names) {
    constexpr std::uint32_t kKinds[] = {attribute::kArchive, attribute::kHidden,
                                        attribute::kReadOnly, attribute::kSystem};
    for (const char* name : names) {
      if (Pick(4) == 0) continue;
      files.AddFile(folder + name, kKinds[Pick(4)], std::uint64_t(Pick(5000)));
      if (Pick(5) == 0) files.Lock(folder + name);
    }
  }
  void Values(const std::string& key, int most) {
    for (int n = Pick(most + 1); n > 0; --n)
      registry.SetValue(CU, key, "v" + std::to_string(n), platform::ValueType::String, "x");
  }
  void Cache(const std::string& prefix, std::uint32_t type, int* locked) {
    for (int n = Pick(4); n > 0; --n) {
      const bool held = Pick(4) == 0;
      *locked += held;
      cache.entries.push_back({prefix + std::to_string(n), type, held, 0,
                               held ? "" : "C:\\cache\\" + std::to_string(n), std::uint32_t(n)});
    }
  }
  void Plant() {
    const std::string ie = "Software\\Microsoft\\Internet Explorer\\",
                      storage = "Software\\Microsoft\\Protected Storage System Provider\\S-1",
                      office = "Software\\Microsoft\\Office\\10.0\\";
    Values(ie + "TypedURLs", 3);
    Values(ie + "IntelliForms\\Forms", 1);
    Values(storage + "\\Data", 3);
    if (Pick(2)) registry.MakeLink(CU, storage + "\\Back");
    if (Pick(2)) registry.RefuseDeletion(CU, storage);
    Values("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", 3);
    Values(ie + "Explorer Bars\\{B}\\FilesNamedMRU", 2);
    Values(office + "Word\\Data", 1);
    Values(office + "Excel\\Recent Files", 2);
    if (Pick(2)) registry.RefuseDeletion(CU, office + "Excel\\Recent Files");
    shell.recent_folder = "C:\\users\\me\\Recent";
    Files("C:\\users\\me\\Recent\\", {"a.lnk", "b.lnk"});
    files.AddFolder("C:\\users\\me\\Temporary Files");
    files.set_temp_folder("C:\\users\\me\\TEMPOR~1\\");
    Files("C:\\users\\me\\Temporary Files\\", {"report.tmpl", "a.dat", "b.dat"});
    shell.application_data_folder = "C:\\users\\me\\AppData";
    const std::string profile = "C:\\users\\me\\AppData\\Mozilla\\ProFiles\\Default\\p\\";
    Files(profile, {"cookies.txt", "history.dat", "localstore.rdf", "f.s", "Cache\\1.dat"});
    Files("C:\\users\\me\\AppData\\Microsoft\\Office\\Recent\\", {"r.lnk"});
    Files("C:\\Docs\\", {"letter.doc", "x.tmp"});
    if (Pick(3) == 0)
      files.AddJunction("C:\\users\\me\\AppData\\Microsoft\\Office\\Recent", "C:\\Docs");
    Files("C:\\data\\", {"a.tmp", "B.TMP", "deep\\c.tmp", "keep.txt"});
    files.AddJunction("C:\\data\\loop", "C:\\data");
    Cache("http://x/", 1, &locked_entries[0]);
    Cache("Cookie:me@x/", 1u << 20, &locked_entries[1]);
    Cache("Visited: me@http://x/", 1u << 21, &locked_entries[2]);
    shell.known_folders = UserKnownFolders();
    // What the rule entries below reach: an exclusion, a link, folders a run may empty.
    const std::string vendor = "C:\\users\\me\\AppData\\Local\\Vendor\\Cache\\";
    Files(vendor, {"a.bin", "b.bin", "sub\\c.bin", "sub\\deep\\d.bin", "keep.idx"});
    if (Pick(2)) files.AddJunction(vendor + "link", "C:\\Docs");
    Values("Software\\Vendor\\App\\Recent", 2);
    Values("Software\\Vendor\\App\\Recent\\Keep", 1);
    Values("Software\\Vendor\\App\\Recent\\Old", 2);
    const int recycled = Pick(3);
    shell.recycle_bin = {std::uint64_t(recycled), std::uint64_t(recycled * 700)};
    shell.clipboard_free = Pick(4) != 0;
  }
  std::string Snapshot() {
    std::string urls;
    for (const auto& entry : cache.entries) urls += entry.url + ";";
    return registry.Snapshot() + files.Snapshot() + urls +
           std::to_string(shell.recycle_bin.items + shell.clipboard_emptied);
  }
  // Ticks only the items select() holds for; the Netscape block runs while its group is enabled.
  template <typename Select>
  void Tick(Select select) {
    for (const auto& item : cleaning::CleaningItems()) {
      if (item.block == cleaning::Block::kNetscape) {
        controls.SetEnabled(Id::groupNetscape, select(item));
      } else {
        controls.SetTicked(item.gate, select(item));
      }
    }
  }
  void TickEntries() {
    while (features.All().back()->IdleSlice()) {
    }
    for (int node = 0; node < controls.NodeCount(Id::AppTree); ++node)
      controls.SetNodeTick(Id::AppTree, node, ui::TickState::kTicked);
  }
  // Each row's caption, count and status.
  std::vector<std::tuple<std::string, int, std::string>> Rows() {
    std::vector<std::tuple<std::string, int, std::string>> rows;
    for (int row = 1; row + 1 < controls.RowCount(Id::sgResultList); ++row)
      rows.emplace_back(controls.Cell(Id::sgResultList, row, 0),
                        std::stoi(controls.Cell(Id::sgResultList, row, 1)),
                        controls.Cell(Id::sgResultList, row, 2));
    return rows;
  }

  std::mt19937 random;
  Strictness strictness{false};  // while previewing, no call that changes things may arrive
  GuardedRegistry registry{strictness};
  GuardedFiles files{strictness};
  GuardedShell shell{strictness};
  FakeSystemInfo system;
  GuardedCache cache{strictness};
  HeadlessControlSet controls;
  int locked_entries[3] = {};  // content, cookies, visited: a preview cannot know them held
  sqlite::SqliteOpener databases;
  composition::Features features{controls,
                                 {registry, files, shell, system, cache, databases,
                                  [] { return std::make_unique<FakeUrlHistoryStore>(0); },
                                  [] { return std::string(kRules); }}};
};

// For one state and one selection: nothing changes in the preview, and Start removes the same.
template <typename Select>
void PreviewThenStart(unsigned seed, Select select, bool with_entries = false) {
  Machine machine(seed);
  machine.Tick(select);
  if (with_entries) machine.TickEntries();
  const std::string before = machine.Snapshot();
  machine.strictness.strict = true;
  machine.features.cleaning_run().bntPreviewClick();
  machine.strictness.strict = false;
  EXPECT_EQ(machine.Snapshot(), before) << "seed " << seed;
  const auto shown = machine.Rows();
  const auto would_remove = machine.features.cleaners().Removed();
  machine.features.cleaning_run().bntCleanNowClick();
  const auto done = machine.Rows();
  const auto removed = machine.features.cleaners().Removed();
  ASSERT_EQ(done.size(), shown.size()) << "seed " << seed;
  // Entries another program holds count in a preview only; what the system decides is set aside.
  const std::string held[] = {"Internet Explorer Temporary Files Folder",
                              "Internet Explorer Cookies",
                              "Internet Explorer Visited in index.dat"};
  for (size_t row = 0; row < shown.size(); ++row) {
    const auto& [caption, count, status] = shown[row];
    const auto kind = std::ranges::find(held, caption) - std::begin(held);
    if (status == "Estimated") continue;
    EXPECT_EQ(std::get<0>(done[row]), caption);
    EXPECT_EQ(std::get<1>(done[row]), count - (kind < 3 ? machine.locked_entries[kind] : 0))
        << caption << ", seed " << seed;
  }
  EXPECT_EQ(removed.files, would_remove.files) << "seed " << seed;
  EXPECT_EQ(removed.bytes, would_remove.bytes) << "seed " << seed;
}

TEST(Preview, ChangesNothingAndStartRemovesWhatEachItemAloneShowed) {
  for (unsigned seed = 0; seed < 8; ++seed) {
    for (const auto& chosen : cleaning::CleaningItems())
      PreviewThenStart(seed, [&](const cleaning::CleaningItem& item) { return &item == &chosen; });
  }
}

TEST(Preview, ChangesNothingAndStartRemovesWhatEveryItemAndEntryShowed) {
  for (unsigned seed = 0; seed < 40; ++seed)
    PreviewThenStart(
        seed, [](const auto&) { return true; }, true);
}

}  // namespace
}  // namespace tidora::testing
