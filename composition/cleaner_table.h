#pragma once

#include <functional>
#include <vector>

#include "cleaning/cleaner.h"

namespace tidora::composition {

// Every feature's table of cleaners, joined: a cleaner is available exactly when it has a row.
class CleanerTable final : public cleaning::Cleaners {
 public:
  explicit CleanerTable(std::vector<cleaning::CleanerRow> rows,
                        std::function<void(cleaning::CleanerProgress&)> before_items = {})
      : rows_(std::move(rows)), before_items_(std::move(before_items)) {}

  bool Available(cleaning::CleanerId id) const override { return Find(id) != nullptr; }
  int Clean(cleaning::CleanerId id, cleaning::CleanerProgress& progress) override;
  void BeforeItems(cleaning::CleanerProgress& progress) override {
    if (before_items_) before_items_(progress);
  }

  const std::vector<cleaning::CleanerRow>& rows() const { return rows_; }

 private:
  const cleaning::CleanerRow* Find(cleaning::CleanerId id) const;

  std::vector<cleaning::CleanerRow> rows_;
  std::function<void(cleaning::CleanerProgress&)> before_items_;
};

}  // namespace tidora::composition
