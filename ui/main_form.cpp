#include "ui/main_form.h"

#include "base/product.h"
#include "ui/layout.h"

namespace tidora::ui {

namespace {

constexpr const char* kGridHeaders[] = {"Item to be clear", "Files/Entries", "Status"};

// Presence asks for reading only, which a standard user has, and looks in every view of the
// machine's keys, since 32-bit installations write to the 32-bit one.
bool MachineKeyPresent(platform::Registry& registry, std::string_view path) {
  for (const auto view : registry.MachineViews()) {
    if (registry.OpenForRead(platform::RegistryRoot::LocalMachine, path, view)) return true;
  }
  return false;
}

}  // namespace

MainForm::MainForm(ControlSet& controls, platform::Registry& registry, platform::Shell& shell,
                   std::span<Feature* const> features)
    : controls_(controls), registry_(registry), shell_(shell), features_(features) {}

bool MainForm::NetscapePresent() {
  return MachineKeyPresent(registry_, "Software\\Netscape");
}

bool MainForm::OfficePresent() {
  return MachineKeyPresent(registry_, "Software\\Microsoft\\Office");
}

void MainForm::FormCreate() {
  if (!NetscapePresent()) controls_.SetEnabled(ControlId::groupNetscape, false);
  if (!OfficePresent()) controls_.SetEnabled(ControlId::groupOffice, false);
  for (int column = 0; column < 3; ++column) {
    controls_.SetCell(ControlId::sgResultList, 0, column, kGridHeaders[column]);
  }
  for (const auto& [id, hint] : MainWindowHints()) controls_.SetHint(id, hint);
}

bool MainForm::HandleClick(ControlId id) {
  if (HandleOwnClick(id)) return true;
  for (Feature* feature : features_) {
    if (feature->HandleClick(id)) return true;
  }
  return false;
}

bool MainForm::HandleNodeTicked(ControlId tree, int node) {
  for (Feature* feature : features_) {
    if (feature->HandleNodeTicked(tree, node)) return true;
  }
  return false;
}

bool MainForm::IdleSlice() {
  bool more = false;
  // Every feature gets its slice, not only those before the first with more to do.
  for (Feature* feature : features_) more = feature->IdleSlice() || more;
  return more;
}

bool MainForm::HandleOwnClick(ControlId id) {
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
  for (Feature* feature : features_) feature->PanelShown(panel);
}

void MainForm::bntTraceCleanerClick() {
  ShowOnlyPanel(ControlId::CleanItems);
  controls_.Repaint(ControlId::kMainWindow);
}

void MainForm::bntIERepairClick() {
  ShowOnlyPanel(ControlId::IERepare);
  controls_.Repaint(ControlId::kMainWindow);
}

void MainForm::bntToolsMenuClick() {
  ShowOnlyPanel(ControlId::ToolsMenuWizard);
  controls_.Repaint(ControlId::kMainWindow);
}

void MainForm::bntAboutClick() {
  ShowOnlyPanel(ControlId::groupAbout);
  controls_.Repaint(ControlId::kMainWindow);
}

void MainForm::bntCloseClick() {
  if (shell_.Confirm(0, "Are you sure to quite Tidora?", base::kApplicationTitle)) {
    controls_.EndApplication();
  }
}

void MainForm::bntHelpClick() {
  shell_.StartCommand("hh help.chm");
}

}  // namespace tidora::ui
