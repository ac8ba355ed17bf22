// The Win32 shell, URL cache and URL history adapters on the real API.

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/win32/utf.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_url_cache.h"
#include "platform/win32/win32_url_history.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {

TEST(Win32Shell, EmptiesTheClipboardUnlessAnotherProgramHoldsIt) {
  win32::Win32Shell shell;
  PutTextOnClipboard("a secret");
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(shell.EmptyClipboard(0));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  PutTextOnClipboard("still here");
  HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboard(owner);
    SetEvent(held);
    WaitForSingleObject(release, 10000);
    CloseClipboard();
    DestroyWindow(owner);
  });
  WaitForSingleObject(held, 10000);
  EXPECT_FALSE(shell.EmptyClipboard(0));
  SetEvent(release);
  holder.join();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  CloseHandle(held);
  CloseHandle(release);
}

TEST(Win32Shell, EmptiesTheRecycleBinAndKnowsWhenItIsEmpty) {
  win32::Win32Shell shell;
  win32::Win32FileSystem files;
  const std::wstring path = win32::Widen(files.TempFolder()) + L"tidora-recycled.txt";
  ASSERT_TRUE(MakeFile(path));
  ASSERT_TRUE(MoveToRecycleBin(path));
  ASSERT_GT(RecycleBinItems(), 0);

  EXPECT_EQ(shell.EmptyRecycleBin(0), platform::RecycleBinOutcome::kEmptied);
  EXPECT_EQ(RecycleBinItems(), 0);
  EXPECT_EQ(shell.EmptyRecycleBin(0), platform::RecycleBinOutcome::kAlreadyEmpty);
}

TEST(Win32Shell, ReportsTheRecentFolderAndFindsNoMissingWindow) {
  win32::Win32Shell shell;
  const std::string recent = shell.RecentFolder();
  ASSERT_FALSE(recent.empty());
  EXPECT_NE(recent.find("Recent"), std::string::npos) << recent;
  EXPECT_EQ(shell.FindTopWindow("NoSuchWindowClassAnywhere"), 0u);
  EXPECT_FALSE(shell.StartCommand("no-such-program-anywhere.exe"));
}

void CommitVisitedEntry(const std::wstring& url) {
  wchar_t local_file[MAX_PATH] = {};
  FILETIME zero{};
  ASSERT_TRUE(CommitUrlCacheEntryW(url.c_str(), nullptr, zero, zero, URLHISTORY_CACHE_ENTRY,
                                   nullptr, 0, nullptr, nullptr))
      << GetLastError() << local_file;
}

TEST(Win32UrlCache, FindsFiltersAndDeletesEntries) {
  win32::Win32UrlCache cache;
  ASSERT_TRUE(cache.Load());
  const std::string url = "Visited: tester@http://tidora.test/page";
  CommitVisitedEntry(win32::Widen(url));

  bool found = false;
  auto read = cache.FindFirst("Visited:", URLHISTORY_CACHE_ENTRY, 0);
  const auto find = read.find;
  while (read.error == platform::kErrorSuccess) {
    EXPECT_TRUE(read.entry.type & URLHISTORY_CACHE_ENTRY) << read.entry.source_url;
    if (read.entry.source_url == url) {
      found = true;
      EXPECT_EQ(cache.DeleteEntry(url), platform::kErrorSuccess);
    }
    read = cache.FindNext(find);
  }
  EXPECT_EQ(read.error, platform::kErrorNoMoreItems);
  EXPECT_TRUE(found);
  EXPECT_TRUE(cache.CloseFind(find));
  EXPECT_NE(cache.DeleteEntry(url), platform::kErrorSuccess);  // gone already
}

TEST(Win32UrlCache, AFilterThatMatchesNothingEndsAtOnce) {
  win32::Win32UrlCache cache;
  CommitVisitedEntry(L"Visited: tester@http://tidora.test/other");
  auto read = cache.FindFirst("Visited:", SPARSE_CACHE_ENTRY, 0);
  EXPECT_NE(read.error, platform::kErrorSuccess);
  EXPECT_EQ(read.find, platform::UrlCacheFind{0}) << "an error comes with no find to close";
}

TEST(Win32UrlHistory, TheStoreIsCreated) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  EXPECT_NE(win32::CreateUrlHistoryStore(), nullptr);
  CoUninitialize();
}

}  // namespace
}  // namespace tidora::testing
