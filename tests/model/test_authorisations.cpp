// The authorisation store and the deletion queue on a real database.
#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "app/u_Function.h"
#include "model/bll_RegUser.h"

namespace {

// Keeps what a progress bar was told.
class ProgressRecorder : public IProgress {
 public:
  void SetRange(int minimum, int maximum) override {
    this->minimum = minimum;
    this->maximum = maximum;
  }
  void SetPosition(int position) override { positions.push_back(position); }
  void Repaint() override {}
  void ProcessMessages() override {}

  int minimum = -1;
  int maximum = -1;
  std::vector<int> positions;
};

}  // namespace

class Authorisations : public StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    FreezeClock(QDateTime(QDate(2024, 5, 10), QTime(9, 0)));
    AddControlGroup(1, "Day");
    AddControlGroup(2, "Night");
    AddDoor(1, 7, "Front");
    AddDoor(2, 8, "Back");
  }
};

TEST_F(Authorisations, FindRecordIdOfUserAndDoor) {
  const int user = AddUser("0001");
  TRegUserOperater regs;
  TRegUser reg;
  reg.UKey = user;
  reg.DId = 1;
  EXPECT_EQ(regs.FindRegRecordId(reg), -1);
  const int id = AddReg(user, 1);
  EXPECT_EQ(regs.FindRegRecordId(reg), id);
  reg.DId = 2;
  EXPECT_EQ(regs.FindRegRecordId(reg), -1);
}

TEST_F(Authorisations, ReadsFillTheFieldsTheyJoin) {
  const int user = AddUser("0001", "00012345", "2030-01-31");
  const int id = AddReg(user, 1, 2);
  TRegUserOperater regs;

  std::vector<TRegUser> plain = regs.GetUserRegs(user);
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(plain[0].RecordId, id);
  EXPECT_EQ(plain[0].DId, 1);
  EXPECT_EQ(plain[0].CGrpId, 2);
  EXPECT_EQ(plain[0].UID, "");
  EXPECT_EQ(plain[0].DeviceId, 0);

  std::vector<TRegUser> detailed = regs.GetUserRegsDetailed(user);
  ASSERT_EQ(detailed.size(), 1u);
  EXPECT_EQ(detailed[0].UID, "0001");
  EXPECT_EQ(detailed[0].UName, "First0001 Last");
  EXPECT_EQ(detailed[0].UCard, "00012345");
  EXPECT_EQ(detailed[0].DName, "Front");
  EXPECT_EQ(detailed[0].DeviceId, 7);
  EXPECT_EQ(detailed[0].CGroupName, "Night");
  EXPECT_EQ(detailed[0].UPSW, "");
  EXPECT_EQ(detailed[0].UInvalidate, "");

  std::vector<TRegUser> ofDoor = regs.GetDoorRegs(1);
  ASSERT_EQ(ofDoor.size(), 1u);
  EXPECT_EQ(ofDoor[0].UPSW, "472274");
  EXPECT_EQ(ofDoor[0].UInvalidate, "2030-01-31");
  EXPECT_EQ(ofDoor[0].CGroupName, "Night");
  EXPECT_TRUE(regs.GetDoorRegs(2).empty());
}

TEST_F(Authorisations, AddUpdateAndDeleteRows) {
  const int a = AddUser("0001");
  const int b = AddUser("0002");
  TRegUserOperater regs;
  const int first = AddReg(a, 1, 1);
  AddReg(a, 2, 1);
  AddReg(b, 1, 1);
  AddReg(b, 2, 1);
  TRegUser changed = regs.GetUserRegs(a)[0];
  changed.CGrpId = 2;
  regs.UpdateReg(changed);
  EXPECT_EQ(Scalar(QString("select CGrpId from RegUser where RecordId=%1").arg(first)), "2");
  regs.DeleteReg(first);
  EXPECT_EQ(Count("RegUser"), 3);
  regs.DeleteUserRegs(b);
  EXPECT_EQ(Rows("select UKey, DId from RegUser"), QStringList({QString("%1|2").arg(a)}));
  regs.DeleteDoorRegs(2);
  EXPECT_EQ(Count("RegUser"), 0);
  EXPECT_TRUE(Queue().isEmpty());  // none of these queues a controller deletion
}

TEST_F(Authorisations, ValidityEndingTodayIsStillValid) {
  const int endsToday = AddUser("0001", "00000001", "2024-05-10");
  AddUser("0002", "00000002", "2024-05-09");
  AddUser("0003", "", "2024-05-09");
  const int later = AddUser("0004", "", "2024-05-11");
  for (int key = endsToday; key <= later; ++key) AddReg(key, 1);
  AddReg(later, 2);

  TRegUserOperater regs;
  QStringList valid;
  for (const TRegUser& r : regs.GetValidDoorRegs(1)) valid << r.UID + "|" + r.UInvalidate;
  valid.sort();
  EXPECT_EQ(valid, QStringList({"0001|2024-05-10", "0004|2024-05-11"}));

  regs.QueueExpiredDeletes(1);
  EXPECT_EQ(Queue(), QStringList({"0002|00000002|7", "0003||7"}));
  regs.QueueExpiredDeletes(1);  // the expired rows stay, so every run queues them again
  EXPECT_EQ(Count("WaitingDelete"), 4);
  EXPECT_FALSE(InTrans());

  FreezeClock(QDateTime(QDate(2024, 5, 11), QTime(0, 0)));
  QStringList validNextDay;
  for (const TRegUser& r : regs.GetValidDoorRegs(1)) validNextDay << r.UID;
  EXPECT_EQ(validNextDay, QStringList({"0004"}));
}

TEST_F(Authorisations, QueueingErrorsAreRolledBackAndSwallowed) {
  AddReg(AddUser("0001", "", "2020-01-01"), 1);
  AddReg(AddUser("0002", "", "2020-01-01"), 1);
  RefuseOn("insert", "WaitingDelete", "NEW.UID='0002'");
  TRegUserOperater regs;
  EXPECT_NO_THROW(regs.QueueExpiredDeletes(1));
  EXPECT_NO_THROW(regs.QueueCardlessDeletes(2));
  EXPECT_EQ(Count("WaitingDelete"), 0);
  EXPECT_FALSE(InTrans());
}

// Which rows each event adds to the queue.
TEST_F(Authorisations, QueueRowsPerEvent) {
  struct Case {
    const char* event;
    std::function<void(Authorisations&, int withCard, int cardless)> run;
    QStringList queued;
  } cases[] = {
      {"card received by a card-less user",
       [](Authorisations&, int, int cardless) {
         TRegUserOperater().QueueCardlessDeletes(cardless);
       },
       {"0002|00020002|7", "0002|00020002|8"}},
      {"card received, source column ignored",
       [](Authorisations&, int withCard, int) {
         TRegUserOperater().QueueCardlessDeletes(withCard);
       },
       {"0001|00010001|7", "0001|00010001|8"}},
      {"card taken from a user",
       [](Authorisations&, int withCard, int) { TRegUserOperater().QueueCardDeletes(withCard); },
       {"0001|00012345|7", "0001|00012345|8"}},
      {"card taken from a card-less user",
       [](Authorisations&, int, int cardless) { TRegUserOperater().QueueCardDeletes(cardless); },
       {}},
      {"user deleted",
       [](Authorisations&, int, int cardless) {
         TRegUserOperater().DeleteUserRegs(cardless);
         TUserOperater().DeleteUser(cardless);
       },
       {}},
      {"door deleted",
       [](Authorisations&, int, int) {
         TRegUserOperater().DeleteDoorRegs(1);
         TDoorOp().DeleteDoor(1);
       },
       {}},
      {"control group changed",
       [](Authorisations&, int withCard, int) {
         TRegUserOperater regs;
         for (TRegUser r : regs.GetUserRegs(withCard)) {
           r.CGrpId = 2;
           regs.UpdateReg(r);
         }
       },
       {}},
  };
  for (const Case& c : cases) {
    ExecSQL(
        "delete from WaitingDelete; delete from RegUser; delete from UserInfo; delete from "
        "Door; delete from DoorInfo");
    AddDoor(1, 7);
    AddDoor(2, 8);
    const int withCard = AddUser("0001", "00012345");
    const int cardless = AddUser("0002");
    for (int key : {withCard, cardless})
      for (int door : {1, 2}) AddReg(key, door);
    c.run(*this, withCard, cardless);
    EXPECT_EQ(Queue(), c.queued) << c.event;
  }
}

TEST_F(Authorisations, RemoveDeletesAndQueuesTheEntriesAfterAsking) {
  const int withCard = AddUser("0001", "00012345");
  const int cardless = AddUser("0002");
  const int gone = AddUser("0003");
  AddReg(withCard, 1);
  AddReg(cardless, 2);
  AddReg(gone, 1);
  const int kept = AddReg(withCard, 2);
  ExecSQL(QString("delete from UserInfo where UKey=%1").arg(gone));
  TRegUserOperater regs;
  std::vector<TRegUser> ticked;
  for (int key : {withCard, cardless, gone})
    for (const TRegUser& r : regs.GetUserRegsDetailed(key))
      if (r.RecordId != kept) ticked.push_back(r);
  ASSERT_EQ(ticked.size(), 3u);

  messages.Answer(false);
  EXPECT_FALSE(regs.RemoveAuthorization(ticked));
  EXPECT_EQ(messages.questions, QStringList({"Are you sure delete?"}));
  EXPECT_EQ(Count("RegUser"), 4);
  EXPECT_TRUE(Queue().isEmpty());

  messages.Answer(true);
  EXPECT_TRUE(regs.RemoveAuthorization(ticked));
  EXPECT_EQ(Rows("select RecordId from RegUser"), QStringList({QString::number(kept)}));
  EXPECT_EQ(Queue(), QStringList({"0001|00012345|7", "0002|00020002|8"}));
  EXPECT_TRUE(messages.hints.isEmpty());
  EXPECT_FALSE(InTrans());
}

TEST_F(Authorisations, FailedRemoveKeepsEverythingAndSaysSo) {
  const int a = AddUser("0001");
  AddReg(a, 1);
  AddReg(a, 2);
  RefuseOn("insert", "WaitingDelete", "NEW.DeviceId=8");
  TRegUserOperater regs;
  messages.Answer(true);
  EXPECT_FALSE(regs.RemoveAuthorization(regs.GetUserRegsDetailed(a)));
  EXPECT_EQ(messages.hints, QStringList({"Delete authority information error."}));
  EXPECT_EQ(Count("RegUser"), 2);
  EXPECT_EQ(Count("WaitingDelete"), 0);
  EXPECT_FALSE(InTrans());
}

TEST_F(Authorisations, PurgeDropsTheRowsOfVanishedControllers) {
  TRegUserOperater regs;
  regs.AddWaitingDelete("0001", "00000001", 7);
  regs.AddWaitingDelete("0002", "00000002", 8);
  regs.AddWaitingDelete("0003", "00'3", 9);
  regs.PurgeWaitingDeletes();
  EXPECT_EQ(Queue(), QStringList({"0001|00000001|7", "0002|00000002|8"}));
  TDoorOp().DeleteDoor(1);
  regs.PurgeWaitingDeletes();
  EXPECT_EQ(Queue(), QStringList({"0002|00000002|8"}));
}

TEST_F(Authorisations, UnsentDeletionsStayQueued) {
  // No serial port is open: every command reports 1 and no row is confirmed.
  TRegUserOperater regs;
  for (int i = 1; i <= 6; ++i) regs.AddWaitingDelete(FormatUserId(i), "", 7);
  regs.AddWaitingDelete("0009", "", 8);
  ProgressRecorder progress;
  regs.SendWaitingDeletes(1, 7, progress);
  EXPECT_EQ(Count("WaitingDelete"), 7);
  EXPECT_EQ(progress.minimum, 0);
  EXPECT_EQ(progress.maximum, 5);
  EXPECT_EQ(progress.positions, std::vector<int>({0, 1, 2, 3, 4, 5}));

  ProgressRecorder empty;
  regs.SendWaitingDeletes(1, 3, empty);
  EXPECT_EQ(empty.maximum, 0);
  EXPECT_TRUE(empty.positions.empty());
}

TEST(EntryCardRule, CardOrUidTwice) {
  EXPECT_EQ(EntryCard("00012345", "0042"), "00012345");
  EXPECT_EQ(EntryCard("", "0042"), "00420042");
}
