#pragma once

// Cases every Registry passes. The environment offers registry(), base() and machine_base() (empty
// keys under HKCU and HKLM), WriteRaw(path, name, type, bytes), MakeLink(link, target under HKLM,
// inspectable), GrantOnlyReadAndDelete(path) and GrantOnlyRead(path) (the last three are false
// where they cannot be made), and Plant(root, path) (a key under HKCU or HKLM holding "planted",
// its own path, out of reach of the registry under test).

#include <gtest/gtest.h>

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
  // Subkeys come sorted without regard to case. Where "_" and "[" fall differs (Wine and the fake
  // sort the lower-case forms, Windows the upper-case ones): callers never rely on it, nor does
  // this.
  for (const char* sub : {"AB", "a_", "A[", "a0"}) this->Make(lower + "\\" + sub);
  auto names = this->Open(lower)->SubkeyNames();
  EXPECT_EQ(std::erase_if(names, [](const std::string& n) { return n == "a_" || n == "A["; }), 2u);
  EXPECT_EQ(names, (NameList{"a0", "AB", "Case", "Other"}));
}

// What a read gives: the data, "none" or "error".
std::string Outcome(auto read) {
  try {
    const auto data = read();
    return data ? ::testing::PrintToString(*data) : "none";
  } catch (const platform::RegistryError&) {
    return "error";
  }
}

// Values as other programs store them read as what they are, or as an error; values replace each
// other whatever their type; a key opened for reading takes no writes.
TYPED_TEST_P(RegistryContract, ValuesReadAsWhatTheyAreAndReplaceEachOther) {
  using T = platform::ValueType;
  struct Case {
    const char* name;
    T type;
    std::vector<std::uint8_t> bytes;
    const char* string_and_dword;
  };
  // clang-format off
  const Case cases[] = {
      {"text",   T::ExpandString, {'%', 0, 'A', 0, 0, 0}, "\"%A\" error"},
      {"dword",  T::Dword,        {7, 1, 0, 0},           "error 263"},
      {"multi",  T::MultiString,  {'a', 0, 0, 0, 0, 0},   "error error"},
      {"binary", T::Binary,       {1, 2, 3},              "error error"},
      {"odd",    T::String,       {'h', 0, 'i', 0, '!'},  "\"hi\" error"},
      {"short",  T::Dword,        {7, 0},                 "error error"},
      {"long",   T::Dword,        {7, 0, 0, 0, 0, 0},     "error error"},
  };
  // clang-format on
  auto key = this->Make("Raw");
  for (const auto& c : cases) {
    this->env.WriteRaw(this->At("Raw"), c.name, c.type, c.bytes);
    EXPECT_EQ(key->TypeOf(c.name), c.type) << c.name;
    EXPECT_EQ(Outcome([&] { return key->ReadString(c.name); }) + " " +
                  Outcome([&] { return key->ReadDword(c.name); }),
              c.string_and_dword)
        << c.name;
  }
  EXPECT_EQ(this->Open("Nowhere\\Deeper"), nullptr);
  key = this->Make("Replace");
  EXPECT_FALSE(key->ReadString("NoRun") || key->DeleteValue("NoRun"));
  key->WriteString("NoRun", "yes");
  key->WriteDword("NORUN", 0);
  EXPECT_EQ(key->ReadDword("norun"), 0u);
  EXPECT_THROW(key->ReadString("NoRun"), platform::RegistryError);
  key->WriteString("NoRun", "");
  EXPECT_EQ(key->ReadString("NoRun"), "");
  EXPECT_THROW(key->ReadDword("NoRun"), platform::RegistryError);
  key->WriteString("other", "2");
  auto reader = this->reg().OpenForRead(this->kUser, this->At("Replace"));
  EXPECT_THROW(reader->WriteString("other", "y"), platform::RegistryError);
  EXPECT_FALSE(reader->DeleteValue("other"));
  EXPECT_TRUE(key->DeleteValue("NORUN"));
  EXPECT_EQ(reader->ValueNames(), NameList{"other"});
}

// An empty path never reaches the root, nor one with a NUL its parent; a tree goes whole, in the
// view it lives in, but never through a link.
TYPED_TEST_P(RegistryContract, DeletingATreeRemovesAllBeneathItAndNeverFollowsALink) {
  using enum platform::RegistryRoot;
  for (auto root : {CurrentUser, LocalMachine, Users, ClassesRoot, CurrentConfig}) {
    for (const std::string& path : {std::string(), std::string("\\"), std::string("Tree\0x", 6)}) {
      EXPECT_TRUE(!this->reg().Open(root, path) && !this->reg().OpenForRead(root, path));
      EXPECT_TRUE(!this->reg().Create(root, path) && !this->reg().DeleteTree(root, path));
    }
  }
  this->Make("Tree\\Child\\Grandchild")->WriteString("v", "x");
  EXPECT_TRUE(this->reg().DeleteTree(this->kUser, this->At("tree")));
  EXPECT_EQ(this->Open("Tree"), nullptr);
  EXPECT_FALSE(this->reg().DeleteTree(this->kUser, this->At("Tree")));
  const auto views = this->reg().MachineViews();
  const std::string path = this->env.machine_base() + "\\Viewed";
  for (auto written : views) {
    ASSERT_NE(this->reg().Create(this->kMachine, path, written), nullptr);
    for (auto read : views)
      EXPECT_EQ(this->reg().OpenForRead(this->kMachine, path, read) != nullptr, read == written);
    EXPECT_TRUE(this->reg().DeleteTree(this->kMachine, path, written));
  }
  this->Make("Holder");
  const std::string target = this->env.machine_base() + "\\Target";
  this->reg().Create(this->kMachine, target)->WriteString("keep", "me");
  if (!this->env.MakeLink(this->At("Holder\\Link"), target, true))
    GTEST_SKIP() << "registry links cannot be made here";
  EXPECT_FALSE(this->reg().DeleteTree(this->kUser, this->At("Holder")));
  EXPECT_FALSE(this->reg().KeyDeletable(this->kUser, this->At("Holder\\Link"), {}));
  EXPECT_FALSE(this->reg().KeyDeletable(this->kUser, this->At("Holder\\Missing"), {}));
  auto kept = this->reg().Open(this->kMachine, target);
  EXPECT_TRUE(kept && kept->ReadString("keep") == "me");
}

// A standard user may delete keys that grant him less than full access; a link whose own security
// refuses a look is taken for a link: neither followed nor emptied.
TYPED_TEST_P(RegistryContract, TreeDeletionAsksOnlyWhatItUsesAndFailsClosedOnLinks) {
  this->Make("Narrow\\Child\\Leaf")->WriteString("v", "x");
  for (const char* key : {"Narrow\\Child\\Leaf", "Narrow\\Child", "Narrow"}) {
    if (!this->env.GrantOnlyReadAndDelete(this->At(key)))
      GTEST_SKIP() << "key security cannot be narrowed here";
  }
  EXPECT_TRUE(!this->Open("Narrow") && this->reg().OpenForRead(this->kUser, this->At("Narrow")));
  EXPECT_TRUE(this->reg().KeyDeletable(this->kUser, this->At("Narrow\\Child"), {}));
  EXPECT_TRUE(
      this->reg().DeleteTree(this->kUser, this->At("Narrow\\Child")));  // below a narrow key
  EXPECT_TRUE(this->reg().DeleteTree(this->kUser, this->At("Narrow")));
  EXPECT_EQ(this->reg().OpenForRead(this->kUser, this->At("Narrow")), nullptr);
  this->Make("Holder");
  const std::string target = this->env.machine_base() + "\\Guarded";
  this->reg().Create(this->kMachine, target)->WriteString("keep", "me");
  if (!this->env.MakeLink(this->At("Holder\\Sealed"), target, false))
    GTEST_SKIP() << "a link's security cannot be narrowed here";
  EXPECT_TRUE(this->Open("Holder")->SubkeyIsLink("Sealed"));
  EXPECT_FALSE(this->reg().KeyDeletable(this->kUser, this->At("Holder\\Sealed"), {}));
  EXPECT_FALSE(this->reg().DeleteTree(this->kUser, this->At("Holder")));
  auto kept = this->reg().Open(this->kMachine, target);
  EXPECT_TRUE(kept && kept->ReadString("keep") == "me");
  // A key that may not be deleted stays; what lies beneath it and may be deleted goes.
  this->Make("Kept\\Child\\Leaf");
  if (!this->env.GrantOnlyRead(this->At("Kept"))) GTEST_SKIP() << "rights cannot be narrowed here";
  EXPECT_FALSE(this->reg().KeyDeletable(this->kUser, this->At("Kept"), {}));
  EXPECT_FALSE(this->reg().DeleteTree(this->kUser, this->At("Kept")));
  EXPECT_TRUE(this->reg().OpenForRead(this->kUser, this->At("Kept")));
  EXPECT_FALSE(this->reg().OpenForRead(this->kUser, this->At("Kept\\Child")));
}

// Each root shows the keys the system keeps for it: HKU the user's own under his SID, HKCR the
// machine's classes, HKCC the current hardware profile's. Keys are made and deleted through each.
TYPED_TEST_P(RegistryContract, EachRootShowsWhereTheSystemKeepsItsKeys) {
  using enum platform::RegistryRoot;
  const std::string sid = "S-1-5-21-0-0-0-1000";  // Wine's one user, and the fakes'
  const std::string base = this->env.machine_base(), leaf = base.substr(base.rfind('\\') + 1);
  for (const auto& [kept_in, kept_at, root, path] :
       {std::tuple{CurrentUser, this->At("Hive"), Users, sid + "\\" + this->At("Hive")},
        {LocalMachine, "Software\\Classes\\" + leaf, ClassesRoot, leaf},
        {LocalMachine, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\" + leaf,
         CurrentConfig, "Software\\" + leaf}}) {
    this->env.Plant(kept_in, kept_at);
    const auto key = this->reg().OpenForRead(root, path);
    EXPECT_TRUE(key && platform::TextValue(*key, "planted") == kept_at) << path;
    const std::string made = path + "\\Made\\Deeper";
    EXPECT_TRUE(this->reg().Create(root, made) && this->reg().OpenForRead(root, made)) << made;
    EXPECT_TRUE(this->reg().DeleteTree(root, path + "\\Made"));
    EXPECT_FALSE(this->reg().OpenForRead(root, path + "\\Made")) << path;
  }
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, NamesCompareWithoutRegardToCaseInAnyLanguage,
                            ValuesReadAsWhatTheyAreAndReplaceEachOther,
                            DeletingATreeRemovesAllBeneathItAndNeverFollowsALink,
                            TreeDeletionAsksOnlyWhatItUsesAndFailsClosedOnLinks,
                            EachRootShowsWhereTheSystemKeepsItsKeys);
}  // namespace tidora::testing
