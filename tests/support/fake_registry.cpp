#include "tests/support/fake_registry.h"

#include <algorithm>

#include "tests/support/case_folding.h"

namespace tidora::testing {

namespace {

using platform::RegistryError;
using platform::ValueType;

bool IsStringType(ValueType type) {
  return type == ValueType::String || type == ValueType::ExpandString;
}

// Raw string data as the system stores it: UTF-16, up to the first NUL, an odd last byte dropped.
std::string FromUtf16(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t c = bytes[i] | (bytes[i + 1] << 8);
    if (c == 0) break;
    if (c < 0x80) {
      text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      text.push_back(static_cast<char>(0xC0 | (c >> 6)));
      text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      text.push_back(static_cast<char>(0xE0 | (c >> 12)));
      text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return text;
}

RegistryError WrongType(std::string_view name) {
  return RegistryError("Invalid data type for '" + std::string(name) + "'");
}

// An open key remembers where it lives, not the node: a key deleted while open answers as
// Windows does for a handle to a deleted key (nothing to list, nothing can be written).
class FakeKey final : public platform::RegistryKey {
 public:
  FakeKey(FakeRegistry& registry, FakeRegistry::Root root, std::string path,
          FakeRegistry::View view, bool writable)
      : registry_(registry),
        root_(root),
        path_(std::move(path)),
        view_(view),
        writable_(writable) {}

  std::vector<std::string> ValueNames() const override {
    std::vector<std::string> names;
    if (auto* key = Node()) {
      for (const auto& value : key->values) names.push_back(value.name);
    }
    return names;
  }

  std::vector<std::string> SubkeyNames() const override {
    std::vector<std::string> names;
    if (auto* key = Node()) {
      for (const auto& [folded, subkey] : key->subkeys) names.push_back(subkey->name);
    }
    return names;
  }

  std::optional<ValueType> TypeOf(std::string_view name) const override {
    const auto* value = FindValue(name);
    if (!value) return std::nullopt;
    return value->type;
  }

  bool SubkeyIsLink(std::string_view name) const override {
    auto* key = Node();
    if (!key) return false;
    const auto found = key->subkeys.find(Fold(name));
    return found != key->subkeys.end() && found->second->is_link;
  }

  bool HasSubkey(std::string_view name) const override {
    auto* key = Node();
    return key && key->subkeys.count(Fold(name)) > 0;
  }

  std::optional<std::string> ReadString(std::string_view name) const override {
    const auto* value = FindValue(name);
    if (!value) return std::nullopt;
    if (!IsStringType(value->type)) throw WrongType(name);
    if (const auto* raw = std::get_if<std::vector<std::uint8_t>>(&value->data)) {
      return FromUtf16(*raw);
    }
    return std::get<std::string>(value->data);
  }

  std::optional<std::uint32_t> ReadDword(std::string_view name) const override {
    const auto* value = FindValue(name);
    if (!value) return std::nullopt;
    if (value->type != ValueType::Dword) throw WrongType(name);
    // Raw data is a DWORD only at its right size.
    if (const auto* raw = std::get_if<std::vector<std::uint8_t>>(&value->data)) {
      if (raw->size() != 4) throw WrongType(name);
      return (*raw)[0] | ((*raw)[1] << 8) | ((*raw)[2] << 16) | (std::uint32_t{(*raw)[3]} << 24);
    }
    return std::get<std::uint32_t>(value->data);
  }

  void WriteString(std::string_view name, std::string_view data) override {
    Write(name, ValueType::String, std::string(data));
  }

  void WriteDword(std::string_view name, std::uint32_t data) override {
    Write(name, ValueType::Dword, data);
  }

  bool DeleteValue(std::string_view name) override {
    auto* key = Node();
    if (!key || !writable_) return false;
    const auto found = std::find_if(key->values.begin(), key->values.end(),
                                    [&](const auto& value) { return SameName(value.name, name); });
    if (found == key->values.end()) return false;
    key->values.erase(found);
    return true;
  }

 private:
  FakeRegistry::Key* Node() const { return registry_.Find(root_, path_, view_); }

  const FakeRegistry::Value* FindValue(std::string_view name) const {
    auto* key = Node();
    if (!key) return nullptr;
    for (const auto& value : key->values) {
      if (SameName(value.name, name)) return &value;
    }
    return nullptr;
  }

  void Write(std::string_view name, ValueType type, FakeRegistry::Data data) {
    if (!Node() || !writable_ || Node()->refuses_writes) {
      throw RegistryError("Failed to set data for '" + std::string(name) + "'");
    }
    registry_.SetValue(root_, path_, name, type, std::move(data), view_);
  }

  FakeRegistry& registry_;
  FakeRegistry::Root root_;
  std::string path_;
  FakeRegistry::View view_;
  bool writable_;
};

}  // namespace

FakeRegistry::Key& FakeRegistry::RootKey(Root root, View view) {
  if (root == Root::CurrentUser) return current_user_;
  return two_views_ && view == View::k32 ? local_machine_32_ : local_machine_64_;
}

std::vector<FakeRegistry::View> FakeRegistry::MachineViews() const {
  if (two_views_) return {View::k64, View::k32};
  return {View::kDefault};
}

FakeRegistry::Key* FakeRegistry::Find(Root root, std::string_view path, View view) {
  Key* key = &RootKey(root, view);
  for (const auto& part : SplitPath(platform::KeyPathFromRoot(path))) {
    const auto found = key->subkeys.find(Fold(part));
    if (found == key->subkeys.end()) return nullptr;
    key = found->second.get();
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::FindOrCreate(Root root, std::string_view path, View view) {
  Key* key = &RootKey(root, view);
  for (const auto& part : SplitPath(platform::KeyPathFromRoot(path))) {
    auto& slot = key->subkeys[Fold(part)];
    if (!slot) {
      slot = std::make_unique<Key>();
      slot->name = part;
    }
    key = slot.get();
  }
  return key;
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::OpenKey(Root root, std::string_view path,
                                                             platform::KeyAccess access,
                                                             View view) {
  if (platform::KeyPathFromRoot(path).empty()) return nullptr;
  const Key* key = Find(root, path, view);
  const bool full = access == platform::KeyAccess::kFull;
  if (!key || (full && key->refuses_full_access)) return nullptr;
  return std::make_unique<FakeKey>(*this, root, std::string(path), view, full);
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::CreateKey(Root root, std::string_view path,
                                                               View view) {
  if (platform::KeyPathFromRoot(path).empty()) return nullptr;
  if (FindOrCreate(root, path, view)->refuses_full_access) return nullptr;
  return std::make_unique<FakeKey>(*this, root, std::string(path), view, true);
}

bool FakeRegistry::DeleteSubtree(Key& parent, const std::string& folded_name) {
  const auto found = parent.subkeys.find(folded_name);
  if (found == parent.subkeys.end()) return false;
  Key& key = *found->second;
  if (key.refuses_full_access || key.is_link) return false;
  bool whole = true;
  std::vector<std::string> children;
  for (const auto& [folded, child] : key.subkeys) children.push_back(folded);
  for (const auto& child : children) whole = DeleteSubtree(key, child) && whole;
  if (!whole || key.refuses_deletion) return false;
  parent.subkeys.erase(found);
  return true;
}

bool FakeRegistry::DeleteKeyTree(Root root, std::string_view path, View view) {
  const auto parts = SplitPath(platform::KeyPathFromRoot(path));
  if (parts.empty()) return false;
  Key* parent = &RootKey(root, view);
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const auto found = parent->subkeys.find(Fold(parts[i]));
    if (found == parent->subkeys.end()) return false;
    parent = found->second.get();
  }
  return DeleteSubtree(*parent, Fold(parts.back()));
}

void FakeRegistry::SetValue(Root root, std::string_view path, std::string_view name,
                            platform::ValueType type, Data data, View view) {
  Key* key = FindOrCreate(root, path, view);
  for (auto& value : key->values) {
    if (SameName(value.name, name)) {
      value.type = type;
      value.data = std::move(data);
      return;
    }
  }
  key->values.push_back({std::string(name), type, std::move(data)});
}

void FakeRegistry::RefuseFullAccess(Root root, std::string_view path, View view) {
  FindOrCreate(root, path, view)->refuses_full_access = true;
}

void FakeRegistry::MakeLink(Root root, std::string_view path, View view) {
  FindOrCreate(root, path, view)->is_link = true;
}

void FakeRegistry::RefuseDeletion(Root root, std::string_view path, View view) {
  FindOrCreate(root, path, view)->refuses_deletion = true;
}

bool FakeRegistry::KeyExists(Root root, std::string_view path, View view) const {
  return const_cast<FakeRegistry*>(this)->Find(root, path, view) != nullptr;
}

void FakeRegistry::RefuseWrites(Root root, std::string_view path, View view) {
  FindOrCreate(root, path, view)->refuses_writes = true;
}

}  // namespace tidora::testing
