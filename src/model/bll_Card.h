// The waiting list of cards that belong to no user yet, and the normal form of card numbers.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "data/db_Exec.h"
#include "model/m_CardInfo.h"

class TCardOperater {
 public:
  // The waiting cards no user holds, by time (ascending or descending), ties by card number.
  std::vector<TCardInfo> GetWaitingCards(bool ascending);
  void AddWaitingCardAt(const QString& card, const QDateTime& time);
  void DeleteWaitingCard(int id);
  // Removes every list row of this card number.
  void DeleteWaitingCardNo(const QString& card);
  // True when a user other than `userKey` holds the card; a new user passes -1.
  bool CardUsedByOther(const QString& card, int userKey);
  // A card shorter than 8 characters left-filled with "0" to 8; longer or empty unchanged.
  static QString PadCardNo(const QString& card);

 private:
  TQuery FQuery;
};
