#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/listing.h"
#include "cli/result_rows.h"

namespace tidora::cli {

// An error that stopped a run, and where.
struct RunError {
  std::string message;
  std::string after;  // the name of the last row the run wrote; empty when it wrote none
};

// What the JSON report holds; docs/report.md describes it.
struct Report {
  std::string version;
  std::string mode;  // "preview", "clean" or "list"
  std::chrono::system_clock::time_point started, ended;
  std::vector<std::string> requested;
  std::vector<RunRow> rows;        // a preview's or a clean run's
  std::vector<ListedItem> listed;  // /list's
  int total_count = 0;
  std::optional<std::uint64_t> total_bytes;
  std::optional<RunError> error;
};

// The report as one JSON object, in UTF-8.
std::string ReportJson(const Report& report);

// A moment in UTC as "YYYY-MM-DDTHH:MM:SSZ".
std::string UtcText(std::chrono::system_clock::time_point moment);

}  // namespace tidora::cli
