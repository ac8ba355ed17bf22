// The Internet Explorer cleaners on the fake cache, history store, registry and shell, driven
// through the run as the main window wires them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

using browser::TFilterOption;
using browser::TSearchPattern;
using platform::RegistryRoot;
using ui::ControlId;

constexpr std::uint32_t kCookie = 0x00100000, kVisited = 0x00200000, kSparse = 0x00010000;
constexpr ControlId kIeItems[] = {ControlId::IEABH,     ControlId::IETIF,
                                  ControlId::IEAFD,     ControlId::IECookies,
                                  ControlId::IEHistory, ControlId::IEBleachIndex};

class FakeUrlCacheEnvironment {
 public:
  platform::UrlCache& cache() { return cache_; }
  std::string Plant(CacheKind kind, const std::string& name) {
    constexpr const char* kPrefix[] = {"http://tidora.test/", "Cookie:me@tidora.test/",
                                       "Visited: me@http://tidora.test/"};
    constexpr std::uint32_t kType[] = {0x1, kCookie, kVisited};
    cache_.Add(kPrefix[static_cast<int>(kind)] + name, kType[static_cast<int>(kind)]);
    return cache_.entries.back().url;
  }

 private:
  FakeUrlCache cache_;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, UrlCacheContract, FakeUrlCacheEnvironment);

TEST(TIECache, OptionsGiveTheirMaskAndPatternsTheirText) {
  using enum TFilterOption;
  EXPECT_EQ(browser::FilterMaskOf({}), 0u);
  EXPECT_EQ(browser::FilterMaskOf(browser::kStoredFilterOptions), 0x00300035u);
  EXPECT_EQ(browser::FilterMaskOf({NORMAL_ENTRY, STABLE_ENTRY, STICKY_ENTRY, COOKIE_ENTRY,
                                   URLHISTORY_ENTRY, TRACK_OFFLINE_ENTRY, TRACK_ONLINE_ENTRY,
                                   SPARSE_ENTRY, OCX_ENTRY}),
            0x00330037u);
  EXPECT_EQ(browser::PatternOf(TSearchPattern::spAll), std::nullopt);
  EXPECT_EQ(browser::PatternOf(TSearchPattern::spUrl), std::optional<std::string_view>(""));
  EXPECT_EQ(browser::PatternOf(TSearchPattern::spCookies), "Cookie:");
  EXPECT_EQ(browser::PatternOf(TSearchPattern::spHistory), "Visited:");
}

TEST(TIECache, EntryInfoIsClearedByADeletionAndKeptByAFailedAdvance) {
  FakeUrlCache fake;
  fake.Add("http://a.test/", 0x1);
  fake.local_offset_days = 1.0 / 24;
  browser::TIECache cache(fake);
  EXPECT_EQ(cache.FilterMask(), 0u);  // made in code: no mask until the options are written
  cache.SetFilterOptions(browser::kStoredFilterOptions);
  ASSERT_EQ(cache.FindFirstEntry(0), 0u);
  EXPECT_EQ(cache.EntryInfo().SourceUrlName, "http://a.test/");
  EXPECT_DOUBLE_EQ(cache.EntryInfo().LastAccessTime, 36526 + 1.0 / 24);
  EXPECT_EQ(cache.FindNextEntry(), platform::kErrorNoMoreItems);
  EXPECT_EQ(cache.EntryInfo().SourceUrlName, "http://a.test/");
  EXPECT_EQ(cache.DeleteEntry("http://a.test/"), 0u);
  EXPECT_EQ(cache.EntryInfo().SourceUrlName, "");
  EXPECT_TRUE(cache.CloseFind());
  EXPECT_FALSE(cache.CloseFind());  // closed once only
}

TEST(TIECache, AMissingLibraryIsError2AndIsLookedForAgain) {
  FakeUrlCache fake;
  fake.library_present = false;
  fake.Add("http://a.test/", 0x1);
  browser::TIECache cache(fake);
  EXPECT_EQ(cache.FindFirstEntry(0), platform::kErrorFileNotFound);
  EXPECT_EQ(cache.DeleteEntry("http://a.test/"), 0u);
  EXPECT_EQ(fake.Urls().size(), 1u);
  const int loads = fake.loads;
  fake.library_present = true;
  EXPECT_TRUE(cache.LibraryFound());
  EXPECT_EQ(fake.loads, loads + 1);
}

// The main window as the program wires it, on fakes, with only the Internet Explorer items.
class InternetExplorerRun : public ::testing::Test {
 protected:
  InternetExplorerRun() {
    for (ControlId id :
         {ControlId::WinDocumentHistory, ControlId::WinRunHistory, ControlId::WinFindSearch,
          ControlId::WinTFD, ControlId::WinRecycleBin, ControlId::WinClipboard}) {
      controls_.SetTicked(id, false);
    }
    controls_.SetEnabled(ControlId::groupNetscape, false);
    controls_.SetEnabled(ControlId::groupOffice, false);
  }
  void Run() { features_.cleaning_run().bntCleanNowClick(); }
  std::string Row(const std::string& caption) const {
    for (int row = 1; row < controls_.RowCount(ControlId::sgResultList) - 1; ++row) {
      if (controls_.Cell(ControlId::sgResultList, row, 0) == caption) {
        return controls_.Cell(ControlId::sgResultList, row, 1) + "|" +
               controls_.Cell(ControlId::sgResultList, row, 2);
      }
    }
    return "no row";
  }

  HeadlessControlSet controls_;
  FakeRegistry registry_;
  FakeShell shell_;
  FakeFileSystem files_;
  FakeSystemInfo system_;
  FakeUrlCache cache_;
  std::int32_t history_answer_ = 0;  // S_OK
  bool history_missing_ = false;
  composition::Services Services() {
    return {registry_,
            files_,
            shell_,
            system_,
            cache_,
            [this]() -> std::unique_ptr<platform::UrlHistoryStore> {
              if (history_missing_) throw std::runtime_error("no store");
              return std::make_unique<FakeUrlHistoryStore>(history_answer_);
            }};
  }
  composition::Features features_{controls_, Services()};
};

TEST_F(InternetExplorerRun, EveryItemCleansAndTheRowsAddUpToTheTotal) {
  for (const char* name : {"url1", "url2", "url3"}) {
    registry_.SetValue(RegistryRoot::CurrentUser, browser::kTypedUrlsKey, name,
                       platform::ValueType::String, std::string("http://x.test/"));
  }
  registry_.Create(RegistryRoot::CurrentUser, std::string(browser::kIntelliFormsKey) + "\\Data");
  cache_.Add("http://x.test/page", 0x1);
  cache_.Add("http://x.test/open", 0x1, /*locked=*/true);
  cache_.Add("http://x.test/grows", 0x1, false, /*unreadable_reads=*/1);
  cache_.Add("http://x.test/after", 0x1);
  cache_.Add("Cookie:me@x.test/", kCookie);
  cache_.Add("Visited: me@http://x.test/", kVisited);
  cache_.Add("http://x.test/sparse", kSparse);  // outside the window's filter
  Run();
  EXPECT_EQ(Row("Internet Explorer Address Bar History"), "3|Finished");
  EXPECT_EQ(Row("Internet Explorer Temporary Files Folder"), "3|Finished");
  EXPECT_EQ(Row("Internet Explorer Cookies"), "1|Finished");
  EXPECT_EQ(Row("Internet Explorer Auto-Complete Form Data"), "1|Finished");
  EXPECT_EQ(Row("Internet Explorer Visited Website History"), "1|Finished");
  EXPECT_EQ(Row("Internet Explorer Visited in index.dat"), "1|Finished");
  EXPECT_EQ(controls_.Caption(ControlId::TotalResult), "10");
  EXPECT_EQ(cache_.Urls(),
            (std::vector<std::string>{"http://x.test/open", "http://x.test/sparse"}));
  EXPECT_EQ(cache_.filters, std::vector<std::uint32_t>(3, 0x00300035));
  EXPECT_TRUE(cache_.walks.empty());
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::CurrentUser, browser::kIntelliFormsKey));
}

TEST_F(InternetExplorerRun, TheHistoryRowShowsOneOnlyWhenTheStoreWasCleared) {
  history_answer_ = static_cast<std::int32_t>(0x80004001);  // E_NOTIMPL, as Wine answers
  composition::Features refused{controls_, Services()};
  refused.cleaning_run().bntCleanNowClick();
  EXPECT_EQ(Row("Internet Explorer Visited Website History"), "0|Finished");
  history_missing_ = true;  // the main window still opens
  composition::Features without{controls_, Services()};
  without.cleaning_run().bntCleanNowClick();
  EXPECT_EQ(Row("Internet Explorer Visited Website History"), "0|Finished");
  EXPECT_EQ(controls_.Caption(ControlId::TotalResult), "0");
}

TEST_F(InternetExplorerRun, StopInTheContentCacheKeepsPendingAndClosesTheWalk) {
  for (const char* url : {"http://x.test/1", "http://x.test/2", "http://x.test/3"}) {
    cache_.Add(url, 0x1);
  }
  controls_.WhenInputIsDispatched([&](int) {
    if (cache_.Urls().size() == 2 && !features_.cleaning_run().IsRunStopped()) {
      features_.cleaning_run().bntStopFinishClick();
    }
  });
  Run();
  EXPECT_EQ(Row("Internet Explorer Temporary Files Folder"), "1|Pending");
  EXPECT_EQ(cache_.Urls().size(), 2u);
  EXPECT_TRUE(cache_.walks.empty());
  EXPECT_EQ(Row("Internet Explorer Cookies"), "no row");
}

TEST_F(InternetExplorerRun, NoInternetExplorerItemTickedLooksForNoWindow) {
  shell_.open_windows = {"ieframe"};
  for (ControlId id : kIeItems) controls_.SetTicked(id, false);
  Run();
  EXPECT_EQ(shell_.window_searches, 0);
  EXPECT_TRUE(shell_.questions.empty());
}

TEST(CloseInternetExplorer, AsksOnceClosesEachFrameOnceAndWaitsBounded) {
  struct Case {
    std::vector<std::string> windows;
    bool answer_yes;
    bool ignore_close;
    size_t questions;
    std::vector<platform::WindowId> posted;
    bool waits_the_whole_bound;
  };
  const Case cases[] = {
      {{"Shell_TrayWnd"}, true, false, 0, {}, false},
      {{"IEFrame", "ieframe"}, false, false, 1, {}, false},
      {{"IEFrame", "Notepad", "ieframe"}, true, false, 1, {1, 3}, false},
      {{"ieframe"}, true, true, 1, {1}, true},
  };
  for (const Case& c : cases) {
    HeadlessControlSet controls;
    FakeShell shell;
    shell.open_windows = c.windows;
    shell.answer_yes = c.answer_yes;
    shell.windows_ignore_close = c.ignore_close;
    browser::CloseInternetExplorer(controls, shell);
    EXPECT_EQ(shell.questions.size(), c.questions) << c.windows.size();
    EXPECT_EQ(shell.posted_to, c.posted) << c.windows.size();
    EXPECT_EQ(shell.paused_ms >= browser::kCloseBrowserWaitMs, c.waits_the_whole_bound);
    EXPECT_LE(shell.paused_ms, browser::kCloseBrowserWaitMs);
  }
}

class NullProgress final : public cleaning::CleanerProgress {
 public:
  void ShowCount(int) override {}
  bool StopRequested() override { return false; }
  void Finish() override {}
};

TEST(WipeRegistryKey, EmptiesAKeyThatRefusesDeletionUsingNamesAsListed) {
  FakeRegistry registry;
  NullProgress progress;
  const std::string key = browser::kProtectedStorageKey;
  for (const char* name : {"a", "b", "c"}) {
    registry.SetValue(RegistryRoot::CurrentUser, key, name, platform::ValueType::String,
                      std::string("secret"));
  }
  registry.RefuseDeletion(RegistryRoot::CurrentUser, key);
  EXPECT_EQ(browser::WipeRegistryKey(registry, RegistryRoot::CurrentUser, key, progress), 3);

  // A name that ends in a blank is used as listed; a link, which may lead back up, is not entered.
  for (const char* subkey : {"\\Data ", "\\Back"}) {
    registry.SetValue(RegistryRoot::CurrentUser, key + subkey, "v", platform::ValueType::Dword,
                      std::uint32_t{1});
    registry.RefuseDeletion(RegistryRoot::CurrentUser, key + subkey);
  }
  registry.MakeLink(RegistryRoot::CurrentUser, key + "\\Back");
  EXPECT_EQ(browser::WipeRegistryKey(registry, RegistryRoot::CurrentUser, key, progress), 1);
  EXPECT_FALSE(registry.Open(RegistryRoot::CurrentUser, key + "\\Data ")->HasValue("v"));
  EXPECT_TRUE(registry.Open(RegistryRoot::CurrentUser, key + "\\Back")->HasValue("v"));
}

TEST(CleanAutoCompleteData, TheProtectedStorageRootFollowsThePlatformFamily) {
  for (std::uint32_t family : {platform::kPlatformWin32Windows, platform::kPlatformWin32Nt}) {
    FakeRegistry registry;
    FakeSystemInfo system(family);
    NullProgress progress;
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
      registry.Create(root, browser::kProtectedStorageKey);
    }
    EXPECT_EQ(browser::CleanAutoCompleteData(registry, system, progress), 1);
    const auto cleaned = family == platform::kPlatformWin32Nt ? RegistryRoot::CurrentUser
                                                              : RegistryRoot::LocalMachine;
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
      EXPECT_EQ(registry.KeyExists(root, browser::kProtectedStorageKey), root != cleaned);
    }
  }
}

}  // namespace
}  // namespace tidora::testing
