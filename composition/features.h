#pragma once

#include <array>

#include "browser/ie_cache.h"
#include "browser/url_history.h"
#include "cleaning/cleaning_run.h"
#include "composition/cleaner_table.h"
#include "controls/control_set.h"
#include "controls/feature.h"
#include "extensions/extension_manager.h"
#include "platform/database.h"
#include "platform/dry_run/dry_run.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "platform/url_cache.h"
#include "repair/repair_run.h"
#include "rules/applications_tab.h"

namespace tidora::composition {

// The platform services the features work on.
struct Services {
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::Shell& shell;
  platform::SystemInfo& system;
  platform::UrlCache& url_cache;
  platform::DatabaseOpener& databases;
  // Creates the URL-history store; may throw when the system cannot give it.
  browser::TUrlHistory::StoreFactory create_url_history;
  // The built-in cleaning rules' text, as the program carries it.
  rules::ApplicationsTab::RuleText builtin_rules;
};

// Every feature's cleaners, joined into one table for the run.
std::vector<cleaning::CleanerRow> AllCleaners(const Services& services,
                                              const ui::ControlSet& controls,
                                              browser::TIECache& ie_cache,
                                              browser::TUrlHistory& url_history);

// The features of the main window, wired to the services and the controls.
class Features {
 public:
  Features(ui::ControlSet& controls, const Services& services);
  Features(const Features&) = delete;
  Features& operator=(const Features&) = delete;

  // In the order they hear clicks and panel changes.
  std::span<ui::Feature* const> All() const { return all_; }
  cleaning::CleaningRun& cleaning_run() { return cleaning_run_; }
  const rules::ApplicationsTab& applications() const { return applications_; }
  const CleanerTable& cleaners() const { return cleaners_; }

 private:
  // The services the cleaners work on, behind the overlay a preview records in; repair and the
  // extension manager keep the services themselves.
  dry_run::DryRun dry_run_;
  Services cleaning_services_;
  // The main window's two components, made first so that the cleaners never outlive them.
  browser::TIECache IECache1;
  browser::TUrlHistory UrlHistory1;
  rules::ApplicationsTab applications_;
  CleanerTable cleaners_;
  cleaning::CleaningRun cleaning_run_;
  repair::RepairRun repair_run_;
  extensions::ExtensionManager extension_manager_;
  std::array<ui::Feature*, 4> all_{&cleaning_run_, &repair_run_, &extension_manager_,
                                   &applications_};
};

}  // namespace tidora::composition
