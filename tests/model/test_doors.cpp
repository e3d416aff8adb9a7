// The door store on a real database.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "StoreFixture.h"
#include "model/bll_door.h"
#include "platform/Translation.h"

class Doors : public StoreFixture {};

TEST_F(Doors, GroupListEndsWithTheUngroupedEntry) {
  TDoorGroupOp groups;
  std::vector<TDoorGrp> list = groups.GetGroups();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].DGrpId, 0);
  EXPECT_EQ(list[0].DGrpName, "Ungrouped doors");

  groups.AddGroup({groups.NextGroupId(), "Lobby"});
  groups.AddGroup({groups.NextGroupId(), "Cellar"});
  gw::UseLanguage("de");
  list = groups.GetGroups();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].DGrpName, "Lobby");
  EXPECT_EQ(list[1].DGrpId, 2);
  EXPECT_EQ(list[2].DGrpId, 0);
  EXPECT_EQ(list[2].DGrpName, QString::fromUtf8("Türen ohne Gruppe"));
}

TEST_F(Doors, NamesWithApostrophesAreStoredAndFoundUnchanged) {
  TDoorGroupOp groups;
  groups.AddGroup({1, "O'Neil's wing"});
  EXPECT_TRUE(groups.GroupNameExists("O'Neil's wing", 2));
  groups.RenameGroup({1, "'quoted'"});
  EXPECT_EQ(groups.GetGroups()[0].DGrpName, "'quoted'");

  TDoorOp doors;
  TDoor door = MakeDoor(1, 5, "O'Neil's door", 1);
  door.SNR = "12'34";
  door.Version = "V'1";
  doors.AddDoor(door);
  EXPECT_TRUE(doors.DoorNameExists("O'Neil's door", 2));
  ASSERT_EQ(doors.FindDoors("Neil's").size(), 1u);
  ASSERT_EQ(doors.FindDoors("2'3").size(), 1u);
  std::optional<TDoor> loaded = doors.LoadDoor(1);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->DName, "O'Neil's door");
  EXPECT_EQ(loaded->SNR, "12'34");
  EXPECT_EQ(loaded->Version, "V'1");

  loaded->DName = "Mc'Gee";
  doors.UpdateDoor(*loaded);
  EXPECT_EQ(doors.LoadDoor(1)->DName, "Mc'Gee");
}

TEST_F(Doors, NameChecksLeaveTheGivenRecordOut) {
  TDoorGroupOp groups;
  groups.AddGroup({1, "Lobby"});
  AddDoor(7, 5, "Front");
  struct Case {
    const char* what;
    bool found;
    bool expected;
  } cases[] = {
      {"group, other id", groups.GroupNameExists("Lobby", 2), true},
      {"group, own id", groups.GroupNameExists("Lobby", 1), false},
      {"group, other case", groups.GroupNameExists("LOBBY", 2), false},
      {"door, other id", TDoorOp().DoorNameExists("Front", 8), true},
      {"door, own id", TDoorOp().DoorNameExists("Front", 7), false},
      {"device, other id", TDoorOp().DeviceIdExists(5, 8), true},
      {"device, own id", TDoorOp().DeviceIdExists(5, 7), false},
      {"device, unused", TDoorOp().DeviceIdExists(6, 8), false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.found, c.expected) << c.what;
}

TEST_F(Doors, FindMatchesNameOrSerialWithoutRegardToCase) {
  AddDoor(1, 1, "Main gate");
  AddDoor(2, 2, "Store");
  AddDoor(3, 3, "Office");
  ExecSQL("update Door set SNR='XA9' where Did=2");
  struct Case {
    const char* text;
    std::vector<int> dids;
  } cases[] = {{"a", {1, 2}},   {"A", {1, 2}}, {"OFF", {3}}, {"x", {2}},
               {"", {1, 2, 3}}, {"M_in", {1}}, {"zz", {}}};
  for (const Case& c : cases) {
    std::vector<int> found;
    for (const TDoor& d : TDoorOp().FindDoors(c.text)) found.push_back(d.Did);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, c.dids) << c.text;
  }
}

TEST_F(Doors, LoadDoorReadsBothRows) {
  TDoorOp doors;
  EXPECT_FALSE(doors.LoadDoor(1));
  TDoor door = MakeDoor(1, 9, "Gate", 2);
  door.KeyActive = 1;
  door.KeySensitive = 200;
  door.NeedPass1 = 1;
  door.NeedPass2 = 0;
  door.OvertimeDelay = 16300;
  door.MaxPassAttempt = 20;
  door.PassErrorLock = 255;
  door.AntiPassback = 1;
  door.AntipassbackCards = 42;
  doors.AddDoor(door);
  std::optional<TDoor> loaded = doors.LoadDoor(1);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->DeviceId, 9);
  EXPECT_EQ(loaded->DGrpId, 2);
  EXPECT_EQ(loaded->SNR, "SN1");
  EXPECT_EQ(loaded->Version, "KV60 V1.1");
  EXPECT_EQ(loaded->KeyActive, 1);
  EXPECT_EQ(loaded->KeySensitive, 200);
  EXPECT_EQ(loaded->NeedPass1, 1);
  EXPECT_EQ(loaded->OvertimeDelay, 16300);
  EXPECT_EQ(loaded->MaxPassAttempt, 20);
  EXPECT_EQ(loaded->PassErrorLock, 255);
  EXPECT_EQ(loaded->AntiPassback, 1);
  EXPECT_EQ(loaded->AntipassbackCards, 42);

  ExecSQL("delete from DoorInfo where Did=1");
  loaded = doors.LoadDoor(1);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->DName, "Gate");
  EXPECT_EQ(loaded->KeySensitive, 0);
  EXPECT_EQ(loaded->AntipassbackCards, 0);
}

TEST_F(Doors, ListsLoadEveryDoorWhileTheListStaysOpen) {
  AddDoor(3, 30, "C", 1);
  AddDoor(1, 10, "A", 1);
  AddDoor(2, 20, "B", 2);
  TDoorOp doors;
  std::vector<TDoor> all = doors.GetDoors();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].DName, "A");
  EXPECT_EQ(all[2].DeviceId, 30);
  EXPECT_EQ(all[2].OvertimeDelay, 3);
  std::vector<TDoor> group1 = doors.GetDoorsOfGroup(1);
  ASSERT_EQ(group1.size(), 2u);
  for (const TDoor& d : group1) EXPECT_EQ(d.DGrpId, 1);
  EXPECT_TRUE(doors.GetDoorsOfGroup(5).empty());
  EXPECT_TRUE(TDoorGroupOp().GroupHasDoors(2));
  EXPECT_FALSE(TDoorGroupOp().GroupHasDoors(5));
}

TEST_F(Doors, IdOfTheLargestDeletedRecordIsUsedAgain) {
  TDoorOp doors;
  TDoorGroupOp groups;
  EXPECT_EQ(doors.NextDoorId(), 1);
  EXPECT_EQ(groups.NextGroupId(), 1);
  for (int i = 1; i <= 3; ++i) {
    AddDoor(doors.NextDoorId(), i);
    groups.AddGroup({groups.NextGroupId(), QString("G%1").arg(i)});
  }
  doors.DeleteDoor(2);
  groups.DeleteGroup(2);
  EXPECT_EQ(doors.NextDoorId(), 4);
  EXPECT_EQ(groups.NextGroupId(), 4);
  doors.DeleteDoor(3);
  groups.DeleteGroup(3);
  EXPECT_EQ(doors.NextDoorId(), 2);
  EXPECT_EQ(groups.NextGroupId(), 2);
}

TEST_F(Doors, DeleteRemovesOptionsAndPortsButKeepsAuthorisations) {
  AddDoor(1, 1);
  AddDoor(2, 2);
  for (int did : {1, 2}) {
    ExecSQL(QString("insert into Inportinfo (Did, Portnum, Fncid, Isenable, Ishigh, Bgntime, "
                    "Endtime) values (%1, 1, 68, '1', '1', '00:00:00', '23:59:00')")
                .arg(did));
    ExecSQL(QString("insert into Outportinfo (did, Portnum, Fncid, delaytime) values (%1, 1, 57, "
                    "3)")
                .arg(did));
  }
  AddControlGroup(1, "All day");
  AddReg(AddUser("0001"), 1);
  TDoorOp doors;
  EXPECT_TRUE(doors.DoorHasAuthorizations(1));
  doors.DeleteDoor(1);
  EXPECT_FALSE(doors.LoadDoor(1));
  for (const char* table : {"Door", "DoorInfo", "Inportinfo", "Outportinfo"})
    EXPECT_EQ(Scalar(QString("select count(*) from %1 where Did=1").arg(table)), "0") << table;
  EXPECT_EQ(Scalar("select count(*) from Inportinfo where Did=2"), "1");
  EXPECT_EQ(Count("RegUser"), 1);
  EXPECT_FALSE(InTrans());
}

TEST_F(Doors, CopyGivesTheNewDoorTheSourceAuthorisations) {
  AddControlGroup(1, "Day");
  AddControlGroup(2, "Night");
  AddDoor(1, 1);
  AddDoor(2, 2);
  const int users[] = {AddUser("0001"), AddUser("0002"), AddUser("0003")};
  for (int i = 0; i < 3; ++i) AddReg(users[i], 1, 1 + i % 2);
  AddReg(users[0], 2);

  TDoor copy = MakeDoor(1, 3, "Copy");
  copy.KeySensitive = 0;
  copy.AntipassbackCards = 7;
  EXPECT_EQ(TDoorOp().CopyDoor(copy), "00");
  EXPECT_EQ(copy.Did, 3);
  std::optional<TDoor> stored = TDoorOp().LoadDoor(3);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->DName, "Copy");
  EXPECT_EQ(stored->AntipassbackCards, 7);
  EXPECT_EQ(Rows("select UKey, CGrpId from RegUser where DId=3 order by UKey"),
            Rows("select UKey, CGrpId from RegUser where DId=1 order by UKey"));
  EXPECT_EQ(Count("RegUser"), 7);
  EXPECT_EQ(Count("Inportinfo"), 0);
}

TEST_F(Doors, CopyWithATakenDeviceNumberWritesNothing) {
  AddDoor(1, 1);
  AddDoor(2, 5);
  AddReg(AddUser("0001"), 1);
  TDoor copy = MakeDoor(1, 5, "Copy");
  EXPECT_EQ(TDoorOp().CopyDoor(copy), "Current device number already existed.");
  EXPECT_EQ(Count("Door"), 2);
  EXPECT_EQ(Count("DoorInfo"), 2);
  EXPECT_EQ(Count("RegUser"), 1);
}

// A statement failing part-way rolls back what the operation began: no door is left with
// one of its rows changed and the other not.
TEST_F(Doors, FailingStatementsLeaveNoDoorHalfWritten) {
  AddControlGroup(1, "Day");
  AddDoor(1, 1, "Front");
  AddReg(AddUser("0001"), 1);
  const QStringList before = Rows("select * from Door join DoorInfo using (Did)");
  struct Case {
    const char* what;
    const char* event;
    const char* table;
    std::function<void()> run;
  } cases[] = {
      {"update", "update", "Door",
       [this] {
         TDoor d = MakeDoor(1, 9, "Changed");
         d.KeySensitive = 99;
         TDoorOp().UpdateDoor(d);
       }},
      {"delete", "delete", "Door", [] { TDoorOp().DeleteDoor(1); }},
      {"copy, door row", "insert", "Door",
       [this] {
         TDoor d = MakeDoor(1, 2, "Copy");
         TDoorOp().CopyDoor(d);
       }},
      {"copy, authorisations", "insert", "RegUser",
       [this] {
         TDoor d = MakeDoor(1, 2, "Copy");
         TDoorOp().CopyDoor(d);
       }},
  };
  for (const Case& c : cases) {
    RefuseOn(c.event, c.table);
    EXPECT_THROW(c.run(), EDatabaseError) << c.what;
    EXPECT_FALSE(InTrans()) << c.what;
    EXPECT_EQ(Rows("select * from Door join DoorInfo using (Did)"), before) << c.what;
    EXPECT_EQ(Count("DoorInfo"), 1) << c.what;
    EXPECT_EQ(Count("RegUser"), 1) << c.what;
    ExecSQL(QString("drop trigger refuse_%1_%2").arg(c.event, c.table));
  }
}

// The door wizard holds a transaction from its start; the update it ends with commits it.
TEST_F(Doors, UpdateCommitsTheCallersTransactionButLeavesItOpenOnFailure) {
  AddDoor(1, 1, "Front");
  TDoorOp doors;
  doors.BeginTrans();
  ExecSQL("update DoorInfo set KeySensitive=77 where Did=1");
  doors.UpdateDoor(*doors.LoadDoor(1));
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Scalar("select KeySensitive from DoorInfo where Did=1"), "77");

  RefuseOn("update", "Door");
  doors.BeginTrans();
  EXPECT_THROW(doors.UpdateDoor(*doors.LoadDoor(1)), EDatabaseError);
  EXPECT_TRUE(InTrans());  // the caller's to end
  doors.RollbackTrans();
  EXPECT_FALSE(InTrans());
}
