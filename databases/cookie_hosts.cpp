#include "databases/cookie_hosts.h"

#include "cleaning/cookie_keep_list.h"

namespace tidora::databases {

void AddCookieHosts(const DatabaseLayout& layout, std::string_view path,
                    platform::DatabaseOpener& opener, std::set<std::string>& hosts) {
  if (layout.cookie_table.empty()) return;
  try {
    auto database = opener.OpenCopy(path);
    const std::string column(layout.host_column);
    const std::string table(layout.cookie_table);
    if (!database->TableHasColumns(table, {column})) return;
    auto select = database->Prepare("SELECT DISTINCT " + column + " FROM " + table);
    while (select->Step()) {
      if (auto domain = cleaning::CookieDomain(select->ColumnText(0))) {
        hosts.insert(std::move(*domain));
      }
    }
  } catch (const platform::DatabaseError&) {
    // Not offered: the editor still takes a typed domain.
  }
}

}  // namespace tidora::databases
