#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/registry.h"

namespace tidora::testing {

// An in-memory registry with Windows semantics: case-insensitive names, typed values listed in
// creation order, subkeys listed sorted, and faults to inject.
class FakeRegistry final : public platform::Registry {
 public:
  using Root = platform::RegistryRoot;
  using View = platform::RegistryView;
  using Data = std::variant<std::string, std::uint32_t, std::vector<std::uint8_t>>;

  // two_views: HKLM has a 64-bit and a 32-bit tree, as on 64-bit Windows; else one, as on 32-bit.
  explicit FakeRegistry(bool two_views = true) : two_views_(two_views) {}

  std::unique_ptr<platform::RegistryKey> OpenKey(Root root, std::string_view path,
                                                 platform::KeyAccess access, View view) override;
  std::unique_ptr<platform::RegistryKey> CreateKey(Root root, std::string_view path,
                                                   View view) override;
  bool DeleteKeyTree(Root root, std::string_view path, View view) override;
  std::vector<View> MachineViews() const override;

  // Writes a value of any type, creating its key: for hostile or unusual content.
  void SetValue(Root root, std::string_view path, std::string_view name, platform::ValueType type,
                Data data, View view = View::kDefault);
  // The key exists but cannot be opened for full access.
  void RefuseFullAccess(Root root, std::string_view path, View view = View::kDefault);
  // The key (and so every key above it) survives deletion.
  void RefuseDeletion(Root root, std::string_view path, View view = View::kDefault);
  // The key stands for a registry link: walks and DeleteTree leave it alone.
  void MakeLink(Root root, std::string_view path);
  bool KeyExists(Root root, std::string_view path, View view = View::kDefault) const;

  struct Value {
    std::string name;
    platform::ValueType type;
    Data data;
  };
  struct Key {
    std::string name;
    std::map<std::string, std::unique_ptr<Key>> subkeys;  // by lower-case name: sorted listing
    std::vector<Value> values;                            // creation order
    bool refuses_full_access = false;
    bool refuses_deletion = false;
    bool is_link = false;
  };

  // For the open keys: nullptr once the key has been deleted.
  Key* Find(Root root, std::string_view path, View view);

 private:
  Key* FindOrCreate(Root root, std::string_view path, View view);
  Key& RootKey(Root root, View view);
  static bool DeleteSubtree(Key& parent, const std::string& lower_name);

  bool two_views_;
  Key current_user_;
  Key local_machine_64_;
  Key local_machine_32_;
};

}  // namespace tidora::testing
