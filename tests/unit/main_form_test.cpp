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
using testing::FakeRegistry;
using testing::FakeShell;
using testing::HeadlessControlSet;

class MainFormTest : public ::testing::Test {
 protected:
  HeadlessControlSet controls_;
  FakeRegistry registry_;
  FakeShell shell_;
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
    platform::RegistryView view;
  };
  for (const auto& c : {Case{false, false, platform::RegistryView::k64},
                        Case{true, false, platform::RegistryView::k64},
                        Case{true, true, platform::RegistryView::k32}}) {
    HeadlessControlSet controls;
    FakeRegistry registry;
    FakeShell shell;
    if (c.installed) {
      for (const char* key : {"Software\\Netscape", "Software\\Microsoft\\Office\\10.0"}) {
        registry.Create(RegistryRoot::LocalMachine, key, c.view);
        if (c.refuses_full_access)
          registry.RefuseFullAccess(RegistryRoot::LocalMachine, key, c.view);
      }
    }
    MainForm(controls, registry, shell).FormCreate();
    EXPECT_EQ(controls.Enabled(ControlId::groupNetscape), c.installed);
    EXPECT_EQ(controls.Enabled(ControlId::groupOffice), c.installed);
    EXPECT_TRUE(controls.Ticked(ControlId::NsCookies));
    EXPECT_TRUE(controls.Ticked(ControlId::MSWord));
  }
}

TEST_F(MainFormTest, EachNavigationButtonShowsExactlyItsPanel) {
  const std::pair<ControlId, ControlId> routes[] = {
      {ControlId::bntIERepair, ControlId::IERepare},
      {ControlId::bntToolsMenu, ControlId::ToolsMenuWizard},
      {ControlId::bntAbout, ControlId::groupAbout},
      {ControlId::bntTraceCleaner, ControlId::CleanItems},
      {ControlId::bntAbout, ControlId::groupAbout},
  };
  controls_.SetVisible(ControlId::CleanResult, true);  // as a finished run leaves it
  for (const auto& [button, panel] : routes) {
    EXPECT_TRUE(form_.HandleClick(button));
    EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{panel});
  }
  EXPECT_FALSE(form_.HandleClick(ControlId::IEABH));
}

TEST_F(MainFormTest, TheToolsButtonRefillsItsListsEveryTime) {
  registry_.Create(RegistryRoot::CurrentUser,
                   "Software\\Microsoft\\Internet Explorer\\MenuExt\\Send to &Notes");
  form_.bntToolsMenuClick();
  ASSERT_EQ(controls_.ItemCount(ControlId::ExtendMenuitems), 1);
  controls_.SetItemTicked(ControlId::ExtendMenuitems, 0, true);
  registry_.Create(RegistryRoot::CurrentUser,
                   "Software\\Microsoft\\Internet Explorer\\MenuExt\\&Translate");
  form_.bntToolsMenuClick();
  EXPECT_EQ(controls_.ItemCount(ControlId::ExtendMenuitems), 2);
  EXPECT_FALSE(controls_.ItemTicked(ControlId::ExtendMenuitems, 0));
  EXPECT_FALSE(controls_.ItemTicked(ControlId::ExtendMenuitems, 1));
}

TEST_F(MainFormTest, CloseAsksAndEndsOnlyOnYes) {
  form_.bntIERepairClick();
  shell_.answer_yes = false;
  form_.bntCloseClick();
  EXPECT_FALSE(controls_.ended());
  EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{ControlId::IERepare});
  ASSERT_EQ(shell_.questions.size(), 1u);
  EXPECT_EQ(shell_.questions[0], "Tidora: Are you sure to quite Tidora?");
  shell_.answer_yes = true;
  form_.bntCloseClick();
  EXPECT_TRUE(controls_.ended());
}

TEST_F(MainFormTest, HelpStartsTheViewerAndIgnoresFailure) {
  shell_.command_starts = false;
  form_.bntHelpClick();
  EXPECT_EQ(shell_.commands, std::vector<std::string>{"hh help.chm"});
  EXPECT_TRUE(shell_.messages.empty());
}

}  // namespace
}  // namespace tidora::ui
