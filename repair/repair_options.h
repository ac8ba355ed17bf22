#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "controls/control_id.h"
#include "repair/ie5_tools.h"
#include "repair/repair_actions.h"

namespace tidora::repair {

// The browser vendor's servers, where the fixed addresses below point.
inline constexpr char kVendorWebServer[] = "www.microsoft.com";
inline constexpr char kVendorSearchServer[] = "search.msn.com";

// The pieces as one text, at compile time.
template <std::size_t... N>
constexpr auto Joined(const char (&... parts)[N]) {
  std::array<char, (N + ...) - sizeof...(N) + 1> joined{};
  std::size_t at = 0;
  for (std::string_view part : {std::string_view(parts, N - 1)...}) {
    for (char c : part) joined[at++] = c;
  }
  return joined;
}

inline constexpr auto kStartPageAddress =
    Joined("http://", kVendorWebServer, "/windows/ie_intl/cn/start/");
inline constexpr auto kSearchAddress =
    Joined("http://", kVendorSearchServer, "/zh-cn/default.aspx");

inline constexpr char kMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kSearchKey[] = "Software\\Microsoft\\Internet Explorer\\Search";
inline constexpr char kSystemPolicyKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

enum class Change {
  kDeleteIfPresent,
  kOverwriteIfPresent,    // with the option's text
  kPolicyOff,             // the option's policy setters, each given false
  kRestartRepair,         // several keys and a file: see RestartRepair
  kDeleteExplorerPolicy,  // through DeleteExplorerPolicy
};

using PolicySetter = bool (*)(platform::Registry&, bool restricted);

struct RepairOption {
  ui::ControlId checkbox;
  Roots roots;
  const char* key;
  std::array<const char*, 2> values;  // the second may be absent
  Change change;
  const char* text = nullptr;
  std::array<PolicySetter, 2> setters{};
};

using Id = ui::ControlId;

// In the order a run applies them, which is not their order on screen: when a write fails, the
// run stops there, and what came before stays applied.
// clang-format off
inline constexpr RepairOption kRepairOptions[] = {
  {Id::IER_RestoreRegistryTools,  Roots::kUser,            kSystemPolicyKey,       {"DisableRegistryTools"},              Change::kDeleteIfPresent},
  {Id::IER_RestoreCaption,        Roots::kUserThenMachine, kMainKey,               {"Window Title"},                      Change::kDeleteIfPresent},
  {Id::IER_RestoreStartPage,      Roots::kUserThenMachine, kMainKey,               {"Start Page"},                        Change::kOverwriteIfPresent, "about:blank"},
  {Id::IER_RestoreDefaultAddress, Roots::kMachine,         kMainKey,               {"Default_Page_URL"},                  Change::kOverwriteIfPresent, kStartPageAddress.data()},
  {Id::IER_RestoreOptions,        Roots::kUserThenMachine, kRestrictionPolicyKey,  {"NoBrowserOptions"},                  Change::kPolicyOff, nullptr, {SetNoBrowserOptions}},
  {Id::IER_RestoreHomePage,       Roots::kUser,            kControlPanelPolicyKey, {"GeneralTab", "Homepage"},            Change::kPolicyOff, nullptr, {SetGeneralTabRestriction, SetHomepageRestriction}},
  {Id::IER_RestoreRestart,        Roots::kUserThenMachine, nullptr,                {},                                    Change::kRestartRepair},
  {Id::IER_RestoreRightButton,    Roots::kUserThenMachine, kRestrictionPolicyKey,  {"NoBrowserContextMenu"},              Change::kPolicyOff, nullptr, {SetNoBrowserContextMenu}},
  {Id::IER_RestoreViewSource,     Roots::kUserThenMachine, kRestrictionPolicyKey,  {"NoViewSource"},                      Change::kPolicyOff, nullptr, {SetNoViewSource}},
  {Id::IER_RestoreSearchEngine,   Roots::kMachine,         kSearchKey,             {"CustomizeSearch", "SearchAssistant"}, Change::kOverwriteIfPresent, kSearchAddress.data()},
  {Id::IER_RestoreTaskBar,        Roots::kUser,            kExplorerPolicyKey,     {"NoSetTaskBar"},                      Change::kDeleteExplorerPolicy},
  {Id::IER_RestoreShutDown,       Roots::kUser,            kExplorerPolicyKey,     {"NoShutDown"},                        Change::kDeleteExplorerPolicy},
  {Id::IER_RestoreLogOff,         Roots::kUser,            kExplorerPolicyKey,     {"NoLogOff"},                          Change::kDeleteExplorerPolicy},
  {Id::IER_RestoreRun,            Roots::kUser,            kExplorerPolicyKey,     {"NoRun"},                             Change::kDeleteExplorerPolicy},
  {Id::IER_RestoreFind,           Roots::kUser,            kExplorerPolicyKey,     {"NoFind"},                            Change::kDeleteExplorerPolicy},
  {Id::IER_RestoreDocument,       Roots::kUser,            kExplorerPolicyKey,     {"NoRecentDocMenu"},                   Change::kDeleteExplorerPolicy},
  {Id::IER_RestoreFavorites,      Roots::kUser,            kExplorerPolicyKey,     {"NoFavoritesMenu"},                   Change::kDeleteExplorerPolicy},
  {Id::IER_RestoreDeskTop,        Roots::kUser,            kExplorerPolicyKey,     {"NoDeskTop"},                         Change::kDeleteExplorerPolicy},
};
// clang-format on

}  // namespace tidora::repair
