#pragma once

// Cases every Registry must pass: the fake natively and the Win32 adapter under Wine. Include in
// exactly one source file of a test program, then instantiate RegistryContract with an
// environment that offers registry() and base(), a private key path under HKCU that starts empty.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace tidora::testing {

template <typename Environment>
class RegistryContract : public ::testing::Test {
 protected:
  static constexpr auto kUser = platform::RegistryRoot::CurrentUser;

  platform::Registry& registry() { return environment_.registry(); }
  std::string At(const std::string& relative) { return environment_.base() + "\\" + relative; }
  std::unique_ptr<platform::RegistryKey> Make(const std::string& relative) {
    auto key = registry().Create(kUser, At(relative));
    EXPECT_NE(key, nullptr) << relative;
    return key;
  }

  Environment environment_;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, NamesCompareWithoutRegardToCase) {
  this->Make("Mixed\\Case")->WriteString("HomePath", "\\users\\me");
  auto key = this->registry().Open(this->kUser, this->At("MIXED\\case"));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("HOMEPATH"), "\\users\\me");
  EXPECT_TRUE(key->HasValue("homepath"));
  auto parent = this->registry().Open(this->kUser, this->At("mixed"));
  ASSERT_NE(parent, nullptr);
  EXPECT_TRUE(parent->HasSubkey("CASE"));
  EXPECT_FALSE(parent->HasSubkey("Cases"));
}

// Windows lists values in creation order, Wine sorted: callers must not depend on value order.
TYPED_TEST_P(RegistryContract, ListsEveryValueAndSubkeysSorted) {
  auto key = this->Make("Lists");
  key->WriteString("zeta", "1");
  key->WriteDword("alpha", 2);
  key->WriteString("Mid", "3");
  this->Make("Lists\\beta");
  this->Make("Lists\\Alpha");
  this->Make("Lists\\gamma");
  auto values = key->ValueNames();
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::string>{"Mid", "alpha", "zeta"}));
  EXPECT_EQ(key->SubkeyNames(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
}

TYPED_TEST_P(RegistryContract, MissingKeysAndValuesAreAbsentNotErrors) {
  EXPECT_EQ(this->registry().Open(this->kUser, this->At("Nowhere\\Deeper")), nullptr);
  auto key = this->Make("Present");
  EXPECT_EQ(key->ReadString("missing"), std::nullopt);
  EXPECT_EQ(key->ReadDword("missing"), std::nullopt);
  EXPECT_EQ(key->TypeOf("missing"), std::nullopt);
  EXPECT_FALSE(key->DeleteValue("missing"));
  EXPECT_TRUE(key->ValueNames().empty());
  EXPECT_TRUE(key->SubkeyNames().empty());
}

TYPED_TEST_P(RegistryContract, ReadingTheWrongTypeIsAnError) {
  auto key = this->Make("Types");
  key->WriteDword("Number", 7);
  key->WriteString("Text", "7");
  EXPECT_THROW(key->ReadString("Number"), platform::RegistryError);
  EXPECT_THROW(key->ReadDword("Text"), platform::RegistryError);
  EXPECT_EQ(key->ReadDword("Number"), 7u);
  EXPECT_EQ(key->TypeOf("Number"), platform::ValueType::Dword);
  EXPECT_EQ(key->TypeOf("Text"), platform::ValueType::String);
}

TYPED_TEST_P(RegistryContract, WritingReplacesAValueOfAnyType) {
  auto key = this->Make("Replace");
  key->WriteString("NoRun", "yes");
  key->WriteDword("NORUN", 0);
  EXPECT_EQ(key->TypeOf("NoRun"), platform::ValueType::Dword);
  EXPECT_EQ(key->ReadDword("norun"), 0u);
  EXPECT_EQ(key->ValueNames().size(), 1u);
  key->WriteString("NoRun", "");
  EXPECT_EQ(key->ReadString("NoRun"), "");
}

TYPED_TEST_P(RegistryContract, DeletingAValueLeavesTheOthers) {
  auto key = this->Make("Values");
  key->WriteString("a", "1");
  key->WriteString("b", "2");
  EXPECT_TRUE(key->DeleteValue("A"));
  EXPECT_EQ(key->ValueNames(), std::vector<std::string>{"b"});
}

TYPED_TEST_P(RegistryContract, DeletingATreeRemovesEverythingBeneathIt) {
  this->Make("Tree\\Child\\Grandchild")->WriteString("v", "x");
  this->Make("Tree\\Other")->WriteDword("d", 1);
  this->Make("Sibling")->WriteString("keep", "me");
  EXPECT_TRUE(this->registry().DeleteTree(this->kUser, this->At("tree")));
  EXPECT_EQ(this->registry().Open(this->kUser, this->At("Tree")), nullptr);
  EXPECT_EQ(this->registry().Open(this->kUser, this->At("Tree\\Child\\Grandchild")), nullptr);
  auto sibling = this->registry().Open(this->kUser, this->At("Sibling"));
  ASSERT_NE(sibling, nullptr);
  EXPECT_EQ(sibling->ReadString("keep"), "me");
  EXPECT_FALSE(this->registry().DeleteTree(this->kUser, this->At("Tree")));
}

TYPED_TEST_P(RegistryContract, ALeadingBackslashOnlyAnchorsAtTheRoot) {
  this->Make("Anchored")->WriteString("v", "x");
  auto key = this->registry().Open(this->kUser, "\\" + this->At("Anchored"));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("v"), "x");
}

TYPED_TEST_P(RegistryContract, NamesAndDataInAnyLanguageRoundTrip) {
  const std::string name = "Ünïcode \xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87";     // Cyrillic
  const std::string data = "C:\\Users\\\xE5\xBC\xA0\xE4\xB8\x89\\Recent";  // Chinese
  this->Make(name)->WriteString(name, data);
  auto key = this->registry().Open(this->kUser, this->At(name));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString(name), data);
  EXPECT_EQ(key->ValueNames(), std::vector<std::string>{name});
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, NamesCompareWithoutRegardToCase,
                            ListsEveryValueAndSubkeysSorted, MissingKeysAndValuesAreAbsentNotErrors,
                            ReadingTheWrongTypeIsAnError, WritingReplacesAValueOfAnyType,
                            DeletingAValueLeavesTheOthers, DeletingATreeRemovesEverythingBeneathIt,
                            ALeadingBackslashOnlyAnchorsAtTheRoot,
                            NamesAndDataInAnyLanguageRoundTrip);

}  // namespace tidora::testing
