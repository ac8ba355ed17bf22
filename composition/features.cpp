#include "composition/features.h"

#include "browser/ie_cleaners.h"
#include "browser/netscape_cleaner.h"
#include "office/office_cleaners.h"
#include "system/windows_cleaners.h"

namespace tidora::composition {

namespace {

void Append(std::vector<cleaning::CleanerRow>& all, std::vector<cleaning::CleanerRow> rows) {
  for (auto& row : rows) all.push_back(std::move(row));
}

}  // namespace

std::vector<cleaning::CleanerRow> AllCleaners(const Services& services,
                                              const ui::ControlSet& controls,
                                              browser::TIECache& ie_cache,
                                              browser::TUrlHistory& url_history) {
  std::vector<cleaning::CleanerRow> all;
  Append(all, browser::InternetExplorerCleaners(ie_cache, url_history, services.registry,
                                                services.system));
  Append(all, system::WindowsCleaners(services.registry, services.files, services.shell));
  Append(all, browser::NetscapeCleaners(services.system, services.shell, services.registry,
                                        services.files, controls));
  Append(all, office::OfficeCleaners(services.system, services.shell, services.registry,
                                     services.files));
  return all;
}

Features::Features(ui::ControlSet& controls, const Services& services)
    : IECache1(services.url_cache),
      UrlHistory1(services.create_url_history),
      cleaners_(AllCleaners(services, controls, IECache1, UrlHistory1),
                [&controls, &shell = services.shell](cleaning::CleanerProgress& progress) {
                  browser::CloseInternetExplorer(controls, shell, progress);
                }),
      cleaning_run_(controls, cleaners_),
      repair_run_(controls, services.registry, services.files),
      extension_manager_(controls, services.registry) {
  // As the window loads it: the stored filter set, with its mask.
  IECache1.SetFilterOptions(browser::kStoredFilterOptions);
}

}  // namespace tidora::composition
