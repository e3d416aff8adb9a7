// Every controller command against kv60sim over a real pseudo-terminal: the exact frame on
// the wire, what the controller keeps, and what the read commands bring back.
#include <gtest/gtest.h>

#include <functional>

#include "comm/PortPool.h"
#include "comm/u_MjComm.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

using kv60sim::Fault;

namespace {

class Commands : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    sim = std::make_unique<SimLine>(1);
    door = &sim->Add(1, "ABC123456");
    ASSERT_EQ(OpenPort(1), 0);
  }
  void TearDown() override {
    sim.reset();
    FreshInstall::TearDown();
  }
  // The one frame the last command put on the line; empty when it sent none.
  QString LastFrame() {
    sim->line.WaitIdle();
    const std::vector<QString> requests = sim->line.Requests();
    sim->line.ClearRequests();
    return requests.empty() ? QString() : requests.back();
  }

  std::unique_ptr<SimLine> sim;
  kv60sim::Controller* door = nullptr;
};

const std::array<QTime, 5> kZoneBegins = {QTime(8, 0), QTime(12, 0), QTime(13, 30), QTime(18, 0),
                                          QTime(22, 0)};

TEST_F(Commands, PutTheirExactFramesOnTheLine) {
  for (int i = 0; i < 3; ++i) door->AddRecord(kv60sim::Record());
  door->PresentCard("12345678");
  std::array<int, 30> onlyFive;
  onlyFive.fill(-1);
  onlyFive[0] = 5;
  std::array<int, 30> empty;
  empty.fill(-1);
  struct Case {
    const char* name;
    std::function<int()> send;
    const char* frame;
  } cases[] = {
      {"TestOnline", [] { return MjTestOnline(1, 1); }, "zzzA00010C00102jjj"},
      {"SetDateTime Friday 2024-03-15 12:30:45",
       [] { return MjSetDateTime(1, 1, 2024, 3, 15, 12, 30, 45, 5); },
       "zzzA00011C003202403151230450506jjj"},
      {"AddUser", [] { return MjAddUser(1, 1, "01", "03FFFFFF", "123456", "12345678", "0042"); },
       "zzzA0001280090103FFFFFF12345612345678004278jjj"},
      {"DeleteUser sends UID then card", [] { return MjDeleteUser(1, 1, "12345678", "0042"); },
       "zzzA00011801000421234567876jjj"},
      {"GetRecordCount",
       [] {
         int n;
         return MjGetRecordCount(1, 1, n);
       },
       "zzzA00010C04502jjj"},
      {"ReadCurrentRecord",
       [] {
         QString r;
         return MjReadCurrentRecord(1, 1, r);
       },
       "zzzA00010C06500jjj"},
      {"ReadRecord next",
       [] {
         QString r;
         return MjReadRecord(1, 1, false, r);
       },
       "zzzA00010C06603jjj"},
      {"ReadRecord again",
       [] {
         QString r;
         return MjReadRecord(1, 1, true, r);
       },
       "zzzA00010C06702jjj"},
      {"SetControlGroup", [] { return MjSetControlGroup(1, 1, 3, 2, true, 0); },
       "zzzA0001140120302010076jjj"},
      {"DeleteControlGroup all", [] { return MjDeleteControlGroup(1, 1, 255); },
       "zzzA00010E014FF00jjj"},
      {"SetHoliday 2 from 2024-12-24 to 2024-12-26 in zone 10",
       [] { return MjSetHoliday(1, 1, 2, 10, 2024, 12, 24, 2024, 12, 26); },
       "zzzA0001200150220241224202412260A07jjj"},
      {"DeleteHoliday", [] { return MjDeleteHoliday(1, 1, 2); }, "zzzA00010E0170201jjj"},
      {"SetWeekScheme",
       [] {
         return MjSetWeekScheme(1, 1, 4, {1, 2, 3, 4, 5, 6, 7});
       },
       "zzzA00011C01804010203040506070Fjjj"},
      {"DeleteWeekScheme", [] { return MjDeleteWeekScheme(1, 1, 4); }, "zzzA00010E0200403jjj"},
      {"SetTimeZone 3",
       [] {
         return MjSetTimeZone(1, 1, 3, kZoneBegins, {0, 1, 2, 3, 0});
       },
       "zzzA000140021030800120000120013300113301800021800220003220023590071jjj"},
      {"DeleteTimeZone all", [] { return MjDeleteTimeZone(1, 1, 255); }, "zzzA00010E023FF04jjj"},
      {"SetHolidayPlan: empty places repeat the first holiday",
       [&] { return MjSetHolidayPlan(1, 1, 5, onlyFive); },
       "zzzA00014A0240505050505050505050505050505050505050505050505050505050505050506jjj"},
      {"SetHolidayPlan: all empty", [&] { return MjSetHolidayPlan(1, 1, 6, empty); },
       "zzzA00014A02406FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF05jjj"},
      {"DeleteHolidayPlan", [] { return MjDeleteHolidayPlan(1, 1, 5); }, "zzzA00010E0260504jjj"},
      {"SetInPort",
       [] { return MjSetInPort(1, 1, 2, 0x11, true, false, QTime(8, 0), QTime(17, 30)); },
       "zzzA00011C03202110100080017300Djjj"},
      {"ClearInPort", [] { return MjClearInPort(1, 1, 2); }, "zzzA00010E0340200jjj"},
      {"SetOutPort", [] { return MjSetOutPort(1, 1, 1, 0x41, 254); }, "zzzA0001120350141FE72jjj"},
      {"ClearOutPort", [] { return MjClearOutPort(1, 1, 1); }, "zzzA00010E0370100jjj"},
      {"GetSerial",
       [] {
         QString s;
         return MjGetSerial(1, 1, s);
       },
       "zzzA00010C06306jjj"},
      {"GetVersion",
       [] {
         QString v;
         return MjGetVersion(1, 1, v);
       },
       "zzzA00010C11201jjj"},
      {"SetKeySensitivity", [] { return MjSetKeySensitivity(1, 1, 1, 255); },
       "zzzA00011007001FF77jjj"},
      {"SetOpenPassword", [] { return MjSetOpenPassword(1, 1, 1, 0); }, "zzzA000110072010075jjj"},
      {"SetSensorDelay 300", [] { return MjSetSensorDelay(1, 1, 300); }, "zzzA000110074012C02jjj"},
      {"SetPasswordLock", [] { return MjSetPasswordLock(1, 1, 3, 5); }, "zzzA00011207603000574jjj"},
      {"SetAntiPassback", [] { return MjSetAntiPassback(1, 1, 1, 10000); },
       "zzzA00011207801271079jjj"},
      {"SetDeviceNo addresses the new number", [] { return MjSetDeviceNo(1, 5, 5, "ABC123456"); },
       "zzzA000517062ABC1234560534jjj"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.send(), 0) << c.name;
    EXPECT_EQ(LastFrame(), QString::fromLatin1(c.frame)) << c.name;
  }
}

TEST_F(Commands, SetDateTimeChecksTheDateAndSetsTheClock) {
  EXPECT_EQ(MjSetDateTime(1, 1, 2023, 2, 29, 12, 0, 0, 3), 4);
  EXPECT_EQ(MjSetDateTime(1, 1, 2024, 3, 15, 24, 0, 0, 5), 4);
  EXPECT_EQ(MjSetDateTime(1, 1, 2024, 13, 1, 0, 0, 0, 5), 4);
  EXPECT_EQ(MjSetDateTime(1, 1, 2024, 3, 15, 12, 60, 0, 5), 4);
  EXPECT_EQ(LastFrame(), QString());                            // nothing on the line
  EXPECT_EQ(MjSetDateTime(2, 1, 2023, 2, 29, 12, 0, 0, 3), 1);  // port test first

  ASSERT_EQ(MjSetDateTime(1, 1, 2024, 2, 29, 23, 59, 58, 4), 0);
  const QDateTime expected(QDate(2024, 2, 29), QTime(23, 59, 58));
  EXPECT_LE(qAbs(door->Clock().secsTo(expected)), 2);
  EXPECT_EQ(door->WeekDay(), 4);
}

TEST_F(Commands, UserEntriesAreKeptByCardAndDeletedOneByOne) {
  ASSERT_EQ(MjAddUser(1, 1, "01", "03FFFFFF", "123456", "12345678", "0042"), 0);
  ASSERT_EQ(MjAddUser(1, 1, "01", "07FFFFFF", "FFFFFF", "00430043", "0043"), 0);
  EXPECT_EQ(door->Users().size(), 2u);

  QString kind, password, group, uid;
  ASSERT_EQ(MjGetUser(1, 1, "12345678", kind, password, group, uid), 0);
  EXPECT_EQ(kind, "01");
  EXPECT_EQ(password, "123456");
  EXPECT_EQ(group, "03FFFFFF");
  EXPECT_EQ(uid, "0042");
  kind = QStringLiteral("untouched");
  EXPECT_EQ(MjGetUser(1, 1, "99999999", kind, password, group, uid), kv60sim::kStatusNotFound);
  EXPECT_EQ(kind, "untouched");

  // The texts go out unchanged; the controller rejects an entry of another width.
  EXPECT_EQ(MjAddUser(1, 1, "01", "03FFFFFF", "1234", "12345678", "0042"), 8);

  // UID then card: with the two swapped the controller finds no such entry.
  ASSERT_EQ(MjDeleteUser(1, 1, "0042", "12345678"), 0);
  EXPECT_EQ(door->Users().size(), 2u);
  ASSERT_EQ(MjDeleteUser(1, 1, "12345678", "0042"), 0);
  const auto users = door->Users();
  ASSERT_EQ(users.size(), 1u);
  EXPECT_EQ(users.begin()->first, "00430043");
}

TEST_F(Commands, StoredRecordsAreReadOneByOne) {
  kv60sim::Record first;
  first.cardNo = "11111111";
  first.time = QDateTime(QDate(2024, 5, 1), QTime(7, 0, 0));
  door->AddRecord(first);
  door->AddRecordText("020301000000000000001A0B20240501070100");
  door->PresentCard("33333333", 2, false);

  int count = 0;
  ASSERT_EQ(MjGetRecordCount(1, 1, count), 0);
  EXPECT_EQ(count, 3);

  QString record;
  TMjRecord fields;
  ASSERT_EQ(MjReadRecord(1, 1, true, record), 0);  // "067": the current one
  EXPECT_EQ(record.left(5), "06700");
  EXPECT_EQ(record.mid(5, 38), door->Records()[0]);
  EXPECT_EQ(record.size(), 44);
  ASSERT_EQ(MjParseRecord(record, fields), 0);
  EXPECT_EQ(fields.CardNo, "11111111");
  EXPECT_EQ(fields.Time, first.time);
  ASSERT_EQ(MjReadRecord(1, 1, true, record), 0);  // again the same
  EXPECT_EQ(record.mid(5, 38), door->Records()[0]);

  ASSERT_EQ(MjReadRecord(1, 1, false, record), 0);  // "066": the next
  ASSERT_EQ(MjParseRecord(record, fields), 0);
  EXPECT_EQ(fields.RecordType, 2);
  EXPECT_EQ(fields.WarnType, 11);
  ASSERT_EQ(MjReadRecord(1, 1, false, record), 0);
  ASSERT_EQ(MjParseRecord(record, fields), 0);
  EXPECT_EQ(fields.CardNo, "33333333");
  EXPECT_EQ(fields.DoorIndex, 2);
  EXPECT_FALSE(fields.InFlag);

  ASSERT_EQ(MjReadRecord(1, 1, false, record), 105);  // no more
  EXPECT_EQ(record.mid(5, 10), "FFFFFFFFFF");
  ASSERT_EQ(MjGetRecordCount(1, 1, count), 0);
  EXPECT_EQ(count, 0);

  door->AddRecordText(QString(38, QLatin1Char('0')));
  EXPECT_EQ(MjReadRecord(1, 1, false, record), 105);

  sim->line.AddFault(Fault::Status(1));
  EXPECT_EQ(MjReadRecord(1, 1, true, record), 8);
  sim->line.AddFault(Fault::Status(1));
  EXPECT_EQ(MjReadCurrentRecord(1, 1, record), 8);
}

TEST_F(Commands, TheCurrentRecordReportsEachPresentedCardOnce) {
  QString record;
  TMjRecord fields;
  ASSERT_EQ(MjReadCurrentRecord(1, 1, record), 0);
  EXPECT_EQ(MjParseRecord(record, fields), 12);  // nothing presented yet

  door->SetUser({"01", "03FFFFFF", "FFFFFF", "12345678", "0042"});
  const QDateTime clock(QDate(2024, 6, 1), QTime(9, 15, 0));
  door->SetClock(clock);
  door->PresentCard("12345678");
  ASSERT_EQ(MjReadCurrentRecord(1, 1, record), 0);
  EXPECT_EQ(record.left(5), "06500");
  ASSERT_EQ(MjParseRecord(record, fields), 0);
  EXPECT_EQ(fields.RecordType, 1);
  EXPECT_EQ(fields.CardNo, "12345678");
  EXPECT_EQ(fields.UserId, "0042");
  EXPECT_LE(qAbs(fields.Time.secsTo(clock)), 2);

  ASSERT_EQ(MjReadCurrentRecord(1, 1, record), 0);
  EXPECT_EQ(MjParseRecord(record, fields), 12);  // already reported
  door->PresentCard("12345678");
  ASSERT_EQ(MjReadCurrentRecord(1, 1, record), 0);
  EXPECT_EQ(MjParseRecord(record, fields), 0);
}

TEST_F(Commands, TimeRulesAreWrittenReadAndDeleted) {
  ASSERT_EQ(MjSetTimeZone(1, 1, 3, kZoneBegins, {0, 1, 2, 3, 0}), 0);
  ASSERT_EQ(MjSetTimeZone(1, 1, 4, kZoneBegins, {3, 3, 3, 3, 3}), 0);
  std::array<QTime, 5> begin;
  std::array<int, 5> mode{};
  ASSERT_EQ(MjGetTimeZone(1, 1, 3, begin, mode), 0);
  EXPECT_EQ(begin, kZoneBegins);
  EXPECT_EQ(mode, (std::array<int, 5>{0, 1, 2, 3, 0}));
  EXPECT_EQ(door->TimeZones().at(3).end[4], QTime(23, 59));
  EXPECT_EQ(door->TimeZones().at(3).end[0], QTime(12, 0));  // each ends where the next begins
  EXPECT_EQ(MjSetTimeZone(1, 1, 5, {QTime(), QTime(), QTime(), QTime(), QTime()}, mode), 4);
  ASSERT_EQ(MjDeleteTimeZone(1, 1, 3), 0);
  EXPECT_EQ(MjGetTimeZone(1, 1, 3, begin, mode), kv60sim::kStatusNotFound);
  EXPECT_EQ(door->TimeZones().size(), 1u);
  ASSERT_EQ(MjDeleteTimeZone(1, 1, 255), 0);
  EXPECT_TRUE(door->TimeZones().empty());

  ASSERT_EQ(MjSetWeekScheme(1, 1, 4, {1, 2, 3, 4, 5, 6, 7}), 0);
  std::array<int, 7> zones{};
  ASSERT_EQ(MjGetWeekScheme(1, 1, 4, zones), 0);
  EXPECT_EQ(zones, (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
  ASSERT_EQ(MjDeleteWeekScheme(1, 1, 255), 0);
  EXPECT_EQ(MjGetWeekScheme(1, 1, 4, zones), kv60sim::kStatusNotFound);

  ASSERT_EQ(MjSetHoliday(1, 1, 2, 10, 2024, 12, 24, 2024, 12, 26), 0);
  int y1, m1, d1, y2, m2, d2, zone;
  ASSERT_EQ(MjGetHoliday(1, 1, 2, y1, m1, d1, y2, m2, d2, zone), 0);
  EXPECT_EQ(std::vector<int>({y1, m1, d1, y2, m2, d2, zone}),
            std::vector<int>({2024, 12, 24, 2024, 12, 26, 10}));
  sim->line.AddFault(Fault::Data("022O241224202412260A"));  // a letter O in the year
  EXPECT_EQ(MjGetHoliday(1, 1, 2, y1, m1, d1, y2, m2, d2, zone), 4);
  ASSERT_EQ(MjDeleteHoliday(1, 1, 2), 0);
  EXPECT_TRUE(door->Holidays().empty());

  std::array<int, 30> plan;
  plan.fill(-1);
  plan[0] = 2;
  plan[1] = 3;
  ASSERT_EQ(MjSetHolidayPlan(1, 1, 7, plan), 0);
  EXPECT_EQ(door->HolidayPlans().at(7).holidays[1], 3);
  EXPECT_EQ(door->HolidayPlans().at(7).holidays[29], 2);
  ASSERT_EQ(MjDeleteHolidayPlan(1, 1, 255), 0);
  EXPECT_TRUE(door->HolidayPlans().empty());

  ASSERT_EQ(MjSetControlGroup(1, 1, 3, 4, false, 150), 0);
  int week = 0, planId = 0;
  bool enabled = true;
  ASSERT_EQ(MjGetControlGroup(1, 1, 3, week, enabled, planId), 0);
  EXPECT_EQ(week, 4);
  EXPECT_FALSE(enabled);
  EXPECT_EQ(planId, 150);
  ASSERT_EQ(MjDeleteControlGroup(1, 1, 3), 0);
  EXPECT_EQ(MjGetControlGroup(1, 1, 3, week, enabled, planId), kv60sim::kStatusNotFound);
}

TEST_F(Commands, PortsAreWrittenReadAndCleared) {
  ASSERT_EQ(MjSetInPort(1, 1, 2, 17, true, true, QTime(8, 0), QTime(23, 59)), 0);
  int func = 0;
  bool enabled = false, high = false;
  QTime begin, end;
  ASSERT_EQ(MjGetInPort(1, 1, 2, func, enabled, high, begin, end), 0);
  EXPECT_EQ(func, 17);
  EXPECT_TRUE(enabled);
  EXPECT_TRUE(high);
  EXPECT_EQ(begin, QTime(8, 0));
  EXPECT_EQ(end, QTime(23, 59));
  ASSERT_EQ(MjClearInPort(1, 1, 2), 0);
  EXPECT_EQ(MjGetInPort(1, 1, 2, func, enabled, high, begin, end), kv60sim::kStatusNotFound);

  ASSERT_EQ(MjSetOutPort(1, 1, 3, 33, 255), 0);
  int delay = 0;
  ASSERT_EQ(MjGetOutPort(1, 1, 3, func, delay), 0);
  EXPECT_EQ(func, 33);
  EXPECT_EQ(delay, 255);
  ASSERT_EQ(MjClearOutPort(1, 1, 3), 0);
  EXPECT_TRUE(door->OutPorts().empty());
}

TEST_F(Commands, DoorSetupRoundTrips) {
  QString serial, version;
  ASSERT_EQ(MjGetSerial(1, 1, serial), 0);
  EXPECT_EQ(serial, "ABC123456");
  ASSERT_EQ(MjGetVersion(1, 1, version), 0);
  EXPECT_EQ(version, kv60sim::kDefaultVersion);
  door->SetVersion(QString(66, QLatin1Char('V')));  // length field 0x50
  ASSERT_EQ(MjGetVersion(1, 1, version), 0);
  EXPECT_EQ(version, QString(46, QLatin1Char('V')));

  int a = 0, b = 0;
  ASSERT_EQ(MjSetKeySensitivity(1, 1, 1, 128), 0);
  ASSERT_EQ(MjGetKeySensitivity(1, 1, a, b), 0);
  EXPECT_EQ(std::make_pair(a, b), std::make_pair(1, 128));
  ASSERT_EQ(MjSetOpenPassword(1, 1, 0, 1), 0);
  ASSERT_EQ(MjGetOpenPassword(1, 1, a, b), 0);
  EXPECT_EQ(std::make_pair(a, b), std::make_pair(0, 1));
  ASSERT_EQ(MjSetSensorDelay(1, 1, 300), 0);
  ASSERT_EQ(MjGetSensorDelay(1, 1, a), 0);
  EXPECT_EQ(a, 300);
  ASSERT_EQ(MjSetPasswordLock(1, 1, 20, 255), 0);
  ASSERT_EQ(MjGetPasswordLock(1, 1, a, b), 0);
  EXPECT_EQ(std::make_pair(a, b), std::make_pair(20, 255));
  ASSERT_EQ(MjSetAntiPassback(1, 1, 1, 10000), 0);
  ASSERT_EQ(MjGetAntiPassback(1, 1, a, b), 0);
  EXPECT_EQ(std::make_pair(a, b), std::make_pair(1, 10000));
  EXPECT_EQ(door->Options().antiPassbackTime, 10000);

  sim->line.AddFault(Fault::Data("XX80"));  // unreadable fields read as 0
  ASSERT_EQ(MjGetKeySensitivity(1, 1, a, b), 0);
  EXPECT_EQ(std::make_pair(a, b), std::make_pair(0, 128));
}

TEST_F(Commands, SetDeviceNoIsAnsweredByTheControllerOfTheSerialNumber) {
  kv60sim::Controller& other = sim->Add(2, "XYZ987654");
  // The wizard addresses the new number; the serial number picks the controller.
  ASSERT_EQ(MjSetDeviceNo(1, 9, 9, "XYZ987654"), 0);
  EXPECT_EQ(other.DevNo(), 9);
  EXPECT_EQ(door->DevNo(), 1);
  EXPECT_EQ(MjTestOnline(1, 9), 0);
  EXPECT_EQ(MjTestOnline(1, 2), 3);
  EXPECT_EQ(MjSetDeviceNo(1, 9, 9, "NOSUCHONE"), 3);
}

TEST_F(Commands, ManyControllersShareTheLine) {
  for (int devNo : {2, 17, 255}) sim->Add(devNo);
  for (int devNo : {1, 2, 17, 255}) {
    QString serial;
    ASSERT_EQ(MjGetSerial(1, devNo, serial), 0) << devNo;
    EXPECT_EQ(serial,
              devNo == 1 ? QString("ABC123456") : QString("%1").arg(devNo, 9, 10, QChar('0')));
  }
  ASSERT_EQ(MjSetTimeZone(1, 17, 1, kZoneBegins, {0, 0, 0, 0, 0}), 0);
  EXPECT_EQ(sim->line.FindController(17)->TimeZones().size(), 1u);
  EXPECT_TRUE(door->TimeZones().empty());
  sim->line.AddFault(Fault::NoAnswer().For(2));
  EXPECT_EQ(MjTestOnline(1, 17), 0);  // a fault for another controller stays
  EXPECT_EQ(MjTestOnline(1, 2), 3);
  EXPECT_EQ(MjTestOnline(1, 2), 0);
}

TEST_F(Commands, APacedLineStillAnswers) {
  sim->line.SetPacing(true);
  QString version;
  ASSERT_EQ(MjGetVersion(1, 1, version), 0);
  EXPECT_EQ(version, kv60sim::kDefaultVersion);
  int count = -1;
  ASSERT_EQ(MjGetRecordCount(1, 1, count), 0);
  EXPECT_EQ(count, 0);
}

}  // namespace
