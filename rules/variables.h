#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tidora::rules {

// The variables a rule path may start with; expanded from the shell's known folders, never from
// the process environment.
enum class Variable {
  kAppData,             // %AppData%: Roaming
  kLocalAppData,        // %LocalAppData%
  kLocalLowAppData,     // %LocalLowAppData%
  kUserProfile,         // %UserProfile%
  kDocuments,           // %Documents%
  kPictures,            // %Pictures%
  kMusic,               // %Music%
  kVideo,               // %Video%
  kPublic,              // %Public%
  kProgramData,         // %ProgramData% and %CommonAppData%
  kProgramFiles,        // %ProgramFiles%: both folders on 64-bit Windows
  kCommonProgramFiles,  // %CommonProgramFiles%: both folders on 64-bit Windows
  kWinDir,              // %WinDir%
  kSystemDrive,         // %SystemDrive%: the drive's root, "C:\"
  kTemp,                // %Temp%: the user's temporary folder
  kUserName,            // %UserName%: a name, not a folder
};

// A path split at its leading variable: "%LocalAppData%\Google\Chrome" gives kLocalAppData and
// "Google\Chrome".
struct VariablePath {
  Variable variable;
  std::string rest;  // below the variable's folder, without leading or trailing backslashes
};

// nullopt when the path does not start with a known variable (names are case-insensitive).
std::optional<VariablePath> SplitVariable(std::string_view path);

// Whether the variable's own folder is a document folder (Documents, Pictures, Music, Videos,
// Public), where no pattern may hold a wildcard.
bool IsDocumentVariable(Variable variable);

}  // namespace tidora::rules
