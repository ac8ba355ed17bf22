#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/system_info.h"

namespace tidora::rules {

enum class FileKeyFlag {
  kNone,        // the matching files directly in the folder
  kRecurse,     // and in every folder below it
  kRemoveSelf,  // as kRecurse, then the folders this run left empty, the folder itself last
};

// FileKeyN=path|patterns[|flag]
struct FileKey {
  int line = 0;
  std::string path;                   // as written: starts with a variable, may hold wildcards
  std::vector<std::string> patterns;  // file-name patterns, at least one
  FileKeyFlag flag = FileKeyFlag::kNone;
};

// RegKeyN=key[|value], DetectN=key
struct RegKey {
  int line = 0;
  platform::RegistryRoot root = platform::RegistryRoot::CurrentUser;
  std::string path;                  // below the root, no leading or trailing backslash
  std::optional<std::string> value;  // one named value; nullopt: the key and all beneath it
};

enum class ExcludeKind {
  kFile,      // FILE|folder\|name1;name2: those files in that folder
  kPath,      // PATH|folder\|patterns: matching files there and below; no patterns: all of it
  kRegistry,  // REG|key[|value]
};

struct ExcludeKey {
  int line = 0;
  ExcludeKind kind = ExcludeKind::kFile;
  std::string folder;              // kFile, kPath: as written
  std::vector<std::string> names;  // kFile: exact names; kPath: patterns
  RegKey key;                      // kRegistry
};

// DatabaseN=layout|folder|file: a browser database cleaned inside, its other contents kept. The
// built-in rules' own key: a user's file cannot name one.
struct DatabaseKey {
  int line = 0;
  std::string layout;  // a name of databases::DatabaseLayouts()
  std::string folder;  // as written: starts with a variable, may hold wildcards
  std::string file;    // a plain file name
};

// DetectOS=min|max: either side may be absent.
struct OsRange {
  std::optional<platform::OsVersion> min;
  std::optional<platform::OsVersion> max;
};

// One [Entry] of a rule file, as loaded.
struct RuleEntry {
  std::string name;   // as shown: the trailing " *" dropped
  int line = 0;       // of its [name] line
  std::string group;  // the group it is shown in ("Google Chrome", "Other", a Section's name)
  std::vector<RegKey> detect_keys;
  std::vector<std::string> detect_files;
  std::optional<OsRange> detect_os;
  bool default_ticked = false;
  std::string warning;                 // empty: none
  std::vector<FileKey> file_keys;      // in key-number order
  std::vector<RegKey> reg_keys;        // in key-number order
  std::vector<ExcludeKey> excludes;    // in key-number order
  std::vector<DatabaseKey> databases;  // in key-number order
};

enum class ProblemKind {
  kSkipped,  // an unknown key, a malformed value, a duplicate name
  kRefused,  // unsafe: a key the safety rules refuse, or an exclusion that cannot be honoured
};

// Why an entry (or the whole file) is not offered.
struct Problem {
  ProblemKind kind = ProblemKind::kSkipped;
  int line = 0;       // 0: the file as a whole
  std::string entry;  // the entry's shown name; empty for the file as a whole
  std::string key;  // the key line as written ("FileKey3=%UserProfile%|*.*|RECURSE"); may be empty
  std::string reason;
};

// Who wrote the rules: the program's own may use "*" in a registry key's segment.
enum class RuleSource { kBuiltIn, kUserFile };

struct RuleFile {
  std::vector<RuleEntry> entries;  // the entries that loaded, in file order
  std::vector<Problem> problems;   // in line order
  int entries_read = 0;            // every [entry] of the file, usable or not
};

}  // namespace tidora::rules
