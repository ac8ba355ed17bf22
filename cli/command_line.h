#pragma once

#include <span>
#include <string>

#include "cli/headless_controls.h"
#include "cli/host.h"
#include "composition/features.h"

namespace tidora::cli {

// Runs the program from its command line, with no window: the arguments after the program's
// name, at least one; the services the window's features would get, their shell one that asks
// nothing. The exit code.
int RunCommandLine(std::span<const std::string> arguments, const composition::Services& services,
                   Host& host, const HeadlessControls::SizeFormat& format_size);

}  // namespace tidora::cli
