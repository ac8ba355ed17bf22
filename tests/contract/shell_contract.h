#pragma once

// Cases every Shell passes; the environment offers shell() and profile(), the profile folder.

#include <gtest/gtest.h>

#include "base/text.h"
#include "platform/shell.h"

namespace tidora::testing {
template <typename Environment>
class ShellContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(ShellContract);

// The cleaners join paths to it: a full path below the profile, without a trailing backslash.
TYPED_TEST_P(ShellContract, TheApplicationDataFolderLiesBelowTheProfile) {
  TypeParam environment;
  const std::string folder = environment.shell().ApplicationDataFolder();
  const std::string profile = base::AsciiLower(environment.profile() + "\\");
  EXPECT_TRUE(base::AsciiLower(folder).starts_with(profile) && !folder.ends_with('\\')) << folder;
}
REGISTER_TYPED_TEST_SUITE_P(ShellContract, TheApplicationDataFolderLiesBelowTheProfile);
}  // namespace tidora::testing
