#include "office/office_cleaners.h"

namespace tidora::office {

std::vector<cleaning::CleanerRow> OfficeCleaners(platform::SystemInfo& system,
                                                 platform::Shell& shell,
                                                 platform::Registry& registry,
                                                 platform::FileSystem& files) {
  using enum cleaning::CleanerId;
  using enum OfficeProgram;
  using Progress = cleaning::CleanerProgress;
  auto lists_of = [&registry](OfficeProgram program) {
    return [&registry, program](Progress&) { return CleanOfficeMru(registry, program); };
  };
  // clang-format off
  return {
      {kOfficeWord,         lists_of(kWord)},
      {kOfficeExcel,        lists_of(kExcel)},
      {kOfficePowerPoint,   lists_of(kPowerPoint)},
      {kPhotoEditor,        [&](Progress&) { return CleanPhotoEditorMru(registry); }},
      {kOfficeOutlook,      lists_of(kOutlook)},
      {kOfficeAccess,       lists_of(kAccess)},
      {kOfficeFrontPage,    lists_of(kFrontPage)},
      {kOfficeRecentFolder, [&](Progress&) { return CleanOfficeRecentFolder(system, shell, registry, files); }},
  };
  // clang-format on
}

}  // namespace tidora::office
