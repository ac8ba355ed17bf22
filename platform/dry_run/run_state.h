#pragma once

#include <cstdint>

#include "platform/dry_run/dry_run.h"

namespace tidora::dry_run {

// The mode and the tally of the run under way, shared by the overlays.
struct RunState {
  Mode mode = Mode::kForward;
  Tally tally;

  bool recording() const { return mode == Mode::kRecord; }
  void Count(std::uint64_t files, std::uint64_t bytes) {
    tally.files += files;
    tally.bytes += bytes;
  }
};

}  // namespace tidora::dry_run
