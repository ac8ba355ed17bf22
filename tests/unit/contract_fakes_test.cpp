// The platform contracts, run against the in-memory fakes.

#include "tests/contract/control_set_contract.h"
#include "tests/contract/file_system_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/headless_control_set.h"

namespace tidora::testing {
namespace {
struct FakeRegistryEnvironment : FakeRegistry {
  platform::Registry& registry() { return *this; }
  std::string base() const { return "Software\\TidoraContract"; }
  std::string machine_base() const { return base(); }
  void WriteRaw(const std::string& path, const std::string& name, platform::ValueType type,
                const std::vector<std::uint8_t>& bytes) {
    SetValue(Root::CurrentUser, path, name, type, bytes);
  }
  bool MakeLink(const std::string& link, const std::string&, bool inspectable) {
    return FakeRegistry::MakeLink(Root::CurrentUser, link, View::kDefault, inspectable), true;
  }
  bool GrantOnlyRead(const std::string& path) {
    return RefuseDeletion(Root::CurrentUser, path), true;
  }
  bool GrantOnlyReadAndDelete(const std::string& path) {
    return RefuseFullAccess(Root::CurrentUser, path), true;
  }
};

struct FakeFileSystemEnvironment : FakeFileSystem {
  FakeFileSystemEnvironment() { AddFolder(folder()); }
  platform::FileSystem& files() { return *this; }
  std::string folder() const { return "C:\\users\\me\\Temp\\contract"; }
  void MakeFile(const std::string& path, std::uint32_t attributes) { AddFile(path, attributes, 5); }
  std::string ShortPath(const std::string& path) {
    const auto split = path.rfind('\\');
    return path.substr(0, split + 1) + ShortName(path.substr(split + 1));
  }
  void MakeFolder(const std::string& path) { AddFolder(path); }
  std::string LinkHolder() {
    return AddJunction(folder() + "\\in\\back", folder()), folder() + "\\in";
  }
};

struct HeadlessControlSetEnvironment : HeadlessControlSet {
  ui::ControlSet& controls() { return *this; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, RegistryContract, FakeRegistryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, ControlSetContract, HeadlessControlSetEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, FileSystemContract, FakeFileSystemEnvironment);
}  // namespace
}  // namespace tidora::testing
