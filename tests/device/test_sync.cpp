// The synchronisation end to end against simulated controllers on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QFile>

#include "comm/u_MjComm.h"
#include "device/SyncFixture.h"

namespace {

kv60sim::Record CardRecord(const QString& uid, const QString& card, const QDateTime& at,
                           int type = 1) {
  kv60sim::Record r;
  r.type = type;
  r.userId = uid;
  r.cardNo = card;
  r.time = at;
  return r;
}

}  // namespace

class Sync : public SyncFixture {};

TEST_F(Sync, TwoControllersAreBroughtUpToDateAndTheirRecordsCollected) {
  AddDoor(1, 1);
  AddDoor(2, 2);
  AddControlGroup(1, 1, 1, "1");
  AddTimeZone(1);
  ExecSQL("insert into WeekScheme values(1, 'Week', 1, 1, 1, 1, 1, 0, 0)");
  ExecSQL("insert into Holiday values(2, 'Xmas', '2024-12-24', '2024-12-26', 1)");
  ExecSQL(
      "insert into HolidayPlan(HolidayPlanId, HolidayPlanName, HolidayId0) values(1, 'Group 1', "
      "2)");
  ExecSQL(
      "insert into Inportinfo(Did, Portnum, Fncid, Isenable, Ishigh, Bgntime, Endtime) "
      "values(1, 1, 1, '1', '0', '2005-04-04 08:30:00', '2005-04-04 17:00:00')");
  ExecSQL("insert into Outportinfo(did, Portnum, Fncid, delaytime) values(1, 1, 1, 5)");
  const int alice = AddUser("0001", "12345678");
  const int bob = AddUser("0002", "");
  Authorise(alice, 1);
  Authorise(bob, 1);
  Authorise(alice, 2);

  kv60sim::Controller& one = sim->Add(1);
  kv60sim::Controller& two = sim->Add(2);
  one.AddRecord(CardRecord("0001", "12345678", QDateTime(QDate(2024, 5, 31), QTime(23, 59, 0))));
  one.AddRecord(CardRecord("0000", "99999999", QDateTime(QDate(2024, 6, 1), QTime(8, 0, 0)), 6));
  two.AddRecord(CardRecord("0001", "12345678", QDateTime(QDate(2024, 6, 2), QTime(9, 0, 0))));
  one.SetUser({"01", "01FFFFFF", "FFFFFF", "55555555", "0055"});  // stays: nothing queued it

  const TSyncOutcome outcome = RunSync({Row(1, 1), Row(2, 2)});
  EXPECT_TRUE(outcome.SomeOnline);
  EXPECT_FALSE(outcome.AnyOffline);
  EXPECT_FALSE(outcome.AnyFailure);
  EXPECT_EQ(outcome.RecordsStored, 3);
  EXPECT_EQ(messages.hints, QStringList({"Sync operation Finish"}));

  // Records in two month files, a waiting card for the unknown card of the type-6 record.
  EXPECT_TRUE(QFile::exists(Path("database/202405.sqb")));
  EXPECT_TRUE(QFile::exists(Path("database/202406.sqb")));
  ExecSQL("attach 'database/202405.sqb' as may; attach 'database/202406.sqb' as june");
  EXPECT_EQ(Scalar("select UName || '|' || DName || '|' || IoDate from may.IoData"),
            "User 0001|Door 1|2024-05-31 23:59:00");
  EXPECT_EQ(Scalar("select count(*) from june.IoData"), "2");
  EXPECT_EQ(Scalar("select CardNo || '|' || IssueTime from WaitingCard"),
            "99999999|2024-06-01 08:00:00");
  ExecSQL("detach may; detach june");

  // Clock, users, time rules and ports on the controller.
  EXPECT_EQ(one.Clock().toString("yyyy-MM-dd HH:mm:ss"), "2024-06-15 12:30:45");
  EXPECT_EQ(one.WeekDay(), 6);  // Saturday
  const auto users = one.Users();
  ASSERT_EQ(users.size(), 3u);
  EXPECT_EQ(users.at("12345678").userId, "0001");
  EXPECT_EQ(users.at("12345678").groupField, "01FFFFFF");
  EXPECT_EQ(users.at("12345678").password, "123456");
  EXPECT_EQ(users.at("00020002").userId, "0002");  // no card: the UID twice
  EXPECT_EQ(two.Users().size(), 1u);
  ASSERT_EQ(one.TimeZones().count(1), 1u);
  EXPECT_EQ(one.TimeZones().at(1).mode, (std::array<int, 5>{0, 1, 2, 3, 0}));
  EXPECT_EQ(one.WeekPlans().at(1).zones, (std::array<int, 7>{1, 1, 1, 1, 1, 0, 0}));
  EXPECT_EQ(one.Holidays().at(2).endDay, 26);
  EXPECT_EQ(one.HolidayPlans().at(1).holidays[0], 2);
  EXPECT_TRUE(one.ControlGroups().at(1).holidayPlanEnabled);
  EXPECT_EQ(one.InPorts().at(1).begin, QTime(8, 30));
  EXPECT_EQ(one.OutPorts().at(1).delay, 5);
  EXPECT_TRUE(two.InPorts().empty() || two.InPorts().at(1).funcId == 0);

  // The order of one door: probe, collection, clock, users, then each kind cleared and set.
  QStringList codes = RequestCodes();
  const int secondDoor = codes.lastIndexOf("001");
  codes = codes.mid(0, secondDoor);
  codes.removeDuplicates();
  EXPECT_EQ(codes,
            QStringList({"001", "045", "067", "066", "003", "009", "023", "021", "020", "018",
                         "017", "015", "026", "024", "014", "012", "034", "032", "037", "035"}));
  EXPECT_EQ(host.statuses[0].first(), "On-Line");
  EXPECT_TRUE(host.statuses[0].contains("Complete collecting"));
  EXPECT_EQ(host.statuses[0].last(), "Sync operation Finish");
}

TEST_F(Sync, NothingTickedSendsNothingButStillPurgesTheQueue) {
  AddDoor(1, 1);
  ExecSQL("insert into WaitingDelete values('0009', '00090009', 77)");  // no such controller
  sim->Add(1);
  const TSyncOutcome outcome = RunSync({Row(1, 1, false)});
  EXPECT_TRUE(sim->line.Requests().empty());
  EXPECT_TRUE(messages.hints.isEmpty());
  EXPECT_EQ(Scalar("select count(*) from WaitingDelete"), "0");
  EXPECT_FALSE(outcome.SomeOnline);
}

TEST_F(Sync, OffLineDoorsAreSkippedWithoutAFinalMessage) {
  AddDoor(1, 1);
  AddDoor(2, 2);
  const TSyncOutcome outcome = RunSync({Row(1, 1), Row(2, 2)});  // no controller answers
  EXPECT_EQ(host.statuses[0], QStringList({"Off-Line"}));
  EXPECT_EQ(host.statuses[1], QStringList({"Off-Line"}));
  EXPECT_TRUE(outcome.AnyOffline);
  EXPECT_TRUE(messages.hints.isEmpty());
}

TEST_F(Sync, APortThatCannotBeOpenedIsSaidAndNothingSent) {
  ExecSQL("update PublicInfo set value='5' where id=6");  // nothing behind COM5
  CurrentComPort = 5;
  const TSyncOutcome outcome = RunSync({Row(1, 1)});
  EXPECT_FALSE(outcome.PortOpened);
  EXPECT_EQ(messages.hints, QStringList({"The current serial port (COM5) can not be opened."}));
}

TEST_F(Sync, CollectionStatusesFollowWhatTheControllerReports) {
  TSyncOptions collectOnly{true, false, false};
  AddDoor(1, 1);
  kv60sim::Controller& c = sim->Add(1);

  // No stored record: no read at all.
  RunSync({Row(1, 1)}, collectOnly);
  EXPECT_TRUE(host.statuses[0].contains("On-line,but no record."));
  EXPECT_FALSE(RequestCodes().contains("067"));

  // The first "067" answering "no more records" is not trusted: "066" decides.
  c.AddRecord(CardRecord("0001", "12345678", QDateTime(QDate(2024, 6, 1), QTime(8, 0))));
  c.SetReadPosition(1);  // the count says one more, the current record is past the end
  sim->line.ClearRequests();
  host.statuses.clear();
  sim->line.AddFault(kv60sim::Fault::Data("0001").On("045"));
  RunSync({Row(1, 1)}, collectOnly);
  QStringList reads = RequestCodes().filter(QRegularExpression("^06[67]$"));
  EXPECT_EQ(reads, QStringList({"067", "066"}));
  EXPECT_TRUE(host.statuses[0].contains("Complete collecting"));
}

TEST_F(Sync, AControllerThatStopsAnsweringKeepsTheRecordsReadSoFar) {
  AddDoor(1, 1);
  kv60sim::Controller& c = sim->Add(1);
  for (int i = 0; i < 60; ++i) {
    c.AddRecord(CardRecord("0001", "12345678", QDateTime(QDate(2024, 6, 1), QTime(8, 0, i % 60))));
  }
  // Probe and count, then the first read and 49 more: 50 records are answered.
  sim->line.AddFault(kv60sim::Fault::StopAfter(52));
  const TSyncOutcome outcome = RunSync({Row(1, 1)}, {true, false, false});
  EXPECT_EQ(outcome.RecordsStored, 50);
  EXPECT_TRUE(host.statuses[0].contains("Collection error,please check the device"));
  const QStringList reads = RequestCodes().mid(52);
  EXPECT_EQ(reads.size(), 7 + 1);  // one "066", six "067", then the clock (unanswered)
  EXPECT_EQ(reads.mid(0, 7), QStringList({"066", "067", "067", "067", "067", "067", "067"}));
  ExecSQL("attach 'database/202406.sqb' as june");
  EXPECT_EQ(Scalar("select count(*) from june.IoData"), "50");
}

TEST_F(Sync, ParameterRules) {
  AddDoor(1, 1);
  kv60sim::Controller& c = sim->Add(1);
  AddTimeZone(1);
  AddTimeZone(100);                 // ids from 100 on are never sent
  AddControlGroup(2, 1, 150, "0");  // no holidays: plan 1 is sent
  AddControlGroup(3, 1, 150, "1");  // holidays: 150 is sent
  RunSync({Row(1, 1)}, {false, false, true});
  EXPECT_EQ(c.TimeZones().size(), 1u);
  EXPECT_EQ(c.ControlGroups().at(2).holidayPlanId, 1);
  EXPECT_EQ(c.ControlGroups().at(3).holidayPlanId, 150);
}

TEST_F(Sync, FourUnansweredCommandsFailAPhaseAndTheNextPhaseStillRuns) {
  AddDoor(1, 1);
  kv60sim::Controller& c = sim->Add(1);
  for (int id = 1; id <= 6; ++id) AddTimeZone(id);
  ExecSQL("insert into WeekScheme values(1, 'Week', 1, 1, 1, 1, 1, 1, 1)");
  sim->line.AddFault(kv60sim::Fault::NoAnswer().On("021").Times(0));
  const TSyncOutcome outcome = RunSync({Row(1, 1)}, {false, false, true});
  EXPECT_TRUE(outcome.AnyFailure);
  EXPECT_TRUE(host.statuses[0].contains("Set time zone failure"));
  EXPECT_TRUE(host.statuses[0].contains("Set week plan success"));
  EXPECT_EQ(RequestCodes().count("021"), 4);  // the fifth zone is not sent
  EXPECT_EQ(c.WeekPlans().size(), 1u);
}

TEST_F(Sync, AStopRequestAnsweredYesEndsTheRunBeforeTheNextDoor) {
  AddDoor(1, 1);
  AddDoor(2, 2);
  sim->Add(1);
  sim->Add(2);
  ExecSQL("insert into WaitingDelete values('0009', '00090009', 77)");
  host.stopAtPoll = 2;  // the first poll discards an earlier press; the second is door 1's
  const TSyncOutcome outcome = RunSync({Row(1, 1), Row(2, 2)});
  EXPECT_TRUE(outcome.Stopped);
  EXPECT_EQ(host.questions, QStringList({"Setting Door 1. Do you stop Setting?"}));
  EXPECT_TRUE(sim->line.Requests().empty());
  EXPECT_EQ(Scalar("select count(*) from WaitingDelete"), "1");  // no purge after a stop
}
