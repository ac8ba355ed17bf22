#include "cli/item_names.h"

#include <algorithm>

#include "base/text.h"

namespace tidora::cli {

namespace {

using enum ui::ControlId;

constexpr ItemName kNames[] = {
    {"IEABH", IEABH},
    {"IETIF", IETIF},
    {"IECookies", IECookies},
    {"IEAFD", IEAFD},
    {"IEHistory", IEHistory},
    {"IEBleachIndex", IEBleachIndex},
    {"NsCache", NsCache},
    {"NsAddressBar", NsAddressBar},
    {"NsCookies", NsCookies},
    {"NsHistory", NsHistory},
    {"NsAutoForm", NsAutoForm},
    {"WinDocumentHistory", WinDocumentHistory},
    {"WinRunHistory", WinRunHistory},
    {"WinFindSearch", WinFindSearch},
    {"WinTFD", WinTFD},
    {"WinSTF", WinSTF},
    {"WinRecycleBin", WinRecycleBin},
    {"WinClipboard", WinClipboard},
    {"MSWord", MSWord},
    {"MSExcel", MSExcel},
    {"MSPowerPoint", MSPowerPoint},
    {"MSPhotoEditor", MSPhotoEditor},
    {"MSOutlook", MSOutlook},
    {"MSAccess", MSAccess},
    {"MSFrontPage", MSFrontPage},
    {"MSOfficeRecent", MSOfficeRecent},
};

constexpr std::string_view kNetscapeRow = "groupNetscape";

}  // namespace

std::span<const ItemName> ItemNames() {
  return kNames;
}

bool IsNetscapeStep(ui::ControlId id) {
  return id >= NsCache && id <= NsAutoForm;
}

std::vector<ui::ControlId> BoxesNamed(std::string_view name) {
  const std::string wanted = base::AsciiLower(name);
  std::vector<ui::ControlId> boxes;
  for (const auto& [each, id] : kNames) {
    const bool netscape_row = wanted == base::AsciiLower(kNetscapeRow) && IsNetscapeStep(id);
    if (netscape_row || base::AsciiLower(each) == wanted) boxes.push_back(id);
  }
  return boxes;
}

std::string_view NameOf(ui::ControlId id) {
  if (id == groupNetscape) return kNetscapeRow;
  const auto found = std::ranges::find(kNames, id, &ItemName::id);
  return found == std::end(kNames) ? std::string_view() : found->name;
}

}  // namespace tidora::cli
