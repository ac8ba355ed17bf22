#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tidora::platform {

// An opaque top-level window; 0 is none.
using WindowId = std::uintptr_t;

// The shell's known folders that cleaning rules name or must never touch.
enum class KnownFolder {
  kRoamingAppData,
  kLocalAppData,
  kLocalLowAppData,
  kProfile,
  kProfiles,  // the folder that holds every user's profile
  kDesktop,
  kDocuments,
  kDownloads,
  kPictures,
  kMusic,
  kVideos,
  kFavorites,
  kSavedGames,
  kOneDrive,
  kStartMenu,
  kSendTo,
  kTemplates,
  kPublic,
  kPublicDesktop,
  kPublicDocuments,
  kPublicDownloads,
  kPublicPictures,
  kPublicMusic,
  kPublicVideos,
  kProgramData,
  // The native folder, "C:\Program Files" on 64-bit Windows even for a 32-bit program, which the
  // shell would give the 32-bit one under this name.
  kProgramFiles,
  kProgramFilesX86,  // the 32-bit folder on 64-bit Windows; empty on 32-bit Windows
  kCommonFiles,      // the native one, as kProgramFiles
  kCommonFilesX86,   // the 32-bit one on 64-bit Windows; empty on 32-bit Windows
  kWindows,
  kSystem,
  kSystemX86,  // SysWOW64 on 64-bit Windows; empty on 32-bit Windows
};

enum class RecycleBinOutcome { kEmptied, kAlreadyEmpty, kLibraryMissing, kFailed };

// What every drive's Recycle Bin holds.
struct RecycleBinContents {
  std::uint64_t items = 0;
  std::uint64_t bytes = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;

  virtual bool PostClose(WindowId window) = 0;

  // A Yes/No question; true for Yes.
  virtual bool Confirm(WindowId owner, std::string_view text, std::string_view caption) = 0;
  // A plain message box without an icon and with an OK button.
  virtual void ShowMessage(WindowId owner, std::string_view text, std::string_view caption) = 0;

  // Starts a command line in a normal window, in the program's own folder, so that files shipped
  // beside the program are found whatever folder it was started from; false when it could not
  // be started.
  virtual bool StartCommand(std::string_view command_line) = 0;

  // Empties every drive's Recycle Bin without question, progress window or sound.
  virtual RecycleBinOutcome EmptyRecycleBin(WindowId owner) = 0;
  // nullopt when the shell cannot tell (its library missing).
  virtual std::optional<RecycleBinContents> QueryRecycleBin() = 0;
  // False when another program holds the clipboard; it is then left alone.
  virtual bool EmptyClipboard(WindowId owner) = 0;

  // The current user's recent-documents folder as the shell reports it; empty when it has none.
  virtual std::string RecentFolder() = 0;
  // The current user's application-data folder (roaming) as the shell reports it, without a
  // trailing backslash; empty when it has none.
  virtual std::string ApplicationDataFolder() = 0;

  // The folder the program was started from, without a trailing backslash: files shipped or
  // dropped beside the program are looked for there.
  virtual std::string ProgramFolder() = 0;

  // A known folder of the current user as the shell names it, without a trailing backslash (a
  // folder moved to a drive's root keeps the root's: "D:" alone names another folder); empty
  // when the system has none.
  virtual std::string KnownFolderPath(KnownFolder folder) = 0;

  // Every top-level window of the class, any title.
  virtual std::vector<WindowId> FindTopWindows(std::string_view class_name) = 0;
  // Lets the time go by: other programs work meanwhile.
  virtual void Pause(int milliseconds) = 0;
};

}  // namespace tidora::platform
