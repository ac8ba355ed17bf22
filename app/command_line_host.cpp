#include "app/command_line_host.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/rule_resource.h"
#include "app/whole_file.h"
#include "cli/command_line.h"
#include "cli/quiet_shell.h"
#include "platform/sqlite/sqlite_database.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "platform/win32/win32_url_cache.h"
#include "platform/win32/win32_url_history.h"

namespace tidora::app {

namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* memory) const { LocalFree(memory); }
};

// As the window's grid writes sizes.
std::string SystemByteSize(std::uint64_t bytes) {
  wchar_t text[64] = {};
  if (!StrFormatByteSizeW(static_cast<LONGLONG>(bytes), text, 64)) return {};
  return win32::Narrow(text);
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  std::unique_ptr<LPWSTR, LocalFreeDeleter> split(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> arguments;
  for (int index = 1; split && index < count; ++index) {
    arguments.push_back(win32::Narrow(split.get()[index]));
  }
  return arguments;
}

bool CommandLineHost::WriteWhole(const std::string& path, std::string_view text) {
  return WriteWholeFile(path, text);
}

bool CommandLineHost::TakeRunLock() {
  if (!lock_) lock_ = std::make_unique<CleaningRunLock>();
  return lock_->held();
}

int RunFromCommandLine(const std::vector<std::string>& arguments) {
  CommandLineHost host;
  win32::Win32Registry registry;
  win32::Win32Shell real_shell;
  cli::QuietShell shell(real_shell, [&host](std::string_view line) { host.Print(line); });
  win32::Win32FileSystem files;
  win32::Win32SystemInfo system;
  win32::Win32UrlCache url_cache;
  sqlite::SqliteOpener databases;
  const composition::Services services{
      registry,        files, shell, system, url_cache, databases, win32::CreateUrlHistoryStore,
      BuiltInRulesText};
  return cli::RunCommandLine(arguments, services, host, SystemByteSize);
}

}  // namespace tidora::app
