// What the safety checks refuse: on a key's text when a file loads, and on the concrete folders
// and keys the run reaches.

#include <gtest/gtest.h>

#include "rules/rule_parser.h"
#include "rules/rule_safety.h"

namespace tidora::rules {
namespace {

using platform::RegistryRoot;

struct TextCase {
  std::string key;     // the one deleting key of an entry
  std::string reason;  // a fragment of the refusal; empty: allowed
  RuleSource source = RuleSource::kUserFile;
};

// clang-format off
const TextCase kTextCases[] = {
    {"FileKey1=%UserProfile%|AMD_*.log", ""},
    {"FileKey1=%SystemDrive%|setup.log", ""},
    {"FileKey1=%systemdrive%\\|setup.log", ""},
    {"FileKey1=%Temp%|*.*|RECURSE", ""},
    {"FileKey1=%AppData%\\Discord*|*.log", ""},
    {"FileKey1=%LocalAppData%\\Vendor\\*\\Cache|*|REMOVESELF", ""},
    {"FileKey1=%AppData%\\Microsoft\\Windows\\Recent\\AutomaticDestinations|*", ""},
    {"FileKey1=%UserProfile%|*.*|RECURSE", "RECURSE or REMOVESELF in a protected folder"},
    {"FileKey1=%WinDir%|*.log|RECURSE", "RECURSE or REMOVESELF in a protected folder"},
    {"FileKey1=%SystemDrive%\\Users\\Me\\AppData|x.log|RECURSE", "protected folder"},
    {"FileKey1=%AppData%\\Microsoft|*.tmp|RECURSE", "protected folder"},
    {"FileKey1=%UserProfile%\\Doc*|*.tmp|RECURSE", "protected folder"},
    {"FileKey1=%LocalAppData%|*.*", "every file in a protected folder"},
    {"FileKey1=%CommonAppData%|*.log|RECURSE", "protected folder"},
    {"FileKey1=%ProgramFiles%\\Common Files|?.?", "every file in a protected folder"},
    {"FileKey1=%Documents%|*.tmp", "wildcard pattern in a document folder"},
    {"FileKey1=%UserProfile%\\Desktop|~$*.docx", "wildcard pattern in a document folder"},
    {"FileKey1=%Public%\\Videos|thumb?.db", "wildcard pattern in a document folder"},
    {"FileKey1=%Documents%|notes.tmp", ""},
    {"FileKey1=%UserProfile%\\*|*.tmp", "wildcard within three letters"},
    {"FileKey1=%UserProfile%\\Do*|x.tmp", "wildcard within three letters"},
    {"FileKey1=%Temp%\\?ab|x.tmp", "wildcard within three letters"},
    {"FileKey1=%UserProfile%\\AppData\\*\\Vendor|x.tmp", "wildcard within three letters"},
    {"FileKey1=%Temp%\\..\\..|x.tmp", "'..' path segment"},
    {"FileKey1=%Temp%\\Vendor.|x.tmp", "dot or blank"},
    {"FileKey1=%Temp%\\C:\\Windows|x.tmp", "':'"},
    {"FileKey1=%Temp%|..", "the pattern '..'"},
    {"FileKey1=%Temp%|..\\*.tmp", "pattern holding"},
    {"FileKey1=%Temp%|C:*.tmp", "pattern holding"},
    {"FileKey1=\\\\server\\share|*.tmp", "does not start with a variable"},
    {"FileKey1=C:\\Temp|*.tmp", "does not start with a variable"},
    {"FileKey1=%WinTemp%\\Vendor|*.tmp", "known variable"},
    {"FileKey1=%AppData%Vendor|*.tmp", "known variable"},
    {"FileKey1=%UserName%\\Vendor|*.tmp", "names no folder"},
    {"RegKey1=HKCU\\Software\\Vendor\\App\\Recent", ""},
    {"RegKey1=HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs", ""},
    {"RegKey1=HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|Vendor", ""},
    {"RegKey1=HKCU", "hive root"},
    {"RegKey1=HKCU\\Software", "protected key (Software)"},
    {"RegKey1=HKCU\\Software\\Vendor", "protected key (Software\\*)"},
    {"RegKey1=HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "protected key"},
    {"RegKey1=HKLM\\Software\\Microsoft\\Windows NT", "ancestor of a protected key"},
    {"RegKey1=HKLM\\Software\\Wow6432Node\\Policies", "protected key (Software\\Policies)"},
    {"RegKey1=HKCR\\.txt", "protected key (Software\\Classes\\*)"},
    {"RegKey1=HKCU\\Control Panel\\Vendor\\Recent", ""},
    {"RegKey1=HKCU\\Control Panel\\Desktop", "protected key (Control Panel\\*)"},
    {"RegKey1=HKLM\\SYSTEM\\CurrentControlSet\\Services\\Vendor\\Logs", "under HKLM\\SYSTEM"},
    {"RegKey1=HKCC\\Software\\Vendor", "under HKLM\\SYSTEM"},
    {"RegKey1=HKCU\\Environment|TEMP", "value under Environment"},
    {"RegKey1=HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon|Shell", "Winlogon"},
    {"RegKey1=HKU\\.DEFAULT", "hive root"},
    {"RegKey1=HKU\\S-1-5-21-1_Classes\\.txt", "protected key (Software\\Classes\\*)"},
    {"RegKey1=HKU\\S-1-5-21-1\\Software\\Vendor", "protected key (Software\\*)"},
    {"RegKey1=HKCU\\Software\\Vendor\\App\\User MRU\\*\\File MRU", "wildcard in a registry key"},
    {"RegKey1=HKCU\\Software\\Vendor\\App\\User MRU\\*\\File MRU", "", RuleSource::kBuiltIn},
    {"RegKey1=HKCU\\Software\\*", "protected key", RuleSource::kBuiltIn},
    {"RegKey1=HKCU\\Software\\*\\Windows", "protected key", RuleSource::kBuiltIn},
    {"ExcludeKey1=PATH|%Windir%\\Keep\\", ""},
    {"ExcludeKey1=FILE|%Nowhere%\\Keep\\|a.tmp", "known variable"},
    {"ExcludeKey1=PATH|%UserName%\\", "known variable"},
};
// clang-format on

TEST(RuleSafety, EachKeyTextIsAllowedOrRefusedWithItsReason) {
  for (const auto& c : kTextCases) {
    SCOPED_TRACE(c.key);
    const bool deletes = !c.key.starts_with("ExcludeKey");
    const auto file = ParseRuleFile(
        "[E]\n" + c.key + (deletes ? "" : "\nFileKey1=%Temp%|*.tmp") + "\n", c.source);
    if (c.reason.empty()) {
      EXPECT_TRUE(file.problems.empty()) << file.problems[0].reason;
      continue;
    }
    ASSERT_EQ(file.problems.size(), 1u);
    EXPECT_EQ(file.problems[0].kind, ProblemKind::kRefused) << file.problems[0].reason;
    EXPECT_EQ(file.problems[0].line, 2);
    EXPECT_NE(file.problems[0].reason.find(c.reason), std::string::npos) << file.problems[0].reason;
  }
}

struct ConcreteCase {
  std::string path;
  std::string reason;  // empty: allowed
};

const ConcreteCase kPaths[] = {
    {"C:\\Users\\me\\AppData\\Local\\Vendor", ""},
    {"c:/users/me/AppData/Local/Vendor/", ""},
    {"C:\\", ""},
    {"\\\\server\\share\\Vendor", "UNC or device"},
    {"\\\\?\\C:\\Vendor", "UNC or device"},
    {"C:", "not a full path"},
    {"C:Vendor", "not a full path"},
    {"\\Vendor", "not a full path"},
    {"C:\\Users\\me\\..\\you", "'..'"},
    {"C:\\Users\\\\me", "empty path segment"},
    {"C:\\Users\\me\\Vendor:stream", "':'"},
    {"C:\\Users\\me \\Vendor", "dot or blank"},
    {std::string("C:\\Users\\me\0\\Vendor", 19), "control character"},
};

TEST(RuleSafety, ConcretePathsOfUnsoundShapeAreRefused) {
  for (const auto& c : kPaths) {
    const auto refused = RefusedPathShape(c.path);
    EXPECT_EQ(refused.has_value(), !c.reason.empty()) << c.path;
    if (refused) {
      EXPECT_NE(refused->find(c.reason), std::string::npos) << c.path << *refused;
    }
  }
}

TEST(RuleSafety, ConcreteKeysFoldTheirAliasesBeforeTheCheck) {
  const std::string nul_path("Software\\Vendor\0\\App", 20);
  EXPECT_TRUE(RefusedRegistryDelete(RegistryRoot::CurrentUser, nul_path, std::nullopt));
  EXPECT_TRUE(RefusedRegistryDelete(RegistryRoot::ClassesRoot, "Wow6432Node\\CLSID", std::nullopt));
  EXPECT_TRUE(RefusedRegistryDelete(RegistryRoot::LocalMachine, "SAM\\Domains", std::nullopt));
  EXPECT_TRUE(RefusedRegistryDelete(RegistryRoot::Users, "S-1-5-18\\Environment", "Path"));
  EXPECT_FALSE(
      RefusedRegistryDelete(RegistryRoot::Users, "S-1-5-18\\Software\\Vendor\\App", std::nullopt));
}

}  // namespace
}  // namespace tidora::rules
