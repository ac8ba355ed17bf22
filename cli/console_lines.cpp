#include "cli/console_lines.h"

#include <initializer_list>

namespace tidora::cli {

namespace {

constexpr std::string_view kSeparator = "  ";

std::string Joined(std::initializer_list<std::string_view> fields) {
  std::string line;
  for (std::string_view field : fields) {
    if (field.empty()) continue;
    if (!line.empty()) line.append(kSeparator);
    line.append(field);
  }
  return line;
}

}  // namespace

std::string RowLine(const RunRow& row) {
  return Joined({row.caption, std::to_string(row.count), row.size, row.status});
}

std::string TotalLine(int count, std::string_view size) {
  std::string line = "Total: ";
  line.append(std::to_string(count));
  if (size.empty()) return line;
  line.append(" (");
  line.append(size);
  line.append(")");
  return line;
}

std::string ListLine(const ListedItem& item) {
  return Joined({item.name, item.caption, item.detected ? "detected" : "not detected",
                 item.ticked ? "ticked" : "unticked"});
}

}  // namespace tidora::cli
