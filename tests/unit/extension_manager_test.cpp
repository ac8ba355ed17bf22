#include "extensions/extension_manager.h"

#include <gtest/gtest.h>

#include "extensions/extension_lists.h"
#include "tests/support/fake_registry.h"
#include "tests/support/headless_control_set.h"

namespace tidora::extensions {
namespace {

using Id = ui::ControlId;
using V = platform::RegistryView;
using Texts = std::vector<std::string>;
constexpr auto CU = platform::RegistryRoot::CurrentUser, LM = platform::RegistryRoot::LocalMachine;

class ExtensionManagerTest : public ::testing::Test {
 protected:
  // As the main form does: the Tools&Menu button shows the panel afresh.
  void SetUp() override {
    controls_.OnClick(
        [this](Id id) { id == Id::bntToolsMenu ? Show() : void(manager_.HandleClick(id)); });
  }
  void Show() { manager_.PanelShown(Id::ToolsMenuWizard); }
  void Extension(const char* name, const char* value, testing::FakeRegistry::Data text,
                 V view = V::k64) {
    const auto type = std::holds_alternative<std::string>(text) ? platform::ValueType::String
                                                                : platform::ValueType::Dword;
    registry_.SetValue(LM, std::string(kExtensionsKey) + "\\" + name, value, type, std::move(text),
                       view);
  }
  void Menu(platform::RegistryRoot root, const char* name) {
    registry_.Create(root, std::string(kMenuExtKey) + "\\" + name);
  }
  bool Has(const char* name, V view = V::k64) {
    return registry_.KeyExists(LM, std::string(kExtensionsKey) + "\\" + name, view);
  }
  bool HasMenu(const char* name) {
    return registry_.KeyExists(CU, std::string(kMenuExtKey) + "\\" + name);
  }
  // The list's texts; ticks the item reading wanted, or checks that none is ticked.
  Texts Items(Id list, bool tick_matching = false, std::string_view wanted = {}) {
    Texts items;
    for (int i = 0; i < controls_.ItemCount(list); ++i) {
      items.push_back(controls_.ItemText(list, i));
      if (tick_matching && items.back() == wanted) controls_.SetItemTicked(list, i, true);
      EXPECT_FALSE(!tick_matching && controls_.ItemTicked(list, i));
    }
    return items;
  }

  testing::HeadlessControlSet controls_;
  testing::FakeRegistry registry_;
  ExtensionManager manager_{controls_, registry_};
};

// Menu entries are the user's own; a tool shows its button text, else its menu text; a number
// planted as a text hides nothing; a standard user (read access) sees both views, each once.
TEST_F(ExtensionManagerTest, ListsEveryViewOnceReadingANonTextValueAsMissing) {
  controls_.AddItem(Id::ExtendMenuitems, "stale");
  Menu(CU, "E&xport to Sheet");
  Menu(CU, "&Download All");
  Menu(LM, "Machine Wide");
  Extension("{A}", "ButtonText", 7u);
  Extension("{A}", "MenuText", "Fallback");
  Extension("{B}", "ButtonText", 7u);
  Extension("{C}", "ButtonText", "After");
  Extension("{C}", "MenuText", "After menu");
  Extension("{C}", "ButtonText", "After", V::k32);
  Extension("{D}", "ButtonText", "Only 32", V::k32);
  Extension("{E}", "CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}");
  registry_.RefuseFullAccess(LM, kExtensionsKey);
  Show();
  EXPECT_EQ(Items(Id::ExtendMenuitems), (Texts{"&Download All", "E&xport to Sheet"}));
  EXPECT_EQ(Items(Id::ExtendToolsItems), (Texts{"Fallback", "After", "Only 32"}));
}

TEST_F(ExtensionManagerTest, DeletesExactlyWhatIsTickedAndRefillsUnticked) {
  for (const char* name : {"   \\child", " Padded ", "Padded"}) Menu(CU, name);
  Extension("{1}", "ButtonText", "");
  Extension("{2}", "CLSID", "{none}");
  Extension("{3}", "ButtonText", 7u);
  Extension("{4}", "MenuText", "Tool");
  Extension("{5}", "ButtonText", "Tool", V::k32);
  Extension("{6}", "ButtonText", "tool");
  Extension("{7}", "ButtonText", "Tool");
  registry_.RefuseDeletion(LM, std::string(kExtensionsKey) + "\\{7}");
  Show();
  for (const char* menu : {"   ", " Padded "}) Items(Id::ExtendMenuitems, true, menu);
  for (const char* tool : {"", "Tool"}) Items(Id::ExtendToolsItems, true, tool);
  controls_.Click(Id::ToolsMenuDelete);
  EXPECT_FALSE(HasMenu("   ") || HasMenu(" Padded ") || Has("{1}") || Has("{4}") ||
               Has("{5}", V::k32));
  EXPECT_TRUE(HasMenu("Padded") && Has("{2}") && Has("{3}") && Has("{6}") && Has("{7}"));
  EXPECT_EQ(Items(Id::ExtendMenuitems), Texts{"Padded"});
  EXPECT_EQ(Items(Id::ExtendToolsItems), (Texts{"tool", "Tool"}));
}

}  // namespace
}  // namespace tidora::extensions
