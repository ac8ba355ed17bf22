#include "extensions/extension_lists.h"

#include <gtest/gtest.h>

#include "tests/support/fake_registry.h"
#include "tests/support/headless_control_set.h"

namespace tidora::extensions {
namespace {

using platform::RegistryRoot;
using platform::ValueType;
using testing::FakeRegistry;
using testing::HeadlessControlSet;
using ui::ControlId;

std::vector<std::string> Items(const HeadlessControlSet& controls, ControlId list) {
  std::vector<std::string> items;
  for (int i = 0; i < controls.ItemCount(list); ++i) items.push_back(controls.ItemText(list, i));
  return items;
}

class ExtensionListsTest : public ::testing::Test {
 protected:
  void AddExtension(const std::string& key, const char* value, std::string text) {
    registry_.SetValue(RegistryRoot::LocalMachine, std::string(kExtensionsKey) + "\\" + key, value,
                       ValueType::String, std::move(text));
  }

  FakeRegistry registry_;
  HeadlessControlSet controls_;
};

// Menu entries are the user's MenuExt subkeys; tool entries show their button text, else their
// menu text; what was listed before goes.
TEST_F(ExtensionListsTest, ListsMenuEntriesAndToolEntries) {
  controls_.AddItem(ControlId::ExtendMenuitems, "stale");
  registry_.Create(RegistryRoot::CurrentUser, std::string(kMenuExtKey) + "\\E&xport to Sheet");
  registry_.Create(RegistryRoot::CurrentUser, std::string(kMenuExtKey) + "\\&Download All");
  registry_.Create(RegistryRoot::LocalMachine, std::string(kMenuExtKey) + "\\Machine Wide");
  AddExtension("{A}", "ButtonText", "Research");
  AddExtension("{A}", "MenuText", "Research menu");
  AddExtension("{B}", "MenuText", "Messenger");
  registry_.Create(RegistryRoot::LocalMachine, std::string(kExtensionsKey) + "\\{C}");
  AddExtension("{D}", "CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}");
  FillExtensionLists(controls_, registry_);
  EXPECT_EQ(Items(controls_, ControlId::ExtendMenuitems),
            (std::vector<std::string>{"&Download All", "E&xport to Sheet"}));
  EXPECT_EQ(Items(controls_, ControlId::ExtendToolsItems),
            (std::vector<std::string>{"Research", "Messenger"}));
}

}  // namespace
}  // namespace tidora::extensions
