#include "rules/applications_tab.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "base/text.h"
#include "cleaning/cookie_keep_list.h"
#include "databases/cookie_hosts.h"
#include "databases/database_layouts.h"
#include "rules/cookie_keep_editor.h"
#include "rules/target_resolver.h"

namespace tidora::rules {

namespace {

using ui::ControlId;
using ui::TickState;

// A slice stays well inside the splash's 100 ms ticks.
constexpr auto kSliceBudget = std::chrono::milliseconds(15);
constexpr std::string_view kOtherGroup = "Other";

// Groups alphabetically, "Other" last; entries by name.
bool GroupBefore(const std::string& left, const std::string& right) {
  if ((left == kOtherGroup) != (right == kOtherGroup)) return right == kOtherGroup;
  return base::AsciiLower(left) < base::AsciiLower(right);
}

}  // namespace

ApplicationsTab::ApplicationsTab(ui::ControlSet& controls, const RuleServices& services,
                                 platform::Shell& dialogs, RuleText builtin_rules,
                                 HostSource other_cookie_hosts)
    : controls_(controls),
      services_(services),
      dialogs_(dialogs),
      builtin_rules_(std::move(builtin_rules)),
      other_cookie_hosts_(std::move(other_cookie_hosts)) {}

bool ApplicationsTab::IdleSlice() {
  if (stage_ == Stage::kShown) return false;
  const auto deadline = std::chrono::steady_clock::now() + kSliceBudget;
  const auto in_time = [&] { return std::chrono::steady_clock::now() < deadline; };
  if (stage_ == Stage::kRead) {
    places_ = Places::Gather(services_.shell, services_.files, services_.system);
    loading_ = std::make_unique<RuleLoading>(builtin_rules_ ? builtin_rules_() : std::string(),
                                             services_.files, services_.shell, *places_);
    stage_ = Stage::kParse;
  }
  while (stage_ == Stage::kParse && in_time()) {
    if (loading_->Step()) continue;
    loaded_ = loading_->Take();
    loading_.reset();
    detector_ = std::make_unique<Detector>(services_, *places_);
    stage_ = Stage::kDetect;
  }
  auto& entries = loaded_.entries;
  while (stage_ == Stage::kDetect && detected_upto_ < entries.size() && in_time()) {
    Loaded& loaded = entries[detected_upto_++];
    if (!detector_->Detected(loaded.entry)) {
      undetected_.push_back(loaded.entry.name);
      continue;
    }
    ++loaded_.sources[loaded.origin].found;
    offered_.push_back(std::move(loaded));
  }
  if (stage_ != Stage::kDetect || detected_upto_ < entries.size()) return true;
  detector_.reset();
  Fill();
  stage_ = Stage::kShown;
  return false;
}

bool ApplicationsTab::HandleClick(ControlId id) {
  if (id == ControlId::bntAppDetails) {
    ShowDetails();
    return true;
  }
  if (id == ControlId::bntCookiesToKeep) {
    EditCookieKeepList(controls_, services_.registry, dialogs_, FoundCookieHosts());
    return true;
  }
  return false;
}

void ApplicationsTab::ShowDetails() {
  std::string text = ProblemsText(loaded_);
  if (text.empty()) {
    text = stage_ == Stage::kShown ? "Every entry read could be used." : "Still reading the rules.";
  }
  if (!run_notes_.empty()) {
    text += "\n\nLeft untouched by the last run:\n";
    for (const std::string& note : run_notes_) {
      text += note;
      text += '\n';
    }
  }
  controls_.ShowTextWindow(ControlId::kDetailsWindow, "Details", text);
}

std::set<std::string> ApplicationsTab::FoundCookieHosts() {
  std::set<std::string> hosts;
  if (other_cookie_hosts_) {
    for (const std::string& host : other_cookie_hosts_()) {
      if (auto domain = cleaning::CookieDomain(host)) hosts.insert(std::move(*domain));
    }
  }
  if (stage_ != Stage::kShown) return hosts;
  TargetResolver resolver(services_.files, *places_);
  for (const Loaded& loaded : offered_) {
    for (const DatabaseKey& key : loaded.entry.databases) {
      const databases::DatabaseLayout* layout = databases::LayoutNamed(key.layout);
      if (layout == nullptr || layout->cookie_table.empty()) continue;
      for (std::string path : resolver.Folders(key.folder)) {
        path += '\\';
        path += key.file;
        if (services_.files.IsFile(path)) {
          databases::AddCookieHosts(*layout, path, services_.databases, hosts);
        }
      }
    }
  }
  return hosts;
}

void ApplicationsTab::Fill() {
  std::ranges::stable_sort(offered_, [](const Loaded& left, const Loaded& right) {
    if (left.entry.group != right.entry.group)
      return GroupBefore(left.entry.group, right.entry.group);
    return base::AsciiLower(left.entry.name) < base::AsciiLower(right.entry.name);
  });
  controls_.ClearNodes(ControlId::AppTree);
  entry_of_node_.clear();
  int group = ui::ControlSet::kNoNode;
  for (std::size_t index = 0; index < offered_.size(); ++index) {
    const Loaded& loaded = offered_[index];
    if (index == 0 || loaded.entry.group != offered_[index - 1].entry.group) {
      if (group != ui::ControlSet::kNoNode) ShowGroupTick(group);
      group = controls_.AddNode(ControlId::AppTree, ui::ControlSet::kNoNode, loaded.entry.group);
      entry_of_node_.push_back(-1);
    }
    controls_.AddNode(ControlId::AppTree, group, loaded.entry.name);
    entry_of_node_.push_back(static_cast<int>(index));
    if (loaded.entry.default_ticked) {
      controls_.SetNodeTick(ControlId::AppTree, static_cast<int>(entry_of_node_.size()) - 1,
                            TickState::kTicked);
    }
  }
  if (group != ui::ControlSet::kNoNode) ShowGroupTick(group);
  controls_.SetCaption(ControlId::AppStatusLabel, SummaryText(loaded_.sources));
}

const ApplicationsTab::Loaded* ApplicationsTab::EntryOf(int node) const {
  if (node < 0 || node >= static_cast<int>(entry_of_node_.size())) return nullptr;
  const int index = entry_of_node_[node];
  return index < 0 ? nullptr : &offered_[index];
}

std::string ApplicationsTab::Warning(int node) const {
  const Loaded* loaded = EntryOf(node);
  return loaded ? loaded->entry.warning : std::string();
}

bool ApplicationsTab::AgreedToTick(int node) {
  const Loaded* loaded = EntryOf(node);
  if (!loaded || loaded->entry.warning.empty()) return true;
  return dialogs_.Confirm(0, loaded->entry.warning, loaded->entry.name);
}

bool ApplicationsTab::HandleNodeTicked(ControlId tree, int node) {
  if (tree != ControlId::AppTree || node < 0 || node >= static_cast<int>(entry_of_node_.size())) {
    return false;
  }
  const bool ticked = controls_.NodeTick(tree, node) == TickState::kTicked;
  if (entry_of_node_[node] >= 0) {
    if (ticked && !AgreedToTick(node)) controls_.SetNodeTick(tree, node, TickState::kUnticked);
    ShowGroupTick(controls_.NodeParent(tree, node));
    return true;
  }
  // A group ticks or unticks all its entries; each warning is still asked.
  for (int child = node + 1;
       child < static_cast<int>(entry_of_node_.size()) && entry_of_node_[child] >= 0; ++child) {
    const bool was = controls_.NodeTick(tree, child) == TickState::kTicked;
    const bool now = ticked && (was || AgreedToTick(child));
    controls_.SetNodeTick(tree, child, now ? TickState::kTicked : TickState::kUnticked);
  }
  ShowGroupTick(node);
  return true;
}

void ApplicationsTab::ShowGroupTick(int group) {
  if (group < 0) return;
  int entries = 0;
  int ticked = 0;
  for (int child = group + 1;
       child < static_cast<int>(entry_of_node_.size()) && entry_of_node_[child] >= 0; ++child) {
    ++entries;
    if (controls_.NodeTick(ControlId::AppTree, child) == TickState::kTicked) ++ticked;
  }
  const TickState state = ticked == 0         ? TickState::kUnticked
                          : ticked == entries ? TickState::kTicked
                                              : TickState::kPartly;
  controls_.SetNodeTick(ControlId::AppTree, group, state);
}

namespace {

// Keeps what an entry left untouched for the Details window, and passes it on to the run.
class NotingProgress final : public cleaning::CleanerProgress {
 public:
  NotingProgress(cleaning::CleanerProgress& run, std::string_view entry,
                 std::vector<std::string>& notes)
      : run_(run), entry_(entry), notes_(notes) {}
  void ShowCount(int count) override { run_.ShowCount(count); }
  bool StopRequested() override { return run_.StopRequested(); }
  void Finish() override { run_.Finish(); }
  void ReportUntouched(cleaning::Untouched why, std::string_view reason) override {
    std::string note(entry_);
    note += ": ";
    note += reason;
    notes_.push_back(std::move(note));
    run_.ReportUntouched(why, reason);
  }

 private:
  cleaning::CleanerProgress& run_;
  std::string_view entry_;
  std::vector<std::string>& notes_;
};

}  // namespace

std::vector<cleaning::EntryItem> ApplicationsTab::TickedEntries() {
  run_notes_.clear();  // a run is starting
  std::vector<cleaning::EntryItem> items;
  for (int node = 0; node < static_cast<int>(entry_of_node_.size()); ++node) {
    const Loaded* loaded = EntryOf(node);
    if (!loaded || controls_.NodeTick(ControlId::AppTree, node) != TickState::kTicked) continue;
    items.push_back({loaded->entry.name, [this, loaded](cleaning::CleanerProgress& progress) {
                       NotingProgress noting(progress, loaded->entry.name, run_notes_);
                       return CleanEntry(loaded->entry, loaded->source, services_, *places_,
                                         noting);
                     }});
  }
  return items;
}

}  // namespace tidora::rules
