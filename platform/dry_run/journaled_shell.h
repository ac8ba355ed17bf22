#pragma once

#include "platform/dry_run/read_only.h"
#include "platform/dry_run/run_state.h"

namespace tidora::dry_run {

// The Recycle Bin as the journal leaves it: once recording empties it, it reads empty.
class JournaledShell {
 public:
  JournaledShell(ShellReader shell, RunState& run) : shell_(shell), run_(run) {}

  std::optional<platform::RecycleBinContents> QueryRecycleBin() const;
  platform::RecycleBinOutcome EmptyRecycleBin();
  void Clear() { bin_emptied_ = false; }

 private:
  ShellReader shell_;
  RunState& run_;
  bool bin_emptied_ = false;
};

}  // namespace tidora::dry_run
