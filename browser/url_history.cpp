#include "browser/url_history.h"

#include <exception>

namespace tidora::browser {

namespace {

std::unique_ptr<platform::UrlHistoryStore> TryCreate(const TUrlHistory::StoreFactory& create) {
  if (!create) return nullptr;
  try {
    return create();
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

TUrlHistory::TUrlHistory(const StoreFactory& create_store) : store_(TryCreate(create_store)) {}

std::int32_t TUrlHistory::ClearHistory() {
  return store_ ? store_->ClearHistory() : kHistoryStoreMissing;
}

int ClearUrlHistory(TUrlHistory& history) {
  return history.ClearHistory() >= 0 ? 1 : 0;
}

}  // namespace tidora::browser
