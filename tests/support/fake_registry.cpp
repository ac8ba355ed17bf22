#include "tests/support/fake_registry.h"

#include <algorithm>
#include <utility>

#include "tests/support/case_folding.h"

namespace tidora::testing {
namespace {
using platform::RegistryError;
using platform::ValueType;
using Key = FakeRegistry::Key;
using Bytes = std::vector<std::uint8_t>;

FakeRegistry::Value* ValueNamed(Key* key, std::string_view name) {
  if (!key) return nullptr;
  const auto found =
      std::ranges::find_if(key->values, [&](auto& v) { return SameName(v.name, name); });
  return found == key->values.end() ? nullptr : &*found;
}

// Empties the key depth first; true when the key itself may go too. Full access is not needed.
bool EmptyForDeletion(Key& key) {
  if (key.is_link || key.refuses_inspection) return false;
  bool whole = true;
  std::erase_if(key.subkeys,
                [&](auto& child) { return EmptyForDeletion(*child.second) || (whole = false); });
  return whole && !key.refuses_deletion;
}

// Holds where the key lives, not the node: a key deleted while open lists nothing, takes nothing.
class FakeKey final : public platform::RegistryKey {
 public:
  FakeKey(FakeRegistry& registry, FakeRegistry::Root root, std::string_view path,
          FakeRegistry::View view, bool writable)
      : registry_(registry), root_(root), path_(path), view_(view), writable_(writable) {}
  std::vector<std::string> ValueNames() const override {
    std::vector<std::string> names;
    for (const auto& value : Here().values) names.push_back(value.name);
    return names;
  }
  std::vector<std::string> SubkeyNames() const override {
    std::vector<std::string> names;
    for (const auto& [folded, subkey] : Here().subkeys) names.push_back(subkey->name);
    return names;
  }
  std::optional<ValueType> TypeOf(std::string_view name) const override {
    const auto* value = ValueNamed(Node(), name);
    return value ? std::optional(value->type) : std::nullopt;
  }
  bool SubkeyIsLink(std::string_view name) const override {
    const auto found = Here().subkeys.find(Fold(name));
    return found == Here().subkeys.end() || found->second->is_link ||
           found->second->refuses_inspection;
  }
  bool HasSubkey(std::string_view name) const override {
    return Here().subkeys.contains(Fold(name));
  }
  // Raw string data is UTF-16 up to the first NUL, an odd last byte dropped.
  std::optional<std::string> ReadString(std::string_view name) const override {
    const auto* value = Read(name, ValueType::String, ValueType::ExpandString);
    const auto* raw = value ? std::get_if<Bytes>(&value->data) : nullptr;
    if (!raw) return value ? std::optional(std::get<std::string>(value->data)) : std::nullopt;
    std::string text;
    for (size_t i = 0; i + 1 < raw->size() && ((*raw)[i] || (*raw)[i + 1]); i += 2)
      AppendUtf8(text, (*raw)[i] | ((*raw)[i + 1] << 8));
    return text;
  }
  // Raw data is a DWORD only at its right size.
  std::optional<std::uint32_t> ReadDword(std::string_view name) const override {
    const auto* value = Read(name, ValueType::Dword, ValueType::Dword);
    const auto* raw = value ? std::get_if<Bytes>(&value->data) : nullptr;
    if (!raw) return value ? std::optional(std::get<std::uint32_t>(value->data)) : std::nullopt;
    if (raw->size() != 4) throw RegistryError("Invalid data type for '" + std::string(name) + "'");
    return (*raw)[0] | ((*raw)[1] << 8) | ((*raw)[2] << 16) | (std::uint32_t{(*raw)[3]} << 24);
  }
  void WriteString(std::string_view name, std::string_view data) override {
    Write(name, ValueType::String, std::string(data));
  }
  void WriteDword(std::string_view name, std::uint32_t data) override {
    Write(name, ValueType::Dword, data);
  }
  bool DeleteValue(std::string_view name) override {
    return writable_ && Node() &&
           std::erase_if(Node()->values, [&](auto& value) { return SameName(value.name, name); });
  }

 private:
  Key* Node() const { return registry_.Find(root_, path_, view_); }
  const Key& Here() const {
    static const Key kDeleted;
    return Node() ? *Node() : kDeleted;
  }
  const FakeRegistry::Value* Read(std::string_view name, ValueType type, ValueType other) const {
    auto* value = ValueNamed(Node(), name);
    if (value && std::exchange(value->retyped_on_read, false))
      *value = {value->name, ValueType::Dword, std::uint32_t{1}};
    if (value && value->type != type && value->type != other)
      throw RegistryError("Invalid data type for '" + std::string(name) + "'");
    return value;
  }
  void Write(std::string_view name, ValueType type, FakeRegistry::Data data) {
    if (!Node() || !writable_ || Node()->refuses_writes)
      throw RegistryError("Failed to set data for '" + std::string(name) + "'");
    registry_.SetValue(root_, path_, name, type, std::move(data), view_);
  }
  FakeRegistry& registry_;
  FakeRegistry::Root root_;
  std::string path_;
  FakeRegistry::View view_;
  bool writable_;
};
}  // namespace

// The root and the path below it where the system keeps a key: HKU\<the user's SID> is HKCU, HKCC
// the current hardware profile, and HKCR the user's classes where he has the key, the machine's
// elsewhere.
std::pair<Key*, std::string> FakeRegistry::Locate(Root root, std::string_view path, View view) {
  const std::string relative(platform::KeyPathFromRoot(path));
  Key* machine = view == View::k32 ? &local_machine_32_ : &local_machine_64_;
  switch (root) {
    case Root::Users: {
      const auto split = std::min(relative.find('\\'), relative.size());
      if (!SameName(relative.substr(0, split), kUserSid)) return {&users_, relative};
      return {&current_user_, relative.substr(split)};
    }
    case Root::CurrentConfig:
      return {machine, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\" + relative};
    case Root::ClassesRoot: {
      const std::string classes = "Software\\Classes\\" + relative;
      return {Walk(Root::CurrentUser, classes, View::kDefault, false) ? &current_user_ : machine,
              classes};
    }
    case Root::CurrentUser:
      return {&current_user_, relative};
    case Root::LocalMachine:
      break;
  }
  return {machine, relative};
}

// The key at path, less its last drop_last parts; nullptr for a missing key unless created.
Key* FakeRegistry::Walk(Root root, std::string_view path, View view, bool create, int drop_last) {
  auto [key, below] = Locate(root, path, view);
  const auto parts = SplitPath(below);
  for (size_t i = 0; key && i + drop_last < parts.size(); ++i) {
    const std::string folded = Fold(parts[i]);
    if (create && !key->subkeys.contains(folded))
      (key->subkeys[folded] = std::make_unique<Key>())->name = parts[i];
    const auto found = key->subkeys.find(folded);
    key = found == key->subkeys.end() ? nullptr : found->second.get();
  }
  return key;
}

// As the system API: an empty path is the root, and a NUL ends the path there.
static bool Addressable(std::string_view path) {
  return !platform::KeyPathFromRoot(path).empty() && path.find('\0') == std::string_view::npos;
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::OpenKey(Root root, std::string_view path,
                                                             platform::KeyAccess access,
                                                             View view) {
  const Key* key = Find(root, path, view);
  const bool full = access == platform::KeyAccess::kFull;
  if (!Addressable(path) || !key || (full && key->refuses_full_access)) return nullptr;
  return std::make_unique<FakeKey>(*this, root, path, view, full);
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::CreateKey(Root root, std::string_view path,
                                                               View view) {
  if (!Addressable(path) || Make(root, path, view)->refuses_full_access) return nullptr;
  return std::make_unique<FakeKey>(*this, root, path, view, true);
}

bool FakeRegistry::DeleteKeyTree(Root root, std::string_view path, View view) {
  const auto parts = SplitPath(platform::KeyPathFromRoot(path));
  Key* parent = Addressable(path) ? Walk(root, path, view, false, 1) : nullptr;
  return parent && std::erase_if(parent->subkeys, [&](auto& child) {
                     return child.first == Fold(parts.back()) && EmptyForDeletion(*child.second);
                   }) > 0;
}

namespace {
void Print(const Key& key, const std::string& path, std::string& out) {
  out += path + (key.is_link ? " link" : "") + (key.refuses_deletion ? " kept" : "") + "\n";
  for (const auto& value : key.values) out += path + "=" + value.name + "\n";
  for (const auto& [folded, child] : key.subkeys) Print(*child, path + "\\" + child->name, out);
}
}  // namespace

std::string FakeRegistry::Snapshot() const {
  std::string out;
  for (const Key* root : {&current_user_, &local_machine_64_, &local_machine_32_, &users_})
    Print(*root, "|", out);
  return out;
}

bool FakeRegistry::KeyDeletable(Root root, std::string_view path, View view) {
  const Key* key = Addressable(path) ? Find(root, path, view) : nullptr;
  return key && !key->is_link && !key->refuses_inspection && !key->refuses_deletion;
}

void FakeRegistry::RetypeOnRead(Root root, std::string_view path, std::string_view name,
                                View view) {
  if (auto* value = ValueNamed(Find(root, path, view), name)) value->retyped_on_read = true;
}

void FakeRegistry::SetValue(Root root, std::string_view path, std::string_view name,
                            platform::ValueType type, Data data, View view) {
  Key* key = Make(root, path, view);
  if (auto* value = ValueNamed(key, name)) {
    *value = {value->name, type, std::move(data)};
  } else {
    key->values.push_back({std::string(name), type, std::move(data)});
  }
}
}  // namespace tidora::testing
