#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "rules/places.h"

namespace tidora::rules {

// Turns a rule's written folder ("%LocalAppData%\Google\Chrome\User Data\*\Cache") into the
// existing folders it names on this PC. Every folder on the way below the variable's own, the
// target included, must be a plain folder: a junction or a link there leaves that target out,
// and so does a wildcard next to a protected folder that does not begin with three plain
// characters, or a path of an unsound shape.
class TargetResolver {
 public:
  TargetResolver(platform::FileSystem& files, const Places& places)
      : files_(files), places_(places) {}

  // The existing folders, in the order found; none for an unknown variable.
  std::vector<std::string> Folders(std::string_view written);
  // Whether a file or folder matching the written path exists (the last segment may name
  // either, and may hold wildcards).
  bool Exists(std::string_view written);
  // Whether the written path can be resolved at all here: a known variable with a folder, and
  // segments of a sound shape. An exclusion that is not sound refuses its entry.
  bool Sound(std::string_view written) const { return SplitWritten(written).sound; }

 private:
  struct Split {
    std::vector<std::string> bases;     // the variable's folders
    std::vector<std::string> segments;  // below them, "." and trailing dots or blanks resolved
    bool sound = false;
  };
  Split SplitWritten(std::string_view written) const;
  // The plain folders below each of folders that segment names.
  std::vector<std::string> Step(const std::vector<std::string>& folders, const std::string& segment,
                                bool after_variable);
  bool MayExpandBelow(const std::string& folder, const std::string& segment, bool after_variable);

  platform::FileSystem& files_;
  const Places& places_;
};

}  // namespace tidora::rules
