#pragma once

#include <memory>

#include "platform/dry_run/run_state.h"
#include "platform/url_history.h"

namespace tidora::dry_run {

// A URL-history store whose history is cleared only while forwarding; recording answers S_OK.
class HistoryOverlay final : public platform::UrlHistoryStore {
 public:
  HistoryOverlay(std::unique_ptr<platform::UrlHistoryStore> real, const RunState& run)
      : real_(std::move(real)), run_(run) {}
  std::int32_t ClearHistory() override { return run_.recording() ? 0 : real_->ClearHistory(); }

 private:
  std::unique_ptr<platform::UrlHistoryStore> real_;
  const RunState& run_;
};

}  // namespace tidora::dry_run
