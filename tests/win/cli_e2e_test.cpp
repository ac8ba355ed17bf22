// The command line of the real tidora.exe, started as a scheduler starts it: its output read
// through a pipe, its report parsed, its exit code, the traces on disk and in the registry, and
// any window it showed.

#include <shlobj.h>
#include <shlwapi.h>

#include <fstream>
#include <regex>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/host.h"
#include "platform/win32/utf.h"
#include "tests/win/running_program.h"

namespace tidora::testing {
namespace {

using nlohmann::json;
using Lines = std::vector<std::string>;
constexpr auto CU = platform::RegistryRoot::CurrentUser;

struct Outcome {
  DWORD exit = STILL_ACTIVE;
  Lines lines;
  bool window_shown = false;
};

bool ShowsAWindow(DWORD process) {
  std::pair<DWORD, bool> search{process, false};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& [wanted, shown] = *reinterpret_cast<std::pair<DWORD, bool>*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        shown = shown || (owner == wanted && IsWindowVisible(window));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

Lines SplitLines(const std::string& output) {
  Lines lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Starts tidora.exe with the arguments and its output into a pipe, and watches it to its end.
Outcome RunTidora(const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherited, 0)) return {};
  win32::UniqueKernelObject reader(read), writer(write);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\\..\\..\\app\\tidora.exe\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = write;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, L"C:\\windows",
                      &startup, &started))
    return {};
  win32::UniqueKernelObject process(started.hProcess), thread(started.hThread);
  writer.Reset();
  Outcome outcome;
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  for (int waited = 0; waited < 180000; waited += 20) {
    outcome.window_shown = outcome.window_shown || ShowsAWindow(started.dwProcessId);
    DWORD waiting = 0;
    while (PeekNamedPipe(read, nullptr, 0, nullptr, &waiting, nullptr) && waiting &&
           ReadFile(read, buffer, sizeof buffer, &got, nullptr))
      output.append(buffer, got);
    if (WaitForSingleObject(process.get(), 20) == WAIT_OBJECT_0) break;
  }
  if (WaitForSingleObject(process.get(), 0) != WAIT_OBJECT_0) TerminateProcess(process.get(), 99);
  while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
  GetExitCodeProcess(process.get(), &outcome.exit);
  outcome.lines = SplitLines(output);
  return outcome;
}

json ReadReport(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return json::parse(text.str(), nullptr, false);
}

bool Has(const Lines& lines, const std::string& line) {
  return std::ranges::find(lines, line) != lines.end();
}

// Another run, as a second program holds it: the named mutex, owned.
struct OtherRun {
  OtherRun() : mutex(CreateMutexW(nullptr, TRUE, L"Local\\TidoraCleaningRun")) {}
  ~OtherRun() { ReleaseMutex(mutex.get()); }
  win32::UniqueKernelObject mutex;
};

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    planted = {temp + std::wstring(L"cli-one.tmp"), temp + std::wstring(L"cli-two.dat"),
               chrome + L"Default\\Cache\\Cache_Data\\f_000001"};
    for (const auto& path : planted) ASSERT_TRUE(MakeFile(path));
    for (const char* name : {"a", "MRUList"}) registry.Create(CU, kRun)->WriteString(name, "x");
    CreateDirectoryW(L"C:\\tidora cli", nullptr);
  }
  void TearDown() override {
    RemoveFolderTree(L"C:\\tidora cli");
    RemoveFolderTree(local + L"Google");
  }
  bool AllPlantedRemain() {
    return std::ranges::all_of(planted, Exists) && registry.OpenForRead(CU, kRun)->HasValue("a");
  }

  static std::wstring LocalAppData() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder + std::wstring(L"\\");
  }
  const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
  const std::wstring local = LocalAppData(), chrome = local + L"Google\\Chrome\\User Data\\";
  std::vector<std::wstring> planted;
  win32::Win32Registry registry;
};

TEST_F(CommandLine, PreviewChangesNothingCleanRemovesWhatItShowedBadArgumentsNothing) {
  const Outcome usage = RunTidora(L"/?");
  EXPECT_EQ(usage.exit, 0u);
  EXPECT_EQ(usage.lines.at(0), "Usage:");
  const Outcome list = RunTidora(L"-LIST");
  EXPECT_EQ(list.exit, 0u);
  EXPECT_TRUE(Has(list.lines, "WinSTF  Windows Scan System Disk Temp Files  detected  unticked"));
  EXPECT_TRUE(Has(list.lines, "Google Chrome Cache  Google Chrome Cache  detected  ticked"));
  EXPECT_TRUE(Has(list.lines, "Firefox Cache  Firefox Cache  not detected  unticked"));

  const Outcome preview = RunTidora(
      L"/preview WinTFD winrunhistory \"Google Chrome Cache\" \"/report:C:\\tidora "
      L"cli\\preview.json\"");
  EXPECT_EQ(preview.exit, 0u);
  ASSERT_EQ(preview.lines.size(), 4u);
  EXPECT_TRUE(std::regex_match(
      preview.lines[1],
      std::regex("Windows Tempory Files Directory  ([2-9]|\\d\\d+)  [\\d.]+ (bytes|KB)  Found")))
      << preview.lines[1];
  EXPECT_EQ(preview.lines[0], "Windows Run History  2  Found");
  EXPECT_EQ(preview.lines[2], "Google Chrome Cache  1  5 bytes  Found");
  EXPECT_TRUE(AllPlantedRemain());
  const json shown = ReadReport("C:\\tidora cli\\preview.json");
  ASSERT_TRUE(shown.is_object());
  EXPECT_EQ(shown["mode"], "preview");
  EXPECT_EQ(shown["requested"], json({"WinTFD", "winrunhistory", "Google Chrome Cache"}));
  const std::regex utc("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ");
  EXPECT_TRUE(std::regex_match(shown["started"].get<std::string>(), utc));
  EXPECT_LE(shown["started"], shown["ended"]);
  ASSERT_EQ(shown["items"].size(), 3u);
  EXPECT_EQ(shown["items"][0], json({{"name", "WinRunHistory"},
                                     {"caption", "Windows Run History"},
                                     {"count", 2},
                                     {"bytes", nullptr},
                                     {"status", "Found"}}));
  EXPECT_EQ(shown["items"][2]["bytes"], 5);
  const int tfd = shown["items"][1]["count"];
  const auto bytes = shown["items"][1]["bytes"].get<std::uint64_t>() + 5;
  wchar_t size[64] = {};
  StrFormatByteSizeW(LONGLONG(bytes), size, 64);
  EXPECT_EQ(preview.lines[3],
            "Total: " + std::to_string(tfd + 3) + " (" + win32::Narrow(size) + ")");
  EXPECT_EQ(shown["total"]["bytes"], bytes);
  EXPECT_EQ(shown["total"]["count"], tfd + 3);

  const Outcome unknown_switch = RunTidora(L"/clean WinTFD /Wipe \"/report:C:\\tidora cli\\x\"");
  const Outcome unknown_entry = RunTidora(L"/clean WinTFD \"No Such Entry\"");
  EXPECT_EQ(unknown_switch.exit, 2u);
  EXPECT_EQ(unknown_switch.lines, Lines{"\"/Wipe\": unknown switch. See \"tidora /?\" for usage."});
  EXPECT_EQ(unknown_entry.exit, 2u);
  EXPECT_EQ(unknown_entry.lines,
            Lines{"\"No Such Entry\": unknown item. See \"tidora /?\" for usage."});
  {
    OtherRun other;
    const Outcome busy = RunTidora(L"/clean WinTFD");
    EXPECT_EQ(busy.exit, 4u);
    EXPECT_EQ(busy.lines, Lines{std::string(cli::kAnotherRunText)});
  }
  EXPECT_FALSE(Exists(L"C:\\tidora cli\\x"));
  EXPECT_TRUE(AllPlantedRemain());

  // Internet Explorer's history store cannot be cleared under Wine: its row says 0 and the run
  // exits 1.
  const Outcome clean = RunTidora(
      L"/clean WinTFD WinRunHistory IEHistory \"google chrome CACHE\" \"/report:C:\\tidora "
      L"cli\\clean.json\"");
  EXPECT_EQ(clean.exit, 1u) << clean.lines.at(0);
  EXPECT_TRUE(Has(clean.lines, "Internet Explorer Visited Website History  0  Finished"));
  EXPECT_TRUE(
      Has(clean.lines, "Windows Tempory Files Directory  " + std::to_string(tfd) + "  Finished"));
  EXPECT_TRUE(Has(clean.lines, "Google Chrome Cache  1  Finished"));
  for (const auto& path : planted) EXPECT_FALSE(Exists(path)) << win32::Narrow(path);
  EXPECT_TRUE(registry.OpenForRead(CU, kRun)->ValueNames().empty());
  const json done = ReadReport("C:\\tidora cli\\clean.json");
  ASSERT_TRUE(done.is_object());
  EXPECT_EQ(done["mode"], "clean");
  EXPECT_EQ(done["items"][1]["name"], "WinRunHistory");
  EXPECT_EQ(done["items"][1]["status"], "Finished");
  EXPECT_EQ(done["items"][0]["name"], "IEHistory");
  EXPECT_TRUE(done["items"][3]["bytes"].is_null());
  EXPECT_EQ(done["total"]["bytes"], shown["total"]["bytes"]);
  for (const Outcome* run : {&usage, &list, &preview, &unknown_switch, &unknown_entry, &clean})
    EXPECT_FALSE(run->window_shown) << run->lines.at(0);
}

// The window waits, with a word, while a command-line run holds the lock.
TEST_F(RunningProgram, PreviewSaysAnotherRunIsGoingOnInsteadOfStartingWhileItHoldsTheLock) {
  {
    OtherRun other;
    Press(Id::bntPreview);
    const HWND box = WaitForWindow(L"#32770", L"Tidora");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(Control(Id::CleanResult)));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  }
  Press(Id::bntPreview);
  EXPECT_TRUE(WaitForFinished());
  EXPECT_FALSE(FindWindowW(L"#32770", L"Tidora"));
}

}  // namespace
}  // namespace tidora::testing
