#pragma once

#include <span>
#include <string_view>

#include "rules/variables.h"

namespace tidora::rules {

// What the rule text tells of a folder written as a variable and segments below it, which may
// hold wildcards. The run-time checks decide on the folders actually found; this only catches
// what the text already shows.
struct FolderStanding {
  bool protected_folder = false;  // may be a protected folder or an ancestor of one
  bool document_folder = false;   // may be a document folder
};

FolderStanding StandingOf(Variable variable, std::span<const std::string_view> segments);

}  // namespace tidora::rules
