// End to end: traces planted in the private prefix, the button pressed in the real tidora.exe, the
// registry, files, rows and total checked; and the Win32 contracts those flows rely on.

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstring>
#include <iterator>
#include <regex>
#include <sstream>

#include "app/application.h"
#include "app/control_factory.h"
#include "app/dialog_keys.h"
#include "app/gdi.h"
#include "app/message_loop.h"
#include "base/version.h"
#include "cleaning/shared_routines.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_url_cache.h"
#include "tests/contract/control_set_contract.h"
#include "tests/contract/shell_contract.h"
#include "tests/contract/url_cache_contract.h"
#include "tests/win/running_program.h"

namespace tidora::testing {
namespace {

using V = platform::RegistryView;
constexpr auto CU = platform::RegistryRoot::CurrentUser, LM = platform::RegistryRoot::LocalMachine;
constexpr DWORD kPlain = FILE_ATTRIBUTE_NORMAL, kHidden = FILE_ATTRIBUTE_HIDDEN;
const std::string kIE = "Software\\Microsoft\\Internet Explorer\\",
                  kWin = "Software\\Microsoft\\Windows\\CurrentVersion\\",
                  kBar = kIE + "Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";

void PutTextOnClipboard(const char* text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  strcpy(static_cast<char*>(GlobalLock(memory)), text);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

bool MakeFileInRecycleBin(const std::wstring& path) {
  const std::wstring from = path + L'\0';  // the list ends in a double NUL
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return MakeFile(path) && SHFileOperationW(&operation) == 0;
}

long long RecycleBinItems() {
  SHQUERYRBINFO info{sizeof info, 0, 0};
  return SUCCEEDED(SHQueryRecycleBinW(nullptr, &info)) ? info.i64NumItems : -1;
}

TEST_F(RunningProgram, HelpOpensTheShippedFileWhereverTheProgramWasStarted) {
  Press(Id::bntHelp);
  const HWND viewer =
      WaitForWindow(nullptr, (L"Tidora " + win32::Widen(base::kVersion) + L" Help").c_str());
  EXPECT_TRUE(viewer && PostMessageW(viewer, WM_CLOSE, 0, 0));
}

// A scan of many files: Stop ends it early, and so does closing the window, ending the program.
TEST_F(RunningProgram, StopOrClosingTheWindowEndsALongScanEarly) {
  constexpr int kFiles = 4000;
  auto file = [](int i) { return L"C:\\tidora-stop\\" + std::to_wstring(i) + L".tmp"; };
  auto remaining = [&] {
    int remaining = 0;
    for (int i = 0; i < kFiles; ++i) remaining += Exists(file(i));
    return remaining;
  };
  auto scan = [&] {
    for (int i = 0; i < kFiles; ++i) MakeFile(file(i));
    StartCleaning([](Id id) { return id == Id::WinSTF; });
    WaitUntil([&] { return Counts().second > 0; }, 60000);
  };
  scan();
  Press(Id::bntStopFinish);
  ASSERT_TRUE(WaitForFinished(60000));
  Sleep(500);  // the run ends at its next stop test
  EXPECT_GT(remaining(), 0);
  EXPECT_GE(Counts().second, kFiles - remaining());  // and any other *.tmp met
  Press(Id::bntStopFinish);                          // "Finished" returns to the items
  scan();
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitForExit(60000));
  EXPECT_GT(remaining(), 0);
  RemoveFolderTree(L"C:\\tidora-stop");
}

// Commits an entry, a content one with a local file; the file's path, or "?" on failure.
std::wstring Commit(const std::wstring& url, DWORD type) {
  wchar_t file[MAX_PATH] = {};
  if (type == NORMAL_CACHE_ENTRY && CreateUrlCacheEntryW(url.c_str(), 0, L"htm", file, 0))
    MakeFile(file);
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

LRESULT CALLBACK IgnoresClose(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(RunningProgram, CloseInternetExplorerNoLeavesItYesClosesItAStubbornOneHoldsTheRunBriefly) {
  const std::tuple<WNDPROC, int, bool> cases[] = {
      {DefWindowProcW, IDNO, true}, {DefWindowProcW, IDYES, false}, {IgnoresClose, IDYES, true}};
  for (const auto& [procedure, answer, stays_open] : cases) {
    const WNDCLASSW frame{0,       procedure, 0,       0,       nullptr,
                          nullptr, nullptr,   nullptr, nullptr, L"IEFrame"};
    RegisterClassW(&frame);
    HWND browser =
        CreateWindowW(L"IEFrame", L"", 0, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    StartCleaning([](Id id) { return id == Id::IEABH; });
    PostMessageW(WaitForWindow(L"#32770", L"Tidora"), WM_COMMAND, answer, 0);
    EXPECT_TRUE(WaitForFinished(20000)) << answer;  // bounded, even when ignored
    EXPECT_EQ(IsWindow(browser) != FALSE, stays_open) << answer;
    DestroyWindow(browser);
    UnregisterClassW(L"IEFrame", nullptr);
  }
}

TEST_F(RunningProgram, RepareUndoesHijacksUnderBothRootsAndInBothViews) {
  const char *kHijack = "http://hijack.example", *kBrowser = "IEXPLORE.EXE http://hijack.example",
             *kFull = "C:\\Program Files\\Internet Explorer\\iexplore.exe", *kGone = "-";
  // Root, key, name, the text planted (null: the number 1), the text after, view.
  const std::tuple<platform::RegistryRoot, std::string, const char*, const char*, const char*, V>
      values[] = {
          {CU, kIE + "Main", "Start Page", kHijack, "about:blank", V::kDefault},
          {LM, kIE + "Main", "Start Page", kHijack, "about:blank", V::k32},
          {LM, kIE + "Main", "Window Title", "Owned", kGone, V::k64},
          {LM, "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions", "NoBrowserOptions",
           nullptr, "0", V::k32},
          {CU, kWin + "Policies\\Explorer", "NoRun", nullptr, kGone, V::kDefault},
          {LM, kWin + "Run", "registry.exe", "C:\\Program Files\\registry.exe", kGone, V::k32},
          {LM, kWin + "Run", "e2e-browser", kBrowser, kGone, V::k64},
          {LM, kWin + "Run", "e2e-browser", kBrowser, kGone, V::k32},
          {CU, kWin + "Run", "e2e-browser", "iexplore http://hijack.example", kGone, V::kDefault},
          {CU, kWin + "Run", "e2e-full-path", kFull, kFull, V::kDefault}};
  for (const auto& [root, key, name, planted, after, view] : values)
    Set(root, key, name, planted, view);
  ASSERT_TRUE(MakeFile(L"C:\\Program Files\\registry.exe"));
  Press(Id::bntIERepair);
  Press(Id::IER_Restore);
  ASSERT_TRUE(WaitUntil([&] { return Position(Id::RepairProgressBar) == 100; }));
  for (const auto& [root, path, name, planted, after, view] : values) {
    const auto key = registry_.OpenForRead(root, path, view);
    std::string now = kGone;
    if (key && key->HasValue(name))
      now = key->TypeOf(name) == platform::ValueType::Dword ? std::to_string(*key->ReadDword(name))
                                                            : *key->ReadString(name);
    EXPECT_EQ(now, after) << path << " " << name;
  }
  EXPECT_FALSE(Exists(L"C:\\Program Files\\registry.exe"));
}

TEST_F(RunningProgram, DeleteRemovesTheTickedExtensionsFromEveryViewAndRefillsTheLists) {
  registry_.DeleteTree(CU, kIE + "MenuExt");
  for (const V view : {V::k64, V::k32}) registry_.DeleteTree(LM, kIE + "Extensions", view);
  for (const char* menu : {"E2E &Menu\\deep", "E2E Keep"})
    registry_.Create(CU, kIE + "MenuExt\\" + menu);
  Set(LM, kIE + "Extensions\\{E2E-1}", "ButtonText", "E2E Button", V::k32);
  Set(LM, kIE + "Extensions\\{E2E-2}", "MenuText", "E2E Button", V::k64);
  Set(LM, kIE + "Extensions\\{E2E-3}", "ButtonText", "E2E Keep", V::k64);
  // The list's items, each ticked one after a "+"; the item reading tick is ticked first.
  auto list = [&](Id id, const std::wstring& tick = L"") {
    std::wstring items;
    for (int i = 0; i < Items(id); ++i) {
      if (Item(id, i) == tick) Item(id, i, 0, LVM_SETITEMSTATE);
      const auto state = SendMessageW(Control(id), LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK);
      items += (state == INDEXTOSTATEIMAGEMASK(2) ? L"+" : L"") + Item(id, i) + L";";
    }
    return items;
  };
  Press(Id::bntToolsMenu);
  ASSERT_TRUE(WaitUntil([&] { return !list(Id::ExtendToolsItems).empty(); }));
  ASSERT_NE(list(Id::ExtendMenuitems, L"E2E &Menu").find(L"+E2E &Menu;"), std::wstring::npos);
  ASSERT_NE(list(Id::ExtendToolsItems, L"E2E Button").find(L"+E2E Button;"), std::wstring::npos);
  Press(Id::ToolsMenuDelete);
  EXPECT_TRUE(WaitUntil([&] { return list(Id::ExtendMenuitems) == L"E2E Keep;"; }));
  EXPECT_EQ(list(Id::ExtendToolsItems), L"E2E Keep;");
  EXPECT_EQ(Text(Id::ExtendToolsNote), L"");  // every ticked entry went
  EXPECT_FALSE(registry_.OpenForRead(CU, kIE + "MenuExt\\E2E &Menu") ||
               registry_.OpenForRead(LM, kIE + "Extensions\\{E2E-1}", V::k32) ||
               registry_.OpenForRead(LM, kIE + "Extensions\\{E2E-2}", V::k64));
  EXPECT_TRUE(registry_.OpenForRead(LM, kIE + "Extensions\\{E2E-3}", V::k64));
}

// Handles this thread's waiting messages as the program's loop does, the dialog keys among them.
void HandleWaitingMessages() {
  for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) {
    if (!app::HandleDialogKeys(m)) TranslateMessage(&m), DispatchMessageW(&m);
  }
}

void PressKey(HWND window, WPARAM code) {
  SetFocus(window);
  PostMessageW(window, WM_KEYDOWN, code, 1);
  PostMessageW(window, WM_KEYUP, code, 0xC0000001);
  HandleWaitingMessages();
}

// The program's own windows, made in this process, as the control set's contract wants them.
struct Win32ControlSetEnvironment {
  Win32ControlSetEnvironment() {
    app.Start();
    ShowWindow(Window(ui::ControlId::kMainWindow), SW_SHOW);
    WaitUntil([] { return true; });
  }
  ~Win32ControlSetEnvironment() {
    app.controls().EndApplication();
    WaitUntil([] { return true; });
  }
  ui::ControlSet& controls() { return app.controls(); }
  HWND Window(ui::ControlId id) { return app.controls().Window(id); }
  void ShowApplicationsTab() {
    SendMessageW(Window(ui::ControlId::suiPageControl1), TCM_SETCURSEL, 2, 0);
    app::ShowSelectedTabSheet(app.controls());
  }
  // A user's click on the node's box, or two quick ones, as the mouse makes them with the mouse
  // there: the box stands left of the text, where the control's hit test says.
  void UserTicks(ui::ControlId id, int node, bool twice = false) {
    ShowApplicationsTab();
    HWND tree = Window(id);
    RECT text{};
    const HTREEITEM item = app.controls().ItemOf(id, node);
    std::memcpy(&text, &item, sizeof item);  // the request names the item in the rectangle
    ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text)));
    TVHITTESTINFO hit{{text.left, (text.top + text.bottom) / 2}, 0, nullptr};
    while (!(hit.flags & TVHT_ONITEMSTATEICON) && --hit.pt.x > 0) TreeView_HitTest(tree, &hit);
    POINT screen = hit.pt;
    ClientToScreen(tree, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
    for (int click = 0; click < (twice ? 2 : 1); ++click) {
      PostMessageW(tree, click ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(tree, WM_LBUTTONUP, 0, at);
    }
    HandleWaitingMessages();
  }
  app::Application app{GetModuleHandleW(nullptr)};
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ControlSetContract, Win32ControlSetEnvironment);

// Space ticks, Tab moves on and Enter presses, through the dialog keys of the message loop.
TEST(MainWindow, TheKeyboardTicksMovesAndPresses) {
  Win32ControlSetEnvironment window;
  const auto hwnd = [&](ui::ControlId id) { return window.Window(id); };
  PressKey(hwnd(ui::ControlId::IECookies), VK_SPACE);
  EXPECT_NE(SendMessageW(hwnd(ui::ControlId::IECookies), BM_GETCHECK, 0, 0), BST_CHECKED);
  PressKey(hwnd(ui::ControlId::IECookies), VK_TAB);
  EXPECT_EQ(GetFocus(), hwnd(ui::ControlId::IEAFD));
  PressKey(hwnd(ui::ControlId::bntAbout), VK_RETURN);
  EXPECT_TRUE(IsWindowVisible(hwnd(ui::ControlId::groupAbout)));
}

// Tab reaches the tree on its tab sheet, arrows move, space ticks, two quick clicks are two ticks;
// a state an automation tool sets is read, unheard. The partly ticked box is the fourth image.
TEST(MainWindow, TheTreeTakesKeysDoubleClicksAndAutomation) {
  Win32ControlSetEnvironment window;
  auto& c = window.app.controls();
  const auto id = ui::ControlId::AppTree;
  HWND tree = window.Window(id);
  for (int parent : {ui::ControlSet::kNoNode, 0, 0}) c.AddNode(id, parent, "Node");
  std::vector<int> heard;
  c.OnNodeTicked([&](ui::ControlId, int node) { heard.push_back(node); });
  window.ShowApplicationsTab();
  PressKey(window.Window(ui::ControlId::bntHelp), VK_TAB);
  ASSERT_EQ(GetFocus(), tree);
  TreeView_SelectItem(tree, c.ItemOf(id, 0));
  PressKey(tree, VK_DOWN);
  PressKey(tree, VK_SPACE);
  window.UserTicks(id, 0, true);
  TreeView_SetItemState(tree, c.ItemOf(id, 2), INDEXTOSTATEIMAGEMASK(3), TVIS_STATEIMAGEMASK);
  EXPECT_EQ(heard, (std::vector{1, 0, 0}));
  using T = ui::TickState;
  EXPECT_EQ(std::vector({c.NodeTick(id, 0), c.NodeTick(id, 1), c.NodeTick(id, 2)}),
            std::vector({T::kUnticked, T::kTicked, T::kPartly}));
  EXPECT_EQ(ImageList_GetImageCount(TreeView_GetImageList(tree, TVSIL_STATE)), 4);
}

// Under the tree, the status shows a long summary whole and the Details button stands beside it,
// clear of both, on the tab sheet; its press reaches the program's handlers.
TEST(MainWindow, TheDetailsButtonStandsBesideTheStatusAndItsPressIsHeard) {
  using Id = ui::ControlId;
  Win32ControlSetEnvironment window;
  window.ShowApplicationsTab();
  RECT sheet, button, status, tree, both;
  for (auto [id, place] : {std::pair{Id::suiTabSheet3, &sheet},
                           {Id::bntAppDetails, &button},
                           {Id::AppStatusLabel, &status},
                           {Id::AppTree, &tree}})
    GetWindowRect(window.Window(id), place);
  EXPECT_TRUE(UnionRect(&both, &sheet, &button) && EqualRect(&both, &sheet));
  EXPECT_FALSE(IntersectRect(&both, &button, &status) || IntersectRect(&both, &button, &tree) ||
               IntersectRect(&both, &status, &tree));
  RECT needed{0, 0, status.right - status.left, 0};
  app::MemoryDc dc;
  const LRESULT font = SendMessageW(window.Window(Id::AppStatusLabel), WM_GETFONT, 0, 0);
  app::Selection selected(dc.get(), reinterpret_cast<HFONT>(font));
  DrawTextW(dc.get(),
            L"Built-in rules: 38 entries found on this PC. winapp2.ini: 4,067 entries read, 212 "
            L"found on this PC, 12 refused as unsafe, 3 skipped.",
            -1, &needed, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_LE(needed.bottom, status.bottom - status.top);
  std::vector<Id> clicked;
  window.controls().OnClick([&](Id id) { clicked.push_back(id); });
  SendMessageW(window.Window(Id::bntAppDetails), BM_CLICK, 0, 0);
  HandleWaitingMessages();
  EXPECT_EQ(clicked, std::vector{Id::bntAppDetails});
}

// The details are resizable, their read-only text box filling them, the text's lines as lines;
// Escape or the close box destroy them and the control set lets go of them.
TEST(MainWindow, TheDetailsWindowIsResizableAndForgottenWhenClosed) {
  using Id = ui::ControlId;
  Win32ControlSetEnvironment window;
  auto& c = window.app.controls();
  for (const bool escape : {true, false}) {
    c.ShowTextWindow(Id::kDetailsWindow, "Details", "one\ntwo\nthree");
    HWND details = c.Window(Id::kDetailsWindow), text = c.Window(Id::DetailsText);
    ASSERT_TRUE(details && text);
    EXPECT_EQ(SendMessageW(text, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_TRUE((GetWindowLongW(details, GWL_STYLE) & WS_THICKFRAME) &&
                (GetWindowLongW(text, GWL_STYLE) & ES_READONLY));
    SetWindowPos(details, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, box;
    GetClientRect(details, &client);
    GetWindowRect(text, &box);
    MapWindowPoints(nullptr, details, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_TRUE(EqualRect(&client, &box));
    escape ? PressKey(text, VK_ESCAPE) : void(SendMessageW(details, WM_CLOSE, 0, 0));
    HandleWaitingMessages();
    EXPECT_FALSE(IsWindow(details) || c.Visible(Id::kDetailsWindow) ||
                 c.Window(Id::kDetailsWindow) || c.Window(Id::DetailsText))
        << escape;
  }
}

int ticks = 0;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (++ticks == 30) PostQuitMessage(7);
}

// Idle slices run back to back while no message waits, yet a timer's ticks come between them;
// once no work remains the loop sleeps until a message, and calls a slice once after each at most.
TEST(MainWindow, TheMessageLoopRunsIdleSlicesBetweenMessagesAndSleepsWhenTheyAreDone) {
  constexpr int kBusy = 20;  // of 10 ms each
  int slices = 0, ticks_while_busy = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
  EXPECT_EQ(app::RunMessageLoop([&] {
              if (++slices > kBusy) return false;
              Sleep(10);
              return ticks_while_busy = ticks, true;
            }),
            7);
  KillTimer(nullptr, timer);
  EXPECT_GE(ticks_while_busy, 4);
  EXPECT_LE(slices, kBusy + 1 + 30 - ticks_while_busy);
}

struct Win32ShellEnvironment {
  platform::Shell& shell() { return shell_; }
  std::string profile() { return cleaning::UserProfileFolder(registry_); }
  win32::Win32Shell shell_;
  win32::Win32Registry registry_;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ShellContract, Win32ShellEnvironment);

constexpr const char* kKeys[] = {"Software\\Netscape", "Software\\Microsoft\\Office",
                                 "Software\\Microsoft\\Photo Editor",
                                 "Software\\Microsoft\\FrontPage"};

// The Netscape and Office groups are enabled by their presence keys, read at start.
TEST_F(RunningProgram, StartCleansTheMozillaProfilesAndTheLastOfficeVersionsLists) {
  const std::wstring data = win32::Widen(win32::Win32Shell().ApplicationDataFolder()) + L"\\",
                     profile = data + L"Mozilla\\ProFiles\\Default\\";
  for (const wchar_t* file : {L"p1\\cookies.txt", L"p1\\history.dat", L"p1\\localstore.rdf",
                              L"p1\\Cache\\A1B2.dat", L"p1\\form.s", L"p2\\prefs.w"})
    EXPECT_TRUE(MakeFile(profile + file));
  EXPECT_TRUE(MakeFile(profile + L"p2\\history.dat", FILE_ATTRIBUTE_READONLY));
  MakeFile(data + L"Microsoft\\Office\\Recent\\report.doc.LNK", kHidden);
  const std::string office = "Software\\Microsoft\\Office\\";
  auto put = [&](const std::string& k, const char* name) { Set(CU, k, name, "C:\\secret.doc"); };
  put(office + "9.0\\Word\\Data", "Settings");
  put(office + "10.0\\Word\\Data", "Settings");
  put(office + "10.0\\Common\\Open Find\\Microsoft Word\\Settings\\Save\\File Name MRU", "Value");
  put(office + "10.0\\Excel\\Recent Files\\Sub", "File1");
  for (const char* name : {"MRU1", "MRU2", "Other"}) put(office + "10.0\\Access\\Settings", name);
  put("Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent File List", "1");
  put("Software\\Microsoft\\Photo Editor\\3.0\\Microsoft Photo Editor", "LastFile1");
  for (const char* key : kKeys) registry_.Create(LM, key);
  TearDown();
  SetUp();
  StartCleaning(
      [](Id id) { return (id >= Id::NsCache && id <= Id::NsAutoForm) || id >= Id::MSWord; });
  EXPECT_TRUE(WaitForFinished(60000));
  // Netscape; Word, Excel, PowerPoint, PhotoEditor, Outlook, Access, FrontPage, the recent folder.
  EXPECT_EQ(Counts().first, L"6 2 1 0 1 0 2 1 1 ");
  EXPECT_EQ(Text(Id::TotalResult), L"14");
  EXPECT_TRUE(Exists(profile + L"p2\\history.dat"));
  EXPECT_TRUE(registry_.Open(CU, office + "9.0\\Word\\Data")->HasValue("Settings"));
  for (auto root : {LM, CU})
    for (const char* key : kKeys) registry_.DeleteTree(root, key);
}

// Traces for every Windows and Internet Explorer item, and a browser frame open: a preview leaves
// every one of them and asks nothing; Start, told to leave the browser, then removes what the
// preview showed, row by row, and nothing else. History differs under Wine alone: its store cannot
// be cleared.
TEST_F(RunningProgram, PreviewChangesNothingThenStartCleansEveryPlantedTraceAndNothingElse) {
  wchar_t recent[MAX_PATH] = {}, temp[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent);
  GetTempPathW(MAX_PATH, temp);
  // Behind a folder link that loops back (made by the test script) the scan goes by the real path
  // only; "report.tmpl" matches *.tmp by its 8.3 name only.
  ASSERT_TRUE(Exists(L"C:\\tidora-loop\\inner\\back\\inner"));
  const std::tuple<std::wstring, DWORD, bool> files[] = {
      {recent + std::wstring(L"\\letter.lnk"), kHidden, false},
      {temp + std::wstring(L"e2e-one.dat"), kPlain, false},
      {L"C:\\tidora-e2e\\top.tmp", kHidden | FILE_ATTRIBUTE_READONLY, false},
      {L"C:\\tidora-e2e\\report.tmpl", kPlain, true},
      {L"C:\\tidora-loop\\inner\\looped.tmp", kPlain, false}};
  for (const auto& [path, attributes, stays] : files) ASSERT_TRUE(MakeFile(path, attributes));
  for (const char* name : {"a", "MRUList"}) Set(CU, kWin + "Explorer\\RunMRU", name, "regedit\\1");
  Set(CU, kBar + "\\FilesNamedMRU", "000", "salary*.xls");
  Set(CU, kBar + "\\ContainingTextMRU", "000", "password");
  Set(CU, kBar, "BarSize", "keep");
  const std::string kStorage = "Software\\Microsoft\\Protected Storage System Provider";
  for (const char* name : {"url1", "url2", "url3"})
    for (const std::string& key :
         {kIE + "TypedURLs", kIE + "IntelliForms\\Forms", kStorage + "\\S-1\\Data"})
      Set(CU, key, name, "x");
  const std::wstring cached = Commit(L"http://tidora.e2e/page.htm", NORMAL_CACHE_ENTRY);
  ASSERT_TRUE(Exists(cached));
  ASSERT_TRUE(InternetSetCookieW(L"http://tidora.e2e/", L"id",
                                 L"1; expires=Sat, 01-Jan-2050 00:00:00 GMT"));
  ASSERT_NE(Commit(L"Visited: me@http://tidora.e2e/page.htm", URLHISTORY_CACHE_ENTRY), L"?");
  ASSERT_TRUE(MakeFileInRecycleBin(temp + std::wstring(L"e2e-recycled.txt")));
  const auto bin = win32::Win32Shell().QueryRecycleBin();  // what the preview's size counts
  ASSERT_TRUE(bin && bin->items > 0 && bin->bytes >= 5);
  PutTextOnClipboard("a secret");
  const WNDCLASSW frame{0,       DefWindowProcW, 0,       0,       nullptr,
                        nullptr, nullptr,        nullptr, nullptr, L"IEFrame"};
  RegisterClassW(&frame);
  HWND browser = CreateWindowW(L"IEFrame", L"", 0, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  const auto columns = [&] {
    const auto header =
        reinterpret_cast<HWND>(SendMessageW(Control(Id::sgResultList), LVM_GETHEADER, 0, 0));
    return SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
  };
  const auto windows_and_browser = [](Id id) {
    return id <= Id::IEBleachIndex || (id >= Id::WinDocumentHistory && id < Id::MSWord);
  };
  Press(Id::bntTraceCleaner);
  for (int id = int(Id::IEABH); id <= int(Id::MSOfficeRecent); ++id)
    SendMessageW(Control(Id(id)), BM_SETCHECK,
                 windows_and_browser(Id(id)) ? BST_CHECKED : BST_UNCHECKED, 0);
  Press(Id::bntPreview);
  ASSERT_TRUE(WaitForFinished());
  EXPECT_EQ(Text(Id::CleanResult), L"Preview");
  EXPECT_EQ(columns(), 4);
  std::wstring statuses, browser_open;
  for (int row = 0; row + 1 < Items(Id::sgResultList); ++row)
    statuses += Item(Id::sgResultList, row, 2) + L";";
  for (int row = 0; row < 6; ++row) browser_open += L"Browser open;";
  EXPECT_TRUE(statuses.starts_with(browser_open + L"Found;")) << statuses;
  const auto [shown, total] = Counts();
  const std::wstring size = Text(Id::TotalSize);
  EXPECT_NE(size, L"");
  EXPECT_FALSE(FindWindowW(L"#32770", nullptr)) << "a preview asks nothing";
  for (const auto& [path, attributes, stays] : files) EXPECT_TRUE(Exists(path)) << path;
  EXPECT_TRUE(Exists(cached));
  EXPECT_TRUE(registry_.OpenForRead(CU, kWin + "Explorer\\RunMRU")->HasValue("a"));
  EXPECT_TRUE(registry_.OpenForRead(CU, kIE + "IntelliForms"));
  EXPECT_GT(RecycleBinItems(), 0);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsWindow(browser));
  Press(Id::bntStopFinish);
  StartCleaning(windows_and_browser);
  PostMessageW(WaitForWindow(L"#32770", L"Tidora"), WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitForFinished());
  const auto [counts, removed] = Counts();
  // Typed URLs, the cache, cookies, forms, History (E_NOTIMPL under Wine: none, though the preview
  // estimated one), the index; Recent documents, Run, Find, temp folder, disk scan, Recycle Bin,
  // clipboard. The rest as the preview showed it.
  const auto numbers = [](std::wstring text) {
    std::erase(text, L'?');
    std::wistringstream in(text);
    return std::vector<int>(std::istream_iterator<int, wchar_t>(in), {});
  };
  auto expected = numbers(shown);
  ASSERT_EQ(expected.size(), 13u) << shown;
  EXPECT_EQ(std::exchange(expected[4], 0), 1);
  EXPECT_EQ(numbers(counts), expected) << shown << L" | " << counts;
  EXPECT_TRUE(std::regex_match(
      counts,
      std::wregex(
          L"3 [1-9]\\d* [1-9]\\d* 2 0 [1-9]\\d* [1-9]\\d* 2 2 [1-9]\\d* ([2-9]|\\d\\d+) 1 1 ")))
      << counts;
  EXPECT_EQ(removed, total - 1);
  EXPECT_EQ(Text(Id::TotalResult), std::to_wstring(removed));
  EXPECT_EQ(Text(Id::TotalSize), size);
  EXPECT_EQ(columns(), 3);
  for (const auto& [path, attributes, stays] : files) EXPECT_EQ(Exists(path), stays) << path;
  std::string values;  // how many each key holds
  for (const std::string& key :
       {kWin + "Explorer\\RunMRU", kBar + "\\FilesNamedMRU", kBar + "\\ContainingTextMRU", kBar})
    if (const auto opened = registry_.OpenForRead(CU, key))
      values += std::to_string(opened->ValueNames().size());
  EXPECT_EQ(values, "0001");
  EXPECT_EQ(RecycleBinItems(), 0);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(registry_.OpenForRead(CU, kIE + "IntelliForms"));
  EXPECT_FALSE(registry_.OpenForRead(CU, kStorage));
  const auto typed = registry_.OpenForRead(CU, kIE + "TypedURLs");  // only its values go
  EXPECT_TRUE(typed && typed->ValueNames().empty());
  EXPECT_FALSE(Exists(cached));
  DestroyWindow(browser);
  UnregisterClassW(L"IEFrame", nullptr);
}

// Office's recent folder and Mozilla's profile folder planted as links into a user's documents
// (by the test script), below an application-data folder redirected there: every cleaner leaves
// the documents alone.
TEST_F(RunningProgram, EveryCleanerLeavesWhatAFixedNameFolderLinksTo) {
  const std::wstring documents = L"C:\\tidora-junction-documents\\";
  const wchar_t* kept[] = {L"letter.doc",
                           L"report.lnk",
                           L"Default\\p1\\cookies.txt",
                           L"Default\\p1\\localstore.rdf",
                           L"Default\\p1\\form.s",
                           L"Default\\p1\\Cache\\A1B2.dat"};
  for (const wchar_t* file : kept) ASSERT_TRUE(Exists(documents + file));
  const std::string folders = kWin + "Explorer\\User Shell Folders";
  SavedValue saved(win32::Widen(folders), L"AppData");
  registry_.Create(CU, folders)->WriteString("AppData", "C:\\tidora-junctions\\AppData");
  ASSERT_EQ(win32::Win32Shell().ApplicationDataFolder(), "C:\\tidora-junctions\\AppData");
  for (const char* key : kKeys) registry_.Create(LM, key);
  TearDown();
  SetUp();
  StartCleaning([](Id) { return true; });
  EXPECT_TRUE(WaitForFinished());
  for (const char* key : kKeys) registry_.DeleteTree(LM, key);
  for (const wchar_t* file : kept) EXPECT_TRUE(Exists(documents + file)) << file;
}

}  // namespace
}  // namespace tidora::testing
