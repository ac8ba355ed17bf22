#include "rules/cookie_keep_editor.h"

#include <vector>

#include "base/product.h"
#include "cleaning/cookie_keep_list.h"

namespace tidora::rules {

void EditCookieKeepList(ui::ControlSet& controls, platform::Registry& registry,
                        platform::Shell& dialogs, const std::set<std::string>& found_hosts) {
  const cleaning::CookieKeepList saved = cleaning::ReadCookieKeepList(registry);
  ui::ControlSet::ListEdit edit;
  edit.title = "Cookies to keep";
  edit.items = saved.domains();
  edit.suggestions.assign(found_hosts.begin(), found_hosts.end());
  edit.accept = [](std::string_view text) { return cleaning::CookieDomain(text); };
  const auto edited = controls.EditList(ui::ControlId::kKeepListWindow, edit);
  if (!edited) return;
  std::vector<std::string> domains;
  for (const std::string& text : *edited) {
    if (auto domain = cleaning::CookieDomain(text)) domains.push_back(std::move(*domain));
  }
  const cleaning::CookieKeepList list(std::move(domains));
  if (list.domains() == saved.domains()) return;
  if (!cleaning::SaveCookieKeepList(registry, list)) {
    dialogs.ShowMessage(0, "The list of cookies to keep could not be saved.",
                        base::kApplicationTitle);
  }
}

}  // namespace tidora::rules
