#pragma once

#include "cleaning/cleaner.h"

namespace tidora::rules {

// One entry's running count of removed files, folders, values and keys, shown in its row as it
// grows, and whether Stop was pressed while it worked.
class Tally {
 public:
  explicit Tally(cleaning::CleanerProgress& progress) : progress_(progress) {}

  void Removed() { progress_.ShowCount(++removed_); }
  // Rows deleted inside a database, all at once.
  void Removed(int rows) {
    removed_ += rows;
    progress_.ShowCount(removed_);
  }
  // Asked once per folder or key: pending input is handled there.
  bool Stopped() { return stopped_ = stopped_ || progress_.StopRequested(); }
  bool stopped() const { return stopped_; }
  int removed() const { return removed_; }

 private:
  cleaning::CleanerProgress& progress_;
  int removed_ = 0;
  bool stopped_ = false;
};

}  // namespace tidora::rules
