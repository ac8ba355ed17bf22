#include "platform/dry_run/record_registry.h"

#include "platform/dry_run/record_key.h"

namespace tidora::dry_run {
namespace {
using platform::KeyAccess;
using Presence = RegistryJournal::Presence;
}  // namespace

std::unique_ptr<platform::RegistryKey> RecordRegistry::OpenKey(platform::RegistryRoot root,
                                                               std::string_view path,
                                                               KeyAccess access,
                                                               platform::RegistryView view) {
  if (!Addressable(path)) return nullptr;
  return Open(MakeKeyId(root, path, view), access);
}

std::unique_ptr<platform::RegistryKey> RecordRegistry::Open(const KeyId& key, KeyAccess access) {
  const auto place = journal_.Find(key);
  if (place.presence == Presence::kGone) return nullptr;
  std::unique_ptr<const platform::RegistryKey> real;
  if (place.real_visible) real = reader_.OpenKey(key.root, key.path, access, key.view);
  if (!real) {
    if (place.presence != Presence::kCreated) return nullptr;
    // Made by the journal, then by another program too: the real key's refusal stands.
    if (place.real_visible && access == KeyAccess::kFull &&
        reader_.OpenKey(key.root, key.path, KeyAccess::kRead, key.view))
      return nullptr;
  }
  return std::make_unique<RecordKey>(reader_, journal_, key, access == KeyAccess::kFull,
                                     std::move(real));
}

bool RecordRegistry::Exists(const KeyId& key) {
  if (const auto said = journal_.Says(key, false, true)) return *said;
  return reader_.OpenKey(key.root, key.path, KeyAccess::kRead, key.view) != nullptr;
}

// Whether the system would let the key be made cannot be known beforehand: it is taken as made.
std::unique_ptr<platform::RegistryKey> RecordRegistry::CreateKey(platform::RegistryRoot root,
                                                                 std::string_view path,
                                                                 platform::RegistryView view) {
  if (!Addressable(path)) return nullptr;
  const KeyId key = MakeKeyId(root, path, view);
  if (!Exists(key)) journal_.Create(key, [this](const KeyId& k) { return Exists(k); });
  return Open(key, KeyAccess::kFull);
}

bool RecordRegistry::KeyDeletable(platform::RegistryRoot root, std::string_view path,
                                  platform::RegistryView view) {
  return Addressable(path) && Deletable(MakeKeyId(root, path, view));
}

bool RecordRegistry::Deletable(const KeyId& key) {
  if (const auto said = journal_.Says(key, false, true)) return *said;
  return reader_.KeyDeletable(key.root, key.path, key.view);
}

bool RecordRegistry::DeleteKeyTree(platform::RegistryRoot root, std::string_view path,
                                   platform::RegistryView view) {
  if (!Addressable(path)) return false;
  const KeyId key = MakeKeyId(root, path, view);
  const auto opened = Open(key, KeyAccess::kRead);
  if (!opened) return false;
  // A link is left as it is, its target untouched. A key right below the root has no parent to
  // ask; the cleaners delete none there.
  if (key.names.size() > 1) {
    const auto parent = Open(key.Parent(), KeyAccess::kRead);
    if (!parent || parent->SubkeyIsLink(key.names.back())) return false;
  }
  return DeleteTree(key, *opened);
}

// Depth first, as the real deletion: what can go goes, and the key only once all beneath it went.
bool RecordRegistry::DeleteTree(const KeyId& key, const platform::RegistryKey& opened) {
  bool whole = true;
  for (const auto& name : opened.SubkeyNames()) {
    const KeyId child = key.Child(name);
    const auto child_key = opened.SubkeyIsLink(name) ? nullptr : Open(child, KeyAccess::kRead);
    whole = (child_key && DeleteTree(child, *child_key)) && whole;
  }
  if (!whole || !Deletable(key)) return false;
  journal_.Delete(key);
  return true;
}

}  // namespace tidora::dry_run
