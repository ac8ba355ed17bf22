#pragma once

#include "cleaning/cleaner_id.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace tidora::cleaning {

// The cleaners that exist, over the platform services they work on.
class CleanerCatalog final : public Cleaners {
 public:
  CleanerCatalog(platform::Registry& registry, platform::FileSystem& files, platform::Shell& shell)
      : registry_(registry), files_(files), shell_(shell) {}

  bool Available(CleanerId id) const override;
  int Clean(CleanerId id, LongCleanerProgress& progress) override;

 private:
  platform::Registry& registry_;
  platform::FileSystem& files_;
  platform::Shell& shell_;
};

}  // namespace tidora::cleaning
