#pragma once

#include <set>
#include <string>
#include <string_view>

#include "databases/database_layouts.h"
#include "platform/database.h"

namespace tidora::databases {

// Adds to hosts the cookie hosts of a cookie store, read from a copy: the original is never
// opened, so that a running browser and its files are left alone. Leading dots and case go.
// A store that cannot be read adds nothing.
void AddCookieHosts(const DatabaseLayout& layout, std::string_view path,
                    platform::DatabaseOpener& opener, std::set<std::string>& hosts);

}  // namespace tidora::databases
