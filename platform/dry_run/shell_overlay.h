#pragma once

#include "platform/dry_run/journaled_shell.h"

namespace tidora::dry_run {

// The shell the cleaners get. While recording nothing is closed, started or emptied: the answers
// are those of a system that did so. Questions, messages and look-ups pass in either mode.
class ShellOverlay final : public platform::Shell {
 public:
  ShellOverlay(platform::Shell& real, RunState& run)
      : real_(real), reader_(real), run_(run), journaled_(reader_, run) {}

  bool PostClose(platform::WindowId window) override {
    return run_.recording() || real_.PostClose(window);
  }
  bool StartCommand(std::string_view command_line) override {
    return run_.recording() || real_.StartCommand(command_line);
  }
  // Nothing reads the clipboard through the shell, so there is nothing to journal of it.
  bool EmptyClipboard(platform::WindowId owner) override {
    return run_.recording() || real_.EmptyClipboard(owner);
  }
  platform::RecycleBinOutcome EmptyRecycleBin(platform::WindowId owner) override;
  std::optional<platform::RecycleBinContents> QueryRecycleBin() override {
    return journaled_.QueryRecycleBin();
  }

  // A preview asks nothing and shows nothing: a question is answered No, a message is dropped.
  bool Confirm(platform::WindowId owner, std::string_view text, std::string_view caption) override {
    return !run_.recording() && reader_.Confirm(owner, text, caption);
  }
  void ShowMessage(platform::WindowId owner, std::string_view text,
                   std::string_view caption) override {
    if (!run_.recording()) reader_.ShowMessage(owner, text, caption);
  }
  std::string RecentFolder() override { return reader_.RecentFolder(); }
  std::string ApplicationDataFolder() override { return reader_.ApplicationDataFolder(); }
  std::string ProgramFolder() override { return reader_.ProgramFolder(); }
  std::string KnownFolderPath(platform::KnownFolder folder) override {
    return reader_.KnownFolderPath(folder);
  }
  std::vector<platform::WindowId> FindTopWindows(std::string_view class_name) override {
    return reader_.FindTopWindows(class_name);
  }
  void Pause(int milliseconds) override { reader_.Pause(milliseconds); }
  void Clear() { journaled_.Clear(); }

 private:
  platform::Shell& real_;
  ShellReader reader_;
  RunState& run_;
  JournaledShell journaled_;
};

}  // namespace tidora::dry_run
