// The URL-cache contract on the real WinINet, and the Internet Explorer items end to end: traces
// planted through the real API, Start pressed in the running program, the results checked.

#include <windows.h>

#include <wininet.h>

#include "platform/win32/utf.h"
#include "platform/win32/win32_url_cache.h"
#include "tests/contract/url_cache_contract.h"
#include "tests/win/running_program.h"

namespace tidora::testing {
namespace {

using ui::ControlId;

// Commits an entry, a content one with a local file; the file's path, or "?" on failure.
std::wstring Commit(const std::wstring& url, DWORD type) {
  wchar_t file[MAX_PATH] = {};
  if (type == NORMAL_CACHE_ENTRY && CreateUrlCacheEntryW(url.c_str(), 0, L"htm", file, 0)) {
    CloseHandle(CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  FILETIME zero{};
  const bool made = CommitUrlCacheEntryW(url.c_str(), *file ? file : nullptr, zero, zero, type,
                                         nullptr, 0, nullptr, nullptr);
  return made ? file : L"?";
}

struct Win32UrlCacheEnvironment {
  win32::Win32UrlCache adapter;
  platform::UrlCache& cache() { return adapter; }
  std::string Plant(CacheKind kind, const std::string& name) {
    const char* prefix[] = {"http://tidora.test/", "Cookie:me@tidora.test/",
                            "Visited: me@http://tidora.test/"};
    const DWORD type[] = {NORMAL_CACHE_ENTRY, COOKIE_CACHE_ENTRY, URLHISTORY_CACHE_ENTRY};
    const std::string url = prefix[int(kind)] + name + std::to_string(GetTickCount());
    EXPECT_NE(Commit(win32::Widen(url), type[int(kind)]), L"?") << url;
    return url;
  }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, UrlCacheContract, Win32UrlCacheEnvironment);

class InternetExplorerEndToEnd : public RunningProgram {
 protected:
  // Only the given Internet Explorer items ticked; Start pressed; answers the question, if given.
  void RunWith(std::vector<ControlId> items, int answer = 0) {
    Press(ControlId::bntTraceCleaner);
    for (int id = int(ControlId::IEABH); id <= int(ControlId::WinClipboard); ++id) {
      if (Control(ControlId(id)))
        SetChecked(ControlId(id), std::count(items.begin(), items.end(), ControlId(id)));
    }
    Press(ControlId::bntCleanNow);
    if (answer)
      PostMessageW(WaitForVisibleWindow(L"#32770", L"Tidora", 20000), WM_COMMAND, answer, 0);
    for (DWORD waited = 0; Text(ControlId::bntStopFinish) != L"Finished" && waited < 30000;
         waited += 50) {
      MSG message;  // the frames this thread made answer meanwhile
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(50);
    }
  }
  std::wstring Row(int item) {
    return ListItem(ControlId::sgResultList, item, 1) + L"|" +
           ListItem(ControlId::sgResultList, item, 2);
  }
};

TEST_F(InternetExplorerEndToEnd, EveryItemCleansWhatWasPlanted) {
  const wchar_t* keys[] = {L"Software\\Microsoft\\Internet Explorer\\TypedURLs",
                           L"Software\\Microsoft\\Internet Explorer\\IntelliForms\\Forms",
                           L"Software\\Microsoft\\Protected Storage System Provider\\S-1\\Data"};
  for (const wchar_t* name : {L"url1", L"url2", L"url3"}) {
    for (const wchar_t* key : keys) RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, L"x", 4);
  }
  const std::wstring file = Commit(L"http://tidora.e2e/page.htm", NORMAL_CACHE_ENTRY);
  ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(InternetSetCookieW(L"http://tidora.e2e/", L"id",
                                 L"1; expires=Sat, 01-Jan-2050 00:00:00 GMT"));
  ASSERT_NE(Commit(L"Visited: me@http://tidora.e2e/page.htm", URLHISTORY_CACHE_ENTRY), L"?");

  RunWith({ControlId::IEABH, ControlId::IETIF, ControlId::IECookies, ControlId::IEAFD,
           ControlId::IEHistory, ControlId::IEBleachIndex});
  ASSERT_EQ(ListItems(ControlId::sgResultList), 7);
  int total = 0;
  for (int item = 0; item < 6; ++item)
    total += _wtoi(ListItem(ControlId::sgResultList, item, 1).c_str());
  EXPECT_EQ(Text(ControlId::TotalResult), std::to_wstring(total));
  EXPECT_EQ(Row(0) + Row(3) + Row(4), L"3|Finished2|Finished0|Finished");  // History: E_NOTIMPL
  for (int item : {1, 2, 5})
    EXPECT_GE(_wtoi(ListItem(ControlId::sgResultList, item, 1).c_str()), 1) << item;
  EXPECT_EQ(Row(1).substr(Row(1).find(L'|')) + Row(2).substr(Row(2).find(L'|')),
            L"|Finished|Finished");
  HKEY key = nullptr;
  for (const wchar_t* path : {L"Software\\Microsoft\\Internet Explorer\\IntelliForms",
                              L"Software\\Microsoft\\Protected Storage System Provider"}) {
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key), ERROR_SUCCESS) << path;
  }
  EXPECT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, keys[0], L"url1", RRF_RT_ANY, nullptr, nullptr, nullptr),
      ERROR_FILE_NOT_FOUND);
  win32::Win32UrlCache cache;
  for (const char* pattern : {"", "Cookie:", "Visited:"}) {
    auto read = cache.FindFirst(pattern, 0x00300035, 0);
    platform::UrlCacheFindOwner walk(cache, read.find);
    for (; read.error == 0; read = cache.FindNext(walk.get())) {
      EXPECT_EQ(read.entry.source_url.find("tidora.e2e"), std::string::npos)
          << read.entry.source_url;
    }
  }
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

LRESULT CALLBACK IgnoresClose(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(InternetExplorerEndToEnd, NoLeavesTheBrowserOpenYesClosesItAndAStubbornOneIsLeft) {
  const struct {
    WNDPROC procedure;
    int answer;
    bool stays_open;
  } cases[] = {
      {DefWindowProcW, IDNO, true}, {DefWindowProcW, IDYES, false}, {IgnoresClose, IDYES, true}};
  for (const auto& c : cases) {
    WNDCLASSW frame_class{};
    frame_class.lpfnWndProc = c.procedure;
    frame_class.lpszClassName = L"IEFrame";
    RegisterClassW(&frame_class);
    HWND frame =
        CreateWindowExW(0, L"IEFrame", L"", 0, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    const DWORD started = GetTickCount();
    RunWith({ControlId::IEABH}, c.answer);
    EXPECT_EQ(Text(ControlId::bntStopFinish), L"Finished");
    EXPECT_LT(GetTickCount() - started, 25000u);
    EXPECT_EQ(IsWindow(frame) != FALSE, c.stays_open) << c.answer;
    DestroyWindow(frame);
    UnregisterClassW(L"IEFrame", nullptr);
  }
}

}  // namespace
}  // namespace tidora::testing
