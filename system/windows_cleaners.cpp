#include "system/windows_cleaners.h"

#include <vector>

#include "base/product.h"
#include "base/text.h"
#include "cleaning/file_search.h"
#include "cleaning/shared_routines.h"

namespace tidora::system {

namespace {

using platform::RegistryRoot;
namespace attribute = platform::attribute;

int DeleteAllValues(platform::RegistryKey& key) {
  int deleted = 0;
  for (const auto& name : key.ValueNames()) deleted += key.DeleteValue(name) ? 1 : 0;
  return deleted;
}

int CleanMruKey(platform::Registry& registry, const std::string& bar, const char* list) {
  if (auto key = registry.Open(RegistryRoot::CurrentUser, bar + "\\" + list)) {
    return DeleteAllValues(*key);
  }
  return 0;
}

bool SameFolder(std::string_view a, std::string_view b) {
  while (!a.empty() && a.back() == '\\') a.remove_suffix(1);
  while (!b.empty() && b.back() == '\\') b.remove_suffix(1);
  return base::AsciiLower(a) == base::AsciiLower(b);
}

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder.push_back('\\');
  return folder;
}

// One folder level of the walk: the subfolders its listing gave, and the next to enter.
struct Level {
  std::vector<std::string> subfolders;
  size_t next = 0;
};

class TmpFileScan {
 public:
  TmpFileScan(platform::FileSystem& files, cleaning::CleanerProgress& progress)
      : files_(files), progress_(progress) {}

  // Lists folder once: its *.tmp files go at once, its subfolders are kept for later.
  Level Visit(const std::string& folder) {
    Level level;
    cleaning::SearchFolder(files_, folder + "*.*", cleaning::kMaskEntriesAndFolders,
                           [&](const platform::FoundEntry& entry) {
                             if (entry.attributes & attribute::kDirectory) {
                               // Junctions and links can loop or lead off the drive: never entered.
                               if (!(entry.attributes & attribute::kReparsePoint)) {
                                 level.subfolders.push_back(folder + entry.name + "\\");
                               }
                               return true;
                             }
                             // The long name decides: the system's pattern match also takes 8.3
                             // short names.
                             if (!base::EndsWithIgnoringCase(entry.name, ".tmp")) return true;
                             Delete(folder + entry.name, entry.attributes);
                             stopped_ = progress_.StopRequested();
                             return !stopped_;
                           });
    // A drive with few such files must not keep the window from answering for minutes.
    if (!stopped_) stopped_ = progress_.StopRequested();
    return level;
  }

  bool stopped() const { return stopped_; }
  int deleted() const { return deleted_; }

 private:
  void Delete(const std::string& path, std::uint32_t attributes) {
    if (cleaning::RemoveFileClearingAttributes(files_, path, attributes)) {
      progress_.ShowCount(++deleted_);
    }
  }

  platform::FileSystem& files_;
  cleaning::CleanerProgress& progress_;
  int deleted_ = 0;
  bool stopped_ = false;
};

}  // namespace

cleaning::ReachedFolder RecentDocumentsFolder(platform::Shell& shell,
                                              platform::Registry& registry) {
  std::string folder = shell.RecentFolder();
  if (!folder.empty()) return cleaning::ReachedFolder(std::move(folder));
  std::string profile = cleaning::UserProfileFolder(registry);
  if (profile.empty()) return {};
  return cleaning::ReachedFolder(std::move(profile), "Recent");
}

int CleanRecentDocuments(platform::FileSystem& files,
                         const cleaning::ReachedFolder& recent_folder) {
  return cleaning::DeletePlainFiles(files, recent_folder, cleaning::kMaskFilesNotFolders);
}

int CleanRunHistory(platform::Registry& registry) {
  auto key = registry.Open(RegistryRoot::CurrentUser, kRunMruKey);
  return key ? DeleteAllValues(*key) : 0;
}

int CleanFindHistory(platform::Registry& registry) {
  std::vector<std::string> bars;
  if (auto key = registry.Open(RegistryRoot::CurrentUser, kExplorerBarsKey)) {
    bars = key->SubkeyNames();
  }
  int deleted = 0;
  for (const auto& name : bars) {
    const std::string bar = std::string(kExplorerBarsKey) + "\\" + name;
    auto key = registry.Open(RegistryRoot::CurrentUser, bar);
    if (!key) continue;
    if (key->HasSubkey("FilesNamedMRU")) deleted += CleanMruKey(registry, bar, "FilesNamedMRU");
    if (key->HasSubkey("ContainingTextMRU")) {
      deleted += CleanMruKey(registry, bar, "ContainingTextMRU");
    }
  }
  return deleted;
}

int CleanTempFolder(platform::FileSystem& files) {
  const std::string folder = files.TempFolder();
  const std::string_view temp = base::TrimBlanks(folder);
  // Without TMP, TEMP and USERPROFILE the system names the Windows folder, and TMP may name a
  // drive's root: neither is ever emptied as if it were the temporary folder.
  if (!cleaning::NamesAFolder(temp) || SameFolder(temp, files.WindowsFolder()) ||
      SameFolder(temp, files.SystemFolder())) {
    return 0;
  }
  return cleaning::DeleteFilesInFolder(files, cleaning::ReachedFolder(std::string(temp)));
}

int DeleteTmpFilesUnder(platform::FileSystem& files, std::string_view folder,
                        cleaning::CleanerProgress& progress) {
  TmpFileScan scan(files, progress);
  // Depth first without recursion, so that no tree is too deep: only the subfolder lists of
  // the folders on the current path are held.
  std::vector<Level> path;
  path.push_back(scan.Visit(WithTrailingBackslash(std::string(base::TrimBlanks(folder)))));
  while (!path.empty() && !scan.stopped()) {
    Level& level = path.back();
    if (level.next == level.subfolders.size()) {
      path.pop_back();
      continue;
    }
    const std::string next = level.subfolders[level.next++];
    path.push_back(scan.Visit(next));
  }
  return scan.deleted();
}

int ScanSystemDiskTempFiles(platform::FileSystem& files, cleaning::CleanerProgress& progress) {
  const std::string windows = files.WindowsFolder();
  int deleted = 0;
  if (windows.size() >= 2 && windows[1] == ':') {
    deleted = DeleteTmpFilesUnder(files, windows.substr(0, 2), progress);
  }
  progress.Finish();
  return deleted;
}

bool EmptyRecycleBin(platform::Shell& shell) {
  switch (shell.EmptyRecycleBin(0)) {
    case platform::RecycleBinOutcome::kEmptied:
    case platform::RecycleBinOutcome::kAlreadyEmpty:
      return true;
    case platform::RecycleBinOutcome::kLibraryMissing:
      shell.ShowMessage(0, kShellLibraryMissing, base::kApplicationTitle);
      return false;
    case platform::RecycleBinOutcome::kFailed:
      break;
  }
  return false;
}

bool ClearClipboard(platform::Shell& shell) {
  return shell.EmptyClipboard(0);
}

}  // namespace tidora::system
