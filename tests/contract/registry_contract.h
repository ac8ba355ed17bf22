#pragma once

// Cases every Registry must pass: the fake natively and the Win32 adapter under Wine. Include in
// exactly one source file of a test program, then instantiate RegistryContract with an
// environment that offers registry(), base() (a private key path under HKCU that starts empty),
// machine_base() (the same under HKLM, in every view), WriteRaw(path, name, type, bytes) (a value
// as stored, whatever its size) and MakeLink(link, target) (false where links cannot be made).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace tidora::testing {

using NameList = std::vector<std::string>;

template <typename Environment>
class RegistryContract : public ::testing::Test {
 protected:
  static constexpr auto kUser = platform::RegistryRoot::CurrentUser;
  static constexpr auto kMachine = platform::RegistryRoot::LocalMachine;

  platform::Registry& registry() { return environment_.registry(); }
  std::string At(const std::string& relative) { return environment_.base() + "\\" + relative; }
  std::unique_ptr<platform::RegistryKey> Make(const std::string& relative) {
    auto key = registry().Create(kUser, At(relative));
    EXPECT_NE(key, nullptr) << relative;
    return key;
  }
  std::unique_ptr<platform::RegistryKey> Open(const std::string& relative) {
    return registry().Open(kUser, At(relative));
  }

  Environment environment_;
};

TYPED_TEST_SUITE_P(RegistryContract);

// "Über Ключ" in three spellings: names in any language round-trip and fold as Windows folds them.
TYPED_TEST_P(RegistryContract, NamesCompareWithoutRegardToCaseInAnyLanguage) {
  const std::string name =
      "\xC3\x9C"
      "ber \xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87";
  const std::string lower =
      "\xC3\xBC"
      "ber \xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87";
  const std::string upper =
      "\xC3\x9C"
      "BER \xD0\x9A\xD0\x9B\xD0\xAE\xD0\xA7";
  const std::string data = "C:\\Users\\\xE5\xBC\xA0\xE4\xB8\x89\\Recent";  // Chinese
  this->Make(name + "\\Case")->WriteString(name, data);
  this->Make(lower + "\\Other");  // the same key: no second one
  // A leading backslash only anchors at the root.
  auto key = this->registry().Open(this->kUser, "\\" + this->At(upper + "\\CASE"));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString(lower), data);
  EXPECT_TRUE(key->HasValue(upper));
  EXPECT_EQ(key->ValueNames(), NameList{name});
  auto parent = this->Open(lower);
  ASSERT_NE(parent, nullptr);
  EXPECT_TRUE(parent->HasSubkey("case"));
  EXPECT_FALSE(parent->HasSubkey("Cases"));
  auto base = this->registry().Open(this->kUser, this->environment_.base());
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(base->SubkeyNames(), NameList{name});
}

// Windows lists values in creation order, Wine sorted: callers must not depend on value order.
// Wine lists subkeys by their lower-case forms, "_" before the letters; Windows by their upper-case
// forms, "_" after them. Callers must not depend on the order of such names; the fake follows Wine.
TYPED_TEST_P(RegistryContract, ListsEveryValueAndSubkeysSorted) {
  auto key = this->Make("Lists");
  key->WriteString("zeta", "1");
  key->WriteDword("alpha", 2);
  key->WriteString("Mid", "3");
  for (const char* name : {"beta", "Alpha", "a_", "gamma", "AB", "a0", "A["}) {
    this->Make(std::string("Lists\\") + name);
  }
  auto values = key->ValueNames();
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (NameList{"Mid", "alpha", "zeta"}));
  EXPECT_EQ(key->SubkeyNames(), (NameList{"a0", "A[", "a_", "AB", "Alpha", "beta", "gamma"}));
}

TYPED_TEST_P(RegistryContract, MissingKeysAndValuesAreAbsentNotErrors) {
  EXPECT_EQ(this->Open("Nowhere\\Deeper"), nullptr);
  auto key = this->Make("Present");
  EXPECT_EQ(key->ReadString("missing"), std::nullopt);
  EXPECT_EQ(key->ReadDword("missing"), std::nullopt);
  EXPECT_EQ(key->TypeOf("missing"), std::nullopt);
  EXPECT_FALSE(key->DeleteValue("missing"));
  EXPECT_TRUE(key->ValueNames().empty() && key->SubkeyNames().empty());
}

TYPED_TEST_P(RegistryContract, WritingReplacesAValueOfAnyType) {
  auto key = this->Make("Replace");
  key->WriteString("NoRun", "yes");
  key->WriteDword("NORUN", 0);
  EXPECT_EQ(key->TypeOf("NoRun"), platform::ValueType::Dword);
  EXPECT_EQ(key->ReadDword("norun"), 0u);
  EXPECT_THROW(key->ReadString("NoRun"), platform::RegistryError);
  EXPECT_EQ(key->ValueNames().size(), 1u);
  key->WriteString("NoRun", "");
  EXPECT_EQ(key->TypeOf("NoRun"), platform::ValueType::String);
  EXPECT_EQ(key->ReadString("NoRun"), "");
  EXPECT_THROW(key->ReadDword("NoRun"), platform::RegistryError);
  key->WriteString("other", "2");
  EXPECT_TRUE(key->DeleteValue("NORUN"));
  EXPECT_EQ(key->ValueNames(), NameList{"other"});
}

// Values as other programs store them: each reads as what it is, or as an error.
TYPED_TEST_P(RegistryContract, UnusualValuesReadAsWhatTheyAre) {
  using platform::ValueType;
  struct Case {
    const char* name;
    ValueType type;
    std::vector<std::uint8_t> bytes;
    std::optional<std::string> text;      // nullopt: reading as a string is an error
    std::optional<std::uint32_t> number;  // nullopt: reading as a DWORD is an error
  };
  // clang-format off
  const Case cases[] = {
      {"text",    ValueType::ExpandString, {'%', 0, 'A', 0, 0, 0}, "%A",          std::nullopt},
      {"dword",   ValueType::Dword,        {7, 1, 0, 0},           std::nullopt,  0x107},
      {"multi",   ValueType::MultiString,  {'a', 0, 0, 0, 0, 0},   std::nullopt,  std::nullopt},
      {"binary",  ValueType::Binary,       {1, 2, 3},              std::nullopt,  std::nullopt},
      {"odd",     ValueType::String,       {'h', 0, 'i', 0, '!'},  "hi",          std::nullopt},
      {"short",   ValueType::Dword,        {7, 0},                 std::nullopt,  std::nullopt},
      {"long",    ValueType::Dword,        {7, 0, 0, 0, 0, 0},     std::nullopt,  std::nullopt},
  };
  // clang-format on
  auto key = this->Make("Raw");
  for (const auto& c : cases) this->environment_.WriteRaw(this->At("Raw"), c.name, c.type, c.bytes);
  for (const auto& c : cases) {
    EXPECT_EQ(key->TypeOf(c.name), c.type) << c.name;
    if (c.text) {
      EXPECT_EQ(key->ReadString(c.name), c.text) << c.name;
    } else {
      EXPECT_THROW(key->ReadString(c.name), platform::RegistryError) << c.name;
    }
    if (c.number) {
      EXPECT_EQ(key->ReadDword(c.name), c.number) << c.name;
    } else {
      EXPECT_THROW(key->ReadDword(c.name), platform::RegistryError) << c.name;
    }
  }
}

TYPED_TEST_P(RegistryContract, DeletingATreeRemovesEverythingBeneathIt) {
  this->Make("Tree\\Child\\Grandchild")->WriteString("v", "x");
  this->Make("Tree\\Other")->WriteDword("d", 1);
  this->Make("Sibling")->WriteString("keep", "me");
  EXPECT_TRUE(this->registry().DeleteTree(this->kUser, this->At("tree")));
  EXPECT_EQ(this->Open("Tree"), nullptr);
  EXPECT_EQ(this->Open("Tree\\Child\\Grandchild"), nullptr);
  auto sibling = this->Open("Sibling");
  EXPECT_TRUE(sibling && sibling->ReadString("keep") == "me");
  EXPECT_FALSE(this->registry().DeleteTree(this->kUser, this->At("Tree")));
}

TYPED_TEST_P(RegistryContract, DeletingATreeNeverFollowsALink) {
  this->Make("Target")->WriteString("keep", "me");
  this->Make("Holder");
  if (!this->environment_.MakeLink(this->At("Holder\\Link"), this->At("Target"))) {
    GTEST_SKIP() << "registry links cannot be made here";
  }
  EXPECT_FALSE(this->registry().DeleteTree(this->kUser, this->At("Holder")));
  auto target = this->Open("Target");
  EXPECT_TRUE(target && target->ReadString("keep") == "me");
}

TYPED_TEST_P(RegistryContract, AnEmptyPathNeverReachesTheRoot) {
  this->Make("Kept");
  for (auto root : {this->kUser, this->kMachine}) {
    for (const char* path : {"", "\\"}) {
      EXPECT_EQ(this->registry().Open(root, path), nullptr);
      EXPECT_EQ(this->registry().OpenForRead(root, path), nullptr);
      EXPECT_EQ(this->registry().Create(root, path), nullptr);
      EXPECT_FALSE(this->registry().DeleteTree(root, path));
    }
  }
  EXPECT_NE(this->registry().OpenForRead(this->kUser, this->At("Kept")), nullptr);
}

TYPED_TEST_P(RegistryContract, AKeyOpenedForReadingRefusesWrites) {
  this->Make("Guarded")->WriteString("v", "x");
  auto key = this->registry().OpenForRead(this->kUser, this->At("Guarded"));
  ASSERT_NE(key, nullptr);
  EXPECT_THROW(key->WriteString("v", "y"), platform::RegistryError);
  EXPECT_THROW(key->WriteDword("d", 1), platform::RegistryError);
  EXPECT_FALSE(key->DeleteValue("v"));
  EXPECT_EQ(key->ReadString("v"), "x");
  EXPECT_EQ(key->ValueNames(), NameList{"v"});
}

TYPED_TEST_P(RegistryContract, AMachineKeyLivesInTheViewItWasWrittenIn) {
  const auto views = this->registry().MachineViews();
  if (views.size() < 2) GTEST_SKIP() << "HKLM has one view here";
  const std::string path = this->environment_.machine_base() + "\\Viewed";
  for (size_t written = 0; written < views.size(); ++written) {
    ASSERT_NE(this->registry().Create(this->kMachine, path, views[written]), nullptr);
    for (size_t read = 0; read < views.size(); ++read) {
      EXPECT_EQ(this->registry().OpenForRead(this->kMachine, path, views[read]) != nullptr,
                read == written)
          << written << " " << read;
    }
    EXPECT_TRUE(this->registry().DeleteTree(this->kMachine, path, views[written]));
  }
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, NamesCompareWithoutRegardToCaseInAnyLanguage,
                            ListsEveryValueAndSubkeysSorted, MissingKeysAndValuesAreAbsentNotErrors,
                            WritingReplacesAValueOfAnyType, UnusualValuesReadAsWhatTheyAre,
                            DeletingATreeRemovesEverythingBeneathIt, DeletingATreeNeverFollowsALink,
                            AnEmptyPathNeverReachesTheRoot, AKeyOpenedForReadingRefusesWrites,
                            AMachineKeyLivesInTheViewItWasWrittenIn);

}  // namespace tidora::testing
