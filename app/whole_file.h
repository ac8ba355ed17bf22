#pragma once

#include <string>
#include <string_view>

namespace tidora::app {

// Writes the text to a temporary file beside the path, then renames it over the path: a reader
// sees the old file or the whole new one, never half of it. False when it could not; nothing is
// left behind then.
bool WriteWholeFile(const std::string& path, std::string_view text);

}  // namespace tidora::app
