#pragma once

#include <span>
#include <string_view>

#include "controls/control_id.h"

namespace tidora::ui {

enum class ControlKind {
  kFrameButton,  // control box, minimise and close of the drawn frame
  kNavButton,    // navigation column, with a glyph
  kButton,
  kPanel,
  kPageControl,
  kTabSheet,  // fills its page control's display area
  kGroupBox,
  kCheckBox,
  kLabel,
  kPicture,
  kGrid,
  kCheckList,
  kCheckTree,  // nodes under groups, each with a check box that may show partly ticked
  kProgressBar,
  kTextBox,  // read-only lines of text, scrolled both ways: a text window's
};

// kCompact: a narrower face, for the long captions of the repair options.
enum class TextStyle { kNormal, kBold, kNavy, kLoading, kCompact };

// A control's place in 96-dpi pixels inside its parent's client area.
struct Place {
  int left, top, width, height;
};

// One control of a window. Controls are listed parents first and in tab order.
struct LayoutRow {
  ControlId id;
  ControlKind kind;
  ControlId parent;
  Place place;
  std::string_view caption;  // as stored: "&&" shows as one "&"
  bool ticked = false;       // checkboxes: the state at start
  TextStyle style = TextStyle::kNormal;
};

// A control's tooltip; a carriage return breaks its line.
struct HintRow {
  ControlId id;
  std::string_view hint;
};

inline constexpr int kMainClientWidth = 733;
inline constexpr int kMainClientHeight = 494;
inline constexpr int kTitleBarHeight = 28;
inline constexpr int kSplashClientWidth = 361;
inline constexpr int kSplashClientHeight = 139;

std::span<const LayoutRow> MainWindowControls();
std::span<const LayoutRow> SplashWindowControls();
// nullptr when id names no control of either window.
const LayoutRow* FindLayoutRow(ControlId id);
// The hints the main window assigns at creation.
std::span<const HintRow> MainWindowHints();

// The five panels, in the order the navigation handlers set them.
inline constexpr ControlId kPanels[] = {ControlId::CleanItems, ControlId::CleanResult,
                                        ControlId::IERepare, ControlId::ToolsMenuWizard,
                                        ControlId::groupAbout};

// The Trace Cleaner's tab sheets, in the order of their tabs.
inline constexpr ControlId kTabSheets[] = {ControlId::suiTabSheet1, ControlId::suiTabSheet2,
                                           ControlId::suiTabSheet3};

}  // namespace tidora::ui
