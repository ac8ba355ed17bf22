// The Internet Explorer items on fakes, through the run as the main window wires them.

#include <gtest/gtest.h>

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

using platform::RegistryRoot;
using ui::ControlId;
constexpr auto kUser = RegistryRoot::CurrentUser;

struct FakeUrlCacheEnvironment {
  FakeUrlCache fake;
  platform::UrlCache& cache() { return fake; }
  std::string Plant(CacheKind kind, const std::string& name) {
    const char* prefix[] = {"http://t.test/", "Cookie:me@t.test/", "Visited: me@http://t.test/"};
    const std::uint32_t type[] = {1, 1 << 20, 1 << 21};
    fake.entries.push_back({prefix[int(kind)] + name, type[int(kind)]});
    return fake.entries.back().url;
  }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, UrlCacheContract, FakeUrlCacheEnvironment);

TEST(TIECache, EntryInfoIsClearedByADeletionAndKeptByAFailedAdvance) {
  FakeUrlCache fake;
  fake.entries = {{"http://a.test/"}};
  browser::TIECache cache(fake);
  EXPECT_EQ(cache.FilterMask(), 0u);  // made in code: no mask until the options are written
  EXPECT_EQ(cache.FindFirstEntry(0), platform::kErrorNoMoreItems);
  cache.SetFilterOptions(browser::kStoredFilterOptions);
  ASSERT_EQ(cache.FindFirstEntry(0), 0u);
  EXPECT_EQ(cache.EntryInfo().LastAccessTime, 36526.0);
  EXPECT_EQ(cache.FindNextEntry(), platform::kErrorNoMoreItems);
  EXPECT_EQ(cache.EntryInfo().SourceUrlName, "http://a.test/");
  EXPECT_EQ(cache.DeleteEntry("http://a.test/"), 0u);
  EXPECT_EQ(cache.EntryInfo().SourceUrlName, "");
  fake.library_present = false;
  EXPECT_EQ(cache.FindFirstEntry(0), platform::kErrorFileNotFound);
}

class InternetExplorerRun : public ::testing::Test {
 protected:
  InternetExplorerRun() {
    for (ControlId id : {ControlId::WinDocumentHistory, ControlId::WinRunHistory,
                         ControlId::WinFindSearch, ControlId::WinTFD, ControlId::WinRecycleBin,
                         ControlId::WinClipboard, ControlId::groupNetscape}) {
      controls_.SetTicked(id, false);
      controls_.SetEnabled(id, false);
    }
  }
  std::string Row(int row) const {
    return controls_.Cell(ControlId::sgResultList, row, 1) + "|" +
           controls_.Cell(ControlId::sgResultList, row, 2);
  }
  composition::Features Features(std::int32_t history_answer) {
    return {controls_, {registry_, files_, shell_, system_, cache_, [history_answer] {
                          if (history_answer == 1) throw std::runtime_error("no store");
                          return std::make_unique<FakeUrlHistoryStore>(history_answer);
                        }}};
  }

  HeadlessControlSet controls_;
  FakeRegistry registry_;
  FakeShell shell_;
  FakeFileSystem files_;
  FakeSystemInfo system_;
  FakeUrlCache cache_;
};

TEST_F(InternetExplorerRun, EveryItemCountsWhatItRemovedAndTheRowsAddUp) {
  for (const char* name : {"url1", "url2", "url3"}) {
    registry_.SetValue(kUser, browser::kTypedUrlsKey, name, platform::ValueType::Dword, 1u);
  }
  registry_.Create(kUser, browser::kIntelliFormsKey);
  cache_.entries = {{"http://x/1"},
                    {"http://x/locked", 1, true},
                    {"http://x/grows", 1, false, 1},
                    {"http://x/2"},
                    {"Cookie:me@x/", 1 << 20},
                    {"Visited: me@http://x/", 1 << 21},
                    {"http://x/sparse", 1 << 16}};
  Features(0).cleaning_run().bntCleanNowClick();  // the store clears: S_OK
  const char* rows[] = {"3|Finished", "3|Finished", "1|Finished",
                        "1|Finished", "1|Finished", "1|Finished"};
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(Row(row), rows[row - 1]) << row;
  EXPECT_EQ(controls_.Caption(ControlId::TotalResult), "10");
  EXPECT_EQ(cache_.filters, std::vector<std::uint32_t>(3, 0x00300035));  // the window's set
  EXPECT_TRUE(cache_.walks.empty());
  EXPECT_EQ(cache_.entries[1].url + cache_.entries[6].url, "http://x/lockedhttp://x/sparse");
}

TEST_F(InternetExplorerRun, HistoryShowsOneOnlyWhenClearedAndTheWindowOpensWithoutAStore) {
  for (std::int32_t refused : {static_cast<std::int32_t>(0x80004001), 1}) {  // E_NOTIMPL; none
    Features(refused).cleaning_run().bntCleanNowClick();
    EXPECT_EQ(controls_.Cell(ControlId::sgResultList, 5, 0),
              "Internet Explorer Visited Website History");
    EXPECT_EQ(Row(5), "0|Finished");
    EXPECT_EQ(controls_.Caption(ControlId::TotalResult), "0");
  }
}

TEST_F(InternetExplorerRun, StopInTheContentCacheKeepsPendingAndClosesTheWalk) {
  cache_.entries = {{"http://x/1"}, {"http://x/2"}, {"http://x/3"}};
  auto features = Features(0);
  controls_.WhenInputIsDispatched([&](int) {
    if (cache_.entries[0].url.empty() && !features.cleaning_run().IsRunStopped()) {
      features.cleaning_run().bntStopFinishClick();
    }
  });
  features.cleaning_run().bntCleanNowClick();
  EXPECT_EQ(Row(2), "1|Pending");
  EXPECT_EQ(controls_.RowCount(ControlId::sgResultList), 4);
  EXPECT_EQ(cache_.entries[1].url, "http://x/2");
  EXPECT_TRUE(cache_.walks.empty());
}

TEST_F(InternetExplorerRun, NoInternetExplorerItemTickedLooksForNoWindow) {
  shell_.open_windows = {"ieframe"};
  for (ControlId id : {ControlId::IEABH, ControlId::IETIF, ControlId::IECookies, ControlId::IEAFD,
                       ControlId::IEHistory, ControlId::IEBleachIndex}) {
    controls_.SetTicked(id, false);
  }
  Features(0).cleaning_run().bntCleanNowClick();
  EXPECT_EQ(shell_.window_searches, 0);
}

TEST(CloseInternetExplorer, AsksOnceClosesEachFrameOnceAndWaitsTenSecondsAtMost) {
  struct Case {
    std::vector<std::string> windows;
    bool yes, ignored;
    size_t questions;
    std::vector<platform::WindowId> posted;
    int paused_ms;
  } cases[] = {{{"Shell_TrayWnd"}, true, false, 0, {}, 0},
               {{"IEFrame"}, false, false, 1, {}, 0},
               {{"IEFrame", "Notepad", "ieframe"}, true, false, 1, {1, 3}, 100},
               {{"ieframe"}, true, true, 1, {1}, 10000}};
  for (const Case& c : cases) {
    HeadlessControlSet controls;
    FakeShell shell;
    shell.open_windows = c.windows;
    shell.answer_yes = c.yes;
    shell.windows_ignore_close = c.ignored;
    browser::CloseInternetExplorer(controls, shell);
    EXPECT_EQ(shell.questions.size(), c.questions);
    EXPECT_EQ(shell.posted_to, c.posted);
    EXPECT_EQ(shell.paused_ms, c.paused_ms);
  }
}

TEST(WipeRegistryKey, EmptiesKeysThatRefuseDeletionByTheirListedNamesAndSkipsLinks) {
  FakeRegistry registry;
  const std::string key = browser::kProtectedStorageKey;
  for (const char* subkey : {"", "\\Data ", "\\Back"}) {
    for (const char* name : {"a", "b", "c"}) {
      registry.SetValue(kUser, key + subkey, name, platform::ValueType::Dword, 1u);
    }
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
