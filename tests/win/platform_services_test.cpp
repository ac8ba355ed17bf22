// The Win32 shell, URL cache and URL history adapters on the real API.

#include <windows.h>

#include <objbase.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_url_cache.h"
#include "platform/win32/win32_url_history.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {

using platform::RecycleBinOutcome;

TEST(Win32Shell, EmptiesTheClipboardUnlessAnotherProgramHoldsIt) {
  win32::Win32Shell shell;
  PutTextOnClipboard("a secret");
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(shell.EmptyClipboard(0));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  PutTextOnClipboard("still here");
  win32::UniqueKernelObject held(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread holder([&] {
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboard(owner);
    SetEvent(held.get());
    WaitForSingleObject(release.get(), 10000);
    CloseClipboard();
    DestroyWindow(owner);
  });
  WaitForSingleObject(held.get(), 10000);
  EXPECT_FALSE(shell.EmptyClipboard(0));
  SetEvent(release.get());
  holder.join();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST(Win32Shell, EmptiesTheRecycleBinAndKnowsWhenItIsEmpty) {
  win32::Win32Shell shell;
  const std::wstring path =
      win32::Widen(win32::Win32FileSystem().TempFolder()) + L"tidora-recycled.txt";
  ASSERT_TRUE(MakeFile(path));
  ASSERT_TRUE(MoveToRecycleBin(path));
  ASSERT_GT(RecycleBinItems(), 0);
  EXPECT_EQ(shell.EmptyRecycleBin(0), RecycleBinOutcome::kEmptied);
  EXPECT_EQ(RecycleBinItems(), 0);
  EXPECT_EQ(shell.EmptyRecycleBin(0), RecycleBinOutcome::kAlreadyEmpty);
}

// A filter that matches nothing ends at once, with no find to close.
TEST(Win32UrlCache, FindsFiltersAndDeletesEntries) {
  win32::Win32UrlCache cache;
  ASSERT_TRUE(cache.Load());
  const std::string url = "Visited: tester@http://tidora.test/page";
  FILETIME zero{};
  ASSERT_TRUE(CommitUrlCacheEntryW(win32::Widen(url).c_str(), nullptr, zero, zero,
                                   URLHISTORY_CACHE_ENTRY, nullptr, 0, nullptr, nullptr))
      << GetLastError();
  const auto none = cache.FindFirst("Visited:", SPARSE_CACHE_ENTRY, 0);
  EXPECT_NE(none.error, platform::kErrorSuccess);
  EXPECT_EQ(none.find, platform::UrlCacheFind{0});
  bool found = false;
  auto read = cache.FindFirst("Visited:", URLHISTORY_CACHE_ENTRY, 0);
  const auto find = read.find;
  for (; read.error == platform::kErrorSuccess; read = cache.FindNext(find)) {
    EXPECT_TRUE(read.entry.type & URLHISTORY_CACHE_ENTRY) << read.entry.source_url;
    if (read.entry.source_url != url) continue;
    found = true;
    EXPECT_EQ(cache.DeleteEntry(url), platform::kErrorSuccess);
  }
  EXPECT_EQ(read.error, platform::kErrorNoMoreItems);
  EXPECT_TRUE(found);
  EXPECT_TRUE(cache.CloseFind(find));
  EXPECT_NE(cache.DeleteEntry(url), platform::kErrorSuccess);  // gone already
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  EXPECT_NE(win32::CreateUrlHistoryStore(), nullptr);
  CoUninitialize();
}

}  // namespace
}  // namespace tidora::testing
