#pragma once

#include <windows.h>

#include "app/rule_resource.h"
#include "app/win32_control_set.h"
#include "composition/features.h"
#include "platform/sqlite/sqlite_database.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "platform/win32/win32_url_cache.h"
#include "platform/win32/win32_url_history.h"
#include "ui/main_form.h"

namespace tidora::app {

inline constexpr wchar_t kMainWindowClass[] = L"TProjectMainForm";
inline constexpr wchar_t kSplashWindowClass[] = L"TSplashForm";

// The application object: the two windows, their controls and the program's handlers.
class Application {
 public:
  explicit Application(HINSTANCE instance);
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Shows the splash, creates the main window and runs its creation handler.
  bool Start();
  // Shows the main window and runs the message loop until the program ends; the exit code.
  int Run();

  Win32ControlSet& controls() { return controls_; }

 private:
  static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK SplashWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMainMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnSplashMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(HWND window, WPARAM wparam);
  void OnClick(ui::ControlId id);
  // Closing the frame during a run stops it; the program ends when the run has.
  void OnClose();
  bool RegisterClasses();
  HWND CreateSplashWindow();
  HWND CreateMainWindow();
  HWND CreateTooltip(HWND owner);

  HINSTANCE instance_;
  win32::Win32Registry registry_;
  win32::Win32Shell shell_;
  win32::Win32FileSystem files_;
  win32::Win32SystemInfo system_;
  win32::Win32UrlCache url_cache_;
  sqlite::SqliteOpener databases_;
  Win32ControlSet controls_;
  composition::Features features_{controls_,
                                  {registry_, files_, shell_, system_, url_cache_, databases_,
                                   win32::CreateUrlHistoryStore, BuiltInRulesText}};
  cleaning::CleaningRun& run_ = features_.cleaning_run();
  ui::MainForm form_{controls_, registry_, shell_, features_.All()};
  bool close_after_run_ = false;
};

}  // namespace tidora::app
