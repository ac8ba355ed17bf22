// The release as a user gets it, under Wine: the x64 installer run silently for one user and for
// all users, the installed program started from its Start-menu shortcut and closed, the
// uninstaller started as Apps & features starts it; and the portable folder run where it lies.
// Judged by what is on disk and in the registry, not by exit codes: a silent installer that
// could not do its work may still end with 0.
//
//   package_tests <folder>   the folder holds build/release's files and the unpacked zip under
//                            portable\ (scripts/package --check lays it out)

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "base/version.h"
#include "controls/control_id.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"
#include "tests/win/running_program.h"
#include "tests/win/wine_only.h"

namespace tidora::testing {
namespace {

std::wstring g_release;  // from the command line
const std::wstring kVersion = win32::Widen(base::kVersion);
const std::wstring kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tidora";
const std::set<std::wstring> kInstalledFiles = {L"help.chm",   L"LICENSE.txt",
                                                L"README.txt", L"THIRD-PARTY.txt",
                                                L"tidora.exe", L"uninstall.exe"};

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  SHGetKnownFolderPath(id, 0, nullptr, &path);
  std::wstring folder = path ? path : L"";
  CoTaskMemFree(path);
  return folder;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), DWORD(text.size()));
  return text;
}

// The names in a folder, "." and ".." left out.
std::set<std::wstring> Names(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW data;
  win32::UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  for (bool more = bool(find); more; more = FindNextFileW(find.get(), &data))
    if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..")
      names.insert(data.cFileName);
  return names;
}

// The temporary folder, lower-cased, in long names and with no "\\" at the end.
std::wstring TempFolder() {
  wchar_t path[MAX_PATH] = {}, longer[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  GetLongPathNameW(path, longer, MAX_PATH);
  return Lower(std::wstring(longer).substr(0, wcslen(longer) - 1));
}

// Every file and folder under the roots, with its size and time when `details`, lower-cased;
// the temporary folder left out, where the uninstaller runs a copy of itself it cannot delete.
void Walk(const std::wstring& folder, bool details, std::set<std::wstring>& found) {
  static const std::wstring temp = TempFolder();
  WIN32_FIND_DATAW data;
  win32::UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  for (bool more = bool(find); more; more = FindNextFileW(find.get(), &data)) {
    const std::wstring name = data.cFileName, path = folder + L"\\" + name;
    if (name == L"." || name == L".." || Lower(path) == temp) continue;
    std::wstring entry = Lower(path);
    if (details && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      entry += L" " + std::to_wstring(data.nFileSizeLow) + L" " +
               std::to_wstring(data.ftLastWriteTime.dwLowDateTime);
    found.insert(entry);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      Walk(path, details, found);
  }
}

std::set<std::wstring> Tree(const std::vector<std::wstring>& roots, bool details = false) {
  std::set<std::wstring> found;
  for (const auto& root : roots) Walk(root, details, found);
  return found;
}

// The subkeys of a key, lower-cased; empty when there is no such key.
std::set<std::wstring> Subkeys(HKEY root, const std::wstring& key, REGSAM view = 0) {
  std::set<std::wstring> names;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0, size = 256;
       RegEnumKeyExW(opened, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, size = 256)
    names.insert(Lower(name));
  RegCloseKey(opened);
  return names;
}

// The registry keys an installer could leave behind, as one set of "root\key\subkey" names.
std::set<std::wstring> RegistryTree() {
  std::set<std::wstring> found;
  const std::wstring uninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  for (auto [root, name] :
       {std::pair{HKEY_CURRENT_USER, L"hkcu\\"}, std::pair{HKEY_LOCAL_MACHINE, L"hklm\\"}})
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
      for (const auto& key : {std::wstring(L"Software"), uninstall})
        for (const auto& subkey : Subkeys(root, key, view))
          found.insert(name + Lower(key) + L"\\" + subkey);
  return found;
}

std::set<std::wstring> Difference(const std::set<std::wstring>& after,
                                  const std::set<std::wstring>& before) {
  std::set<std::wstring> added;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                      std::inserter(added, added.end()));
  return added;
}

std::wstring Join(const std::set<std::wstring>& lines) {
  std::wstring text;
  for (const auto& line : lines) text += line + L"\n";
  return text;
}

// In the 64-bit view, as this program is 64-bit, where the x64 installer writes.
std::wstring StringValue(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

DWORD DwordValue(HKEY root, const std::wstring& key, const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  RegGetValueW(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}

bool KeyExists(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}

// Waits for every program running from the temporary folder to end, as the copy does that an
// uninstaller hands its work to; false when one is still running after the time given.
bool WaitForProgramsInTemp(DWORD timeout_ms) {
  const std::wstring temp = TempFolder() + L"\\";
  win32::UniqueKernelObject snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool ended = true;
  for (bool more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    win32::UniqueKernelObject process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process || !QueryFullProcessImageNameW(process.get(), 0, image, &size)) continue;
    if (Lower(image).starts_with(temp))
      ended = WaitForSingleObject(process.get(), timeout_ms) == WAIT_OBJECT_0 && ended;
  }
  return ended;
}

// Runs a command line to its end: "ended", or why not.
std::string RunToEnd(std::wstring command, DWORD timeout_ms = 120000) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, L"C:\\windows",
                      &startup, &started))
    return "not started: error " + std::to_string(GetLastError());
  win32::UniqueKernelObject process(started.hProcess), thread(started.hThread);
  return WaitForSingleObject(process.get(), timeout_ms) == WAIT_OBJECT_0 ? "ended"
                                                                         : "still running";
}

std::wstring FileVersion(const std::wstring& program) {
  DWORD ignored = 0;
  std::vector<BYTE> data(GetFileVersionInfoSizeW(program.c_str(), &ignored));
  if (data.empty() || !GetFileVersionInfoW(program.c_str(), 0, DWORD(data.size()), data.data()))
    return L"<no version resource>";
  wchar_t* text = nullptr;
  UINT length = 0;
  VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                 reinterpret_cast<void**>(&text), &length);
  return text ? std::wstring(text) : L"<no product version>";
}

DWORD BinaryType(const std::wstring& program) {
  DWORD type = DWORD(-1);
  GetBinaryTypeW(program.c_str(), &type);
  return type;
}

std::wstring ShortcutTarget(const std::wstring& link) {
  IShellLinkW* shell_link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&shell_link))))
    return L"<no shell link object>";
  IPersistFile* file = nullptr;
  wchar_t target[MAX_PATH] = {};
  if (SUCCEEDED(shell_link->QueryInterface(IID_PPV_ARGS(&file)))) {
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)))
      shell_link->GetPath(target, MAX_PATH, nullptr, 0);
    file->Release();
  }
  shell_link->Release();
  return target;
}

// Tidora as a user starts it: its main window, which process shows it, and what it says.
class StartedTidora {
 public:
  // Opens the file as Explorer would (a shortcut or the program itself) from another folder.
  explicit StartedTidora(const std::wstring& file) {
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.lpFile = file.c_str();
    execute.lpDirectory = L"C:\\windows";
    execute.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&execute)) return;
    main_ = WaitForWindow(L"TProjectMainForm", L"Tidora");
    DWORD id = 0;
    if (main_) GetWindowThreadProcessId(main_, &id);
    process_ = win32::UniqueKernelObject(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  }
  ~StartedTidora() {
    if (process_ && !Close()) TerminateProcess(process_.get(), 1);
  }
  bool shown() const { return main_ && process_; }
  std::wstring Image() const {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(process_.get(), 0, path, &size);
    return path;
  }
  HWND Control(ui::ControlId id) const {
    std::pair<int, HWND> search{int(id), nullptr};  // controls sit in panels: search the tree
    EnumChildWindows(
        main_,
        [](HWND window, LPARAM data) -> BOOL {
          auto& [wanted, found] = *reinterpret_cast<std::pair<int, HWND>*>(data);
          return GetDlgCtrlID(window) == wanted ? (found = window, FALSE) : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
  }
  std::wstring Text(ui::ControlId id) const {
    wchar_t text[256] = {};
    GetWindowTextW(Control(id), text, 256);
    return text;
  }
  bool Close() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    return WaitForSingleObject(process_.get(), 60000) == WAIT_OBJECT_0;
  }

 private:
  HWND main_ = nullptr;
  win32::UniqueKernelObject process_;
};

// What a fresh install must hold, and what the uninstaller must take away again.
struct Installation {
  HKEY root;
  std::wstring folder, shortcut;
  const wchar_t* arguments;  // the installer's and the uninstaller's, beside /S
};

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    // Settings of the user's own, which a silent uninstall must keep.
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Tidora", L"Kept", REG_SZ, L"yes",
                              sizeof L"yes"),
              ERROR_SUCCESS);
    files_before_ = Tree(roots_);
    keys_before_ = RegistryTree();
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tidora"); }

  void InstallRunAndUninstall(const Installation& installed);

  const std::vector<std::wstring> roots_ = {L"C:\\users", KnownFolder(FOLDERID_ProgramData),
                                            KnownFolder(FOLDERID_ProgramFilesX64),
                                            KnownFolder(FOLDERID_ProgramFilesX86)};
  std::set<std::wstring> files_before_, keys_before_;
};

void Installer::InstallRunAndUninstall(const Installation& installed) {
  const std::wstring setup = g_release + L"\\Tidora-" + kVersion + L"-setup-x64.exe";
  ASSERT_TRUE(Exists(setup)) << setup;
  ASSERT_EQ(RunToEnd(L"\"" + setup + L"\" /S " + installed.arguments), "ended");

  // The files, the program's version and architecture, the shortcut.
  EXPECT_EQ(Names(installed.folder), kInstalledFiles) << installed.folder;
  const std::wstring program = installed.folder + L"\\tidora.exe";
  EXPECT_EQ(FileVersion(program), kVersion);
  EXPECT_EQ(BinaryType(program), DWORD(SCS_64BIT_BINARY));
  EXPECT_EQ(Lower(ShortcutTarget(installed.shortcut)), Lower(program));

  // Apps & features' entry, in the installation's own root alone.
  const HKEY other = installed.root == HKEY_CURRENT_USER ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  EXPECT_FALSE(KeyExists(other, kUninstallKey));
  const HKEY root = installed.root;
  EXPECT_EQ(StringValue(root, kUninstallKey, L"DisplayName"), L"Tidora");
  EXPECT_EQ(StringValue(root, kUninstallKey, L"DisplayVersion"), kVersion);
  EXPECT_EQ(StringValue(root, kUninstallKey, L"Publisher"), L"The Tidora authors");
  EXPECT_EQ(Lower(StringValue(root, kUninstallKey, L"DisplayIcon")), Lower(program + L",0"));
  const std::wstring uninstaller = L"\"" + installed.folder + L"\\uninstall.exe\"";
  const std::wstring uninstall = StringValue(root, kUninstallKey, L"UninstallString");
  EXPECT_EQ(Lower(uninstall),
            Lower(uninstaller + (*installed.arguments ? L" " : L"") + installed.arguments));
  const std::wstring quiet = StringValue(root, kUninstallKey, L"QuietUninstallString");
  EXPECT_EQ(quiet, uninstall + L" /S");
  // In KB: the program is most of it, the help and the uninstaller far less than a megabyte.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(program.c_str(), GetFileExInfoStandard, &data);
  const DWORD size = DwordValue(root, kUninstallKey, L"EstimatedSize");
  EXPECT_GT(size, data.nFileSizeLow / 1024) << "KB";
  EXPECT_LT(size, data.nFileSizeLow / 1024 + 1024) << "KB";

  {
    StartedTidora tidora(installed.shortcut);
    ASSERT_TRUE(tidora.shown()) << "no main window from " << installed.shortcut;
    EXPECT_EQ(Lower(tidora.Image()), Lower(program));
    EXPECT_EQ(tidora.Text(ui::ControlId::AboutVersion), L"Version " + kVersion);
    EXPECT_TRUE(tidora.Close());
  }

  // As Apps & features runs it: the uninstaller starts a copy of itself in the temporary folder
  // and returns at once, so wait for that copy.
  ASSERT_EQ(RunToEnd(quiet), "ended");
  EXPECT_TRUE(WaitForProgramsInTemp(60000));
  EXPECT_FALSE(Exists(installed.folder)) << installed.folder;
  EXPECT_FALSE(Exists(installed.shortcut));
  EXPECT_FALSE(KeyExists(root, kUninstallKey));
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, L"Software\\Tidora", L"Kept"), L"yes");

  // Nothing else stays, on disk or in the registry, but the shared per-user program folder
  // that Windows itself keeps.
  std::set<std::wstring> left = Difference(Tree(roots_), files_before_);
  left.erase(Lower(KnownFolder(FOLDERID_LocalAppData) + L"\\Programs"));
  EXPECT_EQ(Join(left), L"");
  EXPECT_EQ(Join(Difference(RegistryTree(), keys_before_)), L"");
}

TEST_F(Installer, ForOneUserInstallsRunsAndUninstallsLeavingOnlyTheUsersSettings) {
  InstallRunAndUninstall({HKEY_CURRENT_USER,
                          KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Tidora",
                          KnownFolder(FOLDERID_Programs) + L"\\Tidora.lnk", L""});
}

// Wine's user holds administrator rights, as an elevated one does.
TEST_F(Installer, ForAllUsersInstallsIntoProgramFilesAndUninstallsLeavingOnlyTheUsersSettings) {
  InstallRunAndUninstall({HKEY_LOCAL_MACHINE, KnownFolder(FOLDERID_ProgramFilesX64) + L"\\Tidora",
                          KnownFolder(FOLDERID_CommonPrograms) + L"\\Tidora.lnk", L"/allusers"});
}

TEST(Portable, RunsFromItsFolderFindsItsHelpThereAndWritesNothingBesideItself) {
  const std::wstring folder = g_release + L"\\portable\\Tidora-" + kVersion;
  const std::set<std::wstring> expected = {L"help.chm",        L"LICENSE.txt", L"README.txt",
                                           L"THIRD-PARTY.txt", L"tidora.exe",  L"tidora32.exe"};
  ASSERT_EQ(Names(folder), expected) << folder;
  EXPECT_EQ(BinaryType(folder + L"\\tidora.exe"), DWORD(SCS_64BIT_BINARY));
  EXPECT_EQ(BinaryType(folder + L"\\tidora32.exe"), DWORD(SCS_32BIT_BINARY));
  EXPECT_EQ(FileVersion(folder + L"\\tidora.exe"), kVersion);
  EXPECT_EQ(FileVersion(folder + L"\\tidora32.exe"), kVersion);
  const auto before = Tree({folder}, true);

  {
    StartedTidora tidora(folder + L"\\tidora.exe");
    ASSERT_TRUE(tidora.shown());
    EXPECT_EQ(Lower(tidora.Image()), Lower(folder + L"\\tidora.exe"));
    EXPECT_EQ(tidora.Text(ui::ControlId::AboutVersion), L"Version " + kVersion);
    // The Help button opens help.chm from the program's folder, though started from another.
    PostMessageW(tidora.Control(ui::ControlId::bntHelp), BM_CLICK, 0, 0);
    const std::wstring title = L"Tidora " + kVersion + L" Help";
    HWND help = WaitForWindow(nullptr, title.c_str());
    EXPECT_NE(help, nullptr) << "no help window titled with the version";
    if (help) PostMessageW(help, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !FindWindowW(nullptr, title.c_str()); }, 10000));
    EXPECT_TRUE(tidora.Close());
  }
  EXPECT_EQ(Join(Difference(Tree({folder}, true), before)), L"");
  EXPECT_EQ(Join(Difference(before, Tree({folder}, true))), L"");
}

}  // namespace
}  // namespace tidora::testing

int main(int argc, char** argv) {
  if (!tidora::testing::AllowedToRun("package_tests")) return 2;
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: package_tests <folder with the release>\n");
    return 2;
  }
  tidora::testing::g_release = tidora::win32::Widen(argv[1]);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  return RUN_ALL_TESTS();
}
