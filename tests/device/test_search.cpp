// Parameter read-back against a simulated controller whose contents are known.
#include <gtest/gtest.h>

#include "device/CommSearch.h"
#include "device/SyncFixture.h"
#include "model/bll_IOPort.h"

class Search : public SyncFixture {
 protected:
  std::vector<QStringList> Read(TSearchPage page, bool expectOk = true) {
    std::vector<QStringList> rows;
    EXPECT_EQ(TCommSearchEngine(host).Search(1, page, rows), expectOk);
    return rows;
  }
  kv60sim::TimeZone Zone() {
    kv60sim::TimeZone z;
    z.begin = {QTime(8, 0), QTime(12, 0), QTime(13, 30), QTime(18, 0), QTime(22, 0)};
    z.mode = {0, 1, 2, 3, 0};
    return z;
  }
};

TEST_F(Search, TimeZonesShowOneRowPerZoneHeldWithNamesFromTheDatabase) {
  kv60sim::Controller& c = sim->Add(1);
  c.SetTimeZone(1, Zone());
  c.SetTimeZone(5, Zone());
  AddTimeZone(1);  // zone 5 is unknown to the database
  const auto rows = Read(TSearchPage::TimeZones);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0],
            QStringList({"Zone 1", "1", "08:00:00", "12:00:00", "by Card", "12:00:00", "13:30:00",
                         "by Card and password", "13:30:00", "18:00:00", "closed", "18:00:00",
                         "22:00:00", "open", "22:00:00", "23:59:59", "by Card"}));
  EXPECT_EQ(rows[1].mid(0, 3), QStringList({"No Setting", "5", "08:00:00"}));
}

TEST_F(Search, WeekPlanColumnsStartWithSunday) {
  kv60sim::Controller& c = sim->Add(1);
  kv60sim::WeekPlan plan;
  plan.zones = {1, 1, 1, 1, 1, 1, 7};
  c.SetWeekPlan(2, plan);
  AddTimeZone(1);
  AddTimeZone(7);
  ExecSQL("update TimeZone set ZoneName='Weekend' where ZoneId=7");
  const auto rows = Read(TSearchPage::WeekPlans);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], QStringList({"No Setting", "2", "Weekend", "Zone 1", "Zone 1", "Zone 1",
                                  "Zone 1", "Zone 1", "Zone 1"}));
}

TEST_F(Search, AHolidayThatIsNoCalendarDateEndsTheReadKeepingEarlierRows) {
  kv60sim::Controller& c = sim->Add(1);
  c.SetHoliday(1, {2024, 12, 24, 2024, 12, 26, 1});
  c.SetHoliday(2, {2024, 13, 1, 2024, 13, 2, 1});
  ExecSQL("insert into Holiday values(2, 'Broken', '2024-01-01', '2024-01-02', 1)");
  const auto rows = Read(TSearchPage::Holidays, false);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], QStringList({"No Setting", "1", "2024-12-24", "2024-12-26", "No Setting"}));
  EXPECT_EQ(rows[1], QStringList({"Broken", "2"}));
  EXPECT_EQ(messages.hints, QStringList({"Search control parameters error."}));
}

TEST_F(Search, PortsAndGroups) {
  kv60sim::Controller& c = sim->Add(1);
  struct Case {
    int port, delay;
    const char* text;
  } cases[] = {{1, 255, "Normal Open"}, {2, 0, "Close"}, {3, 5, "5"}};
  for (const Case& k : cases) c.SetOutPort(k.port, {33, k.delay});
  c.SetInPort(2, {1, true, true, QTime(8, 30), QTime(17, 0)});
  c.SetControlGroup(3, {1, true, 3});
  AddControlGroup(3, 1, 3, "1");
  LoadPortTexts();
  const auto out = Read(TSearchPage::OutPorts);
  ASSERT_EQ(out.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(out[i],
              QStringList({QString("Output %1").arg(i + 1), "Alarm output", cases[i].text}));
  }
  EXPECT_EQ(Read(TSearchPage::InPorts),
            std::vector<QStringList>(
                {{"Input 2", "Exit button", "Yes", "High", "08:30:00", "17:00:00"}}));
  EXPECT_EQ(
      Read(TSearchPage::ControlGroups),
      std::vector<QStringList>({{"Group 3", "3", "No Setting", "No Setting", "Use Holiday"}}));
  FreePortTexts();
}

TEST_F(Search, AnOffLineDoorReadsNothing) {
  std::vector<QStringList> rows;
  EXPECT_FALSE(TCommSearchEngine(host).Search(1, TSearchPage::TimeZones, rows));
  EXPECT_EQ(messages.hints, QStringList({"The current door is off-line."}));
}
