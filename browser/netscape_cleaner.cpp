#include "browser/netscape_cleaner.h"

#include "base/text.h"
#include "cleaning/file_search.h"
#include "cleaning/shared_routines.h"

namespace tidora::browser {

namespace {

using cleaning::JoinPath;
using ui::ControlId;
namespace attribute = platform::attribute;

// The profile root lists folders and plain files, but neither hidden nor system entries.
constexpr std::uint32_t kMaskVisibleEntries = attribute::kDirectory;

// A profile's own files, each removed when its box is ticked, in this order.
struct ProfileFile {
  ControlId box;
  const char* name;
};
// clang-format off
constexpr ProfileFile kProfileFiles[] = {
    {ControlId::NsCookies,    "cookies.txt"},
    {ControlId::NsHistory,    "history.dat"},
    {ControlId::NsAddressBar, "localstore.rdf"},
};
// clang-format on

// The saved form data: the pattern searched, and the ending the long name must have, since the
// system's pattern match also takes 8.3 short names.
struct FormFiles {
  const char* pattern;
  const char* ending;
};
constexpr FormFiles kFormFiles[] = {{"*.s", ".s"}, {"*.w", ".w"}};

bool IsLink(const platform::FoundEntry& entry) {
  return entry.attributes & attribute::kReparsePoint;
}

// The profile folders, named exactly as listed: trimmed, " x" would become "x", another folder,
// perhaps a hidden one. A linked folder could lead anywhere on the disk, so it is left out, and
// so is every profile when the way to the root passes a link.
std::vector<cleaning::ReachedFolder> ProfileFolders(platform::FileSystem& files,
                                                    const cleaning::ReachedFolder& root) {
  std::vector<cleaning::ReachedFolder> profiles;
  const std::string path = cleaning::EnterableFolder(files, root);
  if (path.empty()) return profiles;
  cleaning::SearchFolder(files, JoinPath(path, "*.*"), kMaskVisibleEntries,
                         [&](const platform::FoundEntry& entry) {
                           if (entry.name != "." && entry.name != ".." && !IsLink(entry)) {
                             profiles.push_back(root.Below(entry.name));
                           }
                           return true;
                         });
  return profiles;
}

class NetscapeCleaning {
 public:
  NetscapeCleaning(platform::FileSystem& files, const ui::ControlSet& controls,
                   cleaning::CleanerProgress& progress)
      : files_(files), controls_(controls), progress_(progress) {}

  // False when a stop was asked for on the way.
  bool CleanProfile(const cleaning::ReachedFolder& reached) {
    const std::string profile = reached.Path();
    for (const ProfileFile& file : kProfileFiles) {
      if (controls_.Ticked(file.box)) Delete(JoinPath(profile, file.name));
    }
    if (progress_.StopRequested()) return false;
    if (controls_.Ticked(ControlId::NsCache)) CleanCache(reached.Below("Cache"));
    if (progress_.StopRequested()) return false;
    if (controls_.Ticked(ControlId::NsAutoForm)) {
      for (const FormFiles& form : kFormFiles) {
        if (!DeleteFormFiles(profile, form)) return false;
      }
    }
    return !progress_.StopRequested();
  }

  int count() const { return count_; }

 private:
  // Only a deletion that succeeded counts: a read-only or locked file stays.
  void Delete(const std::string& path) {
    if (files_.IsFile(path) && files_.RemoveFile(path)) progress_.ShowCount(++count_);
  }

  void CleanCache(const cleaning::ReachedFolder& cache) {
    count_ += cleaning::DeleteFilesInFolder(files_, cache);
    progress_.ShowCount(count_);
  }

  bool DeleteFormFiles(const std::string& profile, const FormFiles& form) {
    bool stopped = false;
    cleaning::SearchFolder(files_, JoinPath(profile, form.pattern),
                           cleaning::kMaskEntriesAndFolders,
                           [&](const platform::FoundEntry& entry) {
                             if (!base::EndsWithIgnoringCase(entry.name, form.ending)) return true;
                             const std::string path = JoinPath(profile, entry.name);
                             if (!files_.IsFile(path)) return true;
                             Delete(path);
                             stopped = progress_.StopRequested();
                             return !stopped;
                           });
    return !stopped;
  }

  platform::FileSystem& files_;
  const ui::ControlSet& controls_;
  cleaning::CleanerProgress& progress_;
  int count_ = 0;
};

}  // namespace

cleaning::ReachedFolder MozillaProfileRoot(platform::SystemInfo& system, platform::Shell& shell,
                                           platform::Registry& registry,
                                           platform::FileSystem& files) {
  return cleaning::ApplicationDataFolder(system, shell, registry, files)
      .Below("Mozilla\\ProFiles\\Default");
}

int CleanNetscapeMozilla(platform::FileSystem& files, const cleaning::ReachedFolder& profile_root,
                         const ui::ControlSet& controls, cleaning::CleanerProgress& progress) {
  NetscapeCleaning cleaning(files, controls, progress);
  for (const cleaning::ReachedFolder& profile : ProfileFolders(files, profile_root)) {
    // A stop leaves the row "Pending", showing the count so far.
    if (!cleaning.CleanProfile(profile)) return cleaning.count();
  }
  progress.Finish();
  return cleaning.count();
}

}  // namespace tidora::browser
