#include "cli/command_line.h"

#include <charconv>
#include <exception>
#include <variant>

#include "base/version.h"
#include "cli/arguments.h"
#include "cli/console_lines.h"
#include "cli/exit_code.h"
#include "cli/report.h"
#include "cli/selection.h"
#include "cli/usage.h"
#include "ui/main_form.h"

namespace tidora::cli {

namespace {

using ui::ControlId;

std::string_view ModeName(Mode mode) {
  switch (mode) {
    case Mode::kPreview:
      return "preview";
    case Mode::kClean:
      return "clean";
    default:
      return "list";
  }
}

// The name of the last row the run finished; empty when it finished none.
std::string LastFinished(const std::vector<RunRow>& rows) {
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    if (row->status != "Pending") return row->name;
  }
  return {};
}

// The window's features on controls of no window, started as the window starts them.
class Session {
 public:
  Session(const Command& command, const composition::Services& services, Host& host,
          const HeadlessControls::SizeFormat& format_size)
      : command_(command),
        host_(host),
        controls_(format_size),
        features_(controls_, services),
        form_(controls_, services.registry, services.shell, features_.All()) {
    controls_.OnClick([this](ControlId id) { form_.HandleClick(id); });
    report_.version = base::kVersion;
    report_.mode = ModeName(command.mode);
    report_.requested = command.requested;
  }

  ExitCode Run() {
    report_.started = host_.Now();
    ExitCode code = ExitCode::kError;
    try {
      // As the window opens: its groups enabled as found, its rules read and detected.
      form_.FormCreate();
      while (form_.IdleSlice()) {
      }
      code = command_.mode == Mode::kList ? List() : PreviewOrClean();
    } catch (const std::exception& error) {
      code = Stopped(error.what());
    } catch (...) {
      code = Stopped("An unexpected error occurred.");
    }
    if (code == ExitCode::kBadCommandLine) return code;
    report_.ended = host_.Now();
    return WriteReport() ? code : ExitCode::kError;
  }

 private:
  ExitCode List() {
    report_.listed = ListItems(controls_, features_);
    for (const ListedItem& item : report_.listed) host_.Print(ListLine(item));
    return ExitCode::kDone;
  }

  ExitCode PreviewOrClean() {
    const Selection selection = Select(command_, controls_, features_.applications());
    if (selection.unknown) {
      host_.Print(BadArgument(*selection.unknown, "unknown item"));
      return ExitCode::kBadCommandLine;
    }
    for (const std::string& line : selection.lines) host_.Print(line);
    controls_.Click(command_.mode == Mode::kPreview ? ControlId::bntPreview
                                                    : ControlId::bntCleanNow);
    ReadResults();
    for (const RunRow& row : report_.rows) host_.Print(RowLine(row));
    host_.Print(TotalLine(report_.total_count, controls_.Caption(ControlId::TotalSize)));
    return RunExitCode(command_.mode, report_.rows, false);
  }

  // A script that asked for a report and gets none must hear of it.
  bool WriteReport() {
    if (!command_.report || host_.WriteWhole(*command_.report, ReportJson(report_))) return true;
    std::string line = "Error: the report could not be written to \"";
    line.append(*command_.report);
    line.append("\".");
    host_.Print(line);
    return false;
  }

  void ReadResults() {
    const cleaning::CleaningRun& run = features_.cleaning_run();
    report_.rows = ReadRows(controls_, run);
    const std::string total = controls_.Caption(ControlId::TotalResult);
    std::from_chars(total.data(), total.data() + total.size(), report_.total_count);
    if (run.Removed().files) report_.total_bytes = run.Removed().bytes;
  }

  ExitCode Stopped(const std::string& message) {
    if (command_.mode != Mode::kList) ReadResults();
    report_.error = RunError{message, LastFinished(report_.rows)};
    std::string line = "Error: ";
    line.append(message);
    host_.Print(line);
    return ExitCode::kError;
  }

  const Command& command_;
  Host& host_;
  HeadlessControls controls_;
  composition::Features features_;
  ui::MainForm form_;
  Report report_;
};

}  // namespace

int RunCommandLine(std::span<const std::string> arguments, const composition::Services& services,
                   Host& host, const HeadlessControls::SizeFormat& format_size) {
  const auto parsed = ParseArguments(arguments);
  if (const auto* error = std::get_if<ArgumentError>(&parsed)) {
    host.Print(error->message);
    return static_cast<int>(ExitCode::kBadCommandLine);
  }
  const Command& command = std::get<Command>(parsed);
  if (command.mode == Mode::kUsage) {
    for (std::string_view line : UsageLines()) host.Print(line);
    return static_cast<int>(ExitCode::kDone);
  }
  // A list changes nothing and may run beside a cleaning run.
  if (command.mode != Mode::kList && !host.TakeRunLock()) {
    host.Print(kAnotherRunText);
    return static_cast<int>(ExitCode::kAnotherRun);
  }
  Session session(command, services, host, format_size);
  return static_cast<int>(session.Run());
}

}  // namespace tidora::cli
