#include "app/skin.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/gdi.h"
#include "app/window_text.h"

namespace tidora::app::skin {

namespace {

int g_dpi = 96;

COLORREF Mix(COLORREF a, COLORREF b, int percent_b) {
  auto channel = [&](int shift) {
    const int from = (a >> shift) & 0xFF, to = (b >> shift) & 0xFF;
    return static_cast<COLORREF>((from * (100 - percent_b) + to * percent_b) / 100) << shift;
  };
  return channel(0) | channel(8) | channel(16);
}

HFONT MakeFont(int pixel_height, int weight, const wchar_t* face = L"Tahoma", int width = 0) {
  return CreateFontW(-Scale(pixel_height), Scale(width), 0, 0, weight, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, face);
}

void Fill(HDC dc, const RECT& area, COLORREF color) {
  Brush brush(CreateSolidBrush(color));
  FillRect(dc, &area, brush.get());
}

void Frame(HDC dc, const RECT& area, COLORREF color, int width) {
  Brush brush(CreateSolidBrush(color));
  for (int i = 0; i < width; ++i) {
    const RECT ring{area.left + i, area.top + i, area.right - i, area.bottom - i};
    FrameRect(dc, &ring, brush.get());
  }
}

void Text(HDC dc, std::wstring_view text, RECT area, HFONT font, COLORREF color, UINT format) {
  Selection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, format);
}

// Text with a soft dark shadow, for titles on gradients.
void ShadowedText(HDC dc, std::wstring_view text, RECT area, HFONT font, COLORREF color,
                  UINT format) {
  RECT shadow = area;
  OffsetRect(&shadow, 1, 1);
  Text(dc, text, shadow, font, RGB(0, 0, 40), format);
  Text(dc, text, area, font, color, format);
}

void Polygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF edge) {
  Brush brush(CreateSolidBrush(fill));
  Pen pen(CreatePen(PS_SOLID, 1, edge));
  Selection brush_selected(dc, brush.get());
  Selection pen_selected(dc, pen.get());
  ::Polygon(dc, points, count);
}

void Line(HDC dc, POINT from, POINT to, COLORREF color, int width) {
  Pen pen(CreatePen(PS_SOLID, width, color));
  Selection selected(dc, pen.get());
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void Ellipse(HDC dc, const RECT& area, COLORREF fill, COLORREF edge) {
  Brush brush(CreateSolidBrush(fill));
  Pen pen(CreatePen(PS_SOLID, 1, edge));
  Selection brush_selected(dc, brush.get());
  Selection pen_selected(dc, pen.get());
  ::Ellipse(dc, area.left, area.top, area.right, area.bottom);
}

// A shield with a check mark: the product's sign.
void PaintShield(HDC dc, const RECT& box, COLORREF fill) {
  const int w = box.right - box.left, h = box.bottom - box.top;
  auto at = [&](int x_percent, int y_percent) {
    return POINT{box.left + w * x_percent / 100, box.top + h * y_percent / 100};
  };
  const POINT shield[] = {at(50, 0),   at(95, 14), at(90, 55), at(72, 82),
                          at(50, 100), at(28, 82), at(10, 55), at(5, 14)};
  Polygon(dc, shield, 8, fill, Mix(fill, kNavy, 60));
  const POINT sheen[] = {at(50, 6), at(86, 17), at(84, 40), at(50, 40)};
  Polygon(dc, sheen, 4, Mix(fill, kWhite, 35), Mix(fill, kWhite, 35));
  const int stroke = std::max(2, w / 9);
  Line(dc, at(28, 50), at(45, 68), kWhite, stroke);
  Line(dc, at(45, 68), at(75, 30), kWhite, stroke);
}

void PaintGlyph(HDC dc, ui::ControlId id, const RECT& box) {
  const int w = box.right - box.left, h = box.bottom - box.top;
  auto at = [&](int x_percent, int y_percent) {
    return POINT{box.left + w * x_percent / 100, box.top + h * y_percent / 100};
  };
  const int stroke = std::max(2, w / 8);
  switch (id) {
    case ui::ControlId::bntTraceCleaner:
      PaintShield(dc, box, RGB(46, 160, 84));
      break;
    case ui::ControlId::bntIERepair: {  // a wrench
      Ellipse(dc, RECT{at(8, 8).x, at(8, 8).y, at(52, 52).x, at(52, 52).y}, RGB(255, 170, 40),
              RGB(150, 90, 0));
      Ellipse(dc, RECT{at(22, 4).x, at(22, 4).y, at(42, 24).x, at(42, 24).y}, RGB(90, 140, 210),
              RGB(90, 140, 210));
      Line(dc, at(38, 38), at(88, 88), RGB(150, 90, 0), stroke + 3);
      Line(dc, at(38, 38), at(88, 88), RGB(255, 170, 40), stroke);
      break;
    }
    case ui::ControlId::bntToolsMenu:  // a menu with ticked entries
      Fill(dc, RECT{at(10, 8).x, at(10, 8).y, at(90, 92).x, at(90, 92).y}, kWhite);
      Frame(dc, RECT{at(10, 8).x, at(10, 8).y, at(90, 92).x, at(90, 92).y}, RGB(60, 90, 150), 1);
      Fill(dc, RECT{at(10, 8).x, at(10, 8).y, at(90, 26).x, at(90, 26).y}, RGB(60, 110, 200));
      for (int row = 0; row < 3; ++row) {
        const int y = 40 + row * 18;
        Fill(dc, RECT{at(22, y).x, at(22, y).y, at(32, y + 10).x, at(32, y + 10).y},
             RGB(46, 160, 84));
        Fill(dc, RECT{at(38, y + 2).x, at(38, y + 2).y, at(80, y + 8).x, at(80, y + 8).y},
             RGB(120, 140, 170));
      }
      break;
    case ui::ControlId::bntClose:  // a red disc with a white cross
      Ellipse(dc, box, RGB(214, 60, 50), RGB(130, 20, 20));
      Line(dc, at(32, 32), at(68, 68), kWhite, stroke);
      Line(dc, at(68, 32), at(32, 68), kWhite, stroke);
      break;
    default:
      break;
  }
}

void PaintFrameButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const auto id = static_cast<ui::ControlId>(item.CtlID);
  COLORREF top = id == ui::ControlId::kFrameClose ? RGB(232, 120, 100) : RGB(120, 160, 225);
  COLORREF bottom = id == ui::ControlId::kFrameClose ? RGB(180, 40, 30) : RGB(30, 70, 150);
  if (IsHot(item.hwndItem)) top = Mix(top, kWhite, 30), bottom = Mix(bottom, kWhite, 20);
  if (id == ui::ControlId::kFrameControlBox) {
    VerticalGradient(dc, box, RGB(40, 90, 170), RGB(20, 55, 125));  // blends with the title bar
    InflateRect(&box, -1, -1);
    PaintShield(dc, box, RGB(46, 160, 84));
    return;
  }
  GlassFill(dc, box, pressed ? bottom : top, pressed ? top : bottom);
  Frame(dc, box, RGB(255, 255, 255), 1);
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2, r = Scale(4);
  if (id == ui::ControlId::kFrameClose) {
    Line(dc, {cx - r, cy - r}, {cx + r + 1, cy + r + 1}, kWhite, Scale(2));
    Line(dc, {cx + r, cy - r}, {cx - r - 1, cy + r + 1}, kWhite, Scale(2));
  } else {
    Fill(dc, RECT{cx - r, cy + r - Scale(2), cx + r, cy + r}, kWhite);
  }
}

}  // namespace

void SetDpi(int dpi) {
  g_dpi = dpi > 0 ? dpi : 96;
}

int Scale(int pixels) {
  return MulDiv(pixels, g_dpi, 96);
}

RECT ScaledRect(int left, int top, int width, int height) {
  return RECT{Scale(left), Scale(top), Scale(left + width), Scale(top + height)};
}

const Fonts& GetFonts() {
  static const Fonts fonts{MakeFont(11, FW_NORMAL),
                           MakeFont(11, FW_NORMAL, L"Tahoma", 5),
                           MakeFont(11, FW_BOLD),
                           MakeFont(15, FW_BOLD),
                           MakeFont(16, FW_BOLD),
                           MakeFont(13, FW_BOLD),
                           MakeFont(40, FW_HEAVY, L"Verdana"),
                           MakeFont(12, FW_NORMAL)};
  return fonts;
}

HFONT FontFor(ui::TextStyle style) {
  switch (style) {
    case ui::TextStyle::kBold:
    case ui::TextStyle::kNavy:
      return GetFonts().bold;
    case ui::TextStyle::kLoading:
      return GetFonts().loading;
    case ui::TextStyle::kCompact:
      return GetFonts().compact;
    default:
      return GetFonts().normal;
  }
}

COLORREF TextColorFor(ui::TextStyle style) {
  switch (style) {
    case ui::TextStyle::kNavy:
      return RGB(0, 0, 128);
    case ui::TextStyle::kLoading:
      return kMaroon;
    default:
      return kText;
  }
}

HBRUSH BodyBrush() {
  static const HBRUSH brush = CreateSolidBrush(kBody);
  return brush;
}

void VerticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
  TRIVERTEX vertices[2] = {
      {area.left, area.top, static_cast<COLOR16>(GetRValue(top) << 8),
       static_cast<COLOR16>(GetGValue(top) << 8), static_cast<COLOR16>(GetBValue(top) << 8), 0},
      {area.right, area.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
       static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8),
       0}};
  GRADIENT_RECT span{0, 1};
  GradientFill(dc, vertices, 2, &span, 1, GRADIENT_FILL_RECT_V);
}

void GlassFill(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
  const int middle = (area.top + area.bottom) / 2;
  VerticalGradient(dc, RECT{area.left, area.top, area.right, middle}, Mix(top, kWhite, 45),
                   Mix(top, bottom, 35));
  VerticalGradient(dc, RECT{area.left, middle, area.right, area.bottom}, Mix(top, bottom, 55),
                   bottom);
}

void PaintLogo(HDC dc, const RECT& area) {
  const int height = area.bottom - area.top;
  const RECT shield{area.left + Scale(4), area.top + Scale(4),
                    area.left + Scale(4) + height * 8 / 10, area.bottom - Scale(4)};
  PaintShield(dc, shield, RGB(46, 160, 84));
  RECT name{shield.right + Scale(10), area.top, area.right, area.top + height * 7 / 10};
  ShadowedText(dc, L"Tidora", name, GetFonts().logo, RGB(40, 110, 210),
               DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
  RECT tagline{name.left + Scale(3), name.bottom, area.right, area.bottom};
  Text(dc, L"Privacy cleaner \u00B7 Browser repair", tagline, GetFonts().tagline, RGB(70, 90, 130),
       DT_LEFT | DT_TOP | DT_SINGLELINE);
}

void PaintMainFrame(HDC dc, const RECT& client, std::wstring_view title) {
  Fill(dc, client, kBody);
  // Title bar.
  const RECT title_bar{client.left, client.top, client.right, Scale(ui::kTitleBarHeight)};
  GlassFill(dc, title_bar, RGB(64, 120, 205), RGB(14, 48, 118));
  Text(dc, title, RECT{Scale(32), 0, Scale(400), title_bar.bottom}, GetFonts().frame_title, kWhite,
       DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  // Banner.
  const RECT banner = ScaledRect(0, 28, ui::kMainClientWidth, 62);
  VerticalGradient(dc, banner, RGB(214, 232, 255), RGB(150, 190, 240));
  VerticalGradient(dc, RECT{banner.left, banner.bottom - Scale(3), banner.right, banner.bottom},
                   RGB(40, 90, 170), RGB(20, 55, 125));
  PaintLogo(dc, ScaledRect(14, 30, 420, 58));
  // Navigation column.
  const RECT column = ScaledRect(3, 92, 188, 398);
  VerticalGradient(dc, column, RGB(222, 234, 250), RGB(168, 196, 236));
  Frame(dc, column, RGB(150, 180, 225), 1);
  // The frame's navy border.
  Frame(dc, client, kNavy, Scale(2));
}

void PaintPanel(HDC dc, const RECT& client, std::wstring_view title) {
  Fill(dc, client, kBody);
  const RECT header{client.left, client.top, client.right, client.top + Scale(26)};
  GlassFill(dc, header, RGB(70, 125, 210), RGB(22, 60, 135));
  RECT sign{Scale(12), Scale(4), Scale(30), Scale(22)};
  PaintShield(dc, sign, RGB(255, 200, 60));
  std::wstring shown(title);
  Text(dc, shown, RECT{Scale(41), Scale(5), client.right, header.bottom}, GetFonts().panel_title,
       kTitleYellow, DT_LEFT | DT_TOP | DT_SINGLELINE);
  const RECT footer{client.left, client.bottom - Scale(14), client.right, client.bottom};
  VerticalGradient(dc, footer, RGB(200, 218, 245), RGB(120, 160, 220));
  Frame(dc, client, RGB(110, 145, 205), 1);
}

void PaintSplashBackground(HDC dc, const RECT& client) {
  VerticalGradient(dc, client, RGB(236, 244, 255), RGB(170, 200, 242));
  PaintLogo(dc, ScaledRect(0, 4, 350, 65));
}

void PaintButton(const DRAWITEMSTRUCT& item, ui::ControlKind kind) {
  if (kind == ui::ControlKind::kFrameButton) return PaintFrameButton(item);
  HDC dc = item.hDC;
  const RECT box = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool focused = item.itemState & ODS_FOCUS;
  BufferedPaint buffer(dc, box);
  HDC paint = buffer.dc();
  Fill(paint, box, kind == ui::ControlKind::kNavButton ? RGB(200, 218, 245) : kBody);

  COLORREF top = RGB(110, 160, 235), bottom = RGB(24, 70, 160);
  if (IsHot(item.hwndItem)) top = RGB(150, 195, 255), bottom = RGB(40, 100, 200);
  if (disabled) top = RGB(200, 208, 220), bottom = RGB(150, 160, 178);
  if (pressed) std::swap(top, bottom);
  const int radius = Scale(8);
  Region shape(
      CreateRoundRectRgn(box.left, box.top, box.right + 1, box.bottom + 1, radius, radius));
  SelectClipRgn(paint, shape.get());
  GlassFill(paint, box, top, bottom);
  SelectClipRgn(paint, nullptr);
  {
    Brush edge(CreateSolidBrush(disabled ? RGB(140, 150, 170) : kNavy));
    FrameRgn(paint, shape.get(), edge.get(), 1, 1);
  }

  RECT text_area = box;
  if (kind == ui::ControlKind::kNavButton) {
    const int glyph = Scale(18);
    const int top_edge = (box.top + box.bottom - glyph) / 2;
    PaintGlyph(paint, static_cast<ui::ControlId>(item.CtlID),
               RECT{box.left + Scale(5), top_edge, box.left + Scale(5) + glyph, top_edge + glyph});
    text_area.left += Scale(27);
  }
  std::wstring text = WindowText(item.hwndItem);
  // Leading and trailing blanks are part of some stored captions; they must not shift the text.
  const auto first = text.find_first_not_of(L' ');
  text = first == std::wstring::npos ? L""
                                     : text.substr(first, text.find_last_not_of(L' ') - first + 1);
  if (pressed) OffsetRect(&text_area, 1, 1);
  const UINT format =
      DT_SINGLELINE | DT_VCENTER | (kind == ui::ControlKind::kNavButton ? DT_LEFT : DT_CENTER);
  HFONT font = kind == ui::ControlKind::kNavButton ? GetFonts().normal : GetFonts().bold;
  ShadowedText(paint, text, text_area, font, disabled ? RGB(235, 238, 244) : kWhite, format);
  if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = box;
    InflateRect(&focus, -Scale(3), -Scale(3));
    SetTextColor(paint, kWhite);
    DrawFocusRect(paint, &focus);
  }
}

void PaintProgressBar(HWND bar) {
  PaintScope scope(bar);
  RECT box;
  GetClientRect(bar, &box);
  BufferedPaint buffer(scope.dc(), box);
  HDC dc = buffer.dc();
  const int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
  VerticalGradient(dc, box, RGB(214, 222, 236), RGB(246, 249, 253));
  RECT done = box;
  done.right = box.left + (box.right - box.left) * std::clamp(position, 0, 100) / 100;
  if (done.right > done.left) GlassFill(dc, done, RGB(90, 200, 110), RGB(20, 120, 50));
  Frame(dc, box, RGB(90, 120, 170), 1);
  const std::wstring percent = std::to_wstring(position) + L"%";
  HFONT font = box.bottom - box.top < Scale(14) ? GetFonts().normal : GetFonts().bold;
  Text(dc, percent, box, font, kText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PaintCheckBox(HWND box, HDC target) {
  RECT client;
  GetClientRect(box, &client);
  BufferedPaint buffer(target, client);
  HDC dc = buffer.dc();
  FillRect(dc, &client, BodyBrush());
  const bool enabled = IsWindowEnabled(box);
  const bool checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const bool pressed = SendMessageW(box, BM_GETSTATE, 0, 0) & BST_PUSHED;

  const int size = Scale(13);
  const int top = (client.top + client.bottom - size) / 2;
  const RECT square{client.left + 1, top, client.left + 1 + size, top + size};
  if (enabled) {
    VerticalGradient(dc, square, pressed ? RGB(200, 220, 250) : kWhite, RGB(206, 222, 246));
  } else {
    Fill(dc, square, RGB(232, 235, 240));
  }
  Frame(dc, square, enabled ? RGB(40, 80, 160) : RGB(170, 178, 190), 1);
  if (checked) {
    const COLORREF tick = enabled ? RGB(20, 130, 60) : RGB(150, 160, 170);
    const int x = square.left, y = square.top, w = Scale(2);
    Line(dc, {x + size * 3 / 13, y + size * 6 / 13}, {x + size * 5 / 13, y + size * 9 / 13}, tick,
         w);
    Line(dc, {x + size * 5 / 13, y + size * 9 / 13}, {x + size * 10 / 13, y + size * 3 / 13}, tick,
         w);
  }

  const std::wstring caption = WindowText(box);
  RECT text = client;
  text.left = square.right + Scale(4);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
  Text(dc, caption, text, font ? font : GetFonts().normal, enabled ? kText : kDisabledText,
       DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (GetFocus() == box && !(SendMessageW(box, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    RECT measured = text;
    Text(dc, caption, measured, font, kText, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    OffsetRect(&measured, 0, (client.bottom - measured.bottom) / 2);
    InflateRect(&measured, 2, 1);
    SetTextColor(dc, kText);
    DrawFocusRect(dc, &measured);
  }
}

}  // namespace tidora::app::skin
