#pragma once

#include "platform/win32/unique_handles.h"

namespace tidora::app {

// One cleaning run at a time in a user's session, the window's and the command line's alike: a
// named mutex, held from construction, when free, until destruction. A holder that died leaves it
// free.
class CleaningRunLock {
 public:
  CleaningRunLock();
  CleaningRunLock(const CleaningRunLock&) = delete;
  CleaningRunLock& operator=(const CleaningRunLock&) = delete;
  ~CleaningRunLock();

  // False while another run holds it.
  bool held() const { return held_; }

 private:
  win32::UniqueKernelObject mutex_;
  bool held_ = false;
};

}  // namespace tidora::app
