#pragma once

namespace tidora::base {

// The product's name, as its windows and message boxes show it.
inline constexpr char kApplicationTitle[] = "Tidora";

}  // namespace tidora::base
