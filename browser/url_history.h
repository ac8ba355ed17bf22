#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/url_history.h"

namespace tidora::browser {

inline constexpr std::int32_t kHistoryStoreMissing =
    static_cast<std::int32_t>(0x80004005);  // E_FAIL

// The browser's URL-history store as the main window holds it, from its creation to its end.
class TUrlHistory {
 public:
  using StoreFactory = std::function<std::unique_ptr<platform::UrlHistoryStore>()>;

  // Creates the store; COM must be initialised on this thread before. A store the system cannot
  // give (an error, or no IUrlHistoryStg2) leaves the component without one: the program starts
  // anyway and the history is then never cleared.
  explicit TUrlHistory(const StoreFactory& create_store);

  // The store's HRESULT; kHistoryStoreMissing without a store.
  std::int32_t ClearHistory();

 private:
  std::unique_ptr<platform::UrlHistoryStore> store_;
};

// 1 when the history was cleared (a success HRESULT), else 0: the row claims nothing more.
int ClearUrlHistory(TUrlHistory& history);

}  // namespace tidora::browser
