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
  regs.SendWaitingDeletes(sim.ComNo(), 7, progress);

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
  regs.SendWaitingDeletes(sim.ComNo(), 7, progress);
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
  regs.SendWaitingDeletes(sim.ComNo(), 7, progress);

  // Four commands went unanswered; the fifth row is not sent and everything stays queued.
  EXPECT_EQ(sim.line.Requests().size(), 4u);
  EXPECT_EQ(QueueRows().size(), 6);
  EXPECT_EQ(door.Users().size(), 6u);
  EXPECT_EQ(progress.maximum, 5);
  EXPECT_EQ(progress.last, 0);

  // The next run, with the controller answering again, sends them all.
  regs.SendWaitingDeletes(sim.ComNo(), 7, progress);
  EXPECT_TRUE(QueueRows().isEmpty());
  EXPECT_TRUE(door.Users().empty());
}
