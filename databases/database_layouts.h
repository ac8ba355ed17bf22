#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tidora::databases {

// A table a cleaning needs, and what it deletes there.
struct TableStep {
  std::string_view table;
  std::vector<std::string> columns;  // all must be there
  bool required = true;              // false: a database without the table skips the step
  std::string_view sql;              // empty: needed, but changed by no statement of its own
};

// A browser database the program cleans inside, keeping whatever else it holds.
struct DatabaseLayout {
  std::string_view name;  // as the built-in rules write it: "FirefoxHistory"
  std::vector<TableStep> steps;
  // Counts the rows the row of the run shows, before anything goes ("visits for history").
  std::string_view counted;
  // For cookie stores: the table and its host column, cleaned host by host past the keep-list.
  std::string_view cookie_table;
  std::string_view host_column;
};

std::span<const DatabaseLayout> DatabaseLayouts();
// nullptr for a name no layout has.
const DatabaseLayout* LayoutNamed(std::string_view name);

}  // namespace tidora::databases
