#pragma once

#include <memory>

#include "platform/url_history.h"

namespace tidora::win32 {

// Creates the browser's URL-history store; throws std::runtime_error when COM cannot give it.
// COM must be initialised on the calling thread.
std::unique_ptr<platform::UrlHistoryStore> CreateUrlHistoryStore();

}  // namespace tidora::win32
