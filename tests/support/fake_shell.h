#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace tidora::testing {

// Answers questions as a test tells it and records what it was asked to show or start.
class FakeShell final : public platform::Shell {
 public:
  platform::WindowId FindTopWindow(std::string_view class_name) override {
    return std::ranges::find(open_windows, class_name) != open_windows.end() ? 1 : 0;
  }
  bool PostClose(platform::WindowId) override { return ++closes_posted, true; }
  bool Confirm(platform::WindowId, std::string_view text, std::string_view caption) override {
    questions.push_back(std::string(caption) + ": " + std::string(text));
    return answer_yes;
  }
  void ShowMessage(platform::WindowId, std::string_view text, std::string_view caption) override {
    messages.push_back(std::string(caption) + ": " + std::string(text));
  }
  bool StartCommand(std::string_view command_line) override {
    return commands.emplace_back(command_line), command_starts;
  }
  platform::RecycleBinOutcome EmptyRecycleBin(platform::WindowId) override {
    return ++recycle_bin_emptied, recycle_bin_outcome;
  }
  bool EmptyClipboard(platform::WindowId) override { return ++clipboard_emptied, clipboard_free; }
  std::string RecentFolder() override { return recent_folder; }
  std::string ApplicationDataFolder() override { return application_data_folder; }

  // What the shell does.
  bool answer_yes = true, command_starts = true, clipboard_free = true;
  platform::RecycleBinOutcome recycle_bin_outcome = platform::RecycleBinOutcome::kEmptied;
  std::string recent_folder, application_data_folder;
  std::vector<std::string> open_windows;

  // What it was asked.
  std::vector<std::string> questions, messages, commands;
  int closes_posted = 0, recycle_bin_emptied = 0, clipboard_emptied = 0;
};

}  // namespace tidora::testing
