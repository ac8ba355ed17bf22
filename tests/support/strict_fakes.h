#pragma once

// Fakes that fail the test when a call that would change the system reaches them while strict;
// the call still goes through, so that a run that may change things shows its effect.

#include <gtest/gtest.h>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_url_cache.h"

namespace tidora::testing {
using KeyPtr = std::unique_ptr<platform::RegistryKey>;
using NameList = std::vector<std::string>;
using platform::RecycleBinOutcome;
using platform::ValueType;
using Root = platform::RegistryRoot;
using View = platform::RegistryView;

struct Strictness {
  bool strict = true;
  void Check(const char* call) const {
    if (strict) ADD_FAILURE() << call << " reached the system";
  }
};

class GuardedKey final : public platform::RegistryKey {
 public:
  GuardedKey(KeyPtr key, const Strictness& s) : key_(std::move(key)), s_(s) {}
  NameList ValueNames() const override { return key_->ValueNames(); }
  NameList SubkeyNames() const override { return key_->SubkeyNames(); }
  std::optional<ValueType> TypeOf(std::string_view n) const override { return key_->TypeOf(n); }
  bool HasSubkey(std::string_view n) const override { return key_->HasSubkey(n); }
  bool SubkeyIsLink(std::string_view n) const override { return key_->SubkeyIsLink(n); }
  std::optional<std::string> ReadString(std::string_view n) const override {
    return key_->ReadString(n);
  }
  std::optional<std::uint32_t> ReadDword(std::string_view n) const override {
    return key_->ReadDword(n);
  }
  void WriteString(std::string_view n, std::string_view d) override {
    s_.Check("WriteString"), key_->WriteString(n, d);
  }
  void WriteDword(std::string_view n, std::uint32_t d) override {
    s_.Check("WriteDword"), key_->WriteDword(n, d);
  }
  bool DeleteValue(std::string_view n) override {
    return s_.Check("DeleteValue"), key_->DeleteValue(n);
  }

 private:
  KeyPtr key_;
  const Strictness& s_;
};

inline KeyPtr Guarded(KeyPtr key, const Strictness& s) {
  return key ? std::make_unique<GuardedKey>(std::move(key), s) : nullptr;
}

struct GuardedRegistry final : FakeRegistry {
  explicit GuardedRegistry(const Strictness& s) : s(s) {}
  KeyPtr OpenKey(Root r, std::string_view p, platform::KeyAccess a, View v) override {
    return Guarded(FakeRegistry::OpenKey(r, p, a, v), s);
  }
  KeyPtr CreateKey(Root r, std::string_view p, View v) override {
    return s.Check("CreateKey"), Guarded(FakeRegistry::CreateKey(r, p, v), s);
  }
  bool DeleteKeyTree(Root r, std::string_view p, View v) override {
    return s.Check("DeleteKeyTree"), FakeRegistry::DeleteKeyTree(r, p, v);
  }
  const Strictness& s;
};

struct GuardedFiles final : FakeFileSystem {
  explicit GuardedFiles(const Strictness& s) : s(s) {}
  bool RemoveFile(std::string_view p) override {
    return s.Check("RemoveFile"), FakeFileSystem::RemoveFile(p);
  }
  bool RemoveFolder(std::string_view p) override {
    return s.Check("RemoveFolder"), FakeFileSystem::RemoveFolder(p);
  }
  bool SetAttributes(std::string_view p, std::uint32_t a) override {
    return s.Check("SetAttributes"), FakeFileSystem::SetAttributes(p, a);
  }
  const Strictness& s;
};

struct GuardedShell final : FakeShell {
  explicit GuardedShell(const Strictness& s) : s(s) {}
  bool PostClose(platform::WindowId w) override {
    return s.Check("PostClose"), FakeShell::PostClose(w);
  }
  bool StartCommand(std::string_view c) override {
    return s.Check("StartCommand"), FakeShell::StartCommand(c);
  }
  RecycleBinOutcome EmptyRecycleBin(platform::WindowId w) override {
    return s.Check("EmptyRecycleBin"), FakeShell::EmptyRecycleBin(w);
  }
  bool EmptyClipboard(platform::WindowId w) override {
    return s.Check("EmptyClipboard"), FakeShell::EmptyClipboard(w);
  }
  bool Confirm(platform::WindowId w, std::string_view t, std::string_view c) override {
    return s.Check("Confirm"), FakeShell::Confirm(w, t, c);
  }
  void ShowMessage(platform::WindowId w, std::string_view t, std::string_view c) override {
    s.Check("ShowMessage"), FakeShell::ShowMessage(w, t, c);
  }
  const Strictness& s;
};

struct GuardedCache final : FakeUrlCache {
  explicit GuardedCache(const Strictness& s) : s(s) {}
  std::uint32_t DeleteEntry(std::string_view u) override {
    return s.Check("DeleteEntry"), FakeUrlCache::DeleteEntry(u);
  }
  const Strictness& s;
};

}  // namespace tidora::testing
