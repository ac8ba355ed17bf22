#pragma once

#include <array>

#include "controls/control_id.h"
#include "repair/ie5_tools.h"
#include "repair/repair_actions.h"

namespace tidora::repair {

// The addresses the vendor's browser came with: its start page and its search page.
inline constexpr char kStartPageAddress[] = "http://www.microsoft.com/windows/ie_intl/cn/start/";
inline constexpr char kSearchAddress[] = "http://search.msn.com/zh-cn/default.aspx";

inline constexpr char kMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kSearchKey[] = "Software\\Microsoft\\Internet Explorer\\Search";
inline constexpr char kSystemPolicyKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

enum class Change {
  kDeleteIfPresent,       // the row's values under its key, in its roots
  kOverwriteIfPresent,    // the same, with the row's text
  kPolicyOff,             // the row's policy setters, each given false: they decide what is written
  kRestartRepair,         // several keys and a file: see RestartRepair
  kDeleteExplorerPolicy,  // the row's value, through DeleteExplorerPolicy
};

using PolicySetter = bool (*)(platform::Registry&, bool restricted);

// A row names what its change uses and nothing more: roots, key and values for the value
// changes, setters for the policies, nothing for the restart repair.
struct RepairOption {
  ui::ControlId checkbox;
  Change change;
  Roots roots = Roots::kUser;
  const char* key = nullptr;
  std::array<const char*, 2> values{};  // the second may be absent
  const char* text = nullptr;
  std::array<PolicySetter, 2> setters{};
};

using Id = ui::ControlId;

// In the order a run applies them, which is not their order on screen: when a write fails, the
// run stops there, and what came before stays applied.
// clang-format off
inline constexpr RepairOption kRepairOptions[] = {
  {Id::IER_RestoreRegistryTools,  Change::kDeleteIfPresent,      Roots::kUser,            kSystemPolicyKey, {"DisableRegistryTools"}},
  {Id::IER_RestoreCaption,        Change::kDeleteIfPresent,      Roots::kUserThenMachine, kMainKey,         {"Window Title"}},
  {Id::IER_RestoreStartPage,      Change::kOverwriteIfPresent,   Roots::kUserThenMachine, kMainKey,         {"Start Page"},                         "about:blank"},
  {Id::IER_RestoreDefaultAddress, Change::kOverwriteIfPresent,   Roots::kMachine,         kMainKey,         {"Default_Page_URL"},                   kStartPageAddress},
  {Id::IER_RestoreOptions,        Change::kPolicyOff,            {}, {}, {}, {},                                                                    {SetNoBrowserOptions}},
  {Id::IER_RestoreHomePage,       Change::kPolicyOff,            {}, {}, {}, {},                                                                    {SetGeneralTabRestriction, SetHomepageRestriction}},
  {Id::IER_RestoreRestart,        Change::kRestartRepair},
  {Id::IER_RestoreRightButton,    Change::kPolicyOff,            {}, {}, {}, {},                                                                    {SetNoBrowserContextMenu}},
  {Id::IER_RestoreViewSource,     Change::kPolicyOff,            {}, {}, {}, {},                                                                    {SetNoViewSource}},
  {Id::IER_RestoreSearchEngine,   Change::kOverwriteIfPresent,   Roots::kMachine,         kSearchKey,       {"CustomizeSearch", "SearchAssistant"}, kSearchAddress},
  {Id::IER_RestoreTaskBar,        Change::kDeleteExplorerPolicy, {}, {},                                       {"NoSetTaskBar"}},
  {Id::IER_RestoreShutDown,       Change::kDeleteExplorerPolicy, {}, {},                                       {"NoShutDown"}},
  {Id::IER_RestoreLogOff,         Change::kDeleteExplorerPolicy, {}, {},                                       {"NoLogOff"}},
  {Id::IER_RestoreRun,            Change::kDeleteExplorerPolicy, {}, {},                                       {"NoRun"}},
  {Id::IER_RestoreFind,           Change::kDeleteExplorerPolicy, {}, {},                                       {"NoFind"}},
  {Id::IER_RestoreDocument,       Change::kDeleteExplorerPolicy, {}, {},                                       {"NoRecentDocMenu"}},
  {Id::IER_RestoreFavorites,      Change::kDeleteExplorerPolicy, {}, {},                                       {"NoFavoritesMenu"}},
  {Id::IER_RestoreDeskTop,        Change::kDeleteExplorerPolicy, {}, {},                                       {"NoDeskTop"}},
};
// clang-format on

}  // namespace tidora::repair
