#include "app/application.h"

#include <commctrl.h>

#include <exception>
#include <utility>

#include "app/cleaning_run_lock.h"
#include "app/control_factory.h"
#include "app/gdi.h"
#include "app/guarded.h"
#include "app/message_loop.h"
#include "app/skin.h"
#include "base/product.h"
#include "cli/host.h"
#include "ui/layout.h"
#include "ui/splash_form.h"

namespace tidora::app {

namespace {

using ui::ControlId;

constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT kSplashPeriodMs = 100;

Application* AppOf(HWND window) {
  return reinterpret_cast<Application*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Stores the application with the window at its first message, so the procedures can reach it.
Application* AttachApp(HWND window, UINT message, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return AppOf(window);
}

RECT CenteredOnDesktop(int width, int height) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  return RECT{left, top, left + width, top + height};
}

const ui::LayoutRow* LayoutOfItem(const DRAWITEMSTRUCT& item) {
  return ui::FindLayoutRow(static_cast<ControlId>(item.CtlID));
}

// Answers WM_PAINT by painting the whole client area off screen first.
template <typename Painter>
LRESULT PaintClient(HWND window, Painter paint) {
  PaintScope scope(window);
  RECT client;
  GetClientRect(window, &client);
  BufferedPaint buffer(scope.dc(), client);
  paint(buffer.dc(), client);
  return 0;
}

void ShowSystemMenu(HWND window, HWND anchor) {
  RECT place;
  GetWindowRect(anchor, &place);
  HMENU menu = GetSystemMenu(window, FALSE);
  const UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                      place.left, place.bottom, 0, window, nullptr);
  if (command) PostMessageW(window, WM_SYSCOMMAND, command, 0);
}

}  // namespace

Application::Application(HINSTANCE instance) : instance_(instance) {
  controls_.OnClick([this](ControlId id) { OnClick(id); });
  controls_.OnNodeTicked([this](ControlId tree, int node) { form_.HandleNodeTicked(tree, node); });
}

bool Application::RegisterClasses() {
  WNDCLASSEXW main_class{};
  main_class.cbSize = sizeof main_class;
  main_class.style = CS_DBLCLKS;
  main_class.lpfnWndProc = MainWindowProc;
  main_class.hInstance = instance_;
  main_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  main_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  main_class.lpszClassName = kMainWindowClass;
  WNDCLASSEXW splash_class = main_class;
  splash_class.lpfnWndProc = SplashWindowProc;
  splash_class.lpszClassName = kSplashWindowClass;
  auto registered = [](const WNDCLASSEXW& window_class) {
    return RegisterClassExW(&window_class) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  };
  return registered(main_class) && registered(splash_class);
}

HWND Application::CreateTooltip(HWND owner) {
  HWND tooltip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance_, nullptr);
  SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, skin::Scale(420));
  SendMessageW(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(skin::GetFonts().normal), FALSE);
  return tooltip;
}

HWND Application::CreateSplashWindow() {
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;  // a title, and no title-bar buttons at all
  RECT frame = skin::ScaledRect(0, 0, ui::kSplashClientWidth, ui::kSplashClientHeight);
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_TOPMOST);
  const RECT place = CenteredOnDesktop(frame.right - frame.left, frame.bottom - frame.top);
  HWND splash = CreateWindowExW(WS_EX_TOPMOST, kSplashWindowClass, L"Welcome", kStyle, place.left,
                                place.top, place.right - place.left, place.bottom - place.top,
                                nullptr, nullptr, instance_, this);
  if (!splash) return nullptr;
  controls_.Register(ControlId::kSplashWindow, splash, ui::ControlKind::kPanel);
  CreateControls(ui::SplashWindowControls(), controls_);
  return splash;
}

HWND Application::CreateMainWindow() {
  const RECT place =
      CenteredOnDesktop(skin::Scale(ui::kMainClientWidth), skin::Scale(ui::kMainClientHeight));
  HWND main = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_APPWINDOW, kMainWindowClass, L"Tidora",
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, place.left,
                              place.top, place.right - place.left, place.bottom - place.top,
                              nullptr, nullptr, instance_, this);
  if (!main) return nullptr;
  controls_.Register(ControlId::kMainWindow, main, ui::ControlKind::kPanel);
  controls_.SetTooltipWindow(CreateTooltip(main));
  CreateControls(ui::MainWindowControls(), controls_);
  return main;
}

bool Application::Start() {
  if (!RegisterClasses()) return false;
  HWND splash = CreateSplashWindow();
  if (splash) {
    ShowWindow(splash, SW_SHOWNORMAL);
    UpdateWindow(splash);
  }
  if (!CreateMainWindow()) return false;
  Guarded([this] {
    form_.FormCreate();
    return 0;
  });
  if (splash) SetTimer(splash, kSplashTimer, kSplashPeriodMs, nullptr);
  return true;
}

int Application::Run() {
  HWND main = controls_.Window(ControlId::kMainWindow);
  ShowWindow(main, SW_SHOWNORMAL);
  if (HWND splash = controls_.Window(ControlId::kSplashWindow)) {
    SetWindowPos(splash, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return RunMessageLoop(
      [this] { return Guarded([this] { return LRESULT{form_.IdleSlice()}; }) != 0; });
}

void Application::OnClick(ControlId id) {
  // A close asked for during a run ends the program once the run is over; a run that ended in
  // an error forgets it, so that no later, unrelated click ends the program.
  struct CloseAfterRun {
    Application& app;
    ~CloseAfterRun() {
      if (app.run_.running()) return;
      if (std::exchange(app.close_after_run_, false) && std::uncaught_exceptions() == 0) {
        app.controls_.EndApplication();
      }
    }
  } close_after_run{*this};
  if (id != ControlId::bntCleanNow && id != ControlId::bntPreview) {
    form_.HandleClick(id);
    return;
  }
  // One cleaning run at a time: a command-line run may hold it, for as long as it runs.
  const CleaningRunLock lock;
  if (!lock.held()) {
    shell_.ShowMessage(0, cli::kAnotherRunText, base::kApplicationTitle);
    return;
  }
  form_.HandleClick(id);
}

void Application::OnClose() {
  if (!run_.running()) {
    controls_.EndApplication();
    return;
  }
  close_after_run_ = true;
  if (!run_.IsRunStopped()) run_.bntStopFinishClick();
}

void Application::OnCommand(HWND window, WPARAM wparam) {
  if (HIWORD(wparam) != BN_CLICKED) return;
  const auto id = static_cast<ControlId>(LOWORD(wparam));
  const ui::LayoutRow* entry = ui::FindLayoutRow(id);
  if (!entry) return;
  switch (id) {
    case ControlId::kFrameMinimize:
      ShowWindow(window, SW_MINIMIZE);
      return;
    case ControlId::kFrameClose:
      PostMessageW(window, WM_CLOSE, 0, 0);
      return;
    case ControlId::kFrameControlBox:
      ShowSystemMenu(window, controls_.Window(id));
      return;
    default:
      break;
  }
  if (entry->kind == ui::ControlKind::kButton || entry->kind == ui::ControlKind::kNavButton) {
    controls_.DispatchClick(id);
  }
}

LRESULT Application::OnMainMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST: {
      // The drawn title bar moves the window.
      const LRESULT hit = DefWindowProcW(window, message, wparam, lparam);
      POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      ScreenToClient(window, &point);
      return hit == HTCLIENT && point.y < skin::Scale(ui::kTitleBarHeight) ? HTCAPTION : hit;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintClient(
          window, [](HDC dc, const RECT& client) { skin::PaintMainFrame(dc, client, L"Tidora"); });
    case WM_COMMAND:
      OnCommand(window, wparam);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->idFrom == static_cast<UINT_PTR>(ControlId::suiPageControl1) &&
          header->code == TCN_SELCHANGE) {
        ShowSelectedTabSheet(controls_);
      }
      controls_.NoteTreeNotification(*header);
      return 0;
    }
    case Win32ControlSet::kUserTickMessage:
      controls_.FinishUserTick(wparam, lparam);
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const ui::LayoutRow* entry = LayoutOfItem(item);
      if (!entry) return FALSE;
      if (entry->kind == ui::ControlKind::kPicture) {
        FillRect(item.hDC, &item.rcItem, skin::BodyBrush());
        skin::PaintLogo(item.hDC, item.rcItem);
      } else {
        skin::PaintButton(item, entry->kind);
      }
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColorControl(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      controls_.Forget();
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT Application::OnSplashMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintClient(window, skin::PaintSplashBackground);
    case WM_TIMER:
      ui::Timer1Timer(controls_);
      // Hidden, the splash has done its work: no more ticks. Repaint what it covered, since not
      // every display server tells the window beneath.
      if (!IsWindowVisible(window)) {
        KillTimer(window, kSplashTimer);
        controls_.Repaint(ControlId::kMainWindow);
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      return ColorControl(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK Application::MainWindowProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  Application* app = AttachApp(window, message, lparam);
  if (!app) return DefWindowProcW(window, message, wparam, lparam);
  return Guarded([&] { return app->OnMainMessage(window, message, wparam, lparam); });
}

LRESULT CALLBACK Application::SplashWindowProc(HWND window, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
  Application* app = AttachApp(window, message, lparam);
  if (!app) return DefWindowProcW(window, message, wparam, lparam);
  return Guarded([&] { return app->OnSplashMessage(window, message, wparam, lparam); });
}

}  // namespace tidora::app
