#include "cleaning/cleaning_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <stdexcept>

#include "tests/support/fake_registry.h"
#include "tests/support/fake_shell.h"
#include "tests/support/headless_control_set.h"
#include "ui/main_form.h"

namespace tidora::cleaning {
namespace {

using testing::HeadlessControlSet;
using ui::ControlId;

// Cleaners that return what a test says, and record what the run asked of them.
class ScriptedCleaners final : public Cleaners {
 public:
  using Script = std::function<int(CleanerProgress&)>;

  bool Available(CleanerId id) const override { return !unavailable.count(id); }
  int Clean(CleanerId id, CleanerProgress& progress) override {
    called.push_back(id);
    const auto scripted = scripts.find(id);
    return scripted == scripts.end() ? 2 : scripted->second(progress);
  }

  std::map<CleanerId, Script> scripts;
  std::set<CleanerId> unavailable;
  std::vector<CleanerId> called;
};

class CleaningRunTest : public ::testing::Test {
 protected:
  // As on a machine without Netscape and Office; tests that want the groups enable them.
  CleaningRunTest() {
    controls_.OnClick([this](ControlId id) { form_.HandleClick(id) || run_.HandleClick(id); });
    controls_.SetEnabled(ControlId::groupNetscape, false);
    controls_.SetEnabled(ControlId::groupOffice, false);
  }
  void TickOnly(std::initializer_list<ControlId> ticked) {
    for (const auto& item : CleaningItems()) {
      if (item.block != Block::kNetscape) controls_.SetTicked(item.gate, false);
    }
    for (ControlId id : ticked) controls_.SetTicked(id, true);
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> cells;
    for (int row = 1; row < controls_.RowCount(ControlId::sgResultList) - 1; ++row) {
      cells.push_back(controls_.Cell(ControlId::sgResultList, row, column));
    }
    return cells;
  }
  // The bar at each stop test: where the run stood after each item.
  std::vector<int> RecordBarAtStopTests() {
    std::vector<int> positions;
    controls_.WhenInputIsDispatched(
        [&](int) { positions.push_back(controls_.Position(ControlId::CleanResultProgressBar)); });
    run_.bntCleanNowClick();
    return positions;
  }
  bool NavigationEnabled() {
    bool all = true, none = true;
    for (ControlId id : {ControlId::bntTraceCleaner, ControlId::bntIERepair,
                         ControlId::bntToolsMenu, ControlId::bntClose, ControlId::bntAbout}) {
      all = all && controls_.Enabled(id);
      none = none && !controls_.Enabled(id);
    }
    EXPECT_TRUE(all || none) << "the navigation buttons go together";
    return all;
  }

  HeadlessControlSet controls_;
  testing::FakeRegistry registry_;
  testing::FakeShell shell_;
  ui::MainForm form_{controls_, registry_, shell_};
  ScriptedCleaners cleaners_;
  CleaningRun run_{controls_, cleaners_};
};

TEST(CleaningItems, StepsAddUpToAHundred) {
  const auto items = CleaningItems();
  ASSERT_EQ(items.size(), 22u);
  auto steps = [&](auto keep) {
    int sum = 0;
    for (const auto& item : items) sum += keep(item) ? item.step : 0;
    return sum;
  };
  EXPECT_EQ(steps([](auto&) { return true; }), 100);
  EXPECT_EQ(steps([](auto& item) { return item.block != Block::kNetscape; }), 80);
  EXPECT_EQ(steps([](auto& item) { return item.block != Block::kOffice; }), 72);
  EXPECT_EQ(items.back().step, 0);
}

// Unavailable or disabled items write no row; the bar still takes the steps of enabled groups.
TEST_F(CleaningRunTest, WithNothingTickedTheBarEndsAfterTheEnabledGroups) {
  struct Case {
    bool netscape, office;
    int last_stop_test;
  };
  for (const auto& c : {Case{true, true, 100}, Case{false, true, 80}, Case{true, false, 72}}) {
    controls_.SetEnabled(ControlId::groupNetscape, c.netscape);
    controls_.SetEnabled(ControlId::groupOffice, c.office);
    cleaners_.unavailable = {CleanerId::kNetscapeMozilla};
    TickOnly({});
    EXPECT_EQ(RecordBarAtStopTests().back(), c.last_stop_test);
    EXPECT_TRUE(Column(0).empty());
    EXPECT_EQ(controls_.Caption(ControlId::TotalResult), "0");
    EXPECT_EQ(controls_.Position(ControlId::CleanResultProgressBar), 100);
    EXPECT_EQ(controls_.Caption(ControlId::bntStopFinish), "Finished");
    EXPECT_TRUE(NavigationEnabled());
    EXPECT_TRUE(cleaners_.called.empty());
    EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{ControlId::CleanResult});
    controls_.Click(ControlId::bntStopFinish);  // "Finished" returns to the items
    EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{ControlId::CleanItems});
  }
}

TEST_F(CleaningRunTest, RowsFollowTheTableAndTheTotalAddsThem) {
  TickOnly({ControlId::IEHistory, ControlId::WinRunHistory, ControlId::WinSTF,
            ControlId::WinRecycleBin, ControlId::WinClipboard});
  cleaners_.scripts[CleanerId::kUrlHistory] = [](auto&) { return 0; };  // not cleared
  cleaners_.scripts[CleanerId::kRunHistory] = [](auto&) { return 4; };
  cleaners_.scripts[CleanerId::kSystemDiskTempFiles] = [](CleanerProgress& progress) {
    progress.ShowCount(1);
    progress.ShowCount(2);
    progress.Finish();
    return 2;
  };
  cleaners_.scripts[CleanerId::kRecycleBin] = [](auto&) { return 0; };  // failed
  cleaners_.scripts[CleanerId::kClipboard] = [](auto&) { return 1; };
  run_.bntCleanNowClick();
  EXPECT_EQ(Column(0),
            (std::vector<std::string>{"Internet Explorer Visited Website History",
                                      "Windows Run History", "Windows Scan System Disk Temp Files ",
                                      "Windows Recycle Bin", "Windows Clipboard"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"0", "4", "2", "0", "1"}));
  EXPECT_EQ(Column(2), std::vector<std::string>(5, "Finished"));
  EXPECT_EQ(controls_.Caption(ControlId::TotalResult), "7");
}

TEST_F(CleaningRunTest, APendingRowShowsPendingUntilItsCleanerFinishes) {
  TickOnly({ControlId::WinSTF});
  std::vector<std::string> seen;
  cleaners_.scripts[CleanerId::kSystemDiskTempFiles] = [&](CleanerProgress& progress) {
    seen.push_back(controls_.Cell(ControlId::sgResultList, 1, 1) + "/" +
                   controls_.Cell(ControlId::sgResultList, 1, 2));
    progress.ShowCount(7);
    seen.push_back(controls_.Cell(ControlId::sgResultList, 1, 1) + "/" +
                   controls_.Cell(ControlId::sgResultList, 1, 2));
    progress.Finish();
    return 7;
  };
  run_.bntCleanNowClick();
  EXPECT_EQ(seen, (std::vector<std::string>{"0/Pending", "7/Pending"}));
  EXPECT_EQ(Column(2), std::vector<std::string>{"Finished"});
  EXPECT_EQ(controls_.RowCount(ControlId::sgResultList), 3);
}

TEST_F(CleaningRunTest, StopInsideALongCleanerEndsTheRunAtTheNextStopTest) {
  TickOnly({ControlId::WinSTF, ControlId::WinRecycleBin});
  cleaners_.scripts[CleanerId::kSystemDiskTempFiles] = [&](CleanerProgress& progress) {
    int count = 0;
    while (count < 1000) {
      progress.ShowCount(++count);
      if (progress.StopRequested()) return count;
    }
    return count;
  };
  controls_.WhenInputIsDispatched([&](int) {
    // The user presses Stop when the row shows 3.
    if (controls_.Cell(ControlId::sgResultList, 1, 1) == "3" && !run_.IsRunStopped()) {
      controls_.Click(ControlId::bntStopFinish);
    }
  });
  run_.bntCleanNowClick();
  EXPECT_EQ(controls_.Caption(ControlId::bntStopFinish), "Finished");
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_EQ(Column(0).size(), 1u);
  EXPECT_EQ(Column(1), std::vector<std::string>{"3"});
  EXPECT_EQ(Column(2), std::vector<std::string>{"Pending"});
  EXPECT_EQ(controls_.Caption(ControlId::TotalResult), "3");
  EXPECT_LT(controls_.Position(ControlId::CleanResultProgressBar), 100);
  EXPECT_EQ(cleaners_.called, std::vector<CleanerId>{CleanerId::kSystemDiskTempFiles});
  EXPECT_FALSE(run_.running());
}

TEST_F(CleaningRunTest, ASecondRunStartsAfresh) {
  TickOnly({ControlId::WinRunHistory, ControlId::WinClipboard});
  run_.bntCleanNowClick();
  ASSERT_EQ(Column(0).size(), 2u);
  TickOnly({ControlId::WinTFD});
  int rows_when_first_item_ran = -1;
  cleaners_.scripts[CleanerId::kTempFolder] = [&](auto&) {
    rows_when_first_item_ran = controls_.RowCount(ControlId::sgResultList);
    return 5;
  };
  run_.bntCleanNowClick();
  EXPECT_EQ(rows_when_first_item_ran, 2);
  EXPECT_EQ(Column(0), std::vector<std::string>{"Windows Tempory Files Directory"});
  EXPECT_EQ(controls_.Caption(ControlId::TotalResult), "5");
}

TEST_F(CleaningRunTest, ACleanerNotYetBuiltIsSkippedAsIfUnticked) {
  TickOnly({ControlId::IEABH, ControlId::WinRunHistory});
  cleaners_.unavailable = {CleanerId::kTypedUrls, CleanerId::kNetscapeMozilla};
  const auto positions = RecordBarAtStopTests();
  EXPECT_EQ(Column(0), std::vector<std::string>{"Windows Run History"});
  EXPECT_EQ(positions.front(), 4);  // its step still counts
}

TEST_F(CleaningRunTest, AnEnabledNetscapeGroupAlwaysWritesItsRow) {
  controls_.SetEnabled(ControlId::groupNetscape, true);
  TickOnly({});
  for (ControlId box : {ControlId::NsCache, ControlId::NsAddressBar, ControlId::NsCookies,
                        ControlId::NsHistory, ControlId::NsAutoForm}) {
    controls_.SetTicked(box, false);
  }
  cleaners_.scripts[CleanerId::kNetscapeMozilla] = [](CleanerProgress& progress) {
    progress.Finish();
    return 0;
  };
  run_.bntCleanNowClick();
  EXPECT_EQ(Column(0), std::vector<std::string>{"About Netscape"});
  EXPECT_EQ(Column(1), std::vector<std::string>{"0"});
}

TEST_F(CleaningRunTest, AnErrorLeavesStopToEndTheRun) {
  TickOnly({ControlId::WinRunHistory});
  cleaners_.scripts[CleanerId::kRunHistory] = [](auto&) -> int {
    throw std::runtime_error("Invalid data type");
  };
  EXPECT_THROW(run_.bntCleanNowClick(), std::runtime_error);
  EXPECT_FALSE(run_.running());
  EXPECT_EQ(controls_.Caption(ControlId::bntStopFinish), "Stop");
  EXPECT_FALSE(NavigationEnabled());
  controls_.Click(ControlId::bntStopFinish);
  EXPECT_TRUE(NavigationEnabled());
  controls_.Click(ControlId::bntStopFinish);
  EXPECT_EQ(controls_.VisiblePanels(), std::vector<ControlId>{ControlId::CleanItems});
}

}  // namespace
}  // namespace tidora::cleaning
