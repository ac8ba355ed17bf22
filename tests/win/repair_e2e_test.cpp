// End to end: hijacks and extensions planted under both roots and in both views of the Wine
// prefix, "Repare" and "Delete" pressed in the running program's window.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "tests/win/running_program.h"
#include "tests/win/traces.h"

namespace tidora::testing {
namespace {

using Id = ui::ControlId;
using V = platform::RegistryView;
using Texts = std::vector<std::wstring>;
constexpr auto CU = platform::RegistryRoot::CurrentUser, LM = platform::RegistryRoot::LocalMachine;
const std::string kIE = "Software\\Microsoft\\Internet Explorer\\",
                  kWin = "Software\\Microsoft\\Windows\\CurrentVersion\\";
const std::string kRestrictions = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
constexpr wchar_t kPlanted[] = L"C:\\Program Files\\registry.exe";

class RepairEndToEnd : public RunningProgram {
 protected:
  std::optional<std::string> Read(platform::RegistryRoot root, const std::string& key,
                                  const char* name, V view = V::kDefault) {
    auto opened = registry_.OpenForRead(root, key, view);
    if (!opened || !opened->HasValue(name)) return std::nullopt;
    return opened->TypeOf(name) == platform::ValueType::Dword
               ? std::to_string(*opened->ReadDword(name))
               : opened->ReadString(name);
  }
  // Each item's text, after a "+" when it is ticked; the item reading tick is ticked first.
  Texts Items(Id list, const std::wstring& tick = L"\n") {
    Texts items;
    for (int i = 0; i < ListItems(list); ++i) {
      if (ListItem(list, i) == tick) ListItem(list, i, 0, LVM_SETITEMSTATE);
      const auto state = SendMessageW(Control(list), LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK);
      items.push_back((state == INDEXTOSTATEIMAGEMASK(2) ? L"+" : L"") + ListItem(list, i));
    }
    return items;
  }
  bool Listed(Id list, const std::wstring& text) {
    const auto items = Items(list);
    return std::find(items.begin(), items.end(), text) != items.end();
  }
};

TEST_F(RepairEndToEnd, RepareUndoesHijacksUnderBothRootsAndInBothViews) {
  Set(CU, kIE + "Main", "Start Page", "http://hijack.example");
  Set(LM, kIE + "Main", "Start Page", "http://hijack.example", V::k32);
  Set(LM, kIE + "Main", "Window Title", "Owned", V::k64);
  Set(LM, kRestrictions, "NoBrowserOptions", nullptr, V::k32);
  Set(CU, kWin + "Policies\\Explorer", "NoRun", nullptr);
  Set(LM, kWin + "Run", "registry.exe", "C:\\Program Files\\registry.exe", V::k32);
  for (const V view : {V::k64, V::k32})
    Set(LM, kWin + "Run", "e2e-browser", "IEXPLORE.EXE http://hijack.example", view);
  Set(CU, kWin + "Run", "e2e-browser", "iexplore http://hijack.example");
  Set(CU, kWin + "Run", "e2e-full-path", "C:\\Program Files\\Internet Explorer\\iexplore.exe");
  ASSERT_TRUE(MakeFile(kPlanted));

  Press(Id::bntIERepair);
  Press(Id::IER_Restore);
  ASSERT_TRUE(WaitUntil([&] { return Position(Id::RepairProgressBar) == 100; }));

  EXPECT_EQ(Read(CU, kIE + "Main", "Start Page"), "about:blank");
  EXPECT_EQ(Read(LM, kIE + "Main", "Start Page", V::k32), "about:blank");
  EXPECT_EQ(Read(LM, kIE + "Main", "Window Title", V::k64), std::nullopt);
  EXPECT_EQ(Read(LM, kRestrictions, "NoBrowserOptions", V::k32), "0");
  EXPECT_EQ(Read(CU, kWin + "Policies\\Explorer", "NoRun"), std::nullopt);
  EXPECT_EQ(Read(LM, kWin + "Run", "registry.exe", V::k32), std::nullopt);
  for (const V view : {V::k64, V::k32})
    EXPECT_EQ(Read(LM, kWin + "Run", "e2e-browser", view), std::nullopt);
  EXPECT_EQ(Read(CU, kWin + "Run", "e2e-browser"), std::nullopt);
  EXPECT_TRUE(Read(CU, kWin + "Run", "e2e-full-path"));
  EXPECT_FALSE(Exists(kPlanted));
}

TEST_F(RepairEndToEnd, DeleteRemovesTheTickedExtensionsAndRefillsTheLists) {
  registry_.DeleteTree(CU, kIE + "MenuExt");
  for (const V view : {V::k64, V::k32}) registry_.DeleteTree(LM, kIE + "Extensions", view);
  for (const char* menu : {"E2E &Menu\\deep", "E2E Keep"})
    registry_.Create(CU, kIE + "MenuExt\\" + menu);
  Set(LM, kIE + "Extensions\\{E2E-1}", "ButtonText", "E2E Button", V::k32);
  Set(LM, kIE + "Extensions\\{E2E-2}", "MenuText", "E2E Button", V::k64);
  Set(LM, kIE + "Extensions\\{E2E-3}", "ButtonText", "E2E Keep", V::k64);

  Press(Id::bntToolsMenu);
  ASSERT_TRUE(WaitUntil([&] { return Listed(Id::ExtendToolsItems, L"E2E Keep"); }));
  Items(Id::ExtendMenuitems, L"E2E &Menu");
  Items(Id::ExtendToolsItems, L"E2E Button");
  ASSERT_TRUE(Listed(Id::ExtendMenuitems, L"+E2E &Menu") &&
              Listed(Id::ExtendToolsItems, L"+E2E Button"));
  Press(Id::ToolsMenuDelete);
  EXPECT_TRUE(WaitUntil([&] { return !Listed(Id::ExtendMenuitems, L"+E2E &Menu"); }));

  EXPECT_FALSE(registry_.OpenForRead(CU, kIE + "MenuExt\\E2E &Menu"));
  EXPECT_FALSE(registry_.OpenForRead(LM, kIE + "Extensions\\{E2E-1}", V::k32));
  EXPECT_FALSE(registry_.OpenForRead(LM, kIE + "Extensions\\{E2E-2}", V::k64));
  EXPECT_TRUE(registry_.OpenForRead(LM, kIE + "Extensions\\{E2E-3}", V::k64));
  EXPECT_EQ(Items(Id::ExtendMenuitems), Texts{L"E2E Keep"});
  EXPECT_EQ(Items(Id::ExtendToolsItems), Texts{L"E2E Keep"});
}

}  // namespace
}  // namespace tidora::testing
