// The platform contracts, run against the in-memory fakes.

#include "tests/contract/control_set_contract.h"
#include "tests/contract/file_system_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/headless_control_set.h"

namespace tidora::testing {
namespace {

class FakeRegistryEnvironment {
 public:
  platform::Registry& registry() { return registry_; }
  std::string base() const { return "Software\\TidoraContract"; }
  std::string machine_base() const { return "Software\\TidoraContract"; }
  void WriteRaw(const std::string& path, const std::string& name, platform::ValueType type,
                const std::vector<std::uint8_t>& bytes) {
    registry_.SetValue(platform::RegistryRoot::CurrentUser, path, name, type, bytes);
  }
  bool MakeLink(const std::string& link, const std::string&) {
    registry_.MakeLink(platform::RegistryRoot::CurrentUser, link);
    return true;
  }

 private:
  FakeRegistry registry_;
};

class FakeFileSystemEnvironment {
 public:
  FakeFileSystemEnvironment() { files_.AddFolder(folder()); }
  platform::FileSystem& files() { return files_; }
  std::string folder() const { return "C:\\users\\me\\Temp\\contract"; }
  void MakeFile(const std::string& path, std::uint32_t attributes) {
    files_.AddFile(path, attributes);
  }
  void MakeFolder(const std::string& path) { files_.AddFolder(path); }
  void Lock(const std::string& path) { files_.Lock(path); }
  std::string LinkHolder() {
    files_.AddJunction(folder() + "\\inner\\back", folder());
    return folder() + "\\inner";
  }
  bool FailListing(const std::string& path) {
    files_.FailListing(path, 0);
    return true;
  }

 private:
  FakeFileSystem files_;
};

class HeadlessControlSetEnvironment {
 public:
  ui::ControlSet& controls() { return controls_; }

 private:
  HeadlessControlSet controls_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, RegistryContract, FakeRegistryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, ControlSetContract, HeadlessControlSetEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, FileSystemContract, FakeFileSystemEnvironment);

}  // namespace
}  // namespace tidora::testing
