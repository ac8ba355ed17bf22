#include "app/cleaning_run_lock.h"

namespace tidora::app {

namespace {
constexpr wchar_t kName[] = L"Local\\TidoraCleaningRun";
}  // namespace

CleaningRunLock::CleaningRunLock() : mutex_(CreateMutexW(nullptr, FALSE, kName)) {
  if (!mutex_) return;
  const DWORD waited = WaitForSingleObject(mutex_.get(), 0);
  held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

CleaningRunLock::~CleaningRunLock() {
  if (held_) ReleaseMutex(mutex_.get());
}

}  // namespace tidora::app
