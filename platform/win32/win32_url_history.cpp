#include "platform/win32/win32_url_history.h"

#include <windows.h>
#include <urlhist.h>

#include <stdexcept>

namespace tidora::win32 {

namespace {

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
  const HRESULT result = CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IUrlHistoryStg2, reinterpret_cast<void**>(&store));
  if (FAILED(result) || !store) {
    throw std::runtime_error("The URL history store cannot be created");
  }
  return std::make_unique<Win32UrlHistoryStore>(store);
}

}  // namespace tidora::win32
