#pragma once

#include <memory>

#include "platform/dry_run/key_id.h"
#include "platform/dry_run/read_only.h"
#include "platform/dry_run/registry_journal.h"

namespace tidora::dry_run {

// The registry while recording: each call answers as the real one would, and what it would
// change goes to the journal.
class RecordRegistry {
 public:
  explicit RecordRegistry(RegistryReader reader) : reader_(reader) {}

  std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryRoot root, std::string_view path,
                                                 platform::KeyAccess access,
                                                 platform::RegistryView view);
  std::unique_ptr<platform::RegistryKey> CreateKey(platform::RegistryRoot root,
                                                   std::string_view path,
                                                   platform::RegistryView view);
  bool DeleteKeyTree(platform::RegistryRoot root, std::string_view path,
                     platform::RegistryView view);
  bool KeyDeletable(platform::RegistryRoot root, std::string_view path,
                    platform::RegistryView view);
  std::vector<platform::RegistryView> MachineViews() const { return reader_.MachineViews(); }
  void Clear() { journal_.Clear(); }

 private:
  std::unique_ptr<platform::RegistryKey> Open(const KeyId& key, platform::KeyAccess access);
  bool Exists(const KeyId& key);
  bool Deletable(const KeyId& key);
  bool DeleteTree(const KeyId& key, const platform::RegistryKey& opened);

  RegistryReader reader_;
  RegistryJournal journal_;
};

}  // namespace tidora::dry_run
