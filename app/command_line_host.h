#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/cleaning_run_lock.h"
#include "app/console_output.h"
#include "cli/host.h"

namespace tidora::app {

// The arguments after the program's name, as the system splits the command line; none when the
// program was started without any.
std::vector<std::string> CommandLineArguments();

// The command line's console, report file and run lock on Windows.
class CommandLineHost final : public cli::Host {
 public:
  void Print(std::string_view line) override { console_.WriteLine(line); }
  bool WriteWhole(const std::string& path, std::string_view text) override;
  bool TakeRunLock() override;

 private:
  ConsoleOutput console_;
  std::unique_ptr<CleaningRunLock> lock_;
};

// Runs the program from its command line, with no window at all; the exit code.
int RunFromCommandLine(const std::vector<std::string>& arguments);

}  // namespace tidora::app
