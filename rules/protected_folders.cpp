#include "rules/protected_folders.h"

#include <array>

#include "rules/path_text.h"

namespace tidora::rules {

namespace {

struct Folder {
  std::string_view path;  // below its base; "*" stands for any one folder
  bool document = false;
};

struct ProtectedFolder {
  Variable variable;
  Folder folder;
};

// Below every profile, whether reached as %UserProfile% or as %SystemDrive%\Users\<name>
// (Public is one of those names, and its folders are document folders too).
constexpr std::array<Folder, 17> kProfileFolders = {{
    {""},
    {"AppData"},
    {"AppData\\Roaming"},
    {"AppData\\Local"},
    {"AppData\\LocalLow"},
    {"AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
    {"AppData\\Roaming\\Microsoft\\Windows\\SendTo"},
    {"AppData\\Roaming\\Microsoft\\Windows\\Templates"},
    {"Saved Games"},
    {"Documents", true},
    {"Desktop", true},
    {"Pictures", true},
    {"Music", true},
    {"Videos", true},
    {"Downloads", true},
    {"Favorites", true},
    {"OneDrive", true},
}};

struct ProfileBase {
  Variable variable;
  std::string_view base;
};

constexpr std::array<ProfileBase, 2> kProfileBases = {{
    {Variable::kUserProfile, ""},
    {Variable::kSystemDrive, "Users\\*"},
}};

// clang-format off
constexpr std::array<ProtectedFolder, 35> kFolders = {{
    {Variable::kAppData,            {""}},
    {Variable::kAppData,            {"Microsoft\\Windows\\Start Menu"}},
    {Variable::kAppData,            {"Microsoft\\Windows\\SendTo"}},
    {Variable::kAppData,            {"Microsoft\\Windows\\Templates"}},
    {Variable::kLocalAppData,       {""}},
    {Variable::kLocalLowAppData,    {""}},
    {Variable::kDocuments,          {"", true}},
    {Variable::kPictures,           {"", true}},
    {Variable::kMusic,              {"", true}},
    {Variable::kVideo,              {"", true}},
    {Variable::kPublic,             {"", true}},
    {Variable::kPublic,             {"Documents", true}},
    {Variable::kPublic,             {"Desktop", true}},
    {Variable::kPublic,             {"Pictures", true}},
    {Variable::kPublic,             {"Music", true}},
    {Variable::kPublic,             {"Videos", true}},
    {Variable::kPublic,             {"Downloads", true}},
    {Variable::kProgramData,        {""}},
    {Variable::kProgramData,        {"Microsoft\\Windows\\Start Menu"}},
    {Variable::kProgramData,        {"Microsoft\\Windows\\Templates"}},
    {Variable::kProgramFiles,       {""}},
    {Variable::kProgramFiles,       {"Common Files"}},
    {Variable::kCommonProgramFiles, {""}},
    {Variable::kWinDir,             {""}},
    {Variable::kWinDir,             {"System32"}},
    {Variable::kWinDir,             {"SysWOW64"}},
    {Variable::kWinDir,             {"WinSxS"}},
    {Variable::kSystemDrive,        {"Windows\\System32"}},
    {Variable::kSystemDrive,        {"Windows\\SysWOW64"}},
    {Variable::kSystemDrive,        {"Windows\\WinSxS"}},
    {Variable::kSystemDrive,        {"Program Files\\Common Files"}},
    {Variable::kSystemDrive,        {"Program Files (x86)\\Common Files"}},
    {Variable::kSystemDrive,        {"ProgramData\\Microsoft\\Windows\\Start Menu"}},
    {Variable::kSystemDrive,        {"ProgramData\\Microsoft\\Windows\\Templates"}},
    {Variable::kSystemDrive,        {"Users"}},
}};
// clang-format on

bool SegmentMayBe(std::string_view written, std::string_view protected_segment) {
  return protected_segment == "*" || MatchesWildcard(written, protected_segment);
}

// Written segments against a protected folder's: the same folder, or one of its ancestors (which
// are protected as well), when every written segment may be the protected one.
void Compare(std::span<const std::string_view> written, std::string_view base, Folder folder,
             FolderStanding& standing) {
  std::size_t count = 0;
  bool may_be = true;
  ForEachSegment({base, folder.path}, [&](std::string_view segment) {
    if (count < written.size() && may_be) may_be = SegmentMayBe(written[count], segment);
    ++count;
  });
  if (written.size() > count || !may_be) return;
  standing.protected_folder = true;
  if (folder.document && written.size() == count) standing.document_folder = true;
}

}  // namespace

FolderStanding StandingOf(Variable variable, std::span<const std::string_view> segments) {
  FolderStanding standing;
  for (const auto& entry : kFolders) {
    if (entry.variable == variable) Compare(segments, "", entry.folder, standing);
  }
  for (const auto& profile : kProfileBases) {
    if (profile.variable != variable) continue;
    for (const auto& folder : kProfileFolders) Compare(segments, profile.base, folder, standing);
  }
  return standing;
}

}  // namespace tidora::rules
