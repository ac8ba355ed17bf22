#pragma once

#include <map>
#include <variant>

#include "platform/registry.h"

namespace tidora::testing {
// An in-memory registry with Windows' names, both HKLM views, the roots that show other roots'
// keys, and faults to inject.
class FakeRegistry : public platform::Registry {
 public:
  // The user's SID, as Wine gives it: HKU holds HKCU under it.
  static constexpr std::string_view kUserSid = "S-1-5-21-0-0-0-1000";
  using Root = platform::RegistryRoot;
  using View = platform::RegistryView;
  using Data = std::variant<std::string, std::uint32_t, std::vector<std::uint8_t>>;
  std::unique_ptr<platform::RegistryKey> OpenKey(Root root, std::string_view path,
                                                 platform::KeyAccess access, View view) override;
  std::unique_ptr<platform::RegistryKey> CreateKey(Root root, std::string_view path,
                                                   View view) override;
  bool DeleteKeyTree(Root root, std::string_view path, View view) override;
  bool KeyDeletable(Root root, std::string_view path, View view) override;
  std::vector<View> MachineViews() const override { return {View::k64, View::k32}; }
  void SetValue(Root root, std::string_view path, std::string_view name, platform::ValueType type,
                Data data, View view = View::kDefault);
  void RefuseFullAccess(Root root, std::string_view path, View view = View::kDefault) {
    Make(root, path, view)->refuses_full_access = true;
  }
  // The key (and so every key above it) survives deletion.
  void RefuseDeletion(Root root, std::string_view path, View view = View::kDefault) {
    Make(root, path, view)->refuses_deletion = true;
  }
  // Deleting a tree leaves a link (and so its parents) in place; so it does a link whose own
  // security refuses to be looked at, which a walk must take for a link.
  void MakeLink(Root root, std::string_view path, View view = View::kDefault,
                bool inspectable = true) {
    Key* link = Make(root, path, view);
    link->is_link = inspectable;  // one that cannot be looked at does not say what it is
    link->refuses_inspection = !inspectable;
  }
  // The value reads as a DWORD from its next read on, as if another program rewrote it after
  // it was looked at.
  void RetypeOnRead(Root root, std::string_view path, std::string_view name, View view);
  void RefuseWrites(Root root, std::string_view path, View view = View::kDefault) {
    Make(root, path, view)->refuses_writes = true;
  }
  bool KeyExists(Root root, std::string_view path, View view = View::kDefault) const {
    return const_cast<FakeRegistry*>(this)->Find(root, path, view) != nullptr;
  }
  struct Value {
    std::string name;
    platform::ValueType type;
    Data data;
    bool retyped_on_read = false;
  };
  struct Key {
    std::string name;
    std::map<std::string, std::unique_ptr<Key>> subkeys;  // by folded name
    std::vector<Value> values;
    bool refuses_full_access = false, refuses_deletion = false, is_link = false,
         refuses_inspection = false, refuses_writes = false;
  };
  // Every key, value and fault, as text: equal snapshots, equal registries.
  std::string Snapshot() const;
  // nullptr once the key is deleted.
  Key* Find(Root root, std::string_view path, View view) { return Walk(root, path, view, false); }

 private:
  std::pair<Key*, std::string> Locate(Root root, std::string_view path, View view);
  Key* Make(Root root, std::string_view path, View view) { return Walk(root, path, view, true); }
  Key* Walk(Root root, std::string_view path, View view, bool create, int drop_last = 0);
  Key current_user_, local_machine_64_, local_machine_32_, users_;
};
}  // namespace tidora::testing
