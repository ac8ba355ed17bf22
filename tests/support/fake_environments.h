#pragma once

// What the platform contracts plant, planted into fakes. An environment names the fake planting
// goes to (planted()) and what the contract talks to: the fake itself, or a dry run before it.

#include "tests/contract/url_cache_contract.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_url_cache.h"

namespace tidora::testing {

template <typename Environment>
struct PlantsInFakeRegistry {
  std::string base() const { return "Software\\TidoraContract"; }
  std::string machine_base() const { return base(); }
  void WriteRaw(const std::string& path, const std::string& name, platform::ValueType type,
                const std::vector<std::uint8_t>& bytes) {
    Fake().SetValue(kUser, path, name, type, bytes);
  }
  bool MakeLink(const std::string& link, const std::string&, bool inspectable) {
    return Fake().MakeLink(kUser, link, platform::RegistryView::kDefault, inspectable), true;
  }
  bool GrantOnlyRead(const std::string& path) { return Fake().RefuseDeletion(kUser, path), true; }
  bool GrantOnlyReadAndDelete(const std::string& path) {
    return Fake().RefuseFullAccess(kUser, path), true;
  }
  void Plant(platform::RegistryRoot root, const std::string& path) {
    Fake().SetValue(root, path, "planted", platform::ValueType::String, path);
  }

 private:
  static constexpr auto kUser = platform::RegistryRoot::CurrentUser;
  FakeRegistry& Fake() { return static_cast<Environment&>(*this).planted(); }
};

template <typename Environment>
struct PlantsInFakeFiles {
  std::string folder() const { return "C:\\users\\me\\Temp\\contract"; }
  void MakeFile(const std::string& path, std::uint32_t attributes) {
    Fake().AddFile(path, attributes, 5);
  }
  std::string ShortPath(const std::string& path) {
    const auto split = path.rfind('\\') + 1;
    return path.substr(0, split) + FakeFileSystem::ShortName(path.substr(split));
  }
  void MakeFileWith(const std::string& path, const std::string& bytes, std::uint64_t size = 0) {
    Fake().SetContents(path, bytes);
    if (size > bytes.size()) Fake().AddFile(path, platform::attribute::kArchive, size);
  }
  void MakeFolder(const std::string& path) { Fake().AddFolder(path); }
  void Lock(const std::string& path) { Fake().Lock(path); }
  std::string LinkHolder() {
    return Fake().AddJunction(folder() + "\\in\\back", folder()), folder() + "\\in";
  }
  std::pair<std::string, std::string> EmptyFolderLink() {
    Fake().AddFolder("C:\\link-target\\empty");
    Fake().AddJunction("C:\\links\\to-empty", "C:\\link-target\\empty");
    return {"C:\\links\\to-empty", "C:\\link-target\\empty"};
  }

 private:
  FakeFileSystem& Fake() { return static_cast<Environment&>(*this).planted(); }
};

template <typename Environment>
struct PlantsInFakeCache {
  std::string Plant(CacheKind kind, const std::string& name) {
    const char* prefix[] = {"http://t/", "Cookie:me@t/", "Visited: me@http://t/"};
    const std::uint32_t type[] = {1, 1u << 20, 1u << 21};
    auto& entries = static_cast<Environment&>(*this).planted().entries;
    entries.push_back({prefix[int(kind)] + name, type[int(kind)]});
    return entries.back().url;
  }
};

}  // namespace tidora::testing
