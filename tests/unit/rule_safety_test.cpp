// What the safety checks refuse on the concrete folders and keys a run reaches; what they refuse
// in a key's text is read with the other lines of a rule file.

#include <gtest/gtest.h>

#include "rules/rule_safety.h"

namespace tidora::rules {
namespace {

using platform::RegistryRoot;

struct ConcreteCase {
  std::string path;
  std::string reason;  // empty: allowed
};

const ConcreteCase kPaths[] = {
    {"C:\\Users\\me\\AppData\\Local\\Vendor", ""},
    {"c:/users/me/AppData/Local/Vendor/", ""},
    {"C:\\", ""},
    {"\\\\server\\share\\Vendor", "UNC or device"},
    {"\\\\?\\C:\\Vendor", "UNC or device"},
    {"C:", "not a full path"},
    {"C:Vendor", "not a full path"},
    {"\\Vendor", "not a full path"},
    {"C:\\Users\\me\\..\\you", "'..'"},
    {"C:\\Users\\\\me", "empty path segment"},
    {"C:\\Users\\me\\Vendor:stream", "':'"},
    {"C:\\Users\\me \\Vendor", "dot or blank"},
    {std::string("C:\\Users\\me\0\\Vendor", 19), "control character"},
};

TEST(RuleSafety, ConcretePathsOfUnsoundShapeAreRefused) {
  for (const auto& c : kPaths) {
    const auto refused = RefusedPathShape(c.path);
    EXPECT_EQ(refused.has_value(), !c.reason.empty()) << c.path;
    if (refused) {
      EXPECT_NE(refused->find(c.reason), std::string::npos) << c.path << *refused;
    }
  }
}

TEST(RuleSafety, ConcreteKeysFoldTheirAliasesBeforeTheCheck) {
  const std::string nul_path("Software\\Vendor\0\\App", 20);
  EXPECT_TRUE(RefusedRegistryDelete(RegistryRoot::CurrentUser, nul_path, std::nullopt));
  EXPECT_TRUE(RefusedRegistryDelete(RegistryRoot::ClassesRoot, "Wow6432Node\\CLSID", std::nullopt));
  EXPECT_TRUE(RefusedRegistryDelete(RegistryRoot::LocalMachine, "SAM\\Domains", std::nullopt));
  EXPECT_TRUE(RefusedRegistryDelete(RegistryRoot::Users, "S-1-5-18\\Environment", "Path"));
  EXPECT_FALSE(
      RefusedRegistryDelete(RegistryRoot::Users, "S-1-5-18\\Software\\Vendor\\App", std::nullopt));
}

}  // namespace
}  // namespace tidora::rules
