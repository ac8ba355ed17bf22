#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cleaning/cleaner.h"
#include "controls/control_set.h"
#include "controls/feature.h"
#include "platform/shell.h"
#include "rules/detector.h"
#include "rules/entry_cleaner.h"
#include "rules/places.h"
#include "rules/rule.h"
#include "rules/rule_sources.h"

namespace tidora::rules {

// The Applications tab: the rule entries found on this PC, by group, in a checked tree. The rules
// are read and detected while the window waits for input, in slices, so the window never waits
// for them; the run takes each ticked entry as a row of its own.
class ApplicationsTab final : public ui::Feature {
 public:
  // The built-in rules' text, as the program carries it.
  using RuleText = std::function<std::string()>;
  // Cookie hosts found outside the browsers' databases (Internet Explorer's cookie entries).
  using HostSource = std::function<std::vector<std::string>()>;

  // services: what the entries are detected and cleaned through (behind a preview's overlay);
  // dialogs: where an entry's warning is asked.
  ApplicationsTab(ui::ControlSet& controls, const RuleServices& services, platform::Shell& dialogs,
                  RuleText builtin_rules, HostSource other_cookie_hosts = {});

  // Details…: the refused and skipped entries, and what the last run left untouched, in a
  // window of their own. Cookies to keep…: the keep-list editor.
  bool HandleClick(ui::ControlId id) override;
  bool HandleNodeTicked(ui::ControlId tree, int node) override;
  bool IdleSlice() override;

  // The entries ticked in the tree at this moment, in tree order; none before the tree is filled.
  std::vector<cleaning::EntryItem> TickedEntries();
  // The warning of the entry a node of the tree shows; empty for a group or an entry without one.
  std::string Warning(int node) const;
  // The entries read but not found on this PC, in the order read, once detection is over.
  const std::vector<std::string>& Undetected() const { return undetected_; }

 private:
  using Loaded = LoadedEntry;
  enum class Stage { kRead, kParse, kDetect, kShown };

  void Fill();
  int AddEntryNode(int group, const Loaded& loaded);
  // A tick the user gave, kept only if a warning, when there is one, is agreed to.
  bool AgreedToTick(int node);
  void ShowGroupTick(int group);
  const Loaded* EntryOf(int node) const;
  void ShowDetails();
  // The cookie hosts of the offered entries' cookie stores and of the other source.
  std::set<std::string> FoundCookieHosts();

  ui::ControlSet& controls_;
  RuleServices services_;
  platform::Shell& dialogs_;
  RuleText builtin_rules_;
  HostSource other_cookie_hosts_;
  std::vector<std::string> run_notes_;  // what the last run's entries left untouched, and why
  Stage stage_ = Stage::kRead;
  std::optional<Places> places_;
  std::unique_ptr<RuleLoading> loading_;  // while the rules are being read
  LoadedRules loaded_;
  std::unique_ptr<Detector> detector_;  // while entries are being detected
  std::size_t detected_upto_ = 0;
  std::vector<Loaded> offered_;     // the detected ones, in the tree's order once it is filled
  std::vector<int> entry_of_node_;  // the offered entry a node shows; -1 for a group
  std::vector<std::string> undetected_;
};

}  // namespace tidora::rules
