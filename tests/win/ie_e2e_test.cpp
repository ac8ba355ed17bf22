// The URL-cache contract on the real WinINet, and the Internet Explorer items end to end: traces
// planted through the real API, Start pressed in the running program, the cache and registry
// checked afterwards; and the question about a running browser, against a real frame window.

#include <windows.h>

#include <wininet.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/utf.h"
#include "platform/win32/win32_url_cache.h"
#include "tests/contract/url_cache_contract.h"
#include "tests/win/running_program.h"

namespace tidora::testing {
namespace {

using ui::ControlId;

constexpr wchar_t kTypedUrls[] = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr wchar_t kIntelliForms[] = L"Software\\Microsoft\\Internet Explorer\\IntelliForms";
constexpr wchar_t kProtectedStorage[] = L"Software\\Microsoft\\Protected Storage System Provider";

// A content entry with its local file; the file's path.
std::wstring PlantContent(const std::wstring& url) {
  wchar_t file[MAX_PATH] = {};
  if (!CreateUrlCacheEntryW(url.c_str(), 0, L"htm", file, 0)) return {};
  HANDLE handle = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(handle, "<html>", 6, &written, nullptr);
  CloseHandle(handle);
  FILETIME zero{};
  if (!CommitUrlCacheEntryW(url.c_str(), file, zero, zero, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr,
                            nullptr)) {
    return {};
  }
  return file;
}

bool Commit(const std::wstring& url, DWORD type) {
  FILETIME zero{};
  return CommitUrlCacheEntryW(url.c_str(), nullptr, zero, zero, type, nullptr, 0, nullptr,
                              nullptr) != FALSE;
}

class Win32UrlCacheEnvironment {
 public:
  ~Win32UrlCacheEnvironment() {
    for (const auto& url : planted_) DeleteUrlCacheEntryW(win32::Widen(url).c_str());
  }
  platform::UrlCache& cache() { return cache_; }
  std::string Plant(CacheKind kind, const std::string& name) {
    const std::string tag = name + "-" + std::to_string(GetCurrentProcessId());
    std::string url;
    switch (kind) {
      case CacheKind::kContent:
        url = "http://tidora.contract/" + tag;
        EXPECT_FALSE(PlantContent(win32::Widen(url)).empty()) << url;
        break;
      case CacheKind::kCookie:
        url = "Cookie:tester@tidora.contract/" + tag;
        EXPECT_TRUE(Commit(win32::Widen(url), COOKIE_CACHE_ENTRY)) << url;
        break;
      case CacheKind::kVisited:
        url = "Visited: tester@http://tidora.contract/" + tag;
        EXPECT_TRUE(Commit(win32::Widen(url), URLHISTORY_CACHE_ENTRY)) << url;
        break;
    }
    planted_.push_back(url);
    return url;
  }

 private:
  win32::Win32UrlCache cache_;
  std::vector<std::string> planted_;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, UrlCacheContract, Win32UrlCacheEnvironment);

// Every URL the cache lists under the pattern.
std::vector<std::wstring> CacheUrls(const wchar_t* pattern) {
  std::vector<std::wstring> urls;
  std::vector<std::uint64_t> buffer(8192);
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
  DWORD size = static_cast<DWORD>(buffer.size() * 8);
  HANDLE find = FindFirstUrlCacheEntryW(pattern, info, &size);
  for (BOOL found = find != nullptr; found; found = FindNextUrlCacheEntryW(find, info, &size)) {
    urls.push_back(info->lpszSourceUrlName);
    size = static_cast<DWORD>(buffer.size() * 8);
  }
  if (find) FindCloseUrlCache(find);
  return urls;
}

bool Listed(const std::wstring& url) {
  for (const wchar_t* pattern : {L"", L"Cookie:", L"Visited:"}) {
    for (const auto& listed : CacheUrls(pattern)) {
      if (listed == url) return true;
    }
  }
  return false;
}

void SetValue(const std::wstring& key_path, const wchar_t* name) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
  RegCloseKey(key);
}

// -1 when the key is missing.
int ValueCount(const wchar_t* key_path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD values = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(values);
}

constexpr ControlId kOtherItems[] = {ControlId::WinDocumentHistory,
                                     ControlId::WinRunHistory,
                                     ControlId::WinFindSearch,
                                     ControlId::WinTFD,
                                     ControlId::WinSTF,
                                     ControlId::WinRecycleBin,
                                     ControlId::WinClipboard};
constexpr ControlId kIeItems[] = {ControlId::IEABH, ControlId::IETIF,     ControlId::IECookies,
                                  ControlId::IEAFD, ControlId::IEHistory, ControlId::IEBleachIndex};

class InternetExplorerEndToEnd : public RunningProgram {
 protected:
  void Tick(std::initializer_list<ControlId> ticked) {
    for (ControlId id : kOtherItems) SetChecked(id, false);
    for (ControlId id : kIeItems)
      SetChecked(id, std::find(ticked.begin(), ticked.end(), id) != ticked.end());
  }
  std::wstring Row(int item) {
    return GridCell(item, 0) + L"|" + GridCell(item, 1) + L"|" + GridCell(item, 2);
  }
};

TEST_F(InternetExplorerEndToEnd, EveryItemCleansWhatWasPlanted) {
  for (const wchar_t* name : {L"url1", L"url2", L"url3"}) SetValue(kTypedUrls, name);
  SetValue(std::wstring(kIntelliForms) + L"\\Forms", L"name");
  SetValue(std::wstring(kProtectedStorage) + L"\\S-1-5\\Data", L"secret");
  const std::wstring content = L"http://tidora.e2e/page.htm";
  const std::wstring file = PlantContent(content);
  ASSERT_FALSE(file.empty());
  ASSERT_TRUE(InternetSetCookieW(L"http://tidora.e2e/", L"session",
                                 L"secret; expires=Sat, 01-Jan-2050 00:00:00 GMT"));
  const std::wstring visited = L"Visited: tester@http://tidora.e2e/page.htm";
  ASSERT_TRUE(Commit(visited, URLHISTORY_CACHE_ENTRY));
  std::wstring cookie;
  for (const auto& url : CacheUrls(L"Cookie:")) {
    if (url.find(L"tidora.e2e") != std::wstring::npos) cookie = url;
  }
  ASSERT_FALSE(cookie.empty());

  Tick({ControlId::IEABH, ControlId::IETIF, ControlId::IECookies, ControlId::IEAFD,
        ControlId::IEHistory, ControlId::IEBleachIndex});
  Press(ControlId::bntCleanNow);
  ASSERT_TRUE(WaitForText(ControlId::bntStopFinish, L"Finished", 60000));

  ASSERT_EQ(GridItems(), 7);
  EXPECT_EQ(Row(0), L"Internet Explorer Address Bar History|3|Finished");
  EXPECT_EQ(Row(3), L"Internet Explorer Auto-Complete Form Data|2|Finished");
  EXPECT_EQ(Row(4), L"Internet Explorer Visited Website History|0|Finished");  // E_NOTIMPL
  int total = 0;
  for (int item = 0; item < 6; ++item) {
    EXPECT_NE(Row(item).find(L"|Finished"), std::wstring::npos) << Row(item);
    total += _wtoi(GridCell(item, 1).c_str());
  }
  for (int item : {1, 2, 5}) EXPECT_GE(_wtoi(GridCell(item, 1).c_str()), 1) << Row(item);
  EXPECT_EQ(Text(ControlId::TotalResult), std::to_wstring(total));

  EXPECT_EQ(ValueCount(kTypedUrls), 0);
  EXPECT_EQ(ValueCount(kIntelliForms), -1);
  EXPECT_EQ(ValueCount(kProtectedStorage), -1);
  EXPECT_FALSE(Listed(content));
  EXPECT_FALSE(Listed(cookie));
  EXPECT_FALSE(Listed(visited));
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
}

// A top-level window of the browser's frame class, on a thread of its own that answers it.
class BrowserFrame {
 public:
  explicit BrowserFrame(bool ignores_close) {
    ignores_close_ = ignores_close;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] {
      WNDCLASSW frame_class{};
      frame_class.lpfnWndProc = Procedure;
      frame_class.lpszClassName = L"IEFrame";
      RegisterClassW(&frame_class);
      window_ = CreateWindowExW(0, L"IEFrame", L"Browser", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
      thread_id_ = GetCurrentThreadId();
      SetEvent(ready);
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
      if (IsWindow(window_)) DestroyWindow(window_);
    });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
  }
  ~BrowserFrame() {
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  bool Open() const { return IsWindow(window_) != FALSE; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE && ignores_close_) return 0;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  static inline std::atomic<bool> ignores_close_ = false;
  std::thread thread_;
  std::atomic<HWND> window_ = nullptr;
  DWORD thread_id_ = 0;
};

TEST_F(InternetExplorerEndToEnd, TheQuestionAboutARunningBrowser) {
  struct Case {
    bool ignores_close;
    int answer;
    bool stays_open;
  };
  for (const Case c :
       {Case{false, IDNO, true}, Case{false, IDYES, false}, Case{true, IDYES, true}}) {
    BrowserFrame frame(c.ignores_close);
    ASSERT_TRUE(frame.Open());
    Press(ControlId::bntTraceCleaner);
    Tick({ControlId::IEABH});
    Press(ControlId::bntCleanNow);
    HWND question = WaitForVisibleWindow(L"#32770", L"Tidora", 20000);
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, c.answer, 0);
    const DWORD asked = GetTickCount();
    ASSERT_TRUE(WaitForText(ControlId::bntStopFinish, L"Finished", 30000)) << c.answer;
    EXPECT_LT(GetTickCount() - asked, 20000u);
    Sleep(200);
    EXPECT_EQ(frame.Open(), c.stays_open) << c.answer << c.ignores_close;
    EXPECT_EQ(GridCell(0, 0), L"Internet Explorer Address Bar History");
  }
}

}  // namespace
}  // namespace tidora::testing
