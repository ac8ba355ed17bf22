#include "platform/dry_run/registry_journal.h"

#include <algorithm>

#include "platform/dry_run/name_folding.h"

namespace tidora::dry_run {

const KeyNode* KeyNode::Child(std::string_view child) const {
  const auto found = children.find(FoldName(child));
  return found == children.end() ? nullptr : found->second.get();
}

const ValueEdit* KeyNode::Edit(std::string_view value) const {
  const std::string folded = FoldName(value);
  const auto found =
      std::ranges::find_if(values, [&](const ValueEdit& e) { return FoldName(e.name) == folded; });
  return found == values.end() ? nullptr : &*found;
}

bool KeyNode::ChildGone(std::string_view child) const {
  const KeyNode* node = Child(child);
  return node && node->hidden && !node->created;
}

std::size_t RegistryJournal::RootIndex(const KeyId& key) {
  using enum platform::RegistryRoot;
  switch (key.root) {
    case CurrentUser:
      return 0;
    case LocalMachine:
      return 1 + static_cast<std::size_t>(key.view);
    case Users:
      return 4;
    case ClassesRoot:
      return 5;
    case CurrentConfig:
      break;
  }
  return 6;
}

RegistryJournal::Place RegistryJournal::Find(const KeyId& key) const {
  const KeyNode* node = &roots_[RootIndex(key)];
  bool hidden = false;
  for (const auto& name : key.names) {
    node = node ? node->Child(name) : nullptr;
    hidden = hidden || (node && node->hidden);
  }
  const Presence presence = node && node->created ? Presence::kCreated
                            : hidden              ? Presence::kGone
                                                  : Presence::kAsReal;
  return {presence, !hidden, node};
}

KeyNode& RegistryJournal::Make(const KeyId& key, const std::function<void(KeyNode&)>& on_the_way) {
  KeyNode* node = &roots_[RootIndex(key)];
  for (const auto& name : key.names) {
    auto& child = node->children[FoldName(name)];
    if (!child) (child = std::make_unique<KeyNode>())->name = name;
    node = child.get();
    if (on_the_way) on_the_way(*node);
  }
  return *node;
}

void RegistryJournal::Create(const KeyId& key, const std::function<bool(const KeyId&)>& exists) {
  KeyId prefix{key.root, key.view, {}, {}};
  bool missing = false;
  Make(key, [&](KeyNode& node) {
    prefix = prefix.Child(node.name);
    missing = missing || !exists(prefix);
    node.created = node.created || missing;
  });
}

void RegistryJournal::Delete(const KeyId& key) {
  KeyNode& node = Make(key);
  node.hidden = true;
  node.created = false;
  node.children.clear();
  node.values.clear();
}

void RegistryJournal::Edit(const KeyId& key, ValueEdit edit) {
  auto& values = Make(key).values;
  const std::string folded = FoldName(edit.name);
  const auto known =
      std::ranges::find_if(values, [&](const ValueEdit& e) { return FoldName(e.name) == folded; });
  if (known == values.end()) return values.push_back(std::move(edit));
  edit.name = known->name;  // the name keeps its first spelling, as the system's does
  *known = std::move(edit);
}

void RegistryJournal::Clear() {
  roots_ = {};
}

}  // namespace tidora::dry_run
