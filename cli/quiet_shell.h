#pragma once

#include <functional>
#include <string>

#include "platform/shell.h"

namespace tidora::cli {

// The shell a run gets when no one sits at the window: it asks nothing (every question is
// answered No, so a browser stays open), shows nothing (a message becomes a printed line) and
// starts nothing; everything else is the real shell's.
class QuietShell final : public platform::Shell {
 public:
  using Print = std::function<void(std::string_view line)>;
  QuietShell(platform::Shell& real, Print print) : real_(real), print_(std::move(print)) {}

  bool Confirm(platform::WindowId, std::string_view, std::string_view) override { return false; }
  void ShowMessage(platform::WindowId, std::string_view text, std::string_view) override {
    print_(text);
  }
  bool StartCommand(std::string_view) override { return false; }

  bool PostClose(platform::WindowId window) override { return real_.PostClose(window); }
  platform::RecycleBinOutcome EmptyRecycleBin(platform::WindowId owner) override {
    return real_.EmptyRecycleBin(owner);
  }
  std::optional<platform::RecycleBinContents> QueryRecycleBin() override {
    return real_.QueryRecycleBin();
  }
  bool EmptyClipboard(platform::WindowId owner) override { return real_.EmptyClipboard(owner); }
  std::string RecentFolder() override { return real_.RecentFolder(); }
  std::string ApplicationDataFolder() override { return real_.ApplicationDataFolder(); }
  std::string ProgramFolder() override { return real_.ProgramFolder(); }
  std::string KnownFolderPath(platform::KnownFolder folder) override {
    return real_.KnownFolderPath(folder);
  }
  std::vector<platform::WindowId> FindTopWindows(std::string_view class_name) override {
    return real_.FindTopWindows(class_name);
  }
  void Pause(int milliseconds) override { real_.Pause(milliseconds); }

 private:
  platform::Shell& real_;
  Print print_;
};

}  // namespace tidora::cli
