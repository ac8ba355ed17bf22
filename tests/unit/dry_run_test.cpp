// The dry-run overlay: the contracts hold through it while it records, and what a whole run (see
// preview_test.cpp) cannot show: answers the system cannot give beforehand, and the run's end.

#include "platform/dry_run/dry_run.h"

#include "platform/sqlite/sqlite_database.h"
#include "tests/contract/file_system_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/support/fake_environments.h"
#include "tests/support/strict_fakes.h"

namespace tidora::testing {
namespace {
using dry_run::Mode;
constexpr auto kUser = Root::CurrentUser;

// The fakes behind an overlay in a mode: strict while it records.
struct World {
  explicit World(Mode mode) {
    strictness.strict = mode == Mode::kRecord;
    dry.Begin(mode);
  }
  Strictness strictness;
  GuardedRegistry registry{strictness};
  GuardedFiles files{strictness};
  GuardedShell shell{strictness};
  GuardedCache cache{strictness};
  sqlite::SqliteOpener databases;
  dry_run::DryRun dry{registry, files, shell, cache, databases};
};

// What the contracts plant goes to the fakes.
struct RecordingRegistryEnvironment : World, PlantsInFakeRegistry<RecordingRegistryEnvironment> {
  RecordingRegistryEnvironment() : World(Mode::kRecord) {}
  FakeRegistry& planted() { return World::registry; }
  platform::Registry& registry() { return dry.registry(); }
  // Keys the contract makes live in the journal, out of reach of the fake's faults.
  bool GrantOnlyRead(const std::string&) { return false; }
};

struct RecordingFileSystemEnvironment : World, PlantsInFakeFiles<RecordingFileSystemEnvironment> {
  RecordingFileSystemEnvironment() : World(Mode::kRecord) { World::files.AddFolder(folder()); }
  FakeFileSystem& planted() { return World::files; }
  platform::FileSystem& files() { return dry.files(); }
};

struct RecordingUrlCacheEnvironment : World, PlantsInFakeCache<RecordingUrlCacheEnvironment> {
  RecordingUrlCacheEnvironment() : World(Mode::kRecord) {}
  FakeUrlCache& planted() { return World::cache; }
  platform::UrlCache& cache() { return dry.url_cache(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(DryRun, UrlCacheContract, RecordingUrlCacheEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(DryRun, RegistryContract, RecordingRegistryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(DryRun, FileSystemContract, RecordingFileSystemEnvironment);

// An entry with the local file "C:\cache\<url>.htm" when it has a size.
FakeUrlCache::Entry Entry(std::string url, std::uint32_t size) {
  FakeUrlCache::Entry entry;
  entry.local_file = size ? "C:\\cache\\" + url + ".htm" : "";
  entry.url = std::move(url);
  entry.size = size;
  return entry;
}

// What the system cannot be asked beforehand; forwarding once the run ends.
TEST(DryRun, RecordingAnswersForTheSystemUntilTheRunEnds) {
  World w(Mode::kRecord);
  w.shell.recycle_bin_outcome = RecycleBinOutcome::kLibraryMissing;  // no bin to ask about
  EXPECT_EQ(w.dry.shell().EmptyRecycleBin(0), RecycleBinOutcome::kFailed);
  w.dry.shell().ShowMessage(0, "dropped", "while recording");
  EXPECT_FALSE(w.dry.shell().Confirm(0, "never asked", "while recording"));
  w.shell.clipboard_free = false;
  w.files.AddFile("C:\\cache\\a.htm");
  w.files.AddFile("C:\\cache\\longreport.tmp", platform::attribute::kArchive, 7);
  w.cache.entries = {Entry("a", 100)};
  w.cache.entries[0].locked = true;
  const auto history = w.dry.Wrap(std::make_unique<FakeUrlHistoryStore>(-5));
  {
    dry_run::ModeScope recording(w.dry, Mode::kRecord);
    auto& cache = w.dry.url_cache();
    const auto read = cache.FindFirst(std::nullopt, 0, 0);
    platform::UrlCacheFindOwner owner(cache, read.find);
    EXPECT_EQ(cache.DeleteEntry(read.entry.source_url), 0u);  // a lock cannot be seen beforehand
    EXPECT_TRUE(w.dry.files().RemoveFile("C:\\cache\\LONGRE~1.TMP"));  // by its 8.3 alias
    EXPECT_FALSE(w.dry.files().IsFile("C:\\cache\\a.htm") ||
                 w.dry.files().IsFile("C:\\cache\\longreport.tmp"));
    EXPECT_EQ(w.dry.files().Find("C:\\cache\\*", [](auto&) { return true; }),
              platform::FindEnd::kNoMatch);
    EXPECT_TRUE(w.dry.shell().EmptyClipboard(0));
    EXPECT_EQ(history->ClearHistory(), 0);
  }
  EXPECT_EQ(w.dry.mode(), Mode::kForward);
  EXPECT_EQ(w.dry.tally().bytes, 107u);  // readable until the next run
  w.strictness.strict = false;
  EXPECT_TRUE(w.dry.files().IsFile("C:\\cache\\a.htm"));
  EXPECT_EQ(history->ClearHistory(), -5);
  EXPECT_TRUE(w.dry.shell().PostClose(1) && w.shell.posted_to.size() == 1);
  EXPECT_EQ(w.dry.Wrap(nullptr), nullptr);
}

}  // namespace
}  // namespace tidora::testing
