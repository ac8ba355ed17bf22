#pragma once

#include <string>

#include "platform/dry_run/file_journal.h"
#include "platform/file_system.h"

namespace tidora::dry_run {

// The entry each listing under way is visiting, so that removing it needs no other look at the
// file for its size. One entry per listing, however many it walks.
class VisitMemo {
 public:
  // A listing of a canonical folder, for as long as it is alive; listings nest.
  class Listing {
   public:
    Listing(VisitMemo& memo, std::string folder)
        : memo_(memo), folder_(std::move(folder)), outer_(memo.innermost_) {
      memo_.innermost_ = this;
    }
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;
    ~Listing() { memo_.innermost_ = outer_; }

    const std::string& folder() const { return folder_; }
    // nullptr between visits.
    void Visiting(const platform::FoundEntry* entry) { entry_ = entry; }

   private:
    friend class VisitMemo;
    VisitMemo& memo_;
    std::string folder_;
    Listing* outer_;
    const platform::FoundEntry* entry_ = nullptr;
  };

  // The entry at place if the innermost listing is visiting it.
  const platform::FoundEntry* Visited(const FilePlace& place) const;

 private:
  Listing* innermost_ = nullptr;
};

}  // namespace tidora::dry_run
