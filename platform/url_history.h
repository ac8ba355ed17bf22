#pragma once

#include <cstdint>

namespace tidora::platform {

// The browser's URL-history store, held from creation to destruction.
class UrlHistoryStore {
 public:
  virtual ~UrlHistoryStore() = default;
  // The store's HRESULT.
  virtual std::int32_t ClearHistory() = 0;
};

}  // namespace tidora::platform
