#pragma once

#include <vector>

#include "cli/arguments.h"
#include "cli/result_rows.h"

namespace tidora::cli {

// What a scheduler or script reads of the run.
enum class ExitCode : int {
  kDone = 0,            // the run completed and everything it tried to remove went
  kLeftSomething = 1,   // it completed, but a row left something: the report says which
  kBadCommandLine = 2,  // nothing was run
  kError = 3,           // an error stopped the run: the report says where
  kAnotherRun = 4,      // another cleaning run is going on
};

// Whether the row says that part of what it names is still there: it was in use or could not be
// read, or in a clean run a cleaner that reports done or failed failed. Other cleaners count what
// went and cannot tell what stayed.
bool LeftSomething(const RunRow& row, Mode mode);

// The exit code of a run that was started.
ExitCode RunExitCode(Mode mode, const std::vector<RunRow>& rows, bool stopped_by_error);

}  // namespace tidora::cli
