#include "ui/main_form.h"

#include "extensions/extension_lists.h"
#include "ui/layout.h"

namespace tidora::ui {

namespace {

constexpr const char* kGridHeaders[] = {"Item to be clear", "Files/Entries", "Status"};

}  // namespace

MainForm::MainForm(ControlSet& controls, platform::Registry& registry, platform::Shell& shell)
    : controls_(controls), registry_(registry), shell_(shell) {}

// A key that cannot be opened for full access counts as absent: the product is then of no
// concern to this user.
bool MainForm::NetscapePresent() {
  return registry_.Open(platform::RegistryRoot::LocalMachine, "Software\\Netscape") != nullptr;
}

bool MainForm::OfficePresent() {
  return registry_.Open(platform::RegistryRoot::LocalMachine, "Software\\Microsoft\\Office") !=
         nullptr;
}

void MainForm::FormCreate() {
  if (!NetscapePresent()) controls_.SetEnabled(ControlId::groupNetscape, false);
  if (!OfficePresent()) controls_.SetEnabled(ControlId::groupOffice, false);
  for (int column = 0; column < 3; ++column) {
    controls_.SetCell(ControlId::sgResultList, 0, column, kGridHeaders[column]);
  }
  for (const auto& entry : MainWindowControls()) {
    if (!entry.hint.empty()) controls_.SetHint(entry.id, entry.hint);
  }
}

bool MainForm::HandleClick(ControlId id) {
  switch (id) {
    case ControlId::bntTraceCleaner:
      bntTraceCleanerClick();
      return true;
    case ControlId::bntIERepair:
      bntIERepairClick();
      return true;
    case ControlId::bntToolsMenu:
      bntToolsMenuClick();
      return true;
    case ControlId::bntAbout:
      bntAboutClick();
      return true;
    case ControlId::bntClose:
      bntCloseClick();
      return true;
    case ControlId::bntHelp:
      bntHelpClick();
      return true;
    default:
      return false;
  }
}

void MainForm::ShowOnlyPanel(ControlId panel) {
  for (ControlId each : kPanels) {
    if (each != panel) controls_.SetVisible(each, false);
  }
  controls_.SetVisible(panel, true);
}

void MainForm::bntTraceCleanerClick() {
  ShowOnlyPanel(ControlId::CleanItems);
  controls_.Repaint(ControlId::kMainWindow);
}

void MainForm::bntIERepairClick() {
  ShowOnlyPanel(ControlId::IERepare);
  controls_.SetPosition(ControlId::RepairProgressBar, 0);
  controls_.Repaint(ControlId::kMainWindow);
}

void MainForm::bntToolsMenuClick() {
  ShowOnlyPanel(ControlId::ToolsMenuWizard);
  extensions::FillExtensionLists(controls_, registry_);
  controls_.Repaint(ControlId::kMainWindow);
}

void MainForm::bntAboutClick() {
  ShowOnlyPanel(ControlId::groupAbout);
  controls_.Repaint(ControlId::kMainWindow);
}

void MainForm::bntCloseClick() {
  if (shell_.Confirm(0, "Are you sure to quite Tidora?", kApplicationTitle)) {
    controls_.EndApplication();
  }
}

void MainForm::bntHelpClick() {
  shell_.StartCommand("hh help.chm");
}

}  // namespace tidora::ui
