// The shell contract, run against the Win32 adapter: under Wine in CI, and on Windows.

#include "cleaning/shared_routines.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "tests/contract/shell_contract.h"

namespace tidora::testing {
namespace {

struct Win32ShellEnvironment {
  platform::Shell& shell() { return shell_; }
  std::string profile() { return cleaning::UserProfileFolder(registry_); }
  win32::Win32Shell shell_;
  win32::Win32Registry registry_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ShellContract, Win32ShellEnvironment);

}  // namespace
}  // namespace tidora::testing
