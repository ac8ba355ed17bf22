// The Windows tests' entry point: nothing runs outside Wine. And what keeps the tests off the real
// machine: the private prefix has no drive but C: and no link out of the profile (Wine links its
// folders to the home folder of whoever runs it), and removing a folder never follows a link.

#include <gtest/gtest.h>

#include "tests/win/traces.h"
#include "tests/win/wine_only.h"

int main(int argc, char** argv) {
  if (!tidora::testing::AllowedToRun("win_tests")) return 2;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

namespace tidora::testing {
namespace {

bool IsPlainFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

TEST(PrivatePrefix, IsWineWithNoDriveButCAndPlainProfileFolders) {
  EXPECT_EQ(GetLogicalDrives(), 1u << ('C' - 'A'));
  wchar_t profile[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH), 0u);
  for (const wchar_t* name : {L"Desktop", L"Documents", L"Downloads", L"Music", L"Pictures",
                              L"Videos", L"AppData\\Roaming\\Microsoft\\Windows\\Templates"})
    EXPECT_TRUE(IsPlainFolder(std::wstring(profile) + L"\\" + name)) << name;
}

// Links out of C:\tidora-links to a full and to an empty folder, made by the test script.
TEST(RemoveFolderTree, LeavesWhatLinksLeadTo) {
  const std::wstring links = L"C:\\tidora-links", target = L"C:\\tidora-link-target";
  ASSERT_TRUE(GetFileAttributesW((links + L"\\to-full").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
  ASSERT_TRUE(MakeFile(links + L"\\own.txt"));
  RemoveFolderTree(links);
  EXPECT_FALSE(Exists(links + L"\\own.txt"));
  EXPECT_TRUE(Exists(target + L"\\kept.txt"));
  EXPECT_TRUE(IsPlainFolder(target + L"\\empty"));
}

}  // namespace
}  // namespace tidora::testing
