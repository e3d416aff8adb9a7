// The deletion queue against a simulated controller: what the controller holds afterwards.
#include <gtest/gtest.h>

#include <QStringList>

#include "comm/frame.h"
#include "comm/u_MjComm.h"
#include "model/bll_RegUser.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

namespace {

class CountingProgress : public IProgress {
 public:
  void SetRange(int, int maximum) override { this->maximum = maximum; }
  void SetPosition(int position) override { last = position; }
  void Repaint() override {}
  void ProcessMessages() override {}
  int maximum = -1;
  int last = -1;
};

kv60sim::UserEntry Entry(const QString& card, const QString& uid) {
  kv60sim::UserEntry e;
  e.kind = "01";
  e.groupField = "01FFFFFF";
  e.password = "FFFFFF";
  e.cardNo = card;
  e.userId = uid;
  return e;
}

QStringList QueueRows() {
  TQuery q;
  OpenQuery("select UID || '|' || UCard || '|' || DeviceId from WaitingDelete order by 1", q);
  QStringList rows;
  for (q.First(); !q.Eof(); q.Next()) rows << q.Field(0).AsString();
  return rows;
}

}  // namespace

class WaitingDeletesOnController : public FreshInstall {};

TEST_F(WaitingDeletesOnController, DeletesExactlyTheQueuedEntriesUidFirst) {
  SimLine sim;
  kv60sim::Controller& door = sim.Add(7);
  door.SetUser(Entry("12345678", "0042"));  // revoked card
  door.SetUser(Entry("00430043", "0043"));  // revoked user without card
  door.SetUser(Entry("87654321", "0044"));  // still valid: must stay
  ASSERT_EQ(OpenPort(sim.ComNo()), 0);

  TRegUserOperater regs;
  regs.AddWaitingDelete("0042", "12345678", 7);
  regs.AddWaitingDelete("0042", "12345678", 7);  // a duplicate goes with its row
  regs.AddWaitingDelete("0043", "", 7);
  regs.AddWaitingDelete("0050", "", 9);  // another controller's row is not touched
  CountingProgress progress;
  EXPECT_TRUE(regs.SendWaitingDeletes(sim.ComNo(), 7, progress));

  const auto users = door.Users();
  EXPECT_EQ(users.size(), 1u);
  EXPECT_EQ(users.count("87654321"), 1u);
  EXPECT_EQ(QueueRows(), QStringList({"0050||9"}));
  // The payload is the UID followed by the entry card.
  const std::vector<QString> requests = sim.line.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.front(), BuildFrame('A', 7, "010", "004212345678"));
  EXPECT_NE(std::find(requests.begin(), requests.end(), BuildFrame('A', 7, "010", "004300430043")),
            requests.end());
}

TEST_F(WaitingDeletesOnController, AnEntryTheControllerRefusesStaysQueued) {
  SimLine sim;
  kv60sim::Controller& door = sim.Add(7);
  door.SetUser(Entry("12345678", "0042"));
  ASSERT_EQ(OpenPort(sim.ComNo()), 0);

  TRegUserOperater regs;
  regs.AddWaitingDelete("0099", "12345678", 7);  // the card belongs to another UID
  CountingProgress progress;
  EXPECT_FALSE(regs.SendWaitingDeletes(sim.ComNo(), 7, progress));
  EXPECT_EQ(door.Users().count("12345678"), 1u);
  EXPECT_EQ(QueueRows(), QStringList({"0099|12345678|7"}));
}

TEST_F(WaitingDeletesOnController, GivesUpAfterTheFourthUnansweredCommand) {
  SimLine sim;
  kv60sim::Controller& door = sim.Add(7);
  for (int i = 1; i <= 6; ++i) {
    const QString uid = QString("%1").arg(i, 4, 10, QChar('0'));
    door.SetUser(Entry(uid + uid, uid));
  }
  ASSERT_EQ(OpenPort(sim.ComNo()), 0);

  TRegUserOperater regs;
  for (int i = 1; i <= 6; ++i)
    regs.AddWaitingDelete(QString("%1").arg(i, 4, 10, QChar('0')), "", 7);
  sim.line.AddFault(kv60sim::Fault::NoAnswer().Times(4));
  CountingProgress progress;
  EXPECT_FALSE(regs.SendWaitingDeletes(sim.ComNo(), 7, progress));

  // Four commands went unanswered; the fifth row is not sent and everything stays queued.
  EXPECT_EQ(sim.line.Requests().size(), 4u);
  EXPECT_EQ(QueueRows().size(), 6);
  EXPECT_EQ(door.Users().size(), 6u);
  EXPECT_EQ(progress.maximum, 5);
  EXPECT_EQ(progress.last, 0);

  // The next run, with the controller answering again, sends them all.
  EXPECT_TRUE(regs.SendWaitingDeletes(sim.ComNo(), 7, progress));
  EXPECT_TRUE(QueueRows().isEmpty());
  EXPECT_TRUE(door.Users().empty());
}

// Only unanswered commands count towards giving up; error replies leave their row queued and
// the loop goes on, and four unanswered commands on the last rows end it normally.
TEST_F(WaitingDeletesOnController, OnlyUnansweredCommandsCountTowardsGivingUp) {
  struct Case {
    const char* what;
    kv60sim::Fault fault;
    size_t requests;
    QStringList left;  // UIDs still queued
  } cases[] = {
      {"error reply to every command",
       kv60sim::Fault::Error("F8").On("010").Times(0),
       6,
       {"0001", "0002", "0003", "0004", "0005", "0006"}},
      {"status byte on every command",
       kv60sim::Fault::Status(0x21).On("010").Times(0),
       6,
       {"0001", "0002", "0003", "0004", "0005", "0006"}},
      {"last four unanswered", kv60sim::Fault::StopAfter(2), 6, {"0003", "0004", "0005", "0006"}},
  };
  for (const Case& c : cases) {
    SimLine sim;
    kv60sim::Controller& door = sim.Add(7);
    TRegUserOperater regs;
    ExecSQL("delete from WaitingDelete");
    for (int i = 1; i <= 6; ++i) {
      const QString uid = QString("%1").arg(i, 4, 10, QChar('0'));
      door.SetUser(Entry(uid + uid, uid));
      regs.AddWaitingDelete(uid, "", 7);
    }
    ASSERT_EQ(OpenPort(sim.ComNo()), 0) << c.what;
    sim.line.AddFault(c.fault);
    CountingProgress progress;
    EXPECT_FALSE(regs.SendWaitingDeletes(sim.ComNo(), 7, progress)) << c.what;
    sim.line.WaitIdle();
    EXPECT_EQ(sim.line.Requests().size(), c.requests) << c.what;
    QStringList left;
    for (const QString& row : QueueRows()) left << row.section('|', 0, 0);
    EXPECT_EQ(left, c.left) << c.what;
    EXPECT_EQ(progress.last, 5) << c.what;
    ClosePort(sim.ComNo());
  }
}

// A synchronisation's deletion step: the entries of users whose validity ended before today
// leave the controller, card-less ones under the UID written twice; today's still-valid
// entry stays.
TEST_F(WaitingDeletesOnController, ExpiredUsersLeaveTheController) {
  FreezeClock(QDateTime(QDate(2024, 5, 10), QTime(9, 0)));
  ExecSQL(
      "insert into Door (Did, DeviceId, DName, DGrpId, SNR, Version) values (1, 7, 'Front', "
      "0, '', '')");
  const struct {
    const char* uid;
    const char* card;
    const char* validUntil;
  } users[] = {{"0001", "12345678", "2024-05-09"},
               {"0002", "", "2024-05-01"},
               {"0003", "87654321", "2024-05-10"}};
  SimLine sim;
  kv60sim::Controller& door = sim.Add(7);
  for (const auto& u : users) {
    ExecSQL(QString("insert into UserInfo (UID, UCard, UInvalidate) values ('%1', '%2', '%3')")
                .arg(u.uid, u.card, u.validUntil));
    ExecSQL(QString("insert into RegUser (UKey, DId, CGrpId) select UKey, 1, 1 from UserInfo "
                    "where UID='%1'")
                .arg(u.uid));
    door.SetUser(Entry(QString(u.card).isEmpty() ? QString(u.uid) + u.uid : u.card, u.uid));
  }
  ASSERT_EQ(OpenPort(sim.ComNo()), 0);

  TRegUserOperater regs;
  regs.QueueExpiredDeletes(1);
  CountingProgress progress;
  EXPECT_TRUE(regs.SendWaitingDeletes(sim.ComNo(), 7, progress));
  const auto held = door.Users();
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held.count("87654321"), 1u);
  EXPECT_TRUE(QueueRows().isEmpty());
}
