#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line_host.h"
#include "app/skin.h"

namespace {

class ComScope {
 public:
  ComScope() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (initialized_) CoUninitialize();
  }

 private:
  bool initialized_;
};

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // COM for this thread, which the browser's history store needs, in either face.
  ComScope com;
  // Any argument asks for the command line, which shows no window at all.
  const std::vector<std::string> arguments = tidora::app::CommandLineArguments();
  if (!arguments.empty()) return tidora::app::RunFromCommandLine(arguments);

  SetProcessDPIAware();
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                 ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES |
                                                 ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  tidora::app::skin::SetDpi(ScreenDpi());

  tidora::app::Application application(instance);
  if (!application.Start()) return 1;
  return application.Run();
}
