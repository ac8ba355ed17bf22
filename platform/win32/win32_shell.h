#pragma once

#include "platform/shell.h"

namespace tidora::win32 {

class Win32Shell final : public platform::Shell {
 public:
  bool PostClose(platform::WindowId window) override;
  bool Confirm(platform::WindowId owner, std::string_view text, std::string_view caption) override;
  void ShowMessage(platform::WindowId owner, std::string_view text,
                   std::string_view caption) override;
  bool StartCommand(std::string_view command_line) override;
  platform::RecycleBinOutcome EmptyRecycleBin(platform::WindowId owner) override;
  std::optional<platform::RecycleBinContents> QueryRecycleBin() override;
  bool EmptyClipboard(platform::WindowId owner) override;
  std::string RecentFolder() override;
  std::string ApplicationDataFolder() override;
  std::string ProgramFolder() override;
  std::string KnownFolderPath(platform::KnownFolder folder) override;
  std::vector<platform::WindowId> FindTopWindows(std::string_view class_name) override;
  void Pause(int milliseconds) override;
};

}  // namespace tidora::win32
