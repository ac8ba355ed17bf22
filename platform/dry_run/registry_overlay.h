#pragma once

#include "platform/dry_run/record_registry.h"
#include "platform/dry_run/run_state.h"

namespace tidora::dry_run {

// The registry the cleaners get: the real one while forwarding, the recording one while
// recording. Only the forwarding branches touch the real service.
class RegistryOverlay final : public platform::Registry {
 public:
  RegistryOverlay(platform::Registry& real, const RunState& run)
      : real_(real), run_(run), record_(RegistryReader(real)) {}

  std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryRoot root, std::string_view path,
                                                 platform::KeyAccess access,
                                                 platform::RegistryView view) override;
  std::unique_ptr<platform::RegistryKey> CreateKey(platform::RegistryRoot root,
                                                   std::string_view path,
                                                   platform::RegistryView view) override;
  bool DeleteKeyTree(platform::RegistryRoot root, std::string_view path,
                     platform::RegistryView view) override;
  bool KeyDeletable(platform::RegistryRoot root, std::string_view path,
                    platform::RegistryView view) override;
  std::vector<platform::RegistryView> MachineViews() const override {
    return record_.MachineViews();
  }
  void Clear() { record_.Clear(); }

 private:
  platform::Registry& real_;
  const RunState& run_;
  RecordRegistry record_;
};

}  // namespace tidora::dry_run
