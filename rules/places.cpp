#include "rules/places.h"

#include <algorithm>

#include "base/text.h"

namespace tidora::rules {

namespace {

using platform::KnownFolder;

struct VariableFolders {
  Variable variable;
  KnownFolder first;
  KnownFolder second;  // the same as first when there is one
};

// clang-format off
constexpr VariableFolders kVariableFolders[] = {
    {Variable::kAppData,            KnownFolder::kRoamingAppData,   KnownFolder::kRoamingAppData},
    {Variable::kLocalAppData,       KnownFolder::kLocalAppData,     KnownFolder::kLocalAppData},
    {Variable::kLocalLowAppData,    KnownFolder::kLocalLowAppData,  KnownFolder::kLocalLowAppData},
    {Variable::kUserProfile,        KnownFolder::kProfile,          KnownFolder::kProfile},
    {Variable::kDocuments,          KnownFolder::kDocuments,        KnownFolder::kDocuments},
    {Variable::kPictures,           KnownFolder::kPictures,         KnownFolder::kPictures},
    {Variable::kMusic,              KnownFolder::kMusic,            KnownFolder::kMusic},
    {Variable::kVideo,              KnownFolder::kVideos,           KnownFolder::kVideos},
    {Variable::kPublic,             KnownFolder::kPublic,           KnownFolder::kPublic},
    {Variable::kProgramData,        KnownFolder::kProgramData,      KnownFolder::kProgramData},
    {Variable::kProgramFiles,       KnownFolder::kProgramFiles,     KnownFolder::kProgramFilesX86},
    {Variable::kCommonProgramFiles, KnownFolder::kCommonFiles,      KnownFolder::kCommonFilesX86},
    {Variable::kWinDir,             KnownFolder::kWindows,          KnownFolder::kWindows},
};

// Rule targets inside these may be named, never swept.
constexpr KnownFolder kProtectedFolders[] = {
    KnownFolder::kRoamingAppData, KnownFolder::kLocalAppData,   KnownFolder::kLocalLowAppData,
    KnownFolder::kProfile,        KnownFolder::kProfiles,       KnownFolder::kDesktop,
    KnownFolder::kDocuments,      KnownFolder::kDownloads,      KnownFolder::kPictures,
    KnownFolder::kMusic,          KnownFolder::kVideos,         KnownFolder::kFavorites,
    KnownFolder::kSavedGames,     KnownFolder::kOneDrive,       KnownFolder::kStartMenu,
    KnownFolder::kSendTo,         KnownFolder::kTemplates,      KnownFolder::kPublic,
    KnownFolder::kPublicDesktop,  KnownFolder::kPublicDocuments, KnownFolder::kPublicDownloads,
    KnownFolder::kPublicPictures, KnownFolder::kPublicMusic,    KnownFolder::kPublicVideos,
    KnownFolder::kProgramData,    KnownFolder::kProgramFiles,   KnownFolder::kProgramFilesX86,
    KnownFolder::kCommonFiles,    KnownFolder::kCommonFilesX86, KnownFolder::kWindows,
    KnownFolder::kSystem,         KnownFolder::kSystemX86,
};

// Where a wildcard in a file pattern could take what people keep.
constexpr KnownFolder kDocumentFolders[] = {
    KnownFolder::kDesktop,         KnownFolder::kDocuments,       KnownFolder::kDownloads,
    KnownFolder::kPictures,        KnownFolder::kMusic,           KnownFolder::kVideos,
    KnownFolder::kOneDrive,        KnownFolder::kFavorites,       KnownFolder::kPublicDesktop,
    KnownFolder::kPublicDocuments, KnownFolder::kPublicDownloads, KnownFolder::kPublicPictures,
    KnownFolder::kPublicMusic,     KnownFolder::kPublicVideos,
};
// clang-format on

std::string WithoutTrailingBackslash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

std::string ParentOf(std::string_view path) {
  const auto cut = path.find_last_of('\\');
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

// Whether folder is place itself or lies above it.
bool IsSelfOrAncestor(std::string_view folder, std::string_view place) {
  if (folder.empty() || place.size() < folder.size()) return false;
  if (!place.starts_with(folder)) return false;
  return place.size() == folder.size() || place[folder.size()] == '\\' || folder.back() == '\\';
}

bool AnyAtOrBelow(const std::vector<std::string>& places, std::string_view folder) {
  return std::ranges::any_of(
      places, [&](const std::string& place) { return IsSelfOrAncestor(folder, place); });
}

// Canonical paths as the places compare them: the system's canonical form folds case one way
// (the Windows adapter upper-cases), the places' own fast path another; ASCII folding on both
// sides makes them one. Beyond ASCII both sides come from the system, folded alike.
std::string Folded(std::string_view path) {
  return WithoutTrailingBackslash(base::AsciiLower(path));
}

bool IsDriveRoot(std::string_view canonical) {
  while (!canonical.empty() && canonical.back() == '\\') canonical.remove_suffix(1);
  return canonical.size() <= 2;
}

class Gatherer {
 public:
  Gatherer(platform::Shell& shell, platform::FileSystem& files) : shell_(shell), files_(files) {}

  std::string Folder(KnownFolder folder) {
    return WithoutTrailingBackslash(shell_.KnownFolderPath(folder));
  }
  // The shell names its folders by their long names already: folding the case is enough, and
  // far cheaper than asking the system, which looks at every folder on the way. A short name or
  // a name beyond ASCII still goes to the system.
  std::string Canonical(std::string_view path) {
    if (path.empty()) return {};
    const bool plain = std::ranges::none_of(
        path, [](char c) { return c == '~' || static_cast<unsigned char>(c) >= 0x80; });
    return Folded(plain ? std::string(path) : files_.CanonicalPath(path));
  }
  void AddCanonical(std::vector<std::string>& list, std::string_view path) {
    std::string canonical = Canonical(path);
    if (!canonical.empty()) list.push_back(std::move(canonical));
  }

 private:
  platform::Shell& shell_;
  platform::FileSystem& files_;
};

// The user's temporary folder where a profile keeps it. The system's temporary path comes from
// environment variables, which whoever starts the program can set: it is taken only when it is
// one of these folders.
std::string UserTempFolder(Gatherer& gather, platform::FileSystem& files) {
  std::vector<std::string> candidates;
  for (KnownFolder base : {KnownFolder::kLocalAppData, KnownFolder::kProfile}) {
    const std::string folder = gather.Folder(base);
    if (!folder.empty() && files.IsFolder(folder + "\\Temp"))
      candidates.push_back(folder + "\\Temp");
  }
  const std::string system = gather.Canonical(files.TempFolder());
  for (const std::string& candidate : candidates) {
    if (gather.Canonical(candidate) == system) return candidate;
  }
  return candidates.empty() ? std::string() : candidates.front();
}

}  // namespace

Places Places::Gather(platform::Shell& shell, platform::FileSystem& files,
                      platform::SystemInfo& system) {
  Places places;
  Gatherer gather(shell, files);
  for (const VariableFolders& row : kVariableFolders) {
    auto& folders = places.folders_[row.variable];
    for (KnownFolder known : {row.first, row.second}) {
      std::string folder = gather.Folder(known);
      if (!folder.empty() && std::ranges::find(folders, folder) == folders.end()) {
        folders.push_back(std::move(folder));
      }
    }
  }
  const std::string windows = gather.Folder(KnownFolder::kWindows);
  if (windows.size() >= 2 && windows[1] == ':') {
    places.folders_[Variable::kSystemDrive] = {windows.substr(0, 2) + "\\"};
  }
  const std::string temp = UserTempFolder(gather, files);
  if (!temp.empty()) places.folders_[Variable::kTemp] = {temp};
  places.user_name_ = system.UserName();

  for (KnownFolder known : kProtectedFolders) {
    gather.AddCanonical(places.protected_, gather.Folder(known));
  }
  const std::string roaming = gather.Folder(KnownFolder::kRoamingAppData);
  if (!roaming.empty()) gather.AddCanonical(places.protected_, ParentOf(roaming));  // AppData
  if (!windows.empty()) gather.AddCanonical(places.protected_, windows + "\\WinSxS");
  for (KnownFolder known : kDocumentFolders) {
    gather.AddCanonical(places.documents_, gather.Folder(known));
  }
  places.kept_ = places.protected_;
  for (const auto& [variable, folders] : places.folders_) {
    for (const std::string& folder : folders) gather.AddCanonical(places.kept_, folder);
  }
  gather.AddCanonical(places.kept_, temp);
  places.profiles_ = gather.Canonical(gather.Folder(KnownFolder::kProfiles));
  places.public_ = gather.Canonical(gather.Folder(KnownFolder::kPublic));
  return places;
}

const std::vector<std::string>& Places::FoldersOf(Variable variable) const {
  static const std::vector<std::string> kNone;
  const auto found = folders_.find(variable);
  return found == folders_.end() ? kNone : found->second;
}

bool Places::IsProtected(std::string_view canonical) const {
  const std::string folder = Folded(canonical);
  if (IsDriveRoot(folder)) return true;
  const std::string parent = ParentOf(folder);
  if (!parent.empty() && (parent == profiles_ || parent == public_)) return true;
  return AnyAtOrBelow(protected_, folder);
}

bool Places::IsDocumentFolder(std::string_view canonical) const {
  return std::ranges::find(documents_, Folded(canonical)) != documents_.end();
}

bool Places::IsKeptAsFolder(std::string_view canonical) const {
  return IsProtected(canonical) || AnyAtOrBelow(kept_, Folded(canonical));
}

}  // namespace tidora::rules
