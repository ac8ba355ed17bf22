// The dry-run overlay: the contracts hold through it while it records; recording answers and
// counts as forwarding does, without one call reaching what would change the system.

#include "platform/dry_run/dry_run.h"

#include <sstream>

#include "tests/contract/file_system_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_url_cache.h"

namespace tidora::testing {
namespace {
using dry_run::Mode;
using platform::RecycleBinOutcome;
using platform::ValueType;
using Root = platform::RegistryRoot;
using View = platform::RegistryView;
using KeyPtr = std::unique_ptr<platform::RegistryKey>;
constexpr auto kUser = Root::CurrentUser;

// Where strict, a call that would change the system fails the test; it reaches the fake anyway,
// so that forwarding shows its effect.
struct Strictness {
  bool strict = true;
  void Check(const char* call) const {
    if (strict) ADD_FAILURE() << call << " reached the system";
  }
};

class GuardedKey final : public platform::RegistryKey {
 public:
  GuardedKey(KeyPtr key, const Strictness& s) : key_(std::move(key)), s_(s) {}
  NameList ValueNames() const override { return key_->ValueNames(); }
  NameList SubkeyNames() const override { return key_->SubkeyNames(); }
  std::optional<ValueType> TypeOf(std::string_view n) const override { return key_->TypeOf(n); }
  bool HasSubkey(std::string_view n) const override { return key_->HasSubkey(n); }
  bool SubkeyIsLink(std::string_view n) const override { return key_->SubkeyIsLink(n); }
  std::optional<std::string> ReadString(std::string_view n) const override {
    return key_->ReadString(n);
  }
  std::optional<std::uint32_t> ReadDword(std::string_view n) const override {
    return key_->ReadDword(n);
  }
  void WriteString(std::string_view n, std::string_view d) override {
    s_.Check("WriteString"), key_->WriteString(n, d);
  }
  void WriteDword(std::string_view n, std::uint32_t d) override {
    s_.Check("WriteDword"), key_->WriteDword(n, d);
  }
  bool DeleteValue(std::string_view n) override {
    return s_.Check("DeleteValue"), key_->DeleteValue(n);
  }

 private:
  KeyPtr key_;
  const Strictness& s_;
};

KeyPtr Guarded(KeyPtr key, const Strictness& s) {
  return key ? std::make_unique<GuardedKey>(std::move(key), s) : nullptr;
}

struct GuardedRegistry final : FakeRegistry {
  explicit GuardedRegistry(const Strictness& s) : s(s) {}
  KeyPtr OpenKey(Root r, std::string_view p, platform::KeyAccess a, View v) override {
    return Guarded(FakeRegistry::OpenKey(r, p, a, v), s);
  }
  KeyPtr CreateKey(Root r, std::string_view p, View v) override {
    return s.Check("CreateKey"), Guarded(FakeRegistry::CreateKey(r, p, v), s);
  }
  bool DeleteKeyTree(Root r, std::string_view p, View v) override {
    return s.Check("DeleteKeyTree"), FakeRegistry::DeleteKeyTree(r, p, v);
  }
  const Strictness& s;
};

struct GuardedFiles final : FakeFileSystem {
  explicit GuardedFiles(const Strictness& s) : s(s) {}
  bool RemoveFile(std::string_view p) override {
    return s.Check("RemoveFile"), FakeFileSystem::RemoveFile(p);
  }
  bool SetAttributes(std::string_view p, std::uint32_t a) override {
    return s.Check("SetAttributes"), FakeFileSystem::SetAttributes(p, a);
  }
  const Strictness& s;
};

struct GuardedShell final : FakeShell {
  explicit GuardedShell(const Strictness& s) : s(s) {}
  bool PostClose(platform::WindowId w) override {
    return s.Check("PostClose"), FakeShell::PostClose(w);
  }
  bool StartCommand(std::string_view c) override {
    return s.Check("StartCommand"), FakeShell::StartCommand(c);
  }
  RecycleBinOutcome EmptyRecycleBin(platform::WindowId w) override {
    return s.Check("EmptyRecycleBin"), FakeShell::EmptyRecycleBin(w);
  }
  bool EmptyClipboard(platform::WindowId w) override {
    return s.Check("EmptyClipboard"), FakeShell::EmptyClipboard(w);
  }
  const Strictness& s;
};

struct GuardedCache final : FakeUrlCache {
  explicit GuardedCache(const Strictness& s) : s(s) {}
  std::uint32_t DeleteEntry(std::string_view u) override {
    return s.Check("DeleteEntry"), FakeUrlCache::DeleteEntry(u);
  }
  const Strictness& s;
};

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
  dry_run::DryRun dry{registry, files, shell, cache};
  std::string Snapshot() const {
    std::string state = registry.Snapshot() + files.Snapshot();
    for (const auto& entry : cache.entries) state += entry.url + ";";
    return state + std::to_string(shell.recycle_bin.items);
  }
};

// What the contracts plant goes to the fakes.
struct RecordingRegistryEnvironment : World {
  RecordingRegistryEnvironment() : World(Mode::kRecord) {}
  platform::Registry& registry() { return dry.registry(); }
  std::string base() const { return "Software\\TidoraContract"; }
  std::string machine_base() const { return base(); }
  void WriteRaw(const std::string& path, const std::string& name, ValueType type,
                const std::vector<std::uint8_t>& bytes) {
    World::registry.SetValue(kUser, path, name, type, bytes);
  }
  bool MakeLink(const std::string& link, const std::string&, bool can_look) {
    return World::registry.MakeLink(kUser, link, View::kDefault, can_look), true;
  }
  bool GrantOnlyReadAndDelete(const std::string& path) {
    return World::registry.RefuseFullAccess(kUser, path), true;
  }
  // Keys the contract makes live in the journal, out of reach of the fake's faults.
  bool GrantOnlyRead(const std::string&) { return false; }
};

struct RecordingFileSystemEnvironment : World {
  RecordingFileSystemEnvironment() : World(Mode::kRecord) { World::files.AddFolder(folder()); }
  platform::FileSystem& files() { return dry.files(); }
  std::string folder() const { return "C:\\users\\me\\Temp\\contract"; }
  void MakeFile(const std::string& path, std::uint32_t attributes) {
    World::files.AddFile(path, attributes, 5);
  }
  std::string ShortPath(const std::string& path) {
    const auto split = path.rfind('\\') + 1;
    return path.substr(0, split) + FakeFileSystem::ShortName(path.substr(split));
  }
  void MakeFolder(const std::string& path) { World::files.AddFolder(path); }
  void Lock(const std::string& path) { World::files.Lock(path); }
  std::string LinkHolder() {
    return World::files.AddJunction(folder() + "\\in\\back", folder()), folder() + "\\in";
  }
};

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

std::string Joined(const NameList& names) {
  std::string joined;
  for (const auto& name : names) joined += name + ",";
  return joined;
}

// A scenario's answers and tally, recording and forwarding: alike, and as expected; only
// forwarding changes the fakes.
template <typename Plant, typename Act>
void ExpectParity(Plant plant, Act act, const std::string& expected) {
  std::string transcripts[2];
  for (Mode mode : {Mode::kRecord, Mode::kForward}) {
    World world(mode);
    std::ostringstream out;
    plant(world);
    const std::string before = world.Snapshot();
    act(world, out);
    EXPECT_EQ(world.Snapshot() == before, mode == Mode::kRecord);
    out << " | " << world.dry.tally().files << " " << world.dry.tally().bytes;
    transcripts[mode == Mode::kForward] = out.str();
  }
  EXPECT_EQ(transcripts[0], transcripts[1]);
  EXPECT_EQ(transcripts[0], expected);
}

TEST(DryRunParity, TreeDeletionLeavesLinksAndRefusedKeysAndKeysReadTheJournal) {
  ExpectParity(
      [](World& w) {
        for (const char* key : {"T\\Plain\\Deep", "T\\Refused\\Child", "T\\Holder\\Kept",
                                "T\\Holder\\Link\\Inner", "V"})
          w.registry.SetValue(kUser, key, "v", ValueType::String, std::string("x"));
        w.registry.SetValue(Root::LocalMachine, "M\\Sub", "v", ValueType::Dword, 1u, View::k32);
        w.registry.RefuseDeletion(kUser, "T\\Refused");
        w.registry.MakeLink(kUser, "T\\Holder\\Link");
      },
      [](World& w, std::ostream& out) {
        auto& reg = w.dry.registry();
        const KeyPtr held = reg.OpenForRead(kUser, "T\\Plain\\Deep");
        out << reg.DeleteTree(kUser, "T") << reg.DeleteTree(kUser, "T\\Holder\\Link")
            << Joined(held->ValueNames()) << " ";
        for (const char* key : {"T", "t\\PLAIN", "T\\Refused", "T\\Refused\\Child", "T\\Holder",
                                "T\\Holder\\Link", "T\\Holder\\Link\\Inner", "T\\Holder\\Kept"})
          out << (reg.OpenForRead(kUser, key) != nullptr);
        const KeyPtr t = reg.OpenForRead(kUser, "T");
        out << " " << Joined(t->SubkeyNames()) << t->HasSubkey("plain")
            << reg.DeleteTree(kUser, "T\\Plain") << reg.KeyDeletable(kUser, "T\\Refused", {})
            << reg.KeyDeletable(kUser, "T\\Holder", {});
        const KeyPtr key = reg.Open(kUser, "V"), reader = reg.OpenForRead(kUser, "v");
        key->WriteDword("w", 5);
        out << " " << key->DeleteValue("V") << key->DeleteValue("v") << reader->DeleteValue("w")
            << Outcome([&] { return reader->ReadString("W"); })
            << Outcome([&] { return reader->ReadDword("W"); }) << Joined(reader->ValueNames())
            << Outcome([&] { return reader->WriteString("w", ""), std::optional(0); });
        reg.Create(kUser, "T\\New\\Leaf")->WriteString("n", "1");
        out << " " << Joined(t->SubkeyNames()) << reg.DeleteTree(kUser, "t\\new")
            << Joined(t->SubkeyNames());
        for (View view : {View::k64, View::k32})
          out << reg.DeleteTree(Root::LocalMachine, "M", view);
        out << (reg.OpenForRead(Root::LocalMachine, "M\\Sub", View::k32) != nullptr);
      },
      "00 10101110 Holder,Refused,0001 100error5w,error "
      "Holder,New,Refused,1Holder,Refused,010 | 0 0");
}

TEST(DryRunParity, RemovalsAnswerAndCountAsTheSystemAndListingsHideWhatWent) {
  ExpectParity(
      [](World& w) {
        using namespace platform::attribute;
        w.files.AddFolder("C:\\data\\sub");
        std::uint64_t size = 1;
        for (auto [name, attributes] : {std::pair{"plain.tmp", kArchive},
                                        {"readonly.tmp", kReadOnly},
                                        {"locked.tmp", kArchive},
                                        {"longreport.tmp", kArchive},
                                        {"cookies.txt", kArchive}})
          w.files.AddFile(std::string("C:\\data\\") + name, attributes, size *= 10);
        w.files.Lock("C:\\data\\locked.tmp");
      },
      [](World& w, std::ostream& out) {
        using namespace platform::attribute;
        auto& fs = w.dry.files();
        const auto list = [&](const char* pattern) {
          NameList names;
          const auto end = fs.Find(pattern, [&](auto& e) { return names.push_back(e.name), true; });
          return Joined(names) + std::to_string(static_cast<int>(end));
        };
        // cookies.txt as a cleaner names it, unlisted.
        fs.Find("C:\\data\\*.*", [&](const platform::FoundEntry& e) {
          if (e.name != "cookies.txt") out << e.name << fs.RemoveFile("C:\\data\\" + e.name) << " ";
          return true;
        });
        out << fs.RemoveFile("C:\\data\\cookies.txt") << " " << Joined(w.files.searches());
        out << fs.SetAttributes("C:\\data\\readonly.tmp", kNormal)
            << fs.RemoveFile("C:\\data\\readonly.tmp") << fs.RemoveFile("C:\\data\\plain.tmp")
            << fs.SetAttributes("C:\\data\\plain.tmp", kNormal)
            << fs.IsFile("C:\\data\\longreport.tmp") << fs.IsFile("C:\\data\\locked.tmp") << " "
            << list("C:\\data\\*.*") << " " << list("C:\\data\\p*");
      },
      "locked.tmp0 longreport.tmp1 plain.tmp1 readonly.tmp0 sub0 1 "
      "C:\\data\\*.*,C:\\data\\cookies.txt,110001 locked.tmp,sub,0 2 | 4 110110");
}

TEST(DryRunParity, TheBinEmptiesOnceAndDeletedCacheEntriesLeaveTheWalk) {
  ExpectParity(
      [](World& w) {
        w.shell.recycle_bin = {3, 300};
        w.cache.entries = {Entry("a", 100), Entry("b", 200), Entry("c", 0)};
      },
      [](World& w, std::ostream& out) {
        auto& shell = w.dry.shell();
        out << static_cast<int>(shell.EmptyRecycleBin(0)) << shell.QueryRecycleBin()->items
            << shell.PostClose(1) << shell.StartCommand("x") << shell.EmptyClipboard(0) << " ";
        auto& cache = w.dry.url_cache();
        const auto walk = [&](std::string_view deleted) {
          auto read = cache.FindFirst("", 0, 0);
          platform::UrlCacheFindOwner owner(cache, read.find);
          for (; read.error == 0; read = cache.FindNext(owner.get())) {
            const std::string& url = read.entry.source_url;
            out << url << (deleted.find(url) != deleted.npos ? cache.DeleteEntry(url) : 9);
          }
          out << read.error << "+" << read.find << " ";
        };
        walk("a");
        walk("abc");
        walk("abc");
        out << cache.DeleteEntry("a") << w.cache.walks.size();
      },
      "00111 a0b9c9259+1 b0c0259+2 259+0 20 | 5 600");
}

// What the system cannot be asked beforehand; forwarding once the run ends.
TEST(DryRun, RecordingAnswersForTheSystemUntilTheRunEnds) {
  World w(Mode::kRecord);
  w.shell.recycle_bin_outcome = RecycleBinOutcome::kLibraryMissing;
  EXPECT_EQ(w.dry.shell().EmptyRecycleBin(0), RecycleBinOutcome::kLibraryMissing);
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
