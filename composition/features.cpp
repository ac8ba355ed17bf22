#include "composition/features.h"

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
                                              const ui::ControlSet& controls) {
  std::vector<cleaning::CleanerRow> all;
  Append(all, system::WindowsCleaners(services.registry, services.files, services.shell));
  Append(all, browser::NetscapeCleaners(services.system, services.shell, services.registry,
                                        services.files, controls));
  Append(all, office::OfficeCleaners(services.system, services.shell, services.registry,
                                     services.files));
  return all;
}

Features::Features(ui::ControlSet& controls, const Services& services)
    : cleaners_(AllCleaners(services, controls)),
      cleaning_run_(controls, cleaners_),
      repair_run_(controls, services.registry, services.files),
      extension_manager_(controls, services.registry) {}

}  // namespace tidora::composition
