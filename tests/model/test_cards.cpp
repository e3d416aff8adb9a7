// The waiting list of cards on a real database.
#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "model/bll_Card.h"

class Cards : public StoreFixture {
 protected:
  static QDateTime At(const char* text) {
    return QDateTime::fromString(text, "yyyy-MM-dd HH:mm:ss");
  }
  QStringList Waiting(bool ascending) {
    QStringList cards;
    for (const TCardInfo& c : TCardOperater().GetWaitingCards(ascending)) cards << c.CardNo;
    return cards;
  }
};

TEST(CardNumbers, PadCardNoFillsToEightDigits) {
  struct Case {
    const char* card;
    const char* padded;
  } cases[] = {{"12345", "00012345"},        {"1", "00000001"},          {"12345678", "12345678"},
               {"1234567890", "1234567890"}, {"123456789", "123456789"}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(TCardOperater::PadCardNo(c.card), c.padded) << c.card;
}

TEST_F(Cards, WaitingCardsOrderByTimeThenCardNumber) {
  TCardOperater cards;
  cards.AddWaitingCardAt("300", At("2024-05-10 08:00:00"));
  cards.AddWaitingCardAt("100", At("2024-05-10 08:00:00"));
  cards.AddWaitingCardAt("200", At("2024-05-11 07:00:00"));
  EXPECT_EQ(Waiting(true), QStringList({"100", "300", "200"}));
  EXPECT_EQ(Waiting(false), QStringList({"200", "100", "300"}));
  const TCardInfo first = cards.GetWaitingCards(true)[0];
  EXPECT_EQ(first.IssueTime, "2024-05-10 08:00:00");
  EXPECT_GT(first.Id, 0);
}

TEST_F(Cards, CardsHeldByUsersAreHidden) {
  TCardOperater cards;
  cards.AddWaitingCardAt("00000001", At("2024-05-10 08:00:00"));
  cards.AddWaitingCardAt("00000002", At("2024-05-10 09:00:00"));
  AddUser("0001", "00000001");
  AddUser("0002", "");
  EXPECT_EQ(Waiting(true), QStringList({"00000002"}));
  // A user row without any card value must not hide the whole list.
  ExecSQL("update UserInfo set UCard=null where UID='0002'");
  EXPECT_EQ(Waiting(true), QStringList({"00000002"}));
}

TEST_F(Cards, ACardListedTwiceIsShownTwiceAndRemovedTogether) {
  TCardOperater cards;
  cards.AddWaitingCardAt("00000001", At("2024-05-10 08:00:00"));
  cards.AddWaitingCardAt("00000001", At("2024-05-10 09:00:00"));
  cards.AddWaitingCardAt("00000002", At("2024-05-10 10:00:00"));
  cards.AddWaitingCardAt("12'4", At("2024-05-10 11:00:00"));
  EXPECT_EQ(Waiting(true), QStringList({"00000001", "00000001", "00000002", "12'4"}));
  cards.DeleteWaitingCardNo("00000001");
  EXPECT_EQ(Waiting(true), QStringList({"00000002", "12'4"}));
  cards.DeleteWaitingCardNo("12'4");
  cards.DeleteWaitingCard(cards.GetWaitingCards(true)[0].Id);
  EXPECT_EQ(Count("WaitingCard"), 0);
}

TEST_F(Cards, CardUsedByAnotherUser) {
  const int holder = AddUser("0001", "00012345");
  const int other = AddUser("0002", "");
  TCardOperater cards;
  struct Case {
    const char* card;
    int key;
    bool used;
  } cases[] = {{"00012345", -1, true},
               {"00012345", other, true},
               {"00012345", holder, false},
               {"00099999", -1, false},
               {"0001'345", -1, false}};
  for (const Case& c : cases)
    EXPECT_EQ(cards.CardUsedByOther(c.card, c.key), c.used) << c.card << " " << c.key;
}
