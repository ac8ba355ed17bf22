#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/dry_run/key_id.h"

namespace tidora::dry_run {

// A value written or deleted (no type) while recording.
struct ValueEdit {
  std::string name;
  std::optional<platform::ValueType> type;
  std::variant<std::string, std::uint32_t> data;
};

// A recorded key and what changed beneath it.
struct KeyNode {
  std::string name;      // as first written
  bool hidden = false;   // deleted: the real key and all beneath it no longer show
  bool created = false;  // exists by the journal alone
  std::map<std::string, std::unique_ptr<KeyNode>> children;  // by folded name
  std::vector<ValueEdit> values;

  const KeyNode* Child(std::string_view name) const;
  const ValueEdit* Edit(std::string_view name) const;
  // A child the journal deleted, and did not create again.
  bool ChildGone(std::string_view name) const;
};

// The keys created, deleted and written while recording. HKLM's views are kept apart as given,
// since the overlay cannot tell which of them the system folds together; so are the roots that
// show other roots' keys (HKU holds HKCU's under the user's SID, HKCR shows Software\Classes).
class RegistryJournal {
 public:
  enum class Presence { kGone, kCreated, kAsReal };
  struct Place {
    Presence presence;
    bool real_visible;    // the real key's subkeys and values still show
    const KeyNode* node;  // the edits at the key; nullptr when none
  };

  Place Find(const KeyId& key) const;
  // The answer for a key the journal deleted or made; nullopt where the real key answers.
  std::optional<bool> Says(const KeyId& key, bool if_gone, bool if_created) const {
    const Presence presence = Find(key).presence;
    if (presence == Presence::kAsReal) return std::nullopt;
    return presence == Presence::kGone ? if_gone : if_created;
  }
  // Marks created every key on the path from the first one `exists` denies.
  void Create(const KeyId& key, const std::function<bool(const KeyId&)>& exists);
  void Delete(const KeyId& key);
  void Edit(const KeyId& key, ValueEdit edit);
  void Clear();

 private:
  static std::size_t RootIndex(const KeyId& key);
  // The node at the key, made with the nodes above it where missing.
  KeyNode& Make(const KeyId& key, const std::function<void(KeyNode&)>& on_the_way = {});

  std::array<KeyNode, 7> roots_;  // HKCU, HKLM in each view, HKU, HKCR, HKCC
};

}  // namespace tidora::dry_run
