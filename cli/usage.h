#pragma once

#include <span>
#include <string_view>

namespace tidora::cli {

// What "tidora /?" prints, line by line.
std::span<const std::string_view> UsageLines();

}  // namespace tidora::cli
