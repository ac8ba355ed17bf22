#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace tidora::testing {

// Makes a database at path, running sql on it: the tests' own way in, past the program's
// opener, which never creates one.
void MakeDatabase(const std::string& path, std::string_view sql);

// The first column of the first row the query gives, as text; "(no row)" when it gives none.
std::string QueryText(const std::string& path, std::string_view sql);

// Every file of the folder by name, with its size and a digest of its bytes: a preview must
// leave this as it was.
std::map<std::string, std::string> FolderBytes(const std::filesystem::path& folder);

}  // namespace tidora::testing
