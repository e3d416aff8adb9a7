// The user store on a real database.
#include <gtest/gtest.h>

#include <functional>

#include "StoreFixture.h"
#include "app/u_Function.h"
#include "model/bll_User.h"
#include "platform/Translation.h"

class Users : public StoreFixture {};

TEST_F(Users, TextsWithApostrophesAreStoredShownAndFoundUnchanged) {
  TUserOperater users;
  TUserInfo user = MakeUser("0001", "00012345");
  user.UFName = "O'Neil";
  user.ULName = "D'Arcy";
  user.UName = "O'Neil D'Arcy";
  user.UTel = "0'1";
  user.URemark = "it's";
  user.UserDefine1 = "'a'";
  user.UserDefine2 = "''";
  users.AddUser(user);
  std::vector<TUserInfo> found = users.SearchUsers("O'Ne");
  ASSERT_EQ(found.size(), 1u);
  const TUserInfo& stored = found[0];
  EXPECT_EQ(stored.UFName, "O'Neil");
  EXPECT_EQ(stored.ULName, "D'Arcy");
  EXPECT_EQ(stored.UName, "O'Neil D'Arcy");
  EXPECT_EQ(stored.UTel, "0'1");
  EXPECT_EQ(stored.URemark, "it's");
  EXPECT_EQ(stored.UserDefine1, "'a'");
  EXPECT_EQ(stored.UserDefine2, "''");
  EXPECT_EQ(stored.UCard, "00012345");
  EXPECT_EQ(stored.UInvalidate, "2099-12-31");

  TUserInfo changed = stored;
  changed.UFName = "Mc'Gee";
  changed.UCard = "";
  changed.UGrpId = 4;
  users.UpdateUser(changed);
  ASSERT_EQ(users.GetUsersOfGroup(4).size(), 1u);
  EXPECT_EQ(users.GetUsersOfGroup(4)[0].UFName, "Mc'Gee");
  EXPECT_EQ(users.GetUsersOfGroup(4)[0].URemark, "it's");
  EXPECT_TRUE(users.GetUsersOfGroup(0).empty());
}

TEST_F(Users, SearchMatchesNameOrUidWithoutRegardToCase) {
  AddUser("0012");
  AddUser("0120");
  ExecSQL("update UserInfo set UName='Anna Smith' where UID='0120'");
  struct Case {
    const char* text;
    QStringList uids;
  } cases[] = {{"12", {"0012", "0120"}},
               {"anna", {"0120"}},
               {"SMI", {"0120"}},
               {"first0012", {"0012"}},
               {"x", {}}};
  for (const Case& c : cases) {
    QStringList uids;
    for (const TUserInfo& u : TUserOperater().SearchUsers(c.text)) uids << u.UID;
    EXPECT_EQ(uids, c.uids) << c.text;
  }
}

TEST_F(Users, GroupNamesClashWithoutRegardToCase) {
  TUGroupOperater groups;
  groups.AddGroup({5, "Staff"});
  groups.AddGroup({6, "O'Neil's"});
  groups.AddGroup({7, QString::fromUtf8("Büro")});
  struct Case {
    QString name;
    int id;
    bool exists;
  } cases[] = {
      {"STAFF", 3, true},
      {"staff", 5, false},
      {"Staff", 5, false},
      {"o'neil's", 3, true},
      {QString::fromUtf8("Büro"), 3, true},
      {"Staff ", 3, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(groups.GroupNameExists(c.name, c.id), c.exists) << c.name.toStdString() << c.id;
}

TEST_F(Users, GroupListsAndMembership) {
  TUGroupOperater groups;
  EXPECT_TRUE(groups.GetGroups().empty());
  EXPECT_EQ(groups.NextGroupId(), 1);
  groups.AddGroup({groups.NextGroupId(), "A"});
  groups.AddGroup({groups.NextGroupId(), "B"});
  groups.RenameGroup({2, "B'"});
  std::vector<TUserGrp> list = groups.GetGroups();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].UGrpName, "B'");
  EXPECT_EQ(UngroupedUserGroup().UGrpId, 0);
  EXPECT_EQ(UngroupedUserGroup().UGrpName, "Ungrouped Users");

  AddUser("0001", "", "2099-12-31", 2);
  EXPECT_TRUE(groups.GroupHasUsers(2));
  EXPECT_FALSE(groups.GroupHasUsers(1));
  groups.DeleteGroup(2);
  EXPECT_EQ(groups.NextGroupId(), 2);
  EXPECT_EQ(Count("UserInfo"), 1);
}

TEST_F(Users, CardlessGroupsListEachGroupOnceWithGroupZeroUnnamed) {
  TUGroupOperater groups;
  groups.AddGroup({1, "Staff"});
  groups.AddGroup({2, "Guests"});
  AddUser("0001", "", "2099-12-31", 1);
  AddUser("0002", "", "2099-12-31", 1);
  AddUser("0003", "00000003", "2099-12-31", 2);
  AddUser("0004", "", "2099-12-31", 0);
  ExecSQL("update UserInfo set UCard=null where UID='0004'");
  QStringList listed;
  for (const TUserGrp& g : groups.GetCardlessUserGroups())
    listed << QString("%1:%2").arg(g.UGrpId).arg(g.UGrpName);
  listed.sort();
  EXPECT_EQ(listed, QStringList({"0:", "1:Staff"}));

  QStringList uids;
  for (const TUserInfo& u : TUserOperater().GetCardlessUsersOfGroup(1)) uids << u.UID;
  EXPECT_EQ(uids, QStringList({"0001", "0002"}));
  ASSERT_EQ(TUserOperater().GetCardlessUsersOfGroup(0).size(), 1u);
  EXPECT_TRUE(TUserOperater().GetCardlessUsersOfGroup(2).empty());
}

TEST_F(Users, GroupReadNormalisesTheValidityDate) {
  AddUser("0001", "", "2024-05-10 00:00:00");
  EXPECT_EQ(TUserOperater().GetUsers()[0].UInvalidate, "2024-05-10 00:00:00");
  EXPECT_EQ(TUserOperater().GetUsersOfGroup(0)[0].UInvalidate, "2024-05-10");
}

TEST_F(Users, NextUserIdFollowsTheHighestUid) {
  TUserOperater users;
  EXPECT_EQ(users.NextUserId(), 1);
  EXPECT_EQ(FormatUserId(users.NextUserId()), "0001");
  AddUser("0041");
  AddUser("0099");
  AddUser("0007");
  EXPECT_EQ(users.NextUserId(), 100);
  EXPECT_EQ(FormatUserId(users.NextUserId()), "0100");
  EXPECT_EQ(FormatUserId(10000), "10000");
}

TEST_F(Users, NextUserKeyPredictsTheKeyAfterDeletions) {
  TUserOperater users;
  EXPECT_EQ(users.NextUserKey(), 1);
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(AddUser(FormatUserId(i)), i);
  users.DeleteUser(7);
  EXPECT_EQ(users.NextUserKey(), 8);
  EXPECT_EQ(AddUser("0008"), 8);
  for (int key = 1; key <= 8; ++key) users.DeleteUser(key);
  EXPECT_EQ(Count("UserInfo"), 0);
  EXPECT_EQ(users.NextUserKey(), 9);
}

TEST_F(Users, ExistenceChecks) {
  TUserOperater users;
  const int a = AddUser("0001", "0");
  const int b = AddUser("0002", "12");
  AddUser("0003", "");
  AddControlGroup(1, "Day");
  AddDoor(1, 1);
  AddReg(b, 1);
  struct Case {
    const char* what;
    bool found;
    bool expected;
  } cases[] = {
      {"uid of another", users.UserIdExists("0002", a), true},
      {"own uid", users.UserIdExists("0002", b), false},
      {"uid for a new user", users.UserIdExists("0001", users.NextUserKey()), true},
      {"uid with apostrophe", users.UserIdExists("00'1", a), false},
      {"one-character card", users.UserHasCard(a), false},
      {"two-character card", users.UserHasCard(b), true},
      {"empty card", users.UserHasCard(a + 2), false},
      {"authorised", users.UserHasAuthorizations(b), true},
      {"not authorised", users.UserHasAuthorizations(a), false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.found, c.expected) << c.what;
}

TEST_F(Users, CardIsSetClearedAndReclaimedOntoTheWaitingList) {
  FreezeClock(QDateTime(QDate(2024, 5, 10), QTime(8, 30, 5)));
  TUserOperater users;
  const int key = AddUser("0001");
  users.SetUserCard(key, "12'45");
  EXPECT_EQ(users.GetUsers()[0].UCard, "12'45");
  users.ClearUserCard(key);
  EXPECT_EQ(users.GetUsers()[0].UCard, "");

  users.SetUserCard(key, "00012345");
  users.ReclaimUserCard(key);
  EXPECT_EQ(users.GetUsers()[0].UCard, "");
  EXPECT_EQ(Rows("select CardNo, IssueTime from WaitingCard"),
            QStringList({"00012345|2024-05-10 08:30:05"}));
  EXPECT_FALSE(InTrans());

  users.ReclaimUserCard(key + 1);  // no such user
  EXPECT_EQ(Count("WaitingCard"), 1);
  EXPECT_EQ(Count("UserInfo"), 1);
}

TEST_F(Users, FailedReclaimLeavesTheCardWithTheUser) {
  TUserOperater users;
  const int key = AddUser("0001", "00012345");
  RefuseOn("insert", "WaitingCard");
  EXPECT_THROW(users.ReclaimUserCard(key), EDatabaseError);
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(users.GetUsers()[0].UCard, "00012345");
  EXPECT_EQ(Count("WaitingCard"), 0);
}

TEST_F(Users, DefaultValidityMovesTheYearOn) {
  struct Case {
    QDate today;
    const char* setting;  // nullptr: no row
    QDate expected;
  } cases[] = {
      {QDate(2024, 5, 10), "3", QDate(2027, 5, 10)},
      {QDate(2024, 5, 10), nullptr, QDate(2024, 5, 10)},
      {QDate(2024, 5, 10), "", QDate(2024, 5, 10)},
      {QDate(2024, 2, 29), "1", QDate(2025, 2, 28)},
      {QDate(2024, 2, 29), "4", QDate(2028, 2, 29)},
      {QDate(2023, 12, 31), "50", QDate(2073, 12, 31)},
  };
  for (const Case& c : cases) {
    FreezeClock(QDateTime(c.today, QTime(12, 0)));
    ExecSQL("delete from PublicInfo where id=2");
    if (c.setting)
      ExecSQL(QString("insert into PublicInfo (id, value) values (2, '%1')").arg(c.setting));
    EXPECT_EQ(TUserOperater().DefaultValidity(), c.expected)
        << c.today.toString().toStdString() << " + " << (c.setting ? c.setting : "none");
  }
  ExecSQL("update PublicInfo set value='three' where id=2");
  EXPECT_THROW(TUserOperater().DefaultValidity(), EConvertError);
}

TEST_F(Users, CopyWithoutAuthorisationsAddsOnlyTheUser) {
  AddControlGroup(1, "Day");
  AddDoor(1, 1);
  const int source = AddUser("0005", "00000005");
  AddReg(source, 1);
  TUserOperater users;
  TUserInfo copy = users.GetUsers()[0];
  copy.UFName = "Copy";
  copy.UName = "Copy Last";
  copy.UCard = "";
  copy.UGrpId = 3;
  users.CopyUser(copy, false);
  EXPECT_EQ(copy.UKey, source + 1);
  EXPECT_EQ(copy.UID, "0006");
  EXPECT_EQ(Count("UserInfo"), 2);
  EXPECT_EQ(Count("RegUser"), 1);
  std::vector<TUserInfo> stored = users.GetUsersOfGroup(3);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].UKey, copy.UKey);
  EXPECT_EQ(stored[0].UName, "Copy Last");
  EXPECT_EQ(stored[0].UPSW, "472274");
}

TEST_F(Users, CopyWithAuthorisationsCopiesEachRow) {
  AddControlGroup(1, "Day");
  AddControlGroup(2, "Night");
  AddDoor(1, 1);
  AddDoor(2, 2);
  const int source = AddUser("0001");
  const int other = AddUser("0002");
  AddReg(source, 1, 1);
  AddReg(source, 2, 2);
  AddReg(other, 1, 2);
  TUserOperater users;
  TUserInfo copy = users.GetUsers()[0];
  users.CopyUser(copy, true);
  EXPECT_EQ(copy.UID, "0003");
  EXPECT_EQ(
      Rows(QString("select DId, CGrpId from RegUser where UKey=%1 order by DId").arg(copy.UKey)),
      QStringList({"1|1", "2|2"}));
  EXPECT_EQ(Count("RegUser"), 5);
  EXPECT_FALSE(InTrans());
}

TEST_F(Users, CopyRefusesAUidBeyondFourDigits) {
  AddUser("9999");
  TUserOperater users;
  TUserInfo copy = users.GetUsers()[0];
  try {
    users.CopyUser(copy, true);
    FAIL() << "copy stored";
  } catch (const EUserIdsExhausted& e) {
    EXPECT_FALSE(e.Message().isEmpty());
  }
  EXPECT_EQ(copy.UID, "9999");
  EXPECT_EQ(Count("UserInfo"), 1);
}

TEST_F(Users, FailedCopyLeavesNoHalfCopiedUser) {
  AddControlGroup(1, "Day");
  AddDoor(1, 1);
  const int source = AddUser("0001");
  AddReg(source, 1);
  RefuseOn("insert", "RegUser");
  TUserOperater users;
  TUserInfo copy = users.GetUsers()[0];
  EXPECT_THROW(users.CopyUser(copy, true), EDatabaseError);
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Count("UserInfo"), 1);
  EXPECT_EQ(Count("RegUser"), 1);
  EXPECT_EQ(copy.UKey, source);
}
