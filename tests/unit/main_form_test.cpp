#include "ui/main_form.h"

#include <gtest/gtest.h>

#include "composition/features.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_system_info.h"
#include "tests/support/fake_url_cache.h"
#include "tests/support/headless_control_set.h"
#include "ui/layout.h"

namespace tidora::ui {
namespace {

using platform::RegistryRoot;
using testing::FakeRegistry;
using testing::FakeShell;
using testing::HeadlessControlSet;

class MainFormTest : public ::testing::Test {
 protected:
  void InstallNetscapeAndOffice() {
    registry_.Create(RegistryRoot::LocalMachine, "Software\\Netscape");
    registry_.Create(RegistryRoot::LocalMachine, "Software\\Microsoft\\Office\\10.0");
  }

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

TEST_F(MainFormTest, AbsentProductsDisableTheirGroupsButKeepTheTicks) {
  form_.FormCreate();
  EXPECT_FALSE(controls_.Enabled(ControlId::groupNetscape));
  EXPECT_FALSE(controls_.Enabled(ControlId::groupOffice));
  EXPECT_TRUE(controls_.Ticked(ControlId::NsCookies));
  EXPECT_TRUE(controls_.Ticked(ControlId::MSWord));
  EXPECT_TRUE(controls_.Enabled(ControlId::suiGroupBox2));
}

TEST_F(MainFormTest, PresentProductsLeaveTheirGroupsEnabled) {
  InstallNetscapeAndOffice();
  form_.FormCreate();
  EXPECT_TRUE(controls_.Enabled(ControlId::groupNetscape));
  EXPECT_TRUE(controls_.Enabled(ControlId::groupOffice));
}

// A standard user may read but not fully open HKLM; 32-bit installations write the 32-bit view.
TEST_F(MainFormTest, PresenceNeedsOnlyReadAccessInEitherView) {
  registry_.Create(RegistryRoot::LocalMachine, "Software\\Netscape");
  registry_.RefuseFullAccess(RegistryRoot::LocalMachine, "Software\\Netscape");
  registry_.Create(RegistryRoot::LocalMachine, "Software\\Microsoft\\Office",
                   platform::RegistryView::k32);
  form_.FormCreate();
  EXPECT_TRUE(controls_.Enabled(ControlId::groupNetscape));
  EXPECT_TRUE(controls_.Enabled(ControlId::groupOffice));
}

TEST_F(MainFormTest, CreationWritesHeadersAndHintsAndChangesNothingElse) {
  form_.FormCreate();
  EXPECT_EQ(controls_.Cell(ControlId::sgResultList, 0, 0), "Item to be clear");
  EXPECT_EQ(controls_.Cell(ControlId::sgResultList, 0, 1), "Files/Entries");
  EXPECT_EQ(controls_.Cell(ControlId::sgResultList, 0, 2), "Status");
  EXPECT_EQ(controls_.Hint(ControlId::bntToolsMenu), "Custom your IE Extend Menu and Tools items");
  EXPECT_EQ(controls_.Hint(ControlId::WinSTF),
            "Deletes all *.tmp files that store in your system driver\rExample c:,It will make "
            "for a while, please be patient");
  EXPECT_EQ(controls_.Hint(ControlId::IER_RestoreDeskTop),
            "If you found your DeskTop is disappear. This option\rwill help you.");
  EXPECT_EQ(controls_.Hint(ControlId::bntStopFinish), "");
  EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{ControlId::CleanItems});
  EXPECT_FALSE(controls_.Ticked(ControlId::WinSTF));
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
    const int repaints = controls_.Repaints(ControlId::kMainWindow);
    EXPECT_TRUE(form_.HandleClick(button));
    EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{panel});
    EXPECT_EQ(controls_.Repaints(ControlId::kMainWindow), repaints + 1);
  }
  EXPECT_FALSE(form_.HandleClick(ControlId::IEABH));
}

TEST_F(MainFormTest, TheRepairButtonResetsItsBarEveryTime) {
  controls_.SetPosition(ControlId::RepairProgressBar, 85);
  form_.bntIERepairClick();
  EXPECT_EQ(controls_.Position(ControlId::RepairProgressBar), 0);
  controls_.SetPosition(ControlId::RepairProgressBar, 100);
  form_.bntIERepairClick();
  EXPECT_EQ(controls_.Position(ControlId::RepairProgressBar), 0);
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
