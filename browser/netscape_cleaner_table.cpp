#include "browser/netscape_cleaner.h"

namespace tidora::browser {

std::vector<cleaning::CleanerRow> NetscapeCleaners(platform::SystemInfo& system,
                                                   platform::Shell& shell,
                                                   platform::Registry& registry,
                                                   platform::FileSystem& files,
                                                   const ui::ControlSet& controls) {
  using Progress = cleaning::CleanerProgress;
  return {
      {cleaning::CleanerId::kNetscapeMozilla,
       [&](Progress& progress) {
         const cleaning::ReachedFolder root = MozillaProfileRoot(system, shell, registry, files);
         return CleanNetscapeMozilla(files, root, controls, progress);
       }},
  };
}

}  // namespace tidora::browser
