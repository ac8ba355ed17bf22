#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "tests/support/case_folding.h"

namespace tidora::testing {

// Answers questions as a test tells it and records what it was asked to show or start.
class FakeShell final : public platform::Shell {
 public:
  platform::WindowId FindTopWindow(std::string_view class_name) override {
    return std::ranges::find(open_windows, class_name) != open_windows.end() ? 1 : 0;
  }
  bool PostClose(platform::WindowId window) override {
    posted_to.push_back(window);
    if (!windows_ignore_close && window > 0 && window <= open_windows.size()) {
      open_windows[window - 1].clear();
    }
    return ++closes_posted, true;
  }
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
  // Windows are numbered from 1 by their place in open_windows; a closed one leaves its place
  // empty. A window closes when asked unless it ignores the request.
  std::vector<platform::WindowId> FindTopWindows(std::string_view class_name) override {
    ++window_searches;
    std::vector<platform::WindowId> found;
    for (size_t i = 0; i < open_windows.size(); ++i) {
      if (SameName(open_windows[i], class_name)) found.push_back(i + 1);
    }
    return found;
  }
  void Pause(int milliseconds) override { paused_ms += milliseconds; }

  // What the shell does.
  bool answer_yes = true, command_starts = true, clipboard_free = true;
  platform::RecycleBinOutcome recycle_bin_outcome = platform::RecycleBinOutcome::kEmptied;
  std::string recent_folder, application_data_folder;
  std::vector<std::string> open_windows;
  bool windows_ignore_close = false;

  // What it was asked.
  std::vector<std::string> questions, messages, commands;
  int closes_posted = 0, recycle_bin_emptied = 0, clipboard_emptied = 0, window_searches = 0,
      paused_ms = 0;
  std::vector<platform::WindowId> posted_to;
};

}  // namespace tidora::testing
