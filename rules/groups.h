#pragma once

#include <string>

namespace tidora::rules {

// The group a LangSecRef number names; "Other" for a number of no known group.
std::string GroupName(int lang_sec_ref);

}  // namespace tidora::rules
