// Every revocation reaches the controller: after one synchronisation the controller holds no
// entry that still grants the revoked access, while the still-valid users are written.
#include <gtest/gtest.h>

#include <functional>

#include "device/SyncFixture.h"
#include "model/bll_RegUser.h"
#include "model/bll_User.h"

class SyncSecurity : public SyncFixture {
 protected:
  // Door 1 on controller 1; Alice (card 11111111) and Bob (card 22222222) authorised there,
  // both entries already on the controller from an earlier synchronisation.
  void SetUpInstallation() {
    AddDoor(1, 1);
    AddControlGroup(1, 1, 1, "0");
    alice = AddUser("0001", "11111111");
    bob = AddUser("0002", "22222222");
    Authorise(alice, 1);
    Authorise(bob, 1);
    controller = &sim->Add(1);
    RunSync({Row(1, 1)}, {false, true, false});
    ASSERT_EQ(controller->Users().size(), 2u);
    sim->line.ClearRequests();
  }
  int alice = 0;
  int bob = 0;
  kv60sim::Controller* controller = nullptr;
};

TEST_F(SyncSecurity, RevokedAccessLeavesTheControllerAfterOneSynchronisation) {
  struct Case {
    const char* name;
    std::function<void(int alice, MessageRecorder& messages)> revoke;
    const char* revokedCard;  // no entry with this card may remain
  };
  const Case cases[] = {
      {"removed authorisation",
       [](int alice, MessageRecorder& messages) {
         messages.Answer(true);  // "Are you sure delete?"
         TRegUserOperater regs;
         ASSERT_TRUE(regs.RemoveAuthorization(regs.GetUserRegsDetailed(alice)));
       },
       "11111111"},
      {"card taken from the user",
       [](int alice, MessageRecorder&) {
         TRegUserOperater().QueueCardDeletes(alice);
         TUserOperater().ClearUserCard(alice);
       },
       "11111111"},
      {"reclaimed card",
       [](int alice, MessageRecorder&) {
         TRegUserOperater().QueueCardDeletes(alice);
         TUserOperater().ReclaimUserCard(alice);
       },
       "11111111"},
      {"expired user",
       [](int, MessageRecorder&) {
         ExecSQL("update UserInfo set UInvalidate='2024-06-14' where UID='0001'");
       },
       "11111111"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    SetUpInstallation();
    c.revoke(alice, messages);
    RunSync({Row(1, 1)});
    const auto users = controller->Users();
    EXPECT_EQ(users.count(c.revokedCard), 0u);
    EXPECT_EQ(users.count("22222222"), 1u) << "still-valid Bob must be written";
    EXPECT_EQ(Scalar("select count(*) from WaitingDelete"), "0");
  }
}

TEST_F(SyncSecurity, AnUnansweredControllerKeepsTheQueuedDeletionsForTheNextRun) {
  SetUpInstallation();
  TRegUserOperater().QueueCardDeletes(alice);
  TUserOperater().ReclaimUserCard(alice);
  sim->line.AddFault(kv60sim::Fault::NoAnswer().On("010").Times(0));
  RunSync({Row(1, 1)}, {false, true, false});
  EXPECT_EQ(controller->Users().count("11111111"), 1u);
  EXPECT_EQ(Scalar("select count(*) from WaitingDelete"), "1");

  sim->line.ClearFaults();
  RunSync({Row(1, 1)}, {false, true, false});
  EXPECT_EQ(controller->Users().count("11111111"), 0u);
  EXPECT_EQ(Scalar("select count(*) from WaitingDelete"), "0");
}
