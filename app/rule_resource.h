#pragma once

#include <string>

namespace tidora::app {

// The built-in cleaning rules carried in the program's resources; empty when it has none.
std::string BuiltInRulesText();

}  // namespace tidora::app
