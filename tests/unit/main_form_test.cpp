#include "ui/main_form.h"

#include <gtest/gtest.h>

#include "composition/features.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/fake_url_cache.h"
#include "tests/support/headless_control_set.h"

namespace tidora::ui {
namespace {

using platform::RegistryRoot;
using V = platform::RegistryView;

class MainFormTest : public ::testing::Test {
 protected:
  testing::HeadlessControlSet controls_;
  testing::FakeRegistry registry_;
  testing::FakeShell shell_;
  testing::FakeFileSystem files_;
  testing::FakeSystemInfo system_;
  testing::FakeUrlCache url_cache_;
  composition::Features features_{controls_,
                                  {registry_, files_, shell_, system_, url_cache_, nullptr}};
  MainForm form_{controls_, registry_, shell_, features_.All()};
};

// A standard user may read but not fully open HKLM; 32-bit installations write the 32-bit view.
// Absent products disable their groups but keep the ticks.
TEST(MainFormProducts, AreFoundWithReadAccessInEitherView) {
  struct Case {
    bool installed, refuses_full_access;
    V view;
  };
  for (const auto& c :
       {Case{false, false, V::k64}, Case{true, false, V::k64}, Case{true, true, V::k32}}) {
    testing::HeadlessControlSet controls;
    testing::FakeRegistry registry;
    testing::FakeShell shell;
    for (const char* key : {"Software\\Netscape", "Software\\Microsoft\\Office\\10.0"}) {
      if (c.installed) registry.Create(RegistryRoot::LocalMachine, key, c.view);
      if (c.refuses_full_access) registry.RefuseFullAccess(RegistryRoot::LocalMachine, key, c.view);
    }
    MainForm(controls, registry, shell).FormCreate();
    EXPECT_EQ(controls.Enabled(ControlId::groupNetscape), c.installed);
    EXPECT_EQ(controls.Enabled(ControlId::groupOffice), c.installed);
    EXPECT_TRUE(controls.Ticked(ControlId::NsCookies) && controls.Ticked(ControlId::MSWord));
  }
}

// Each shows exactly its panel, hiding the result a finished run leaves; the Tools button
// refills its lists unticked every time.
TEST_F(MainFormTest, NavigationShowsOnePanelAndRefillsTheTools) {
  controls_.SetVisible(ControlId::CleanResult, true);
  for (const auto& [button, panel] : {std::pair{ControlId::bntIERepair, ControlId::IERepare},
                                      {ControlId::bntToolsMenu, ControlId::ToolsMenuWizard},
                                      {ControlId::bntTraceCleaner, ControlId::CleanItems},
                                      {ControlId::bntAbout, ControlId::groupAbout}}) {
    EXPECT_TRUE(form_.HandleClick(button));
    EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{panel});
  }
  EXPECT_FALSE(form_.HandleClick(ControlId::IEABH));
  const std::string menus = "Software\\Microsoft\\Internet Explorer\\MenuExt\\";
  registry_.Create(RegistryRoot::CurrentUser, menus + "Send to &Notes");
  form_.bntToolsMenuClick();
  ASSERT_EQ(controls_.ItemCount(ControlId::ExtendMenuitems), 1);
  controls_.SetItemTicked(ControlId::ExtendMenuitems, 0, true);
  registry_.Create(RegistryRoot::CurrentUser, menus + "&Translate");
  form_.bntToolsMenuClick();
  EXPECT_EQ(controls_.ItemCount(ControlId::ExtendMenuitems), 2);
  EXPECT_FALSE(controls_.ItemTicked(ControlId::ExtendMenuitems, 0) ||
               controls_.ItemTicked(ControlId::ExtendMenuitems, 1));
}

TEST_F(MainFormTest, CloseAsksAndEndsOnlyOnYes) {
  form_.bntIERepairClick();
  shell_.answer_yes = false;
  form_.bntCloseClick();
  EXPECT_FALSE(controls_.ended());
  EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{ControlId::IERepare});
  EXPECT_EQ(shell_.questions.size(), 1u);
  shell_.answer_yes = true;
  form_.bntCloseClick();
  EXPECT_TRUE(controls_.ended());
}

}  // namespace
}  // namespace tidora::ui
