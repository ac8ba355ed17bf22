#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cleaning/cleaner.h"
#include "cleaning/cookie_keep_list.h"
#include "databases/database_layouts.h"
#include "platform/database.h"

namespace tidora::databases {

// What cleaning one database came to.
struct DatabaseResult {
  int removed = 0;  // the rows the layout counts; 0 when the database was left as it was
  std::optional<cleaning::Untouched> untouched;
  std::string reason;  // why it was left, for the user
};

// Deletes, in one transaction, what the layout names in the database at path, then compacts
// the file so that the deleted rows cannot be read back from its free pages. A database that a
// running program holds, that is no database, is damaged, or lacks a table or column the layout
// needs is left whole. Never removes, truncates or replaces the file or its companions.
DatabaseResult CleanDatabase(const DatabaseLayout& layout, std::string_view path,
                             platform::DatabaseOpener& opener,
                             const cleaning::CookieKeepList& keep);

}  // namespace tidora::databases
