#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "rules/variables.h"

namespace tidora::rules {

// This PC's folders as the rules see them: what each variable stands for, and which folders a
// rule may never empty wholesale. Gathered once from the shell, never from the environment.
// Folders are compared as the file system names them canonically (long names, case folded).
class Places {
 public:
  static Places Gather(platform::Shell& shell, platform::FileSystem& files,
                       platform::SystemInfo& system);

  // The folders a variable stands for: two for %ProgramFiles% on 64-bit Windows, none when the
  // system names none (and for %UserName%, which is no folder).
  const std::vector<std::string>& FoldersOf(Variable variable) const;
  const std::string& user_name() const { return user_name_; }

  // A drive's root, a protected folder, an ancestor of one, or a user's profile.
  bool IsProtected(std::string_view canonical) const;
  // Documents, Desktop, Pictures, Music, Videos, Downloads, OneDrive, Favorites and Public's.
  bool IsDocumentFolder(std::string_view canonical) const;
  // What a rule never removes as a folder: a protected folder, a known folder of the shell, the
  // temporary folder, a variable's own folder, or an ancestor of any of these.
  bool IsKeptAsFolder(std::string_view canonical) const;

 private:
  std::map<Variable, std::vector<std::string>> folders_;
  std::string user_name_;
  std::vector<std::string> protected_;  // canonical, each also protecting its ancestors
  std::vector<std::string> documents_;  // canonical
  std::vector<std::string> kept_;       // canonical, each also keeping its ancestors
  std::string profiles_;                // canonical: each folder directly inside is a profile
  std::string public_;                  // canonical: each folder directly inside is protected
};

}  // namespace tidora::rules
