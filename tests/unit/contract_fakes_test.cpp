// The platform contracts, run against the in-memory fakes.

#include "tests/contract/control_set_contract.h"
#include "tests/contract/file_system_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/support/fake_environments.h"
#include "tests/support/headless_control_set.h"

namespace tidora::testing {
namespace {
struct FakeRegistryEnvironment : PlantsInFakeRegistry<FakeRegistryEnvironment> {
  FakeRegistry& planted() { return fake; }
  platform::Registry& registry() { return fake; }
  FakeRegistry fake;
};

struct FakeFileSystemEnvironment : PlantsInFakeFiles<FakeFileSystemEnvironment> {
  FakeFileSystemEnvironment() { fake.AddFolder(folder()); }
  FakeFileSystem& planted() { return fake; }
  platform::FileSystem& files() { return fake; }
  FakeFileSystem fake;
};

struct FakeUrlCacheEnvironment : PlantsInFakeCache<FakeUrlCacheEnvironment> {
  FakeUrlCache& planted() { return fake; }
  platform::UrlCache& cache() { return fake; }
  FakeUrlCache fake;
};

struct HeadlessControlSetEnvironment : HeadlessControlSet {
  ui::ControlSet& controls() { return *this; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, RegistryContract, FakeRegistryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, ControlSetContract, HeadlessControlSetEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, FileSystemContract, FakeFileSystemEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, UrlCacheContract, FakeUrlCacheEnvironment);
}  // namespace
}  // namespace tidora::testing
