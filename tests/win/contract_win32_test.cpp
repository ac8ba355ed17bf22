// The platform contracts, run against the Win32 adapters: under Wine in CI, and on Windows.

#include <windows.h>

#include <sddl.h>

#include "base/text.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "tests/contract/file_system_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {
using win32::Widen;

std::string UniqueSuffix() {
  static int counter = 0;
  return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

// A private key under HKCU and one under HKLM\Software, deleted whole afterwards with every key
// planted elsewhere.
struct Win32RegistryEnvironment {
  Win32RegistryEnvironment() { Clean(); }
  ~Win32RegistryEnvironment() {
    using NtDeleteKey = LONG(WINAPI*)(HANDLE);
    const auto delete_key = reinterpret_cast<NtDeleteKey>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    // A link goes only when opened as itself; a plain delete would reach its target.
    for (const auto& link : links) {
      HKEY key = nullptr;
      if (!RegOpenKeyExW(HKEY_CURRENT_USER, Widen(link).c_str(), REG_OPTION_OPEN_LINK, DELETE,
                         &key))
        delete_key(key), RegCloseKey(key);
    }
    for (const auto& path : kept) {
      HKEY key = nullptr;
      if (!RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, WRITE_DAC, &key))
        Narrow(key, L"D:P(A;;KA;;;WD)"), RegCloseKey(key);
    }
    for (const auto& [root, path] : planted) registry_.DeleteTree(root, path);
    Clean();
  }
  void Clean() {
    registry_.DeleteTree(platform::RegistryRoot::CurrentUser, base_);
    for (auto view : registry_.MachineViews())
      registry_.DeleteTree(platform::RegistryRoot::LocalMachine, machine_base_, view);
  }
  platform::Registry& registry() { return registry_; }
  const std::string& base() const { return base_; }
  const std::string& machine_base() const { return machine_base_; }
  void WriteRaw(const std::string& path, const std::string& name, platform::ValueType type,
                const std::vector<std::uint8_t>& bytes) {
    constexpr DWORD kRaw[] = {REG_SZ,    REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD,
                              REG_QWORD, REG_BINARY,    REG_NONE};
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Widen(path).c_str(), Widen(name).c_str(),
                              kRaw[int(type)], bytes.data(), bytes.size()),
              ERROR_SUCCESS)
        << name;
  }
  void Plant(platform::RegistryRoot root, const std::string& path) {
    const std::wstring data = Widen(path);
    const HKEY hive =
        root == platform::RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    planted.emplace_back(root, path);
    ASSERT_EQ(RegSetKeyValueW(hive, data.c_str(), L"planted", REG_SZ, data.c_str(),
                              (data.size() + 1) * sizeof(wchar_t)),
              ERROR_SUCCESS)
        << path;
  }
  // Everyone gets only what sddl grants.
  static bool Narrow(HKEY key, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
      return false;
    const bool set = !RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    return set;
  }
  static bool Refuses(const std::string& path, DWORD options, REGSAM access) {
    HKEY key = nullptr;
    const LONG status =
        RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), options, access, &key);
    const win32::UniqueKey owned(status == ERROR_SUCCESS ? key : nullptr);
    return status == ERROR_ACCESS_DENIED;
  }
  bool GrantOnlyRead(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, WRITE_DAC, &key)) return false;
    const win32::UniqueKey owned(key);
    kept.push_back(path);  // its owner may still widen the rights, so that it can be cleaned up
    return Narrow(key, L"D:P(A;;KR;;;WD)") && Refuses(path, REG_OPTION_OPEN_LINK, DELETE);
  }
  bool GrantOnlyReadAndDelete(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, WRITE_DAC, &key)) return false;
    const win32::UniqueKey owned(key);
    return Narrow(key, L"D:P(A;;KRSD;;;WD)") && Refuses(path, 0, KEY_ALL_ACCESS);
  }
  bool MakeLink(const std::string& link, const std::string& target, bool inspectable) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(link).c_str(), 0, nullptr,
                        REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &key, nullptr))
      return false;
    win32::UniqueKey owned(key);
    links.push_back(link);
    const std::wstring name = L"\\Registry\\Machine\\" + Widen(target);
    if (RegSetValueExW(key, L"SymbolicLinkValue", 0, REG_LINK,
                       reinterpret_cast<const BYTE*>(name.c_str()), name.size() * sizeof(wchar_t)))
      return false;
    // A link that leads nowhere would prove nothing: opened plainly, it must reach the target.
    const bool leads = registry_.OpenForRead(platform::RegistryRoot::CurrentUser, link) != nullptr;
    EXPECT_TRUE(leads) << "the link does not lead to " << target;
    if (inspectable || !leads) return leads;
    // Only deletion stays granted, so that the link can still be removed afterwards.
    return Narrow(key, L"D:P(A;;SD;;;WD)") && Refuses(link, REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE);
  }
  win32::Win32Registry registry_;
  std::string base_ = "Software\\TidoraContract\\" + UniqueSuffix(),
              machine_base_ = "Software\\TidoraContract-" + UniqueSuffix();
  std::vector<std::string> links, kept;
  std::vector<std::pair<platform::RegistryRoot, std::string>> planted;
};

// A private folder under the temporary folder, removed whole afterwards.
struct Win32FileSystemEnvironment {
  Win32FileSystemEnvironment() { MakeFolder(folder_); }
  ~Win32FileSystemEnvironment() {
    locks.clear();
    RemoveFolderTree(L"\\\\?\\" + Widen(folder_));  // long paths: see the 260-character case
  }
  platform::FileSystem& files() { return files_; }
  const std::string& folder() const { return folder_; }
  void MakeFile(const std::string& path, std::uint32_t attributes) {
    ASSERT_TRUE(testing::MakeFile(win32::WidePath(path), attributes)) << path;
  }
  // Its end set at size past the bytes: what lies between is never written.
  void MakeFileWith(const std::string& path, const std::string& bytes, std::uint64_t size = 0) {
    const win32::UniqueFile file(CreateFileW(win32::WidePath(path).c_str(), GENERIC_WRITE, 0,
                                             nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    const LARGE_INTEGER end{.QuadPart = LONGLONG(std::max<std::uint64_t>(size, bytes.size()))};
    ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), bytes.size(), &written, nullptr) &&
                SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()))
        << path;
  }
  void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(win32::WidePath(path).c_str(), nullptr)) << path;
  }
  std::string ShortPath(const std::string& path) const {
    wchar_t alias[MAX_PATH] = {};
    return GetShortPathNameW(Widen(path).c_str(), alias, MAX_PATH) ? win32::Narrow(alias) : path;
  }
  // Made by the test script: Wine shows a Unix symbolic link as a reparse point.
  std::string LinkHolder() const { return "C:\\tidora-loop\\inner"; }
  std::pair<std::string, std::string> EmptyFolderLink() const {
    return {"C:\\tidora-links\\to-empty", "C:\\tidora-link-target\\empty"};
  }
  void Lock(const std::string& path) {
    locks.emplace_back(
        CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locks.back()) << path;
  }
  win32::Win32FileSystem files_;
  std::string folder_ = files_.TempFolder() + "tidora-contract-" + UniqueSuffix();
  std::vector<win32::UniqueFile> locks;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32RegistryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32FileSystemEnvironment);

// Files dropped beside the program are looked for in its folder: the one the running file lies in.
TEST(Win32ShellContract, TheProgramFolderHoldsTheRunningProgram) {
  wchar_t path[MAX_PATH] = {};
  const std::wstring running(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  const auto separator = running.find_last_of(L'\\');
  const std::string folder = win32::Win32Shell().ProgramFolder();
  EXPECT_EQ(base::AsciiLower(folder),
            base::AsciiLower(win32::Narrow(running.substr(0, separator))));
  EXPECT_TRUE(win32::Win32FileSystem().IsFile(folder + win32::Narrow(running.substr(separator))));
}

// The version the prefix reports (6.1 fresh, 10.0 once set so), the user whose profile the shell
// names, and the folders the rules start from, there: the user's below his profile, the native
// Program Files apart from the 32-bit one.
TEST(Win32System, TellsItsVersionItsUserAndWhereItsFoldersAre) {
  using enum platform::KnownFolder;
  win32::Win32SystemInfo system;
  win32::Win32Shell shell;
  win32::Win32FileSystem files;
  EXPECT_GE(system.Version().value_or(platform::OsVersion{}), (platform::OsVersion{6, 1}));
  const std::string profile = base::AsciiLower(shell.KnownFolderPath(kProfile));
  EXPECT_TRUE(profile.ends_with("\\" + base::AsciiLower(system.UserName()))) << profile;
  for (auto folder :
       {kProfiles, kProfile, kRoamingAppData, kLocalAppData, kDocuments, kPublicDocuments, kWindows,
        kSystem, kSystemX86, kProgramFiles, kProgramFilesX86, kCommonFilesX86}) {
    const std::string path = shell.KnownFolderPath(folder);
    EXPECT_TRUE(files.IsFolder(path) && !path.ends_with('\\')) << path;
  }
  EXPECT_TRUE(base::AsciiLower(shell.KnownFolderPath(kLocalAppData)).starts_with(profile + "\\"));
  EXPECT_NE(shell.KnownFolderPath(kProgramFiles), shell.KnownFolderPath(kProgramFilesX86));
}
}  // namespace
}  // namespace tidora::testing
