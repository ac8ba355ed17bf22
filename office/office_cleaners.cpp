#include "office/office_cleaners.h"

#include <initializer_list>

#include "cleaning/file_search.h"
#include "cleaning/shared_routines.h"

namespace tidora::office {

namespace {

using platform::RegistryRoot;
constexpr auto kUser = RegistryRoot::CurrentUser;

// How a program's own list goes.
enum class OwnList {
  kNone,
  kValue,           // one value of the version's key
  kWholeKey,        // the version's key, whole
  kNumberedValues,  // stem + 1, 2, 3 ... up to the first gap
  kSubkeys,         // the whole subkeys of kFrontPageLists, of a key outside the Office key
};

struct ProgramLists {
  OfficeProgram program;
  const char* open_find;  // the program's name among the Open Find lists; nullptr: none
  OwnList own;
  const char* key;   // below the version's key; for kSubkeys, from the root
  const char* name;  // the value, or the stem of the numbered values
};

// clang-format off
constexpr ProgramLists kPrograms[] = {
    // program                    Open Find     own list                  key                               value
    {OfficeProgram::kWord,        "Word",       OwnList::kValue,          "\\Word\\Data",                   "Settings"},
    {OfficeProgram::kExcel,       "Excel",      OwnList::kWholeKey,       "\\Excel\\Recent Files",          nullptr},
    {OfficeProgram::kPowerPoint,  "PowerPoint", OwnList::kWholeKey,       "\\PowerPoint\\Recent File List", nullptr},
    {OfficeProgram::kOutlook,     nullptr,      OwnList::kNone,           nullptr,                          nullptr},
    {OfficeProgram::kAccess,      "Access",     OwnList::kNumberedValues, "\\Access\\Settings",             "MRU"},
    {OfficeProgram::kFrontPage,   "FrontPage",  OwnList::kSubkeys,        kFrontPageExplorerKey,            nullptr},
};
// clang-format on

constexpr const char* kFrontPageLists[] = {"Recent File List", "Recent Page List",
                                           "Recent Web List", "Recently Created Servers"};

// Office names its Open Find lists "Microsoft Word" and so on; the misspelt names are cleaned as
// well, for whatever wrote lists under them.
constexpr const char* kOpenFindVendors[] = {"Microsoft", "Mircosoft"};

const ProgramLists& ListsOf(OfficeProgram program) {
  for (const ProgramLists& lists : kPrograms) {
    if (lists.program == program) return lists;
  }
  static constexpr ProgramLists kNothing{OfficeProgram::kOutlook, nullptr, OwnList::kNone, nullptr,
                                         nullptr};
  return kNothing;
}

// The last of names that is a subkey of key; empty when none is.
std::string LastSubkeyPresent(platform::Registry& registry, const std::string& key,
                              std::initializer_list<const char*> names) {
  std::string last;
  if (auto parent = registry.OpenForRead(kUser, key)) {
    for (const char* name : names) {
      if (parent->HasSubkey(name)) last = name;
    }
  }
  return last;
}

// Deletes stem + 1, 2, 3 ... while they exist; counts those really deleted.
int DeleteNumberedValues(platform::RegistryKey& key, const std::string& stem) {
  int deleted = 0;
  for (int n = 1;; ++n) {
    const std::string name = stem + std::to_string(n);
    if (!key.HasValue(name)) return deleted;
    if (key.DeleteValue(name)) ++deleted;
  }
}

bool KeyExists(platform::Registry& registry, const std::string& path) {
  return registry.OpenForRead(kUser, path) != nullptr;
}

int DeleteWholeKey(platform::Registry& registry, const std::string& path) {
  return KeyExists(registry, path) && registry.DeleteTree(kUser, path) ? 1 : 0;
}

int CleanOwnList(platform::Registry& registry, const ProgramLists& lists,
                 const std::string& version_key) {
  if (lists.own == OwnList::kSubkeys) {
    int deleted = 0;
    for (const char* name : kFrontPageLists) {
      deleted += DeleteWholeKey(registry, cleaning::JoinPath(lists.key, name));
    }
    return deleted;
  }
  // The other lists belong to the version: none without one.
  if (version_key.empty() || lists.own == OwnList::kNone) return 0;
  const std::string path = version_key + lists.key;
  if (lists.own == OwnList::kWholeKey) return DeleteWholeKey(registry, path);
  auto key = registry.Open(kUser, path);
  if (!key) return 0;
  if (lists.own == OwnList::kValue) return key->DeleteValue(lists.name) ? 1 : 0;
  return DeleteNumberedValues(*key, lists.name);
}

}  // namespace

std::string OfficeVersion(platform::Registry& registry) {
  return LastSubkeyPresent(registry, kOfficeKey, {"8.0", "9.0", "10.0"});
}

int CleanOfficeMru(platform::Registry& registry, OfficeProgram program) {
  if (!KeyExists(registry, kOfficeKey)) return 0;
  const ProgramLists& lists = ListsOf(program);
  const std::string version = OfficeVersion(registry);
  const std::string version_key =
      version.empty() ? std::string() : cleaning::JoinPath(kOfficeKey, version);
  int deleted = 0;
  if (!version_key.empty() && lists.open_find) {
    for (const char* vendor : kOpenFindVendors) {
      deleted += ClearOpenFindLists(registry, version_key + "\\Common\\Open Find\\" + vendor + " " +
                                                  lists.open_find + "\\Settings");
    }
  }
  return deleted + CleanOwnList(registry, lists, version_key);
}

int ClearOpenFindLists(platform::Registry& registry, std::string_view settings_key) {
  std::vector<std::string> names;
  if (auto key = registry.Open(kUser, settings_key)) names = key->SubkeyNames();
  int deleted = 0;
  for (const std::string& name : names) {
    const std::string list =
        cleaning::JoinPath(cleaning::JoinPath(settings_key, name), "File Name MRU");
    if (auto key = registry.Open(kUser, list); key && key->DeleteValue("Value")) ++deleted;
  }
  return deleted;
}

int CleanPhotoEditorMru(platform::Registry& registry) {
  const std::string version = LastSubkeyPresent(registry, kPhotoEditorKey, {"2.0", "3.0", "4.0"});
  if (version.empty()) return 0;
  auto key = registry.Open(
      kUser, std::string(kPhotoEditorKey) + "\\" + version + "\\Microsoft Photo Editor");
  return key ? DeleteNumberedValues(*key, "LastFile") : 0;
}

cleaning::ReachedFolder OfficeRecentFolder(platform::SystemInfo& system, platform::Shell& shell,
                                           platform::Registry& registry,
                                           platform::FileSystem& files) {
  return cleaning::ApplicationDataFolder(system, shell, registry, files)
      .Below("Microsoft\\Office\\Recent");
}

int CleanOfficeRecentFolder(platform::SystemInfo& system, platform::Shell& shell,
                            platform::Registry& registry, platform::FileSystem& files) {
  return cleaning::DeleteFilesInFolder(files, OfficeRecentFolder(system, shell, registry, files));
}

}  // namespace tidora::office
