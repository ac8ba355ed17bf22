#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

#include <iterator>
#include <memory>

#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/wow64.h"

namespace tidora::win32 {

namespace {

HWND ToHwnd(platform::WindowId window) {
  return reinterpret_cast<HWND>(window);
}

// A box without a named owner belongs to the active window, so that it is modal to it.
HWND OwnerOf(platform::WindowId window) {
  return window ? ToHwnd(window) : GetActiveWindow();
}

using EmptyRecycleBinFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, DWORD);
using QueryRecycleBinFunction = HRESULT(WINAPI*)(LPCWSTR, SHQUERYRBINFO*);

template <typename Function>
Function LookUp(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Items in every drive's bin; -1 when the shell cannot tell.
long long RecycleBinItems(QueryRecycleBinFunction query) {
  if (!query) return -1;
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(query(nullptr, &info))) return -1;
  return info.i64NumItems;
}

class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool Win32Shell::PostClose(platform::WindowId window) {
  return PostMessageW(ToHwnd(window), WM_CLOSE, 0, 0) != FALSE;
}

bool Win32Shell::Confirm(platform::WindowId owner, std::string_view text,
                         std::string_view caption) {
  return MessageBoxW(OwnerOf(owner), Widen(text).c_str(), Widen(caption).c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32Shell::ShowMessage(platform::WindowId owner, std::string_view text,
                             std::string_view caption) {
  MessageBoxW(OwnerOf(owner), Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

namespace {
// A path that fills the buffer may have been cut short: the buffer grows until it does not.
std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return path.substr(0, length);
    if (path.size() > 0x10000) return {};  // longer than any path Windows allows
    path.resize(path.size() * 2);
  }
}

std::wstring ProgramFolderWide() {
  const std::wstring path = ProgramPath();
  const auto separator = path.find_last_of(L"\\/");
  return separator == path.npos ? std::wstring() : path.substr(0, separator);
}
}  // namespace

bool Win32Shell::StartCommand(std::string_view command_line) {
  std::wstring command = Widen(command_line);
  const std::wstring folder = ProgramFolderWide();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return false;
  }
  UniqueKernelObject owned_process(process.hProcess);
  UniqueKernelObject owned_thread(process.hThread);
  return true;
}

platform::RecycleBinOutcome Win32Shell::EmptyRecycleBin(platform::WindowId owner) {
  UniqueModule shell(LoadLibraryW(L"shell32.dll"));
  if (!shell) return platform::RecycleBinOutcome::kLibraryMissing;
  const auto empty = LookUp<EmptyRecycleBinFunction>(shell.get(), "SHEmptyRecycleBinW");
  const auto query = LookUp<QueryRecycleBinFunction>(shell.get(), "SHQueryRecycleBinW");
  if (!empty) return platform::RecycleBinOutcome::kFailed;
  if (RecycleBinItems(query) == 0) return platform::RecycleBinOutcome::kAlreadyEmpty;
  constexpr DWORD kQuietly = SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND;
  if (SUCCEEDED(empty(ToHwnd(owner), nullptr, kQuietly)) || RecycleBinItems(query) == 0) {
    return platform::RecycleBinOutcome::kEmptied;
  }
  return platform::RecycleBinOutcome::kFailed;
}

std::optional<platform::RecycleBinContents> Win32Shell::QueryRecycleBin() {
  UniqueModule shell(LoadLibraryW(L"shell32.dll"));
  const auto query =
      shell ? LookUp<QueryRecycleBinFunction>(shell.get(), "SHQueryRecycleBinW") : nullptr;
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (!query || FAILED(query(nullptr, &info))) return std::nullopt;
  return platform::RecycleBinContents{static_cast<std::uint64_t>(info.i64NumItems),
                                      static_cast<std::uint64_t>(info.i64Size)};
}

bool Win32Shell::EmptyClipboard(platform::WindowId owner) {
  ClipboardSession clipboard(ToHwnd(owner));
  return clipboard.open() && ::EmptyClipboard() != FALSE;
}

std::string Win32Shell::RecentFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return Narrow(folder);
}

std::string Win32Shell::ApplicationDataFolder() {
  return KnownFolderPath(platform::KnownFolder::kRoamingAppData);
}

std::string Win32Shell::ProgramFolder() {
  return Narrow(ProgramFolderWide());
}

namespace {

// The shell's name of each folder, in the order of KnownFolder. The 32-bit folders of 64-bit
// Windows are the native ones on 32-bit Windows, which has no such folders. A 32-bit program is
// given 32-bit folders under the native names: the native ones are written in the registry's
// 64-bit view, under the value named.
struct FolderRow {
  platform::KnownFolder folder;
  const KNOWNFOLDERID* id;
  bool only_on_64_bit = false;
  const char* native_value = nullptr;
};

using enum platform::KnownFolder;
// clang-format off
constexpr FolderRow kFolders[] = {
    {kRoamingAppData,   &FOLDERID_RoamingAppData},
    {kLocalAppData,     &FOLDERID_LocalAppData},
    {kLocalLowAppData,  &FOLDERID_LocalAppDataLow},
    {kProfile,          &FOLDERID_Profile},
    {kProfiles,         &FOLDERID_UserProfiles},
    {kDesktop,          &FOLDERID_Desktop},
    {kDocuments,        &FOLDERID_Documents},
    {kDownloads,        &FOLDERID_Downloads},
    {kPictures,         &FOLDERID_Pictures},
    {kMusic,            &FOLDERID_Music},
    {kVideos,           &FOLDERID_Videos},
    {kFavorites,        &FOLDERID_Favorites},
    {kSavedGames,       &FOLDERID_SavedGames},
    {kOneDrive,         &FOLDERID_SkyDrive},
    {kStartMenu,        &FOLDERID_StartMenu},
    {kSendTo,           &FOLDERID_SendTo},
    {kTemplates,        &FOLDERID_Templates},
    {kPublic,           &FOLDERID_Public},
    {kPublicDesktop,    &FOLDERID_PublicDesktop},
    {kPublicDocuments,  &FOLDERID_PublicDocuments},
    {kPublicDownloads,  &FOLDERID_PublicDownloads},
    {kPublicPictures,   &FOLDERID_PublicPictures},
    {kPublicMusic,      &FOLDERID_PublicMusic},
    {kPublicVideos,     &FOLDERID_PublicVideos},
    {kProgramData,      &FOLDERID_ProgramData},
    {kProgramFiles,     &FOLDERID_ProgramFiles,          false, "ProgramW6432Dir"},
    {kProgramFilesX86,  &FOLDERID_ProgramFilesX86,       true},
    {kCommonFiles,      &FOLDERID_ProgramFilesCommon,    false, "CommonW6432Dir"},
    {kCommonFilesX86,   &FOLDERID_ProgramFilesCommonX86, true},
    {kWindows,          &FOLDERID_Windows},
    {kSystem,           &FOLDERID_System},
    {kSystemX86,        &FOLDERID_SystemX86,             true},
};
// clang-format on

constexpr bool EveryFolderInOrder() {
  for (std::size_t i = 0; i < std::size(kFolders); ++i)
    if (static_cast<std::size_t>(kFolders[i].folder) != i) return false;
  return std::size(kFolders) == static_cast<std::size_t>(kSystemX86) + 1;
}
static_assert(EveryFolderInOrder());

std::string NativeFolder(const char* value) {
  Win32Registry registry;
  const auto key = registry.OpenForRead(platform::RegistryRoot::LocalMachine,
                                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                        platform::RegistryView::k64);
  return key ? platform::TextValue(*key, value).value_or("") : "";
}

}  // namespace

std::string Win32Shell::KnownFolderPath(platform::KnownFolder folder) {
  const FolderRow& row = kFolders[static_cast<std::size_t>(folder)];
  if (row.only_on_64_bit && !SixtyFourBitWindows()) return {};
  if (row.native_value && sizeof(void*) == 4 && SixtyFourBitWindows())
    return NativeFolder(row.native_value);
  // The call allocates the path, so no length limits it; a folder not made yet is still named.
  PWSTR path = nullptr;
  const HRESULT found = SHGetKnownFolderPath(*row.id, KF_FLAG_DONT_VERIFY, nullptr, &path);
  const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(path, &CoTaskMemFree);
  if (FAILED(found) || !path) return {};
  return Narrow(path);
}

namespace {
struct WindowSearch {
  std::wstring class_name;
  std::vector<platform::WindowId> found;
};

BOOL CALLBACK CollectWindowOfClass(HWND window, LPARAM search_address) {
  auto& search = *reinterpret_cast<WindowSearch*>(search_address);
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  if (CompareStringOrdinal(name, length, search.class_name.c_str(),
                           static_cast<int>(search.class_name.size()), TRUE) == CSTR_EQUAL) {
    search.found.push_back(reinterpret_cast<platform::WindowId>(window));
  }
  return TRUE;
}
}  // namespace

std::vector<platform::WindowId> Win32Shell::FindTopWindows(std::string_view class_name) {
  WindowSearch search{Widen(class_name), {}};
  EnumWindows(CollectWindowOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Win32Shell::Pause(int milliseconds) {
  Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace tidora::win32
