#pragma once

#include <map>

#include "platform/shell.h"
#include "tests/support/case_folding.h"

namespace tidora::testing {
// The known folders of user "me" on 64-bit Windows 10, in the fake file system's layout.
inline std::map<platform::KnownFolder, std::string> UserKnownFolders() {
  using enum platform::KnownFolder;
  const std::string me = "C:\\users\\me", app = me + "\\AppData\\",
                    menu = app + "Roaming\\Microsoft\\Windows\\", pub = "C:\\users\\Public",
                    pf = "C:\\Program Files", pf86 = pf + " (x86)", win = "C:\\windows";
  // clang-format off
  return {{kProfiles, "C:\\users"}, {kProfile, me}, {kRoamingAppData, app + "Roaming"},
          {kLocalAppData, app + "Local"}, {kLocalLowAppData, app + "LocalLow"},
          {kDesktop, me + "\\Desktop"}, {kDocuments, me + "\\Documents"}, {kDownloads, me + "\\Downloads"},
          {kPictures, me + "\\Pictures"}, {kMusic, me + "\\Music"}, {kVideos, me + "\\Videos"},
          {kFavorites, me + "\\Favorites"}, {kSavedGames, me + "\\Saved Games"}, {kOneDrive, me + "\\OneDrive"},
          {kStartMenu, menu + "Start Menu"}, {kSendTo, menu + "SendTo"}, {kTemplates, menu + "Templates"},
          {kPublic, pub}, {kPublicDesktop, pub + "\\Desktop"}, {kPublicDocuments, pub + "\\Documents"},
          {kPublicDownloads, pub + "\\Downloads"}, {kPublicPictures, pub + "\\Pictures"},
          {kPublicMusic, pub + "\\Music"}, {kPublicVideos, pub + "\\Videos"}, {kProgramData, "C:\\ProgramData"},
          {kProgramFiles, pf}, {kProgramFilesX86, pf86}, {kCommonFiles, pf + "\\Common Files"},
          {kCommonFilesX86, pf86 + "\\Common Files"}, {kWindows, win}, {kSystem, win + "\\system32"},
          {kSystemX86, win + "\\SysWOW64"}};
  // clang-format on
}

// Answers as told and records what it is asked; window N is open_windows[N - 1], "" once closed.
class FakeShell : public platform::Shell {
 public:
  std::vector<platform::WindowId> FindTopWindows(std::string_view class_name) override {
    std::vector<platform::WindowId> found;
    for (size_t i = 0; i < open_windows.size(); ++i)
      if (SameName(open_windows[i], class_name)) found.push_back(i + 1);
    return ++window_searches, found;
  }
  bool PostClose(platform::WindowId window) override {
    posted_to.push_back(window);
    if (!windows_ignore_close && window > 0 && window <= open_windows.size())
      open_windows[window - 1].clear();
    return true;
  }
  bool Confirm(platform::WindowId, std::string_view text, std::string_view caption) override {
    return questions.push_back(std::string(caption) + ": " + std::string(text)), answer_yes;
  }
  void ShowMessage(platform::WindowId, std::string_view text, std::string_view caption) override {
    messages.push_back(std::string(caption) + ": " + std::string(text));
  }
  bool StartCommand(std::string_view) override { return true; }
  // An empty bin answers as the shell does, whatever outcome a test asked for.
  platform::RecycleBinOutcome EmptyRecycleBin(platform::WindowId) override {
    using enum platform::RecycleBinOutcome;
    if (recycle_bin_outcome == kEmptied && recycle_bin.items == 0) return kAlreadyEmpty;
    if (recycle_bin_outcome == kEmptied) recycle_bin = {};
    return recycle_bin_outcome;
  }
  std::optional<platform::RecycleBinContents> QueryRecycleBin() override {
    if (recycle_bin_outcome == platform::RecycleBinOutcome::kLibraryMissing) return std::nullopt;
    return recycle_bin;
  }
  bool EmptyClipboard(platform::WindowId) override {
    return clipboard_emptied += clipboard_free, clipboard_free;
  }
  std::string RecentFolder() override { return recent_folder; }
  std::string ApplicationDataFolder() override { return application_data_folder; }
  std::string ProgramFolder() override { return program_folder; }
  std::string KnownFolderPath(platform::KnownFolder folder) override {
    const auto found = known_folders.find(folder);
    return found == known_folders.end() ? std::string() : found->second;
  }
  void Pause(int milliseconds) override { paused_ms += milliseconds; }
  bool answer_yes = true, clipboard_free = true, windows_ignore_close = false;
  platform::RecycleBinOutcome recycle_bin_outcome = platform::RecycleBinOutcome::kEmptied;
  platform::RecycleBinContents recycle_bin;
  std::string recent_folder, application_data_folder, program_folder = "C:\\Program Files\\Tidora";
  std::map<platform::KnownFolder, std::string> known_folders;
  std::vector<std::string> open_windows, questions, messages;
  int window_searches = 0, paused_ms = 0, clipboard_emptied = 0;
  std::vector<platform::WindowId> posted_to;
};
}  // namespace tidora::testing
