#pragma once

#include <windows.h>

#include <string_view>

#include "controls/control_id.h"
#include "ui/layout.h"

// The "BlueGlass" look, drawn with GDI: gradients with a glass highlight, a navy frame.
namespace tidora::app::skin {

inline constexpr COLORREF kNavy = RGB(12, 34, 94);
inline constexpr COLORREF kBody = RGB(238, 244, 252);
inline constexpr COLORREF kText = RGB(18, 32, 64);
inline constexpr COLORREF kDisabledText = RGB(140, 150, 168);
inline constexpr COLORREF kTitleYellow = RGB(255, 216, 72);
inline constexpr COLORREF kMaroon = RGB(128, 0, 0);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);

// Layout is in 96-dpi pixels; the program is drawn at the monitor's DPI.
void SetDpi(int dpi);
int Scale(int pixels);
RECT ScaledRect(int left, int top, int width, int height);

struct Fonts {
  HFONT normal;
  HFONT compact;
  HFONT bold;
  HFONT panel_title;
  HFONT loading;
  HFONT frame_title;
  HFONT logo;
  HFONT tagline;
};
// Created on first use and kept for the life of the process.
const Fonts& GetFonts();
HFONT FontFor(ui::TextStyle style);
COLORREF TextColorFor(ui::TextStyle style);
HBRUSH BodyBrush();

void VerticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom);
// A gradient whose upper half carries a lighter sheen, as glass does.
void GlassFill(HDC dc, const RECT& area, COLORREF top, COLORREF bottom);

void PaintMainFrame(HDC dc, const RECT& client, std::wstring_view title);
void PaintPanel(HDC dc, const RECT& client, std::wstring_view title);
void PaintSplashBackground(HDC dc, const RECT& client);
// The product's logo: a shield with a sparkle, the name and a tagline.
void PaintLogo(HDC dc, const RECT& area);
// A button under the mouse carries this window property.
inline constexpr wchar_t kHotProperty[] = L"TidoraHot";
inline bool IsHot(HWND button) {
  return GetPropW(button, kHotProperty) != nullptr;
}
void PaintButton(const DRAWITEMSTRUCT& item, ui::ControlKind kind);
void PaintProgressBar(HWND bar);
// A checkbox in the skin, from the button's own state, caption and font.
void PaintCheckBox(HWND box, HDC dc);

}  // namespace tidora::app::skin
