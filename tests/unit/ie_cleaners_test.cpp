// The Internet Explorer items on fakes, through the run as the main window wires them.

#include <gtest/gtest.h>

#include <map>

#include "browser/autocomplete_cleaner.h"
#include "browser/ie_cleaners.h"
#include "composition/features.h"
#include "tests/contract/url_cache_contract.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/fake_url_cache.h"
#include "tests/support/headless_control_set.h"

namespace tidora::testing {
namespace {

using ui::ControlId;
constexpr auto kUser = platform::RegistryRoot::CurrentUser;

struct FakeUrlCacheEnvironment {
  FakeUrlCache fake;
  platform::UrlCache& cache() { return fake; }
  std::string Plant(CacheKind kind, const std::string& name) {
    const char* prefix[] = {"http://t/", "Cookie:me@t/", "Visited: me@http://t/"};
    fake.entries.push_back(
        {prefix[int(kind)] + name, std::uint32_t{1} << (kind > CacheKind{} ? 19 + int(kind) : 0)});
    return fake.entries.back().url;
  }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, UrlCacheContract, FakeUrlCacheEnvironment);

TEST(TIECache, EntryInfoIsClearedByADeletionAndKeptByAFailedAdvance) {
  FakeUrlCache fake;
  fake.entries = {{"http://a/"}};
  browser::TIECache cache(fake);
  EXPECT_EQ(cache.FindFirstEntry(0), 259u);  // made in code: mask 0 until the options are written
  cache.SetFilterOptions(browser::kStoredFilterOptions);
  ASSERT_EQ(cache.FindFirstEntry(0), 0u);
  EXPECT_EQ(cache.EntryInfo().LastAccessTime, 36526.0);
  EXPECT_EQ(cache.FindNextEntry() + cache.DeleteEntry("http://a/"), 259u);
  EXPECT_EQ(cache.EntryInfo().SourceUrlName, "");
}

struct InternetExplorerRun : ::testing::Test {
  InternetExplorerRun() {
    for (int id = int(ControlId::WinDocumentHistory); id <= int(ControlId::WinClipboard); ++id) {
      controls.SetTicked(ControlId(id), false);
    }
    controls.SetEnabled(ControlId::groupNetscape, false);
    controls.SetEnabled(ControlId::groupOffice, false);
  }
  void Run(std::int32_t history_answer,
           std::function<void(composition::Features&)> meanwhile = {}) {
    composition::Features features{controls,
                                   {registry, files, shell, system, cache, [=] {
                                      if (history_answer == 1) throw std::runtime_error("none");
                                      return std::make_unique<FakeUrlHistoryStore>(history_answer);
                                    }}};
    if (meanwhile) controls.WhenInputIsDispatched([&](int) { meanwhile(features); });
    features.cleaning_run().bntCleanNowClick();
  }
  // Each row's count and the first letter of its status (Finished, Pending); "=" and the total.
  std::string Rows() const {
    std::string rows;
    for (int row = 1; row + 1 < controls.RowCount(ControlId::sgResultList); ++row) {
      rows += controls.Cell(ControlId::sgResultList, row, 1) +
              controls.Cell(ControlId::sgResultList, row, 2)[0];
    }
    return rows + "=" + controls.Caption(ControlId::TotalResult);
  }
  HeadlessControlSet controls;
  FakeRegistry registry;
  FakeShell shell;
  FakeFileSystem files;
  FakeSystemInfo system;
  FakeUrlCache cache;
};

TEST_F(InternetExplorerRun, EachRowCountsOnlyWhatWasRemoved) {
  for (const char* name : {"1", "2", "3"})
    registry.SetValue(kUser, browser::kTypedUrlsKey, name, platform::ValueType::Dword, 1u);
  registry.Create(kUser, browser::kIntelliFormsKey);
  cache.entries = {{"http://x/1"},
                   {"http://x/locked", 1, true},
                   {"http://x/growing", 1, false, 1},
                   {"http://x/2"},
                   {"Cookie:me@x/", 1 << 20},
                   {"Visited: me@http://x/", 1 << 21},
                   {"http://x/sparse", 1 << 16}};
  Run(0);  // the store clears: S_OK
  EXPECT_EQ(Rows(), "3F3F1F1F1F1F=10");
  EXPECT_EQ(cache.filters, std::vector<std::uint32_t>(3, 0x00300035));  // the main window's set
  EXPECT_TRUE(cache.walks.empty());
  EXPECT_EQ(cache.entries[1].url + cache.entries[6].url, "http://x/lockedhttp://x/sparse");
  for (std::int32_t refused : {std::int32_t(0x80004001), 1}) {  // E_NOTIMPL; no store at all
    Run(refused);
    EXPECT_EQ(Rows(), "0F0F0F0F0F0F=0");
  }
}

TEST_F(InternetExplorerRun, StopInTheContentCacheKeepsPendingAndClosesTheWalk) {
  cache.entries = {{"http://x/1"}, {"http://x/2"}};
  Run(0, [&](composition::Features& features) {
    const bool deleting = cache.entries[0].url.empty();  // after the first deletion
    if (deleting && !features.cleaning_run().IsRunStopped()) {
      features.cleaning_run().bntStopFinishClick();
    }
  });
  EXPECT_EQ(Rows(), "0F1P=1");
  EXPECT_TRUE(cache.walks.empty());
}

TEST_F(InternetExplorerRun, NoInternetExplorerItemTickedLooksForNoWindow) {
  for (int id = int(ControlId::IEABH); id <= int(ControlId::IEBleachIndex); ++id)
    controls.SetTicked(ControlId(id), false);
  Run(0);
  EXPECT_EQ(shell.window_searches, 0);
}

// Every feature's table joined: each cleaner once, and a row for every item the run takes.
TEST_F(InternetExplorerRun, TheJoinedTableHasOneRowPerCleanerAndOneForEveryItem) {
  composition::Features features{controls, {registry, files, shell, system, cache, [] {
                                              return std::make_unique<FakeUrlHistoryStore>(0);
                                            }}};
  std::map<cleaning::CleanerId, int> rows;
  for (const auto& row : features.cleaners().rows()) ++rows[row.id];
  for (const auto& [id, count] : rows) EXPECT_EQ(count, 1) << int(id);
  for (const auto& item : cleaning::CleaningItems()) EXPECT_EQ(rows.count(item.cleaner), 1u);
}

TEST(CloseInternetExplorer, AsksOnceClosesEachFrameOnceAndWaitsTenSecondsAtMost) {
  struct {
    std::vector<std::string> windows;
    bool yes, ignored;
    std::vector<platform::WindowId> posted;
    int paused_ms;
  } cases[] = {{{"Shell_TrayWnd"}, true, false, {}, 0},
               {{"IEFrame"}, false, false, {}, 0},
               {{"IEFrame", "Notepad", "ieframe"}, true, false, {1, 3}, 100},
               {{"ieframe"}, true, true, {1}, 10000}};
  for (const auto& c : cases) {
    HeadlessControlSet controls;
    FakeShell shell;
    shell.open_windows = c.windows;
    shell.answer_yes = c.yes;
    shell.windows_ignore_close = c.ignored;
    browser::CloseInternetExplorer(controls, shell);
    EXPECT_EQ(shell.questions.size(), c.windows[0] != "Shell_TrayWnd");
    EXPECT_EQ(shell.posted_to, c.posted);
    EXPECT_EQ(shell.paused_ms, c.paused_ms);
  }
}

TEST(WipeRegistryKey, EmptiesKeysThatRefuseDeletionByTheirListedNamesAndSkipsLinks) {
  FakeRegistry registry;
  const std::string key = browser::kProtectedStorageKey;
  for (std::string subkey : {"", "\\Data ", "\\Back"}) {
    for (const char* name : {"a", "b", "c"})
      registry.SetValue(kUser, key + subkey, name, platform::ValueType::Dword, 1u);
    registry.RefuseDeletion(kUser, key + subkey);
  }
  registry.MakeLink(kUser, key + "\\Back");
  struct : cleaning::CleanerProgress {
    void ShowCount(int) override {}
    bool StopRequested() override { return false; }
    void Finish() override {}
  } progress;
  EXPECT_EQ(browser::WipeRegistryKey(registry, kUser, key, progress), 6);
  EXPECT_EQ(registry.Open(kUser, key + "\\Back")->ValueNames().size(), 3u);
}

}  // namespace
}  // namespace tidora::testing
