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

namespace {

Services BehindTheOverlay(const Services& services, dry_run::DryRun& dry_run) {
  return {dry_run.registry(),
          dry_run.files(),
          dry_run.shell(),
          services.system,
          dry_run.url_cache(),
          dry_run.databases(),
          [&dry_run, create = services.create_url_history] { return dry_run.Wrap(create()); },
          services.builtin_rules};
}

}  // namespace

Features::Features(ui::ControlSet& controls, const Services& services)
    : dry_run_(services.registry, services.files, services.shell, services.url_cache,
               services.databases),
      cleaning_services_(BehindTheOverlay(services, dry_run_)),
      IECache1(cleaning_services_.url_cache),
      UrlHistory1(cleaning_services_.create_url_history),
      applications_(
          controls,
          {cleaning_services_.registry, cleaning_services_.files, cleaning_services_.shell,
           cleaning_services_.system, cleaning_services_.databases},
          services.shell, services.builtin_rules,
          [this] { return browser::IECookieHosts(IECache1); }),
      cleaners_(
          AllCleaners(cleaning_services_, controls, IECache1, UrlHistory1), dry_run_,
          [&controls, &shell = services.shell](cleaning::CleanerProgress& progress,
                                               cleaning::RunKind kind) {
            // A preview asks nothing and closes nothing: it says the browser is open.
            if (kind == cleaning::RunKind::kPreview) {
              return browser::BrowserOpenForItems(controls, shell);
            }
            browser::CloseInternetExplorer(controls, shell, progress);
            return false;
          },
          [this] { return applications_.TickedEntries(); }),
      cleaning_run_(controls, cleaners_),
      repair_run_(controls, services.registry, services.files),
      extension_manager_(controls, services.registry) {
  // As the window loads it: the stored filter set, with its mask.
  IECache1.SetFilterOptions(browser::kStoredFilterOptions);
}

}  // namespace tidora::composition
