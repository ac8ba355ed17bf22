#pragma once

#include <functional>
#include <vector>

#include "cleaning/cleaner.h"
#include "platform/dry_run/dry_run.h"

namespace tidora::composition {

// Every feature's table of cleaners, joined: a cleaner is available exactly when it has a row.
// The cleaners work on the services behind the dry run, which a preview switches to recording.
class CleanerTable final : public cleaning::Cleaners {
 public:
  using BeforeItemsStep = std::function<bool(cleaning::CleanerProgress&, cleaning::RunKind)>;
  using EntrySource = std::function<std::vector<cleaning::EntryItem>()>;
  CleanerTable(std::vector<cleaning::CleanerRow> rows, dry_run::DryRun& dry_run,
               BeforeItemsStep before_items = {}, EntrySource ticked_entries = {})
      : rows_(std::move(rows)),
        dry_run_(dry_run),
        before_items_(std::move(before_items)),
        ticked_entries_(std::move(ticked_entries)) {}

  bool Available(cleaning::CleanerId id) const override { return Find(id) != nullptr; }
  int Clean(cleaning::CleanerId id, cleaning::CleanerProgress& progress) override;
  void BeginRun(cleaning::RunKind kind) override;
  void EndRun() override { dry_run_.End(); }
  cleaning::RemovedFiles Removed() const override;
  bool BeforeItems(cleaning::CleanerProgress& progress, cleaning::RunKind kind) override {
    return before_items_ && before_items_(progress, kind);
  }
  std::vector<cleaning::EntryItem> TickedEntries() override {
    return ticked_entries_ ? ticked_entries_() : std::vector<cleaning::EntryItem>();
  }

  const std::vector<cleaning::CleanerRow>& rows() const { return rows_; }

 private:
  const cleaning::CleanerRow* Find(cleaning::CleanerId id) const;

  std::vector<cleaning::CleanerRow> rows_;
  dry_run::DryRun& dry_run_;
  BeforeItemsStep before_items_;
  EntrySource ticked_entries_;
};

}  // namespace tidora::composition
