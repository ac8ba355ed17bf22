#pragma once

// Cases every Shell must pass: the fake natively and the Win32 adapter under Wine. Instantiate
// ShellContract with an environment that offers shell() and profile() (the user's profile folder).

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "platform/shell.h"

namespace tidora::testing {

template <typename Environment>
class ShellContract : public ::testing::Test {
 protected:
  Environment environment_;
};

TYPED_TEST_SUITE_P(ShellContract);

// The cleaners join their paths to it: a full path below the profile, without a trailing backslash.
TYPED_TEST_P(ShellContract, TheApplicationDataFolderLiesBelowTheProfile) {
  const std::string folder = this->environment_.shell().ApplicationDataFolder();
  const std::string profile = this->environment_.profile() + "\\";
  ASSERT_GT(folder.size(), profile.size());
  EXPECT_EQ(base::AsciiLower(folder.substr(0, profile.size())), base::AsciiLower(profile));
  EXPECT_NE(folder.back(), '\\');
}

REGISTER_TYPED_TEST_SUITE_P(ShellContract, TheApplicationDataFolderLiesBelowTheProfile);

}  // namespace tidora::testing
