#pragma once

#include <string>
#include <string_view>

#include "cli/listing.h"
#include "cli/result_rows.h"

namespace tidora::cli {

// A row as the console shows it: caption, count, size where there is one, and status, two blanks
// apart.
std::string RowLine(const RunRow& row);
// "Total: N", with the size in parentheses when there is one.
std::string TotalLine(int count, std::string_view size);
// Name, caption, whether it is detected and whether it starts ticked, two blanks apart.
std::string ListLine(const ListedItem& item);

}  // namespace tidora::cli
