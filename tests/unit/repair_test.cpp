#include "repair/repair_run.h"

#include <gtest/gtest.h>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/headless_control_set.h"

namespace tidora::repair {
namespace {

using Id = ui::ControlId;
using Data = testing::FakeRegistry::Data;
using T = platform::ValueType;
using V = platform::RegistryView;
constexpr auto CU = platform::RegistryRoot::CurrentUser, LM = platform::RegistryRoot::LocalMachine;
const std::string kIE = "Software\\Microsoft\\Internet Explorer\\",
                  kWin = "Software\\Microsoft\\Windows\\CurrentVersion\\";
const std::string kRestrictions = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
const std::string kPanel = "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";

struct Repair {
  testing::FakeRegistry registry;
  testing::FakeFileSystem files;
  testing::HeadlessControlSet controls;
  RepairRun run{controls, registry, files};

  void Plant(platform::RegistryRoot root, const std::string& key, const char* name, Data data,
             V view = V::kDefault, T type = T::String) {
    registry.SetValue(root, key, name,
                      std::holds_alternative<std::uint32_t>(data) ? T::Dword : type,
                      std::move(data), view);
  }
  std::optional<Data> Value(platform::RegistryRoot root, const std::string& key, const char* name,
                            V view = V::kDefault) {
    if (const auto* node = registry.Find(root, key, view)) {
      for (const auto& value : node->values)
        if (value.name == name) return value.data;
    }
    return std::nullopt;
  }
};

TEST(RepairRun, EachTickedOptionUndoesItsHijackAndAnUntickedOneLeavesIt) {
  const std::string start = "http://www.microsoft.com/windows/ie_intl/cn/start/",
                    search = "http://search.msn.com/zh-cn/default.aspx";
  // clang-format off
  struct { Id option; platform::RegistryRoot root; V view; std::string key; const char* name; Data planted; std::optional<Data> repaired; } cases[] = {
      {Id::IER_RestoreRegistryTools, CU, V::kDefault, kWin + "Policies\\System", "DisableRegistryTools", 1u, {}},
      {Id::IER_RestoreCaption, LM, V::k32, kIE + "Main", "Window Title", "Owned", {}},
      {Id::IER_RestoreStartPage, CU, V::kDefault, kIE + "Main", "Start Page", "http://x", "about:blank"},
      {Id::IER_RestoreDefaultAddress, LM, V::k64, kIE + "Main", "Default_Page_URL", "http://x", start},
      {Id::IER_RestoreOptions, LM, V::k32, kRestrictions, "NoBrowserOptions", 1u, 0u},
      {Id::IER_RestoreHomePage, CU, V::kDefault, kPanel, "Homepage", "1", 0u},
      {Id::IER_RestoreRestart, LM, V::k32, kWin + "WinLogon", "LegalNoticeText", "Visit x", {}},
      {Id::IER_RestoreRightButton, CU, V::kDefault, kRestrictions, "NoBrowserContextMenu", 1u, 0u},
      {Id::IER_RestoreViewSource, LM, V::k64, kRestrictions, "NoViewSource", 1u, 0u},
      {Id::IER_RestoreSearchEngine, LM, V::k64, kIE + "Search", "CustomizeSearch", "http://x", search},
      {Id::IER_RestoreTaskBar, CU, V::kDefault, kWin + "Policies\\Explorer", "NoSetTaskBar", 1u, {}},
      {Id::IER_RestoreShutDown, CU, V::kDefault, kWin + "Policies\\Explorer", "NoShutDown", 1u, {}},
      {Id::IER_RestoreLogOff, CU, V::kDefault, kWin + "Policies\\Explorer", "NoLogOff", 1u, {}},
      {Id::IER_RestoreRun, CU, V::kDefault, kWin + "Policies\\Explorer", "NoRun", 1u, {}},
      {Id::IER_RestoreFind, CU, V::kDefault, kWin + "Policies\\Explorer", "NoFind", 1u, {}},
      {Id::IER_RestoreDocument, CU, V::kDefault, kWin + "Policies\\Explorer", "NoRecentDocMenu", 1u, {}},
      {Id::IER_RestoreFavorites, CU, V::kDefault, kWin + "Policies\\Explorer", "NoFavoritesMenu", 1u, {}},
      {Id::IER_RestoreDeskTop, CU, V::kDefault, kWin + "Policies\\Explorer", "NoDeskTop", 1u, {}}};
  // clang-format on
  for (const auto& c : cases) {
    for (const bool ticked : {true, false}) {
      Repair repair;
      repair.Plant(c.root, c.key, c.name, c.planted, c.view);
      repair.controls.SetTicked(c.option, ticked);
      repair.run.IER_RestoreClick();
      EXPECT_EQ(repair.Value(c.root, c.key, c.name, c.view), ticked ? c.repaired : c.planted)
          << c.name << ticked;
      EXPECT_EQ(repair.controls.Position(Id::RepairProgressBar), 100);
    }
  }
}

TEST(RepairRun, TheRestartRepairSweepsOnlyTheBareBrowserNameAndTheFixedFile) {
  Repair repair;
  const std::string run = "\\" + kWin + "Run";
  // clang-format off
  struct { const char* data; T type; bool stays; } sweep[] = {
      {"iexplore", T::String, false}, {"iexplor", T::String, true}, {"IExplore.exe http://x.example", T::String, false},
      {"iexplore http://x", T::ExpandString, true}, {"C:\\Program Files\\Internet Explorer\\iexplore.exe", T::String, true}};
  // clang-format on
  for (const auto root : {CU, LM}) {
    for (const auto& s : sweep) repair.Plant(root, run, s.data, s.data, V::k32, s.type);
    repair.Plant(root, run, "number", 1u, V::k32);
    repair.Plant(root, run, "registry.exe", "C:\\Program Files\\registry.exe", V::k32);
  }
  repair.files.AddFile("C:\\Program Files\\registry.exe");
  repair.files.AddFile("C:\\Program Files\\Other\\registry.exe");
  RestartRepair(repair.registry, repair.files);
  for (const auto root : {CU, LM}) {
    for (const auto& s : sweep)
      EXPECT_EQ(repair.Value(root, run, s.data, V::k32).has_value(), s.stays) << s.data;
    EXPECT_TRUE(repair.Value(root, run, "number", V::k32));
    EXPECT_EQ(repair.Value(root, run, "registry.exe", V::k32).has_value(), root == CU);
  }
  EXPECT_FALSE(repair.files.Exists("C:\\Program Files\\registry.exe"));
  EXPECT_TRUE(repair.files.Exists("C:\\Program Files\\Other\\registry.exe"));
}

// The search engine (10) runs after the restart repair (7) and before the shell policies (11-18).
TEST(RepairRun, ARefusedOverwriteStopsTheRunWithTheBarWhereItWas) {
  Repair repair;
  repair.Plant(LM, kIE + "Search", "CustomizeSearch", "http://x", V::k32);
  repair.registry.RefuseWrites(LM, kIE + "Search", V::k32);
  repair.Plant(LM, kWin + "WinLogon", "LegalNoticeCaption", "Visit x", V::k64);
  repair.Plant(CU, kWin + "Policies\\Explorer", "NoSetTaskBar", 1u);
  EXPECT_THROW(repair.run.HandleClick(Id::IER_Restore), platform::RegistryError);
  EXPECT_EQ(repair.controls.Position(Id::RepairProgressBar), 45);
  EXPECT_FALSE(repair.Value(LM, kWin + "WinLogon", "LegalNoticeCaption", V::k64));
  EXPECT_TRUE(repair.Value(CU, kWin + "Policies\\Explorer", "NoSetTaskBar"));
}

TEST(PolicyWriters, CreateKeysReplaceTypesAndGuardEachRoot) {
  Repair repair;
  repair.Plant(CU, kRestrictions, "NoViewSource", "1");
  repair.registry.RefuseFullAccess(LM, kRestrictions, V::k32);
  EXPECT_FALSE(SetNoViewSource(repair.registry, true));
  EXPECT_EQ(repair.Value(CU, kRestrictions, "NoViewSource"), Data(1u));
  EXPECT_EQ(repair.Value(LM, kRestrictions, "NoViewSource", V::k64), Data(1u));
  EXPECT_TRUE(SetHomepageRestriction(repair.registry, false));
  EXPECT_EQ(repair.Value(CU, kPanel, "Homepage"), Data(0u));
  for (const auto view : {V::k64, V::k32})
    EXPECT_FALSE(repair.registry.KeyExists(LM, kPanel, view));
}

}  // namespace
}  // namespace tidora::repair
