#pragma once

// Cases every Registry passes: the fake natively, the Win32 adapter under Wine. The environment
// offers registry(), base() (an empty private key under HKCU), machine_base() (the same under
// HKLM, every view), WriteRaw(path, name, type, bytes) and MakeLink(link, target) (false where
// links cannot be made).

#include <gtest/gtest.h>

#include <algorithm>
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
  platform::Registry& reg() { return env.registry(); }
  std::string At(const std::string& relative) { return env.base() + "\\" + relative; }
  std::unique_ptr<platform::RegistryKey> Make(const std::string& relative) {
    auto key = reg().Create(kUser, At(relative));
    EXPECT_NE(key, nullptr) << relative;
    return key;
  }
  std::unique_ptr<platform::RegistryKey> Open(const std::string& relative) {
    return reg().Open(kUser, At(relative));
  }
  Environment env;
};

TYPED_TEST_SUITE_P(RegistryContract);

// "Über Ключ" in three spellings is one name; a leading backslash only anchors at the root.
TYPED_TEST_P(RegistryContract, NamesCompareWithoutRegardToCaseInAnyLanguage) {
  const std::string name = "\u00DCber \u041A\u043B\u044E\u0447",
                    lower = "\u00FCber \u043A\u043B\u044E\u0447",
                    upper = "\u00DCBER \u041A\u041B\u042E\u0427",
                    data = "C:\\Users\\\u5F20\u4E09\\Recent";
  this->Make(name + "\\Case")->WriteString(name, data);
  this->Make(lower + "\\Other");
  auto key = this->reg().Open(this->kUser, "\\" + this->At(upper + "\\CASE"));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString(lower), data);
  EXPECT_EQ(key->ValueNames(), NameList{name});
  auto parent = this->Open(lower);
  ASSERT_NE(parent, nullptr);
  EXPECT_TRUE(parent->HasSubkey("case") && !parent->HasSubkey("Cases"));
  EXPECT_EQ(this->reg().Open(this->kUser, this->env.base())->SubkeyNames(), NameList{name});
}

// Values come in creation order (Windows) or sorted (Wine); subkeys sorted by lower-case form
// (Wine: "_" before the letters, Windows after them). Callers depend on neither; the fake is Wine.
TYPED_TEST_P(RegistryContract, ListsEveryValueAndSubkeysSorted) {
  auto key = this->Make("Lists");
  key->WriteString("zeta", "1");
  key->WriteDword("alpha", 2);
  for (const char* name : {"beta", "Alpha", "a_", "AB", "a0", "A["})
    this->Make(std::string("Lists\\") + name);
  auto values = key->ValueNames();
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (NameList{"alpha", "zeta"}));
  EXPECT_EQ(key->SubkeyNames(), (NameList{"a0", "A[", "a_", "AB", "Alpha", "beta"}));
}

TYPED_TEST_P(RegistryContract, MissingAndReplacedValues) {
  EXPECT_EQ(this->Open("Nowhere\\Deeper"), nullptr);
  auto key = this->Make("Replace");
  EXPECT_TRUE(!key->ReadString("NoRun") && !key->ReadDword("NoRun") && !key->TypeOf("NoRun"));
  EXPECT_FALSE(key->DeleteValue("NoRun"));
  key->WriteString("NoRun", "yes");
  key->WriteDword("NORUN", 0);
  EXPECT_EQ(key->ReadDword("norun"), 0u);
  EXPECT_THROW(key->ReadString("NoRun"), platform::RegistryError);
  key->WriteString("NoRun", "");
  EXPECT_EQ(key->ReadString("NoRun"), "");
  EXPECT_THROW(key->ReadDword("NoRun"), platform::RegistryError);
  key->WriteString("other", "2");
  EXPECT_TRUE(key->DeleteValue("NORUN"));
  EXPECT_EQ(key->ValueNames(), NameList{"other"});
}

// Values as other programs store them: each reads as what it is, or throws.
TYPED_TEST_P(RegistryContract, UnusualValuesReadAsWhatTheyAre) {
  using T = platform::ValueType;
  const std::nullopt_t no = std::nullopt;
  struct Case {
    const char* name;
    T type;
    std::vector<std::uint8_t> bytes;
    std::optional<std::string> text;
    std::optional<std::uint32_t> number;
  };
  // clang-format off
  const Case cases[] = {
      {"text",   T::ExpandString, {'%', 0, 'A', 0, 0, 0}, "%A", no},
      {"dword",  T::Dword,        {7, 1, 0, 0},           no,   0x107},
      {"multi",  T::MultiString,  {'a', 0, 0, 0, 0, 0},   no,   no},
      {"binary", T::Binary,       {1, 2, 3},              no,   no},
      {"odd",    T::String,       {'h', 0, 'i', 0, '!'},  "hi", no},
      {"short",  T::Dword,        {7, 0},                 no,   no},
      {"long",   T::Dword,        {7, 0, 0, 0, 0, 0},     no,   no},
  };
  // clang-format on
  auto key = this->Make("Raw");
  for (const auto& c : cases) {
    this->env.WriteRaw(this->At("Raw"), c.name, c.type, c.bytes);
    EXPECT_EQ(key->TypeOf(c.name), c.type) << c.name;
    if (c.text)
      EXPECT_EQ(key->ReadString(c.name), c.text) << c.name;
    else
      EXPECT_THROW(key->ReadString(c.name), platform::RegistryError) << c.name;
    if (c.number)
      EXPECT_EQ(key->ReadDword(c.name), c.number) << c.name;
    else
      EXPECT_THROW(key->ReadDword(c.name), platform::RegistryError) << c.name;
  }
}

TYPED_TEST_P(RegistryContract, DeletingATreeRemovesAllBeneathItAndNeverFollowsALink) {
  this->Make("Tree\\Child\\Grandchild")->WriteString("v", "x");
  this->Make("Target")->WriteString("keep", "me");
  EXPECT_TRUE(this->reg().DeleteTree(this->kUser, this->At("tree")));
  EXPECT_EQ(this->Open("Tree"), nullptr);
  EXPECT_FALSE(this->reg().DeleteTree(this->kUser, this->At("Tree")));
  this->Make("Holder");
  if (!this->env.MakeLink(this->At("Holder\\Link"), this->At("Target")))
    GTEST_SKIP() << "registry links cannot be made here";
  EXPECT_FALSE(this->reg().DeleteTree(this->kUser, this->At("Holder")));
  auto target = this->Open("Target");
  EXPECT_TRUE(target && target->ReadString("keep") == "me");
}

TYPED_TEST_P(RegistryContract, AnEmptyPathNeverReachesTheRoot) {
  for (auto root : {this->kUser, this->kMachine}) {
    for (const char* path : {"", "\\"}) {
      EXPECT_TRUE(!this->reg().Open(root, path) && !this->reg().OpenForRead(root, path));
      EXPECT_EQ(this->reg().Create(root, path), nullptr);
      EXPECT_FALSE(this->reg().DeleteTree(root, path));
    }
  }
}

TYPED_TEST_P(RegistryContract, AKeyOpenedForReadingRefusesWrites) {
  this->Make("Guarded")->WriteString("v", "x");
  auto key = this->reg().OpenForRead(this->kUser, this->At("Guarded"));
  ASSERT_NE(key, nullptr);
  EXPECT_THROW(key->WriteString("v", "y"), platform::RegistryError);
  EXPECT_THROW(key->WriteDword("d", 1), platform::RegistryError);
  EXPECT_FALSE(key->DeleteValue("v"));
  EXPECT_EQ(key->ValueNames(), NameList{"v"});
}

TYPED_TEST_P(RegistryContract, AMachineKeyLivesInTheViewItWasWrittenIn) {
  const auto views = this->reg().MachineViews();
  if (views.size() < 2) GTEST_SKIP() << "HKLM has one view here";
  const std::string path = this->env.machine_base() + "\\Viewed";
  for (auto written : views) {
    ASSERT_NE(this->reg().Create(this->kMachine, path, written), nullptr);
    for (auto read : views) {
      EXPECT_EQ(this->reg().OpenForRead(this->kMachine, path, read) != nullptr, read == written);
    }
    EXPECT_TRUE(this->reg().DeleteTree(this->kMachine, path, written));
  }
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, NamesCompareWithoutRegardToCaseInAnyLanguage,
                            ListsEveryValueAndSubkeysSorted, MissingAndReplacedValues,
                            UnusualValuesReadAsWhatTheyAre,
                            DeletingATreeRemovesAllBeneathItAndNeverFollowsALink,
                            AnEmptyPathNeverReachesTheRoot, AKeyOpenedForReadingRefusesWrites,
                            AMachineKeyLivesInTheViewItWasWrittenIn);

}  // namespace tidora::testing
