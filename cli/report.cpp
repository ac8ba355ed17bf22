#include "cli/report.h"

#include <cstdio>

#include <nlohmann/json.hpp>

namespace tidora::cli {

namespace {

// The fields in the order docs/report.md gives them.
using json = nlohmann::ordered_json;

json Bytes(const std::optional<std::uint64_t>& bytes) {
  return bytes ? json(*bytes) : json(nullptr);
}

json RowJson(const RunRow& row) {
  json item = {{"name", row.name},
               {"caption", row.caption},
               {"count", row.count},
               {"bytes", Bytes(row.bytes)},
               {"status", row.status}};
  if (!row.reason.empty()) item["reason"] = row.reason;
  return item;
}

json ListedJson(const ListedItem& listed) {
  return {{"name", listed.name},
          {"caption", listed.caption},
          {"detected", listed.detected},
          {"ticked", listed.ticked}};
}

json ErrorJson(const RunError& error) {
  return {{"message", error.message},
          {"after", error.after.empty() ? json(nullptr) : json(error.after)}};
}

}  // namespace

std::string UtcText(std::chrono::system_clock::time_point moment) {
  using namespace std::chrono;
  const auto day = floor<days>(moment);
  const year_month_day date(day);
  const hh_mm_ss time(floor<seconds>(moment - day));
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                unsigned(date.month()), unsigned(date.day()), int(time.hours().count()),
                int(time.minutes().count()), int(time.seconds().count()));
  return text;
}

std::string ReportJson(const Report& report) {
  json object = {{"version", report.version},
                 {"mode", report.mode},
                 {"started", UtcText(report.started)},
                 {"ended", UtcText(report.ended)},
                 {"requested", report.requested}};
  json items = json::array();
  if (report.mode == "list") {
    for (const ListedItem& listed : report.listed) items.push_back(ListedJson(listed));
    object["items"] = items;
  } else {
    for (const RunRow& row : report.rows) items.push_back(RowJson(row));
    object["items"] = items;
    object["total"] = {{"count", report.total_count}, {"bytes", Bytes(report.total_bytes)}};
  }
  if (report.error) object["error"] = ErrorJson(*report.error);
  // Invalid UTF-8 in a name read from a rule file is replaced, never a reason to lose the report.
  return object.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace tidora::cli
