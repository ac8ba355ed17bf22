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

using Id = ui::ControlId;
using Rows = std::vector<std::string>;

// Cleaners that return what a test says, and record what the run asked of them.
class ScriptedCleaners final : public Cleaners {
 public:
  bool Available(CleanerId id) const override { return !unavailable.count(id); }
  int Clean(CleanerId id, CleanerProgress& progress) override {
    called.push_back(id);
    const auto scripted = scripts.find(id);
    return scripted == scripts.end() ? 2 : scripted->second(progress);
  }
  std::map<CleanerId, std::function<int(CleanerProgress&)>> scripts;
  std::set<CleanerId> unavailable;
  std::vector<CleanerId> called;
};

class CleaningRunTest : public ::testing::Test {
 protected:
  // As on a machine without Netscape and Office; tests that want the groups enable them.
  CleaningRunTest() {
    controls_.OnClick([this](Id id) { form_.HandleClick(id) || run_.HandleClick(id); });
    controls_.SetEnabled(Id::groupNetscape, false);
    controls_.SetEnabled(Id::groupOffice, false);
  }
  void TickOnly(std::initializer_list<Id> ticked) {
    for (const auto& item : CleaningItems())
      if (item.block != Block::kNetscape) controls_.SetTicked(item.gate, false);
    for (Id id : ticked) controls_.SetTicked(id, true);
  }
  Rows Column(int column) {
    Rows cells;
    for (int row = 1; row < controls_.RowCount(Id::sgResultList) - 1; ++row)
      cells.push_back(controls_.Cell(Id::sgResultList, row, column));
    return cells;
  }
  // The bar at each stop test: where the run stood after each item.
  std::vector<int> RecordBarAtStopTests() {
    std::vector<int> positions;
    controls_.WhenInputIsDispatched(
        [&](int) { positions.push_back(controls_.Position(Id::CleanResultProgressBar)); });
    run_.bntCleanNowClick();
    return positions;
  }
  // The navigation buttons go together: "all", "none" or "mixed".
  std::string Navigation() {
    int enabled = 0;
    for (Id id :
         {Id::bntTraceCleaner, Id::bntIERepair, Id::bntToolsMenu, Id::bntClose, Id::bntAbout})
      enabled += controls_.Enabled(id);
    return enabled == 5 ? "all" : enabled == 0 ? "none" : "mixed";
  }

  testing::HeadlessControlSet controls_;
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
    controls_.SetEnabled(Id::groupNetscape, c.netscape);
    controls_.SetEnabled(Id::groupOffice, c.office);
    cleaners_.unavailable = {CleanerId::kNetscapeMozilla};
    TickOnly({});
    EXPECT_EQ(RecordBarAtStopTests().back(), c.last_stop_test);
    EXPECT_TRUE(Column(0).empty());
    EXPECT_EQ(controls_.Caption(Id::TotalResult), "0");
    EXPECT_EQ(controls_.Position(Id::CleanResultProgressBar), 100);
    EXPECT_EQ(controls_.Caption(Id::bntStopFinish), "Finished");
    EXPECT_EQ(Navigation(), "all");
    EXPECT_TRUE(cleaners_.called.empty());
    EXPECT_EQ(controls_.VisiblePanels(), std::vector<Id>{Id::CleanResult});
    controls_.Click(Id::bntStopFinish);  // "Finished" returns to the items
    EXPECT_EQ(controls_.VisiblePanels(), std::vector<Id>{Id::CleanItems});
  }
}

// A failed Recycle Bin or clipboard counts 0; a long cleaner's row shows "Pending" until it ends;
// an enabled Netscape group writes its row even with none of its boxes ticked.
TEST_F(CleaningRunTest, RowsFollowTheTableAndTheTotalAddsThem) {
  TickOnly({Id::IEHistory, Id::WinRunHistory, Id::WinSTF, Id::WinRecycleBin, Id::WinClipboard});
  controls_.SetEnabled(Id::groupNetscape, true);
  for (Id box : {Id::NsCache, Id::NsAddressBar, Id::NsCookies, Id::NsHistory, Id::NsAutoForm})
    controls_.SetTicked(box, false);
  cleaners_.scripts[CleanerId::kNetscapeMozilla] = [](CleanerProgress& progress) {
    progress.Finish();
    return 0;
  };
  Rows pending;
  cleaners_.scripts[CleanerId::kUrlHistory] = [](auto&) { return 0; };  // not cleared
  cleaners_.scripts[CleanerId::kRunHistory] = [](auto&) { return 4; };
  cleaners_.scripts[CleanerId::kSystemDiskTempFiles] = [&](CleanerProgress& progress) {
    const auto row = [&] { return Column(1).back() + "/" + Column(2).back(); };
    pending.push_back(row());
    progress.ShowCount(7);
    pending.push_back(row());
    progress.Finish();
    return 7;
  };
  cleaners_.scripts[CleanerId::kRecycleBin] = [](auto&) { return 0; };  // failed
  cleaners_.scripts[CleanerId::kClipboard] = [](auto&) { return 1; };
  run_.bntCleanNowClick();
  EXPECT_EQ(pending, (Rows{"0/Pending", "7/Pending"}));
  EXPECT_EQ(Column(0), (Rows{"Internet Explorer Visited Website History", "About Netscape",
                             "Windows Run History", "Windows Scan System Disk Temp Files ",
                             "Windows Recycle Bin", "Windows Clipboard"}));
  EXPECT_EQ(Column(1), (Rows{"0", "0", "4", "7", "0", "1"}));
  EXPECT_EQ(Column(2), Rows(6, "Finished"));
  EXPECT_EQ(controls_.RowCount(Id::sgResultList), 8);
  EXPECT_EQ(controls_.Caption(Id::TotalResult), "12");
}

TEST_F(CleaningRunTest, StopInsideALongCleanerEndsTheRunAtTheNextStopTest) {
  TickOnly({Id::WinSTF, Id::WinRecycleBin});
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
    if (controls_.Cell(Id::sgResultList, 1, 1) == "3" && !run_.IsRunStopped())
      controls_.Click(Id::bntStopFinish);
  });
  run_.bntCleanNowClick();
  EXPECT_EQ(controls_.Caption(Id::bntStopFinish), "Finished");
  EXPECT_EQ(Navigation(), "all");
  EXPECT_EQ(Column(1), Rows{"3"});
  EXPECT_EQ(Column(2), Rows{"Pending"});
  EXPECT_EQ(controls_.Caption(Id::TotalResult), "3");
  EXPECT_LT(controls_.Position(Id::CleanResultProgressBar), 100);
  EXPECT_EQ(cleaners_.called, std::vector<CleanerId>{CleanerId::kSystemDiskTempFiles});
  EXPECT_FALSE(run_.running());
}

// An unavailable cleaner is skipped as if unticked, but its step still counts.
TEST_F(CleaningRunTest, ASecondRunStartsAfreshAndSkipsWhatIsUnavailable) {
  TickOnly({Id::WinRunHistory, Id::WinClipboard});
  run_.bntCleanNowClick();
  ASSERT_EQ(Column(0).size(), 2u);
  TickOnly({Id::IEABH, Id::WinTFD});
  cleaners_.unavailable = {CleanerId::kTypedUrls, CleanerId::kNetscapeMozilla};
  int rows_when_it_ran = -1;
  cleaners_.scripts[CleanerId::kTempFolder] = [&](auto&) {
    rows_when_it_ran = controls_.RowCount(Id::sgResultList);
    return 5;
  };
  EXPECT_EQ(RecordBarAtStopTests().front(), 4);
  EXPECT_EQ(rows_when_it_ran, 2);
  EXPECT_EQ(Column(0), Rows{"Windows Tempory Files Directory"});
  EXPECT_EQ(controls_.Caption(Id::TotalResult), "5");
}

TEST_F(CleaningRunTest, AnErrorLeavesStopToEndTheRun) {
  TickOnly({Id::WinRunHistory});
  cleaners_.scripts[CleanerId::kRunHistory] = [](auto&) -> int {
    throw std::runtime_error("Invalid data type");
  };
  EXPECT_THROW(run_.bntCleanNowClick(), std::runtime_error);
  EXPECT_FALSE(run_.running());
  EXPECT_EQ(controls_.Caption(Id::bntStopFinish), "Stop");
  EXPECT_EQ(Navigation(), "none");
  controls_.Click(Id::bntStopFinish);
  EXPECT_EQ(Navigation(), "all");
  controls_.Click(Id::bntStopFinish);
  EXPECT_EQ(controls_.VisiblePanels(), std::vector<Id>{Id::CleanItems});
}

}  // namespace
}  // namespace tidora::cleaning
