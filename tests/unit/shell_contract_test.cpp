// The shell contract, run against the fake shell as the tests set it up.

#include "tests/contract/shell_contract.h"
#include "tests/support/fake_shell.h"

namespace tidora::testing {
namespace {

struct FakeShellEnvironment {
  FakeShellEnvironment() { shell_.application_data_folder = "C:\\users\\me\\AppData\\Roaming"; }
  platform::Shell& shell() { return shell_; }
  std::string profile() const { return "C:\\users\\me"; }
  FakeShell shell_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ShellContract, FakeShellEnvironment);

}  // namespace
}  // namespace tidora::testing
