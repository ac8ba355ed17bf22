#pragma once

#include <string>

#include "cleaning/cleaner.h"
#include "platform/registry.h"
#include "platform/system_info.h"

namespace tidora::browser {

inline constexpr char kIntelliFormsKey[] = "\\Software\\Microsoft\\Internet Explorer\\IntelliForms";
inline constexpr char kProtectedStorageKey[] =
    "\\Software\\Microsoft\\Protected Storage System Provider";

// Handles the input that waits (the run's busy filter) without ending the walk: a stop asked for
// meanwhile ends the run at its next stop test.
inline void KeepAnswering(cleaning::CleanerProgress& progress) {
  progress.StopRequested();
}

// Deletes the key at path with everything below it, or where that is refused empties it as far
// as it can: 1 for a key gone whole, plus 1 for each value deleted in a key that stays, plus the
// same for its subkeys. Names are used exactly as listed, and registry links are not followed.
int WipeRegistryKey(platform::Registry& registry, platform::RegistryRoot root,
                    const std::string& path, cleaning::CleanerProgress& progress);

// Deletes the IntelliForms key and wipes the Protected Storage provider's key: under HKLM on the
// 95/98/Me family, under HKCU on the NT family. The number of keys and values removed.
int CleanAutoCompleteData(platform::Registry& registry, platform::SystemInfo& system,
                          cleaning::CleanerProgress& progress);

}  // namespace tidora::browser
