// The command line on fakes: its arguments, its report read back, its exit codes, and runs of
// the window's features with no window.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cleaning/cleaning_items.h"
#include "cli/arguments.h"
#include "cli/command_line.h"
#include "cli/exit_code.h"
#include "cli/item_names.h"
#include "cli/quiet_shell.h"
#include "cli/report.h"
#include "platform/sqlite/sqlite_database.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/fake_url_cache.h"

namespace tidora::testing {
namespace {

using namespace cli;
using nlohmann::json;
using Strings = std::vector<std::string>;

// A command as one line of text, or the error's message.
std::string Described(const Strings& arguments) {
  const auto parsed = ParseArguments(arguments);
  if (const auto* error = std::get_if<ArgumentError>(&parsed)) return error->message;
  const Command& command = std::get<Command>(parsed);
  const char* modes[] = {"usage", "preview", "clean", "list"};
  std::string text = modes[int(command.mode)];
  for (ui::ControlId box : command.boxes) text.append(" ").append(NameOf(box));
  for (const auto& entry : command.entries) text.append(" [").append(entry).append("]");
  if (command.defaults) text.append(" +defaults");
  if (command.report) text.append(" >").append(*command.report);
  return text;
}

TEST(CommandLine, ArgumentsGiveTheItemsOrNameTheArgumentAtFault) {
  const std::string see = ". See \"tidora /?\" for usage.";
  const std::pair<Strings, std::string> cases[] = {
      {{"/preview"}, "preview +defaults"},
      {{"-CLEAN", "winstf", "IEABH"}, "clean WinSTF IEABH"},
      {{"/clean", "GroupNetscape"}, "clean NsCache NsAddressBar NsCookies NsHistory NsAutoForm"},
      {{"/Preview", "Google Chrome Cache", "/Defaults", "/report:C:\\My Reports\\r.json"},
       "preview [Google Chrome Cache] +defaults >C:\\My Reports\\r.json"},
      {{"/list", "-REPORT:list.json"}, "list +defaults >list.json"},
      {{"/?"}, "usage"},
      {{"/clean", "/clean", "MSWord"}, "clean MSWord"},
      {{"/list", "IEABH"}, "\"IEABH\": /list takes no items" + see},
      {{"/clean", "/wipe"}, "\"/wipe\": unknown switch" + see},
      {{"/clean", "/report"}, "\"/report\": the report needs a file: /report:FILE" + see},
      {{"/clean", "-report:"}, "\"-report:\": the report needs a file: /report:FILE" + see},
      {{"/clean", "/report:a", "/report:b"}, "\"/report:b\": only one report file" + see},
      {{"/preview", "/clean"}, "\"/clean\": give only one of /preview, /clean or /list" + see},
      {{"WinTFD", "/report:a"}, "\"WinTFD\": give /preview, /clean or /list" + see},
      {{"/clean", " "}, "\" \": an empty item name" + see},
  };
  for (const auto& [arguments, expected] : cases) {
    EXPECT_EQ(Described(arguments), expected) << arguments.front();
  }
}

RunRow Row(std::string name, int count, std::string status, ui::ControlId box = {}) {
  const auto items = cleaning::CleaningItems();
  const auto item = std::ranges::find(items, box, &cleaning::CleaningItem::gate);
  return {name, name, count, "", {}, status, "", item == items.end() ? nullptr : &*item};
}

TEST(CommandLine, ExitCodesSayWhetherSomethingWasLeft) {
  using enum ExitCode;
  using Id = ui::ControlId;
  const RunRow found = Row("WinTFD", 0, "Found", Id::WinTFD),
               done = Row("WinRecycleBin", 1, "Finished", Id::WinRecycleBin),
               bin_failed = Row("WinRecycleBin", 0, "Finished", Id::WinRecycleBin),
               history_failed = Row("IEHistory", 0, "Finished", Id::IEHistory),
               estimated = Row("WinClipboard", 0, "Estimated", Id::WinClipboard),
               in_use = Row("Firefox History", 3, "In use"),
               skipped = Row("Chrome Cookies", 0, "Skipped");
  const struct {
    Mode mode;
    std::vector<RunRow> rows;
    bool error;
    ExitCode code;
  } cases[] = {
      {Mode::kPreview, {found, estimated}, false, kDone},
      {Mode::kClean, {}, false, kDone},
      {Mode::kClean, {done, Row("WinTFD", 0, "Finished", Id::WinTFD)}, false, kDone},
      {Mode::kClean, {done, bin_failed}, false, kLeftSomething},
      {Mode::kClean, {history_failed}, false, kLeftSomething},
      {Mode::kPreview, {bin_failed}, false, kDone},
      {Mode::kPreview, {found, in_use}, false, kLeftSomething},
      {Mode::kClean, {skipped}, false, kLeftSomething},
      {Mode::kClean, {done}, true, kError},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunExitCode(c.mode, c.rows, c.error), c.code) << &c - cases;
  }
}

TEST(CommandLine, TheReportReadsBackFieldByField) {
  using namespace std::chrono;
  Report report;
  report.version = "2.04";
  report.mode = "clean";
  report.started = sys_days{2024y / March / 9} + 13h + 5min + 7s;
  report.ended = sys_days{2024y / December / 31} + 23h + 59min + 59s;
  report.requested = {"WinTFD", "Fox"};
  report.rows = {Row("WinTFD", 12, "Finished"), Row("Fox", 2, "In use")};
  report.rows[0].bytes = 5'000'000'000;
  report.rows[1].reason = "places.sqlite: held by another program";
  report.total_count = 14;
  report.total_bytes = 5'000'000'000;
  report.error = RunError{"Access denied", "Fox"};
  const json read = json::parse(ReportJson(report));
  EXPECT_EQ(read["version"], "2.04");
  EXPECT_EQ(read["mode"], "clean");
  EXPECT_EQ(read["started"], "2024-03-09T13:05:07Z");
  EXPECT_EQ(read["ended"], "2024-12-31T23:59:59Z");
  EXPECT_EQ(read["requested"], json({"WinTFD", "Fox"}));
  ASSERT_EQ(read["items"].size(), 2u);
  EXPECT_EQ(read["items"][0], json({{"name", "WinTFD"},
                                    {"caption", "WinTFD"},
                                    {"count", 12},
                                    {"bytes", 5'000'000'000},
                                    {"status", "Finished"}}));
  EXPECT_TRUE(read["items"][1]["bytes"].is_null());
  EXPECT_EQ(read["items"][1]["reason"], "places.sqlite: held by another program");
  EXPECT_EQ(read["total"], json({{"count", 14}, {"bytes", 5'000'000'000}}));
  EXPECT_EQ(read["error"], json({{"message", "Access denied"}, {"after", "Fox"}}));

  report.mode = "list";
  report.error.reset();
  report.listed = {{"MSWord", "Micorsoft Office Word", false, true}};
  const json list = json::parse(ReportJson(report));
  EXPECT_EQ(list["items"], json::parse(R"([{"name": "MSWord", "caption": "Micorsoft Office Word",
                                            "detected": false, "ticked": true}])"));
  EXPECT_FALSE(list.contains("total") || list.contains("error"));
}

constexpr const char* kRules = R"([Zeta Cache *]
LangSecRef=3029
Default=True
FileKey1=%LocalAppData%\Zeta|*.tmp

[Risky Lists *]
LangSecRef=3029
Warning=This also forgets the open tabs.
FileKey1=%LocalAppData%\Risky|*.tmp

[Absent Cache *]
LangSecRef=3026
DetectFile=%LocalAppData%\Nowhere
FileKey1=%LocalAppData%\Nowhere|*.tmp
)";

// Lines, written files and the lock as a test sets them; the clock stands still.
struct FakeHost : Host {
  void Print(std::string_view line) override { lines.emplace_back(line); }
  bool WriteWhole(const std::string& path, std::string_view text) override {
    return files[path] = text, true;
  }
  bool TakeRunLock() override { return lock_free; }
  std::chrono::system_clock::time_point Now() override { return {}; }
  Strings lines;
  std::map<std::string, std::string> files;
  bool lock_free = true;
};

// A PC with two cache files of each entry and Internet Explorer open.
struct Pc {
  Pc() {
    shell.known_folders = UserKnownFolders();
    for (const auto& [known, path] : shell.known_folders) files.AddFolder(path);
    for (const char* file : {"Zeta\\a.tmp", "Zeta\\b.tmp", "Risky\\c.tmp"}) AddFile(file);
    shell.open_windows = {"IEFrame"};
  }
  void AddFile(const std::string& name) { files.AddFile(local + name, 0, 10); }
  int Run(const Strings& arguments) {
    host.lines.clear();
    return RunCommandLine(arguments, services, host,
                          [](std::uint64_t bytes) { return std::to_string(bytes) + " bytes"; });
  }

  FakeRegistry registry;
  FakeFileSystem files;
  FakeShell shell;
  FakeSystemInfo system;
  FakeUrlCache cache;
  FakeHost host;
  sqlite::SqliteOpener databases;
  QuietShell quiet{shell, [this](std::string_view line) { host.Print(line); }};
  composition::Services services{registry,
                                 files,
                                 quiet,
                                 system,
                                 cache,
                                 databases,
                                 [] { return std::make_unique<FakeUrlHistoryStore>(0); },
                                 [] { return std::string(kRules); }};
  const std::string local = UserKnownFolders()[platform::KnownFolder::kLocalAppData] + "\\";
};

// A preview names what a clean run then removes, asks nothing and leaves the browser open; a
// name the rules lack, or another run, stops it before anything is done.
TEST(CommandLine, PreviewsThenCleansWhatItNamesWithNoQuestionAndNoWindow) {
  Pc pc;
  EXPECT_EQ(pc.Run({"/preview", "IEABH", "risky LISTS", "Absent Cache", "/report:r.json"}), 0);
  EXPECT_EQ(pc.host.lines, (Strings{"\"Absent Cache\": not found on this PC.",
                                    "Warning, \"Risky Lists\": This also forgets the open tabs.",
                                    "Internet Explorer Address Bar History  0  Browser open",
                                    "Risky Lists  1  10 bytes  Found", "Total: 1 (10 bytes)"}));
  const json report = json::parse(pc.host.files.at("r.json"));
  EXPECT_EQ(report["requested"], json({"IEABH", "risky LISTS", "Absent Cache"}));
  EXPECT_EQ(report["items"][0]["name"], "IEABH");
  EXPECT_EQ(report["items"][1]["name"], "Risky Lists");
  EXPECT_EQ(report["items"][1]["bytes"], 10);
  EXPECT_EQ(report["total"], json({{"count", 1}, {"bytes", 10}}));
  EXPECT_TRUE(pc.files.Exists(pc.local + "Risky\\c.tmp"));

  EXPECT_EQ(pc.Run({"/clean", "Risky Lists", "Nothing Such"}), 2);
  EXPECT_EQ(pc.host.lines, Strings{"\"Nothing Such\": unknown item. See \"tidora /?\" for usage."});
  pc.host.lock_free = false;
  EXPECT_EQ(pc.Run({"/clean"}), 4);
  EXPECT_TRUE(pc.files.Exists(pc.local + "Risky\\c.tmp"));
  pc.host.lock_free = true;

  // The defaults: the window's start ticks, Zeta Cache among the entries, and Risky Lists named.
  pc.shell.recycle_bin_outcome = platform::RecycleBinOutcome::kFailed;
  EXPECT_EQ(pc.Run({"-clean", "/DEFAULTS", "Risky Lists"}), 1);
  const Strings& lines = pc.host.lines;
  EXPECT_EQ(lines.front(), "Warning, \"Risky Lists\": This also forgets the open tabs.");
  EXPECT_NE(std::ranges::find(lines, "Internet Explorer Address Bar History  0  Finished"),
            lines.end());
  EXPECT_NE(std::ranges::find(lines, "Windows Recycle Bin  0  Finished"), lines.end());
  EXPECT_EQ(lines.end()[-3], "Risky Lists  1  Finished");
  EXPECT_EQ(lines.end()[-2], "Zeta Cache  2  Finished");
  EXPECT_TRUE(pc.shell.questions.empty() && pc.shell.posted_to.empty());
  for (const char* file : {"Zeta\\a.tmp", "Zeta\\b.tmp", "Risky\\c.tmp"}) {
    EXPECT_FALSE(pc.files.Exists(pc.local + file)) << file;
  }
}

}  // namespace
}  // namespace tidora::testing
