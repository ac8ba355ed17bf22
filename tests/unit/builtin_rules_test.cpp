// The program's own rules load whole, pass the safety checks, and leave the files a browser keeps
// the user's data in alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "rules/path_text.h"
#include "rules/rule_parser.h"
#include "rules/rule_safety.h"
#include "rules/variables.h"

namespace tidora::rules {
namespace {

// What users keep: cookies, history, bookmarks, form data and search engines, passwords, settings.
// clang-format off
const std::string_view kKeepFiles[] = {
    "Cookies", "Cookies-journal", "History", "History-journal", "Web Data", "Web Data-journal",
    "Login Data", "Bookmarks", "Preferences", "Secure Preferences", "Local State", "Favicons",
    "Visited Links", "Top Sites", "Shortcuts", "places.sqlite", "places.sqlite-wal",
    "cookies.sqlite", "cookies.sqlite-wal", "formhistory.sqlite", "logins.json", "key4.db",
    "prefs.js",
};

// Folders that hold nothing but what a rule may take: a catch-all pattern is fine there.
const std::string_view kThrowawayFolders[] = {
    "Cache", "Code Cache", "GPUCache", "CacheStorage", "ScriptCache", "ShaderCache",
    "GrShaderCache", "reports", "Sessions", "cache2", "startupCache", "thumbnails",
    "sessionstore-backups", "pending", "submitted", "ReportArchive", "ReportQueue", "D3DSCache",
};
// clang-format on

RuleFile BuiltInRules() {
  std::ifstream in(TIDORA_SOURCE_DIR "/rules/builtin_rules.ini", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return ParseRuleFile(bytes.str(), RuleSource::kBuiltIn);
}

TEST(BuiltInRules, LoadWithoutAProblemAndPassTheSafetyChecks) {
  const auto file = BuiltInRules();
  for (const auto& problem : file.problems) ADD_FAILURE() << problem.line << ": " << problem.reason;
  EXPECT_GE(file.entries.size(), 35u);
  EXPECT_EQ(int(file.entries.size()), file.entries_read);
  for (const auto& entry : file.entries) {
    SCOPED_TRACE(entry.name);
    EXPECT_FALSE(RefusedEntryText(entry, RuleSource::kBuiltIn));
    EXPECT_NE(entry.group, "Other");
    for (const auto& path : entry.detect_files) EXPECT_TRUE(SplitVariable(path)) << path;
  }
}

TEST(BuiltInRules, NoPatternReachesAFileUsersKeep) {
  for (const auto& entry : BuiltInRules().entries) {
    for (const auto& key : entry.file_keys) {
      if (std::ranges::count(kThrowawayFolders, PathSegments(key.path).back())) continue;
      EXPECT_EQ(key.flag, FileKeyFlag::kNone) << entry.name << ": " << key.path;
      for (const auto& pattern : key.patterns) {
        for (auto keep : kKeepFiles) {
          EXPECT_FALSE(MatchesWildcard(pattern, keep)) << entry.name << ": " << pattern;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tidora::rules
