#include "platform/win32/win32_url_history.h"

#include <windows.h>

#include <urlhist.h>

#include <stdexcept>
#include <utility>

#include "platform/win32/unique_handles.h"

namespace tidora::win32 {

namespace {

// The class of the store object; the interface identifiers come with the SDK headers.
constexpr CLSID kUrlHistoryClass = {
    0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};

// Holds the store's two interfaces, as the component does, and releases both with it.
class Win32UrlHistoryStore final : public platform::UrlHistoryStore {
 public:
  Win32UrlHistoryStore(UniqueCom<IUrlHistoryStg> store, UniqueCom<IUrlHistoryStg2> store2)
      : store_(std::move(store)), store2_(std::move(store2)) {}

  std::int32_t ClearHistory() override { return store2_->ClearHistory(); }

 private:
  UniqueCom<IUrlHistoryStg> store_;
  UniqueCom<IUrlHistoryStg2> store2_;
};

}  // namespace

std::unique_ptr<platform::UrlHistoryStore> CreateUrlHistoryStore() {
  UniqueCom<IUrlHistoryStg> store;
  UniqueCom<IUrlHistoryStg2> store2;
  if (FAILED(CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUrlHistoryStg,
                              store.Receive())) ||
      !store || FAILED(store->QueryInterface(IID_IUrlHistoryStg2, store2.Receive())) || !store2) {
    throw std::runtime_error("The URL history store cannot be created");
  }
  return std::make_unique<Win32UrlHistoryStore>(std::move(store), std::move(store2));
}

}  // namespace tidora::win32
