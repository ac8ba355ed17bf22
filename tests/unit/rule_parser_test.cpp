// The rule-file parser: what each kind of line does to its entry, what the safety checks refuse
// in a key's text, and a file that is damaged in any way never stops loading.

#include <gtest/gtest.h>

#include <random>

#include "rules/rule_parser.h"
#include "rules/rule_safety.h"

namespace tidora::rules {
namespace {

using namespace std::string_view_literals;
using enum ProblemKind;
using enum RuleSource;

struct LineCase {
  std::string line;                    // third line of an entry that is sound without it
  std::optional<ProblemKind> problem;  // nullopt: the entry loads
  std::string reason = "";  // a fragment of the problem's reason, or the loaded entry's group
  RuleSource source = kUserFile;
};

// clang-format off
const LineCase kLineCases[] = {
    {"langsecref=3029", {}, "Google Chrome"},
    {"LangSecRef=3006\nSection=Mine", {}, "Microsoft Edge"},
    {"LangSecRef=4711", {}},
    {"LangSecRef=30x", kSkipped, "malformed value, expected a group number"},
    {"Section=My tools", {}, "My tools"},
    {"Detect2=HKEY_LOCAL_MACHINE\\Software\\Vendor", {}},
    {"Detect=HKXX\\Software\\Vendor", kSkipped, "malformed"},
    {"Detect=HKCU\\Software\\Vendor|Value", kSkipped, "malformed"},
    {"DetectFile3=", kSkipped, "malformed"},
    {"DetectOS=10.0|6.1", kSkipped, "malformed"},
    {"DetectOS=10.0", kSkipped, "malformed"},
    {"SpecialDetect=DET_ANYTHING", {}},
    {"Default=FALSE", {}},
    {"Default=yes", kSkipped, "True or False"},
    {"FileKey9=%Temp%|*.log|removeself", {}},
    {"FileKey9=%Temp%|*.log|RECURSIVE", kSkipped, "malformed"},
    {"FileKey9=%Temp%", kSkipped, "malformed"},
    {"FileKey9=%Temp%|;", kSkipped, "malformed"},
    {"FileKey01=%Temp%|*.log", kSkipped, "duplicate key FileKey01"},
    {"FileKey=%Temp%|*.log", kSkipped, "unknown key FileKey"},
    {"Detect0=HKCU\\Software\\Vendor", kSkipped, "unknown key Detect0"},
    {"DetectFoo=x", kSkipped, "unknown key DetectFoo"},
    {"RegKey1=hkey_users\\S-1-5-21\\Software\\Vendor\\App|Last File", {}},
    {"RegKey1=HKCU\\Software\\\\Vendor\\App", kSkipped, "malformed"},
    {"RegKey1=HKCU\\Software\\Vendor\\App|", kSkipped, "malformed"},
    {"ExcludeKey1=path|%Temp%\\Keep\\|*.tmp", {}},
    {"ExcludeKey1=REG|HKCU\\Software\\Vendor\\App|Keep", {}},
    {"ExcludeKey1=FILE|%Temp%\\", kRefused, "malformed"},
    {"ExcludeKey1=DIR|%Temp%\\|a.tmp", kRefused, "malformed"},
    {"ExcludeKey1=REG|HKXX\\Software", kRefused, "malformed"},
    {"ExcludeKey1=PATH|C:\\Keep\\", kRefused, "known variable"},
    {"; FileKey2=%UserProfile%|*.*|RECURSE", {}},
    {"  \t ", {}},
    {"words without an equals sign", kSkipped, "neither"},
    {"[Unclosed entry", kSkipped, "neither"},
    // The safety checks on a deleting key's or an exclusion's text.
    {"FileKey2=%UserProfile%|AMD_*.log", {}},
    {"FileKey2=%SystemDrive%|setup.log", {}},
    {"FileKey2=%systemdrive%\\|setup.log", {}},
    {"FileKey2=%Temp%|*.*|RECURSE", {}},
    {"FileKey2=%AppData%\\Discord*|*.log", {}},
    {"FileKey2=%LocalAppData%\\Vendor\\*\\Cache|*|REMOVESELF", {}},
    {"FileKey2=%AppData%\\Microsoft\\Windows\\Recent\\AutomaticDestinations|*", {}},
    {"FileKey2=%UserProfile%|*.*|RECURSE", kRefused, "RECURSE or REMOVESELF in a protected folder"},
    {"FileKey2=%WinDir%|*.log|RECURSE", kRefused, "RECURSE or REMOVESELF in a protected folder"},
    {"FileKey2=%SystemDrive%\\Users\\Me\\AppData|x.log|RECURSE", kRefused, "protected folder"},
    {"FileKey2=%AppData%\\Microsoft|*.tmp|RECURSE", kRefused, "protected folder"},
    {"FileKey2=%UserProfile%\\Doc*|*.tmp|RECURSE", kRefused, "protected folder"},
    {"FileKey2=%LocalAppData%|*.*", kRefused, "every file in a protected folder"},
    {"FileKey2=%CommonAppData%|*.log|RECURSE", kRefused, "protected folder"},
    {"FileKey2=%ProgramFiles%\\Common Files|?.?", kRefused, "every file in a protected folder"},
    {"FileKey2=%Documents%|*.tmp", kRefused, "wildcard pattern in a document folder"},
    {"FileKey2=%UserProfile%\\Desktop|~$*.docx", kRefused, "wildcard pattern in a document folder"},
    {"FileKey2=%Public%\\Videos|thumb?.db", kRefused, "wildcard pattern in a document folder"},
    {"FileKey2=%Documents%|notes.tmp", {}},
    {"FileKey2=%UserProfile%\\*|*.tmp", kRefused, "wildcard within three letters"},
    {"FileKey2=%UserProfile%\\Do*|x.tmp", kRefused, "wildcard within three letters"},
    {"FileKey2=%Temp%\\?ab|x.tmp", kRefused, "wildcard within three letters"},
    {"FileKey2=%UserProfile%\\AppData\\*\\Vendor|x.tmp", kRefused, "wildcard within three letters"},
    {"FileKey2=%Temp%\\..\\..|x.tmp", kRefused, "'..' path segment"},
    {"FileKey2=%Temp%\\Vendor.|x.tmp", kRefused, "dot or blank"},
    {"FileKey2=%Temp%\\C:\\Windows|x.tmp", kRefused, "':'"},
    {"FileKey2=%Temp%|..", kRefused, "the pattern '..'"},
    {"FileKey2=%Temp%|..\\*.tmp", kRefused, "pattern holding"},
    {"FileKey2=%Temp%|C:*.tmp", kRefused, "pattern holding"},
    {"FileKey2=\\\\server\\share|*.tmp", kRefused, "does not start with a variable"},
    {"FileKey2=C:\\Temp|*.tmp", kRefused, "does not start with a variable"},
    {"FileKey2=%WinTemp%\\Vendor|*.tmp", kRefused, "known variable"},
    {"FileKey2=%AppData%Vendor|*.tmp", kRefused, "known variable"},
    {"FileKey2=%UserName%\\Vendor|*.tmp", kRefused, "names no folder"},
    {"RegKey1=HKCU\\Software\\Vendor\\App\\Recent", {}},
    {"RegKey1=HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs", {}},
    {"RegKey1=HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|Vendor", {}},
    {"RegKey1=HKCU", kRefused, "hive root"},
    {"RegKey1=HKCU\\Software", kRefused, "protected key (Software)"},
    {"RegKey1=HKCU\\Software\\Vendor", kRefused, "protected key (Software\\*)"},
    {"RegKey1=HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", kRefused, "protected key"},
    {"RegKey1=HKLM\\Software\\Microsoft\\Windows NT", kRefused, "ancestor of a protected key"},
    {"RegKey1=HKLM\\Software\\Wow6432Node\\Policies", kRefused, "protected key (Software\\Policies)"},
    {"RegKey1=HKCR\\.txt", kRefused, "protected key (Software\\Classes\\*)"},
    {"RegKey1=HKLM\\BCD00000000", kRefused, "hive of HKLM"},
    {"RegKey1=HKCU\\Software\\Vendor\\Ap?", kRefused, "wildcard in a registry key"},
    {"RegKey1=HKCU\\Control Panel\\Vendor\\Recent", {}},
    {"RegKey1=HKCU\\Control Panel\\Desktop", kRefused, "protected key (Control Panel\\*)"},
    {"RegKey1=HKLM\\SYSTEM\\CurrentControlSet\\Services\\Vendor\\Logs", kRefused, "under HKLM\\SYSTEM"},
    {"RegKey1=HKCC\\Software\\Vendor", kRefused, "under HKLM\\SYSTEM"},
    {"RegKey1=HKCU\\Environment|TEMP", kRefused, "value under Environment"},
    {"RegKey1=HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon|Shell", kRefused, "Winlogon"},
    {"RegKey1=HKU\\.DEFAULT", kRefused, "hive root"},
    {"RegKey1=HKU\\S-1-5-21-1_Classes\\.txt", kRefused, "protected key (Software\\Classes\\*)"},
    {"RegKey1=HKU\\S-1-5-21-1\\Software\\Vendor", kRefused, "protected key (Software\\*)"},
    {"RegKey1=HKCU\\Software\\Vendor\\App\\User MRU\\*\\File MRU", kRefused, "wildcard in a registry key"},
    {"RegKey1=HKCU\\Software\\Vendor\\App\\User MRU\\*\\File MRU", {}, "", kBuiltIn},
    {"RegKey1=HKCU\\Software\\*", kRefused, "protected key", kBuiltIn},
    {"RegKey1=HKCU\\Software\\*\\Windows", kRefused, "protected key", kBuiltIn},
    {"ExcludeKey1=PATH|%Windir%\\Keep\\", {}},
    {"ExcludeKey1=FILE|%Nowhere%\\Keep\\|a.tmp", kRefused, "known variable"},
    {"ExcludeKey1=PATH|%UserName%\\", kRefused, "known variable"},
    // Databases are cleaned inside only by the program's own rules.
    {"Database1=FirefoxCookies|%AppData%\\Mozilla\\Firefox\\Profiles\\*|cookies.sqlite", {}, "", kBuiltIn},
    {"Database1=FirefoxCookies|%AppData%\\Mozilla\\Firefox\\Profiles\\*|cookies.sqlite", kSkipped, "program's own rules"},
    {"Database1=NoSuchLayout|%AppData%\\Vendor|data.db", kSkipped, "malformed", kBuiltIn},
    {"Database1=FirefoxCookies|%AppData%\\Vendor|..\\x.db", kSkipped, "malformed", kBuiltIn},
};
// clang-format on

TEST(RuleParser, EachLineLoadsTheEntryOrReportsItAtItsLine) {
  for (const auto& c : kLineCases) {
    SCOPED_TRACE(c.line);
    const auto file = ParseRuleFile("[Entry *]\nFileKey1=%Temp%|*.tmp\n" + c.line + "\n", c.source);
    ASSERT_EQ(file.entries_read, 1);
    if (!c.problem) {
      EXPECT_TRUE(file.problems.empty()) << file.problems[0].reason;
      ASSERT_EQ(file.entries.size(), 1u);
      EXPECT_EQ(file.entries[0].group, c.reason.empty() ? "Other" : c.reason);
      continue;
    }
    ASSERT_EQ(file.problems.size(), 1u);
    EXPECT_TRUE(file.entries.empty());
    const auto& problem = file.problems[0];
    EXPECT_EQ(problem.kind, *c.problem);
    EXPECT_EQ(problem.line, 3);
    EXPECT_EQ(problem.entry, "Entry");
    EXPECT_EQ(problem.key, c.line);
    EXPECT_NE(problem.reason.find(c.reason), std::string::npos) << problem.reason;
  }
}

TEST(RuleParser, KeysLandInTheirFieldsInNumberOrder) {
  const auto file = ParseRuleFile(R"([ Vendor App Cache * ]
DetectOS=6.1|10.0
DetectFile2=%ProgramFiles%\Vendor
DetectFile=%LocalAppData%\Vendor
Default=True
Warning=Closes Vendor App.
FileKey10=%LocalAppData%\Vendor\Logs|*.log|REMOVESELF
FileKey2=%LocalAppData%\Vendor\Cache| *.tmp ; ;index.dat |RECURSE
RegKey3=HKLM\Software\Vendor\App|Last
RegKey1=HKCR\Vendor.Document\App\Recent
ExcludeKey1=FILE|%LocalAppData%\Vendor\Cache\|keep.tmp
)",
                                  kUserFile);
  ASSERT_TRUE(file.problems.empty()) << file.problems[0].reason;
  ASSERT_EQ(file.entries.size(), 1u);
  const auto& e = file.entries[0];
  EXPECT_EQ(e.name, "Vendor App Cache");
  EXPECT_EQ(e.detect_os->min, (platform::OsVersion{6, 1}));
  EXPECT_EQ(e.detect_os->max, (platform::OsVersion{10, 0}));
  EXPECT_EQ(e.detect_files,
            (std::vector<std::string>{"%LocalAppData%\\Vendor", "%ProgramFiles%\\Vendor"}));
  EXPECT_TRUE(e.default_ticked);
  EXPECT_EQ(e.warning, "Closes Vendor App.");
  ASSERT_EQ(e.file_keys.size(), 2u);
  EXPECT_EQ(e.file_keys[0].line, 8);
  EXPECT_EQ(e.file_keys[0].patterns, (std::vector<std::string>{"*.tmp", "index.dat"}));
  EXPECT_EQ(e.file_keys[0].flag, FileKeyFlag::kRecurse);
  EXPECT_EQ(e.file_keys[1].flag, FileKeyFlag::kRemoveSelf);
  ASSERT_EQ(e.reg_keys.size(), 2u);
  EXPECT_EQ(e.reg_keys[0].root, platform::RegistryRoot::ClassesRoot);
  EXPECT_EQ(e.reg_keys[0].path, "Vendor.Document\\App\\Recent");
  EXPECT_FALSE(e.reg_keys[0].value);
  EXPECT_EQ(e.reg_keys[1].root, platform::RegistryRoot::LocalMachine);
  EXPECT_EQ(e.reg_keys[1].value, "Last");
  ASSERT_EQ(e.excludes.size(), 1u);
  EXPECT_EQ(e.excludes[0].kind, ExcludeKind::kFile);
  EXPECT_EQ(e.excludes[0].names, std::vector<std::string>{"keep.tmp"});
}

TEST(RuleParser, ReadsEveryEncodingAndLineEnd) {
  const std::string utf8 = "; x\r\n[Caf\xC3\xA9 \xF0\x9F\x98\x80 *]\r\nFileKey1=%Temp%|*.tmp\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char16_t unit : u"; x\r\n[Caf\u00E9 \U0001F600 *]\r\nFileKey1=%Temp%|*.tmp\r\n") {
    if (unit == 0) break;
    utf16 += static_cast<char>(unit & 0xFF);
    utf16 += static_cast<char>(unit >> 8);
  }
  for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, utf16}) {
    const auto file = ParseRuleFile(bytes, kUserFile);
    ASSERT_EQ(file.entries.size(), 1u);
    EXPECT_EQ(file.entries[0].name, "Caf\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(file.entries[0].file_keys[0].line, 3);
  }
  const auto big_endian = ParseRuleFile("\xFE\xFF\0[\0E\0]"sv, kUserFile);
  ASSERT_EQ(big_endian.problems.size(), 1u);
  EXPECT_EQ(big_endian.problems[0].line, 0);
}

TEST(RuleParser, ABadEntryNeverStopsTheFile) {
  const auto file = ParseRuleFile(R"(FileKey1=%Temp%|*.tmp
[First *]
FileKey1=%Temp%|*.tmp
[first]
FileKey1=%Temp%|*.log
[Empty]
[]
FileKey1=%Temp%|*.tmp
[Last]
FileKey1=%Temp%|*.log
)",
                                  kUserFile);
  EXPECT_EQ(file.entries_read, 5);
  ASSERT_EQ(file.entries.size(), 2u);
  EXPECT_EQ(file.entries[0].name, "First");
  EXPECT_EQ(file.entries[1].name, "Last");
  const std::pair<int, std::string> expected[] = {
      {1, "outside an entry"}, {4, "same name"}, {6, "nothing to clean"}, {7, "without a name"}};
  ASSERT_EQ(file.problems.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(file.problems[i].line, expected[i].first);
    EXPECT_NE(file.problems[i].reason.find(expected[i].second), std::string::npos)
        << file.problems[i].reason;
  }
}

// Key lines of the format, safe and unsafe ("#": the key's number), some with bytes of noise:
// every entry has one outcome, nothing escapes, the sanitizers see no fault, what loads is safe.
// clang-format off
const std::string_view kDamageLines[] = {
    "FileKey#=%Temp%\\Vendor|*.tmp", "FileKey#=%UserProfile%|*.*|RECURSE", "FileKey#=%Documents%|*.tmp",
    "FileKey#=%AppData%\\Do*|x.log|REMOVESELF", "FileKey#=C:\\Vendor|*", "FileKey#=%Temp%|..;a\\b",
    "RegKey#=HKCU\\Software\\Vendor\\App|Value", "RegKey#=HKCR\\.txt", "RegKey#=HKU\\S-1_Classes\\Vendor",
    "RegKey#=HKCU\\Software\\Vendor\\*\\App", "ExcludeKey#=PATH|%Temp%\\Keep\\", "ExcludeKey#=PATH|C:\\Keep\\",
    "DetectOS=10.0|", "Default=True",
};
// clang-format on

std::string DamagedFile(std::mt19937& random, int entries) {
  std::string text = random() % 2 ? "\xEF\xBB\xBF" : "";
  for (int e = 0; e < entries; ++e) {
    text += "[E" + std::to_string(e) + " *]\n";
    for (int k = 1 + random() % 4; k > 0; --k) {
      std::string line(kDamageLines[random() % std::size(kDamageLines)]);
      if (const size_t hash = line.find('#'); hash != std::string::npos) {
        line.replace(hash, 1, std::to_string(k));
      }
      if (random() % 4 == 0) line.insert(random() % line.size(), 1, static_cast<char>(random()));
      if (random() % 8 == 0) line.resize(random() % line.size());
      text += line + "\n";
    }
  }
  return text;
}

TEST(RuleParser, DamagedFilesLoadWhatIsSoundAndNothingUnsafe) {
  std::mt19937 random(7);
  size_t kept = 0;
  for (int round = 0; round < 300; ++round) {
    const std::string bytes = DamagedFile(random, 10);
    for (auto source : {kUserFile, kBuiltIn}) {
      const auto file = ParseRuleFile(bytes, source);
      EXPECT_EQ(file.entries_read, 10);
      EXPECT_EQ(int(file.entries.size() + file.problems.size()), file.entries_read);
      for (const auto& entry : file.entries) EXPECT_FALSE(RefusedEntryText(entry, source));
      kept += file.entries.size();
    }
  }
  EXPECT_GT(kept, 100u);
  const auto garbage = ParseRuleFile("\0\xFF[\x01=|\n\n=\n"sv, kUserFile);
  EXPECT_EQ(garbage.problems.size(), 2u);
  const auto long_line = ParseRuleFile(
      "[E]\nFileKey1=%Temp%|" + std::string(1 << 20, 'x') + "\n" + std::string(1 << 20, '\0'),
      kUserFile);
  EXPECT_EQ(long_line.entries.size(), 1u);
}

}  // namespace
}  // namespace tidora::rules
