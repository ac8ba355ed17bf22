// The platform contracts, run against the Win32 adapters: under Wine in CI, and on Windows.

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "tests/contract/file_system_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {

std::string UniqueSuffix() {
  static int counter = 0;
  return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

// A private key under HKCU per test, deleted whole afterwards.
class Win32RegistryEnvironment {
 public:
  Win32RegistryEnvironment() : base_("Software\\TidoraContract\\" + UniqueSuffix()) {
    registry_.DeleteTree(platform::RegistryRoot::CurrentUser, base_);
  }
  ~Win32RegistryEnvironment() { registry_.DeleteTree(platform::RegistryRoot::CurrentUser, base_); }
  platform::Registry& registry() { return registry_; }
  const std::string& base() const { return base_; }

 private:
  win32::Win32Registry registry_;
  std::string base_;
};

// A private folder under the temporary folder per test, removed whole afterwards.
class Win32FileSystemEnvironment {
 public:
  Win32FileSystemEnvironment() {
    std::string temp = files_.TempFolder();
    folder_ = temp + "tidora-contract-" + UniqueSuffix();
    MakeFolder(folder_);
  }
  ~Win32FileSystemEnvironment() {
    locks_.clear();
    RemoveFolderTree(win32::Widen(folder_));
  }
  platform::FileSystem& files() { return files_; }
  const std::string& folder() const { return folder_; }

  void MakeFile(const std::string& path, std::uint32_t attributes) {
    win32::UniqueFile file(CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    WriteFile(file.get(), "trace", 5, &written, nullptr);
    file.Reset();
    ASSERT_TRUE(SetFileAttributesW(win32::Widen(path).c_str(), attributes)) << path;
  }
  void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(win32::Widen(path).c_str(), nullptr)) << path;
  }
  void Lock(const std::string& path) {
    win32::UniqueFile file(CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file) << path;
    locks_.push_back(std::move(file));
  }

 private:
  win32::Win32FileSystem files_;
  std::string folder_;
  std::vector<win32::UniqueFile> locks_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32RegistryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32FileSystemEnvironment);

}  // namespace
}  // namespace tidora::testing
