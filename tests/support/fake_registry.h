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
  using Data = std::variant<std::string, std::uint32_t, std::vector<std::uint8_t>>;

  std::unique_ptr<platform::RegistryKey> Open(Root root, std::string_view path) override;
  std::unique_ptr<platform::RegistryKey> Create(Root root, std::string_view path) override;
  bool DeleteTree(Root root, std::string_view path) override;

  // Writes a value of any type, creating its key: for hostile or unusual content.
  void SetValue(Root root, std::string_view path, std::string_view name, platform::ValueType type,
                Data data);
  // The key exists but cannot be opened for full access.
  void RefuseFullAccess(Root root, std::string_view path);
  // The key (and so every key above it) survives deletion.
  void RefuseDeletion(Root root, std::string_view path);
  bool KeyExists(Root root, std::string_view path) const;

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
  };

  // For the open keys: nullptr once the key has been deleted.
  Key* Find(Root root, std::string_view path);

 private:
  Key* FindOrCreate(Root root, std::string_view path);
  Key& RootKey(Root root) { return root == Root::CurrentUser ? current_user_ : local_machine_; }
  static bool DeleteSubtree(Key& parent, const std::string& lower_name);

  Key current_user_;
  Key local_machine_;
};

}  // namespace tidora::testing
