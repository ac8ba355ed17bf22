#include "platform/win32/win32_url_history.h"

#include <windows.h>

#include <urlhist.h>

#include <stdexcept>

namespace tidora::win32 {

namespace {

// The class of the store object; the interface identifiers come with the SDK headers.
constexpr CLSID kUrlHistoryClass = {
    0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};

class Win32UrlHistoryStore final : public platform::UrlHistoryStore {
 public:
  explicit Win32UrlHistoryStore(IUrlHistoryStg2* store) : store_(store) {}
  Win32UrlHistoryStore(const Win32UrlHistoryStore&) = delete;
  Win32UrlHistoryStore& operator=(const Win32UrlHistoryStore&) = delete;
  ~Win32UrlHistoryStore() override { store_->Release(); }

  std::int32_t ClearHistory() override { return store_->ClearHistory(); }

 private:
  IUrlHistoryStg2* store_;
};

}  // namespace

std::unique_ptr<platform::UrlHistoryStore> CreateUrlHistoryStore() {
  IUrlHistoryStg2* store = nullptr;
  const HRESULT result = CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IUrlHistoryStg2, reinterpret_cast<void**>(&store));
  if (FAILED(result) || !store) {
    throw std::runtime_error("The URL history store cannot be created");
  }
  return std::make_unique<Win32UrlHistoryStore>(store);
}

}  // namespace tidora::win32
