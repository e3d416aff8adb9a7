// The read-back engine against a simulated controller whose contents are known: the rows of
// each kind, names from the database, the failures and what stays of a read that fails.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <QSet>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "data/bll_SerialPort.h"
#include "platform/Translation.h"
#include "search/SearchFixture.h"

using kv60sim::Fault;

namespace {

class SearchEngine : public SearchFixture {
 protected:
  TSearchResult Run(TSearchPage page, int deviceId = 1) {
    TCommSearchEngine engine(host);
    return engine.Run(page, deviceId, host);
  }

  RecordingSearchHost host;
};

kv60sim::TimeZone Zone(std::array<QTime, 5> begin, std::array<int, 5> mode) {
  kv60sim::TimeZone zone;
  zone.begin = begin;
  zone.mode = mode;
  return zone;
}

TEST_F(SearchEngine, TimeZonesHeldAreListedInIdOrderWithDatabaseNames) {
  controller->SetTimeZone(
      1, Zone({QTime(8, 0), QTime(12, 0), QTime(13, 30), QTime(18, 0), QTime(22, 0)},
              {0, 1, 2, 3, 0}));
  controller->SetTimeZone(
      5,
      Zone({QTime(0, 0), QTime(6, 15), QTime(7, 0), QTime(20, 0), QTime(23, 0)}, {3, 3, 0, 1, 2}));
  NameZone(1, "Office hours");  // zone 5 is unknown to the database

  EXPECT_EQ(Run(TSearchPage::TimeZones), TSearchResult::Done);

  ASSERT_EQ(host.rows.size(), 2u);
  EXPECT_EQ(host.rows[0],
            QStringList({"Office hours", "1", "08:00:00", "12:00:00", "by Card", "12:00:00",
                         "13:30:00", "by Card and password", "13:30:00", "18:00:00", "closed",
                         "18:00:00", "22:00:00", "open", "22:00:00", "23:59:59", "by Card"}));
  EXPECT_EQ(host.rows[1],
            QStringList({"No Setting", "5", "00:00:00", "06:15:00", "open", "06:15:00", "07:00:00",
                         "open", "07:00:00", "20:00:00", "by Card", "20:00:00", "23:00:00",
                         "by Card and password", "23:00:00", "23:59:59", "closed"}));
  EXPECT_EQ(host.range, std::make_pair(0, 98));
  EXPECT_EQ(host.positions.back(), 98);
  // Each row shows as soon as it is read.
  EXPECT_EQ(host.rowsAtStep[1], 1);
  EXPECT_EQ(host.rowsAtStep[5], 2);
  EXPECT_TRUE(messages.all.isEmpty());
}

TEST_F(SearchEngine, WeekPlanColumnsStartOnSundayWithTheSeventhZone) {
  kv60sim::WeekPlan plan;
  plan.zones = {1, 2, 3, 4, 5, 6, 7};  // Monday .. Sunday
  controller->SetWeekPlan(2, plan);
  kv60sim::WeekPlan unknownZones;
  unknownZones.zones = {0, 0, 0, 0, 0, 0, 40};
  controller->SetWeekPlan(3, unknownZones);
  for (int id = 1; id <= 7; ++id) NameZone(id, QStringLiteral("Zone %1").arg(id));
  NameWeekPlan(2, "Standard week");

  EXPECT_EQ(Run(TSearchPage::WeekPlans), TSearchResult::Done);

  ASSERT_EQ(host.rows.size(), 2u);
  EXPECT_EQ(host.rows[0], QStringList({"Standard week", "2", "Zone 7", "Zone 1", "Zone 2", "Zone 3",
                                       "Zone 4", "Zone 5", "Zone 6"}));
  EXPECT_EQ(host.rows[1], QStringList({"No Setting", "3", "No Setting", "No Setting", "No Setting",
                                       "No Setting", "No Setting", "No Setting", "No Setting"}));
}

TEST_F(SearchEngine, HolidayThatIsNoCalendarDateEndsTheReadKeepingWhatWasRead) {
  controller->SetHoliday(1, {2024, 12, 24, 2024, 12, 26, 1});
  controller->SetHoliday(2, {2025, 13, 1, 2025, 13, 2, 1});  // month 13
  controller->SetHoliday(3, {2025, 5, 1, 2025, 5, 1, 1});
  NameZone(1, "Closed all day");
  NameHoliday(1, "Christmas");
  NameHoliday(2, "Broken");
  NameHoliday(3, "Labour Day");

  EXPECT_EQ(Run(TSearchPage::Holidays), TSearchResult::Error);

  EXPECT_EQ(messages.hints, QStringList({"Search control parameters error."}));
  ASSERT_EQ(host.rows.size(), 2u);
  EXPECT_EQ(host.rows[0],
            QStringList({"Christmas", "1", "2024-12-24", "2024-12-26", "Closed all day"}));
  EXPECT_EQ(host.rows[1], QStringList({"Broken", "2"}));
  // Nothing was read after the failing holiday.
  EXPECT_EQ(RequestCodes().count("016"), 2);
}

TEST_F(SearchEngine, ControlGroupsNameTheirPlansAndTellWhetherHolidaysApply) {
  controller->SetControlGroup(1, {2, true, 1});
  controller->SetControlGroup(4, {9, false, 150});
  NameGroup(1, "Staff");
  NameWeekPlan(2, "Standard week");
  NameHolidayPlan(1, "Staff");

  EXPECT_EQ(Run(TSearchPage::ControlGroups), TSearchResult::Done);

  ASSERT_EQ(host.rows.size(), 2u);
  EXPECT_EQ(host.rows[0], QStringList({"Staff", "1", "Standard week", "Staff", "Use Holiday"}));
  EXPECT_EQ(host.rows[1],
            QStringList({"No Setting", "4", "No Setting", "No Setting", "No Holiday"}));
}

TEST_F(SearchEngine, InputPortsShowFunctionLevelAndValidTimes) {
  controller->SetInPort(1, {1, true, true, QTime(7, 30), QTime(19, 0)});
  controller->SetInPort(2, {200, false, false, QTime(0, 0), QTime(23, 59)});  // unknown function
  controller->SetInPort(3, {0, true, false, QTime(0, 0), QTime(0, 0)});

  EXPECT_EQ(Run(TSearchPage::InPorts), TSearchResult::Done);

  ASSERT_EQ(host.rows.size(), 3u);
  EXPECT_EQ(host.rows[0],
            QStringList({"Input 1", "Exit button", "Yes", "High", "07:30:00", "19:00:00"}));
  EXPECT_EQ(host.rows[1],
            QStringList({"Input 2", "No Setting", "No", "Low", "00:00:00", "23:59:00"}));
  EXPECT_EQ(host.rows[2],
            QStringList({"Input 3", "No Setting", "Yes", "Low", "00:00:00", "00:00:00"}));
  EXPECT_EQ(host.range, std::make_pair(0, 2));
  EXPECT_EQ(host.positions, std::vector<int>({0, 1, 2}));
}

TEST_F(SearchEngine, OutputDelayReadsCloseNormalOpenOrSeconds) {
  controller->SetOutPort(1, {1, 255});
  controller->SetOutPort(2, {33, 0});
  controller->SetOutPort(3, {250, 5});  // unknown function

  EXPECT_EQ(Run(TSearchPage::OutPorts), TSearchResult::Done);

  ASSERT_EQ(host.rows.size(), 3u);
  EXPECT_EQ(host.rows[0], QStringList({"Output 1", "Door lock", "Normal Open"}));
  EXPECT_EQ(host.rows[1], QStringList({"Output 2", "Alarm output", "Close"}));
  EXPECT_EQ(host.rows[2], QStringList({"Output 3", "No Setting", "5"}));
  // Every port has its place on the bar.
  EXPECT_EQ(host.range, std::make_pair(0, 2));
}

TEST_F(SearchEngine, ReadsInTheCurrentLanguage) {
  gw::UseLanguage("de");
  LanguageCode = "de";
  controller->SetOutPort(1, {0, 255});

  EXPECT_EQ(Run(TSearchPage::OutPorts), TSearchResult::Done);

  ASSERT_EQ(host.rows.size(), 1u);
  EXPECT_NE(host.rows[0][0], "Output 1");
  EXPECT_EQ(host.rows[0][2], _("Normal Open"));
  EXPECT_NE(host.rows[0][2], "Normal Open");
}

TEST_F(SearchEngine, ReadsOnlyAndWritesNothing) {
  controller->SetTimeZone(
      1,
      Zone({QTime(8, 0), QTime(9, 0), QTime(10, 0), QTime(11, 0), QTime(12, 0)}, {0, 0, 0, 0, 0}));
  auto state = [this] {
    QJsonObject o = controller->ToJson();
    o.remove("clock");  // it runs on by itself
    return o;
  };
  const QJsonObject before = state();
  const QString doors = Scalar("select count(*) from Door");

  for (int page = 0; page < kSearchPageCount; ++page)
    EXPECT_EQ(Run(static_cast<TSearchPage>(page)), TSearchResult::Done) << page;

  const QStringList sent = RequestCodes();
  EXPECT_EQ(QSet<QString>(sent.begin(), sent.end()),
            QSet<QString>({"001", "022", "019", "016", "013", "033", "036"}));
  EXPECT_EQ(state(), before);
  EXPECT_EQ(Scalar("select count(*) from Door"), doors);
}

enum class LineState { HungUp, NoPortConfigured, Ready };

struct FailureCase {
  const char* name;
  LineState line;
  int deviceId;
  TSearchResult result;
  const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

class SearchFailure : public SearchEngine, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SearchFailure, ShowsItsMessageAndReadsNothing) {
  const FailureCase& c = GetParam();
  controller->SetOutPort(1, {1, 5});
  if (c.line == LineState::HungUp) sim->line.HangUp();
  if (c.line == LineState::NoPortConfigured) {
    TComOperater().SetComPort("");
    CurrentComPort = 0;
  }
  host.rows.push_back({"left from before"});

  EXPECT_EQ(Run(TSearchPage::OutPorts, c.deviceId), c.result);

  EXPECT_EQ(messages.hints, QStringList({c.message}));
  EXPECT_EQ(host.rows.size(), 1u);  // the list is not touched
  EXPECT_FALSE(RequestCodes().contains("036"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchFailure,
    ::testing::Values(FailureCase{"LineHungUp", LineState::HungUp, 1, TSearchResult::PortNotOpen,
                                  "The current serial port can not be opened."},
                      FailureCase{"NoPortConfigured", LineState::NoPortConfigured, 1,
                                  TSearchResult::PortNotOpen,
                                  "The current serial port can not be opened."},
                      FailureCase{"DoorOffline", LineState::Ready, 9, TSearchResult::Offline,
                                  "The current door is off-line."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchEngine, FourUnansweredReadsEndTheReadAndKeepItsRows) {
  for (int id = 1; id <= 9; ++id) controller->SetControlGroup(id, {1, false, 0});
  TCommSearchEngine engine(host);
  ASSERT_EQ(engine.Prepare(1), TSearchResult::Done);
  sim->line.ClearRequests();
  // Groups 1 and 2 are answered, then the controller falls silent.
  sim->line.AddFault(Fault::StopAfter(2).On("013"));

  EXPECT_EQ(engine.Read(TSearchPage::ControlGroups, 1, host), TSearchResult::Unanswered);

  EXPECT_EQ(host.rows.size(), 2u);
  EXPECT_EQ(RequestCodes().count("013"), 6);  // two answered, four not
  EXPECT_TRUE(messages.all.isEmpty());
}

TEST_F(SearchEngine, OtherFailedReadsAddNothingAndTheReadGoesOn) {
  controller->SetTimeZone(
      3,
      Zone({QTime(8, 0), QTime(9, 0), QTime(10, 0), QTime(11, 0), QTime(12, 0)}, {0, 0, 0, 0, 0}));
  controller->SetTimeZone(4, controller->TimeZones().at(3));
  sim->line.AddFault(Fault::BadChecksum().On("022").Times(3));  // zones 1..3 spoilt

  EXPECT_EQ(Run(TSearchPage::TimeZones), TSearchResult::Done);

  ASSERT_EQ(host.rows.size(), 1u);
  EXPECT_EQ(host.rows[0][1], "4");
}

TEST_F(SearchEngine, StopsBetweenTwoReadsWhenTheHostAsks) {
  for (int id = 1; id <= 20; ++id) controller->SetWeekPlan(id, {});
  host.stopAtStep = 5;

  EXPECT_EQ(Run(TSearchPage::WeekPlans), TSearchResult::Stopped);

  EXPECT_EQ(host.rows.size(), 4u);
  EXPECT_EQ(RequestCodes().count("019"), 4);
}

TEST_F(SearchEngine, PageNamesOfTheCommandLine) {
  for (int page = 0; page < kSearchPageCount; ++page) {
    TSearchPage back = TSearchPage::TimeZones;
    ASSERT_TRUE(SearchPageFromName(SearchPageName(static_cast<TSearchPage>(page)), back));
    EXPECT_EQ(static_cast<int>(back), page);
  }
  TSearchPage page = TSearchPage::Holidays;
  EXPECT_FALSE(SearchPageFromName("plans", page));
  EXPECT_EQ(SearchPageName(TSearchPage::InPorts), "inports");
  EXPECT_EQ(SearchColumns(TSearchPage::TimeZones).size(), 17);
  EXPECT_EQ(SearchColumns(TSearchPage::ControlGroups)[3], "Holiday Plan");
}

}  // namespace
