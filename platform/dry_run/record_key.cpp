#include "platform/dry_run/record_key.h"

#include <algorithm>

#include "platform/dry_run/name_folding.h"

namespace tidora::dry_run {
namespace {

using platform::RegistryError;
using platform::ValueType;
using Presence = RegistryJournal::Presence;

std::string Label(std::string_view name) {
  return "'" + std::string(name) + "'";
}

bool Listed(const std::vector<std::string>& names, std::string_view name) {
  const std::string folded = FoldName(name);
  return std::ranges::any_of(names, [&](const std::string& n) { return FoldName(n) == folded; });
}

// The data of an edited value, as the real key reads it: a value of another type refuses.
template <typename Data>
std::optional<Data> Read(const ValueEdit& edit, ValueType type, ValueType other) {
  if (!edit.type) return std::nullopt;
  if (*edit.type != type && *edit.type != other)
    throw RegistryError("Invalid data type for " + Label(edit.name));
  return std::get<Data>(edit.data);
}

}  // namespace

RecordKey::RecordKey(const RegistryReader& reader, RegistryJournal& journal, KeyId id,
                     bool writable, std::unique_ptr<const platform::RegistryKey> real)
    : reader_(reader),
      journal_(journal),
      id_(std::move(id)),
      writable_(writable),
      real_(std::move(real)) {}

const platform::RegistryKey* RecordKey::Real() const {
  if (!real_) real_ = reader_.OpenKey(id_.root, id_.path, platform::KeyAccess::kRead, id_.view);
  return real_.get();
}

RecordKey::View RecordKey::Look() const {
  const auto place = journal_.Find(id_);
  const bool shows = place.real_visible && place.presence != Presence::kGone;
  return {place, shows ? Real() : nullptr};
}

const ValueEdit* RecordKey::EditOf(const View& view, std::string_view name) const {
  return view.place.node ? view.place.node->Edit(name) : nullptr;
}

std::vector<std::string> RecordKey::ValueNames() const {
  const View view = Look();
  std::vector<std::string> names = view.real ? view.real->ValueNames() : std::vector<std::string>{};
  if (!view.place.node) return names;
  std::erase_if(names, [&](const std::string& name) {
    const ValueEdit* edit = EditOf(view, name);
    return edit && !edit->type;
  });
  for (const auto& edit : view.place.node->values)
    if (edit.type && !Listed(names, edit.name)) names.push_back(edit.name);
  return names;
}

// Created keys join the real ones in the order the system lists them: by name, case aside.
std::vector<std::string> RecordKey::SubkeyNames() const {
  const View view = Look();
  std::vector<std::string> names =
      view.real ? view.real->SubkeyNames() : std::vector<std::string>{};
  const KeyNode* node = view.place.node;
  if (!node) return names;
  std::erase_if(names, [&](const std::string& name) { return node->ChildGone(name); });
  bool joined = false;
  for (const auto& [folded, child] : node->children) {
    if (!child->created || Listed(names, child->name)) continue;
    names.push_back(child->name);
    joined = true;
  }
  if (joined) {
    std::ranges::stable_sort(names, [](const std::string& a, const std::string& b) {
      return FoldName(a) < FoldName(b);
    });
  }
  return names;
}

std::optional<ValueType> RecordKey::TypeOf(std::string_view name) const {
  const View view = Look();
  if (const ValueEdit* edit = EditOf(view, name)) return edit->type;
  return view.real ? view.real->TypeOf(name) : std::nullopt;
}

bool RecordKey::HasSubkey(std::string_view name) const {
  if (const auto said = journal_.Says(id_.Child(name), false, true)) return *said;
  const platform::RegistryKey* real = Real();
  return real && real->HasSubkey(name);
}

// A link, or a key that cannot be looked at: the journal makes neither, and a missing key is
// one that cannot be looked at.
bool RecordKey::SubkeyIsLink(std::string_view name) const {
  if (const auto said = journal_.Says(id_.Child(name), true, false)) return *said;
  const platform::RegistryKey* real = Real();
  return !real || real->SubkeyIsLink(name);
}

std::optional<std::string> RecordKey::ReadString(std::string_view name) const {
  const View view = Look();
  if (const ValueEdit* edit = EditOf(view, name))
    return Read<std::string>(*edit, ValueType::String, ValueType::ExpandString);
  return view.real ? view.real->ReadString(name) : std::nullopt;
}

std::optional<std::uint32_t> RecordKey::ReadDword(std::string_view name) const {
  const View view = Look();
  if (const ValueEdit* edit = EditOf(view, name))
    return Read<std::uint32_t>(*edit, ValueType::Dword, ValueType::Dword);
  return view.real ? view.real->ReadDword(name) : std::nullopt;
}

void RecordKey::WriteString(std::string_view name, std::string_view data) {
  Write({std::string(name), ValueType::String, std::string(data)});
}

void RecordKey::WriteDword(std::string_view name, std::uint32_t data) {
  Write({std::string(name), ValueType::Dword, data});
}

// A key opened for reading, or deleted since it was opened, takes no writes.
void RecordKey::Write(ValueEdit edit) {
  if (!writable_ || journal_.Find(id_).presence == Presence::kGone)
    throw RegistryError("Failed to set data for " + Label(edit.name));
  journal_.Edit(id_, std::move(edit));
}

bool RecordKey::DeleteValue(std::string_view name) {
  if (!writable_ || !TypeOf(name)) return false;
  journal_.Edit(id_, {std::string(name), std::nullopt, {}});
  return true;
}

}  // namespace tidora::dry_run
