// A cardholder. UKey is the row key, UID the four-digit certificate ID written into the
// controllers, UCard the card number (empty: no card).
#pragma once

#include <QString>

struct TUserInfo {
  int UKey = 0;
  int UGrpId = 0;
  QString UID;
  QString UName;  // UFName + " " + ULName
  QString UFName;
  QString ULName;
  QString UCard;
  QString UPSW;
  QString USex;         // "0" male, "1" female
  QString UInvalidate;  // last day of validity, yyyy-mm-dd
  QString UTel;
  QString URemark;
  // Not stored: set by the group membership dialog (1 = in the edited group when it opened).
  int InGroup = 0;
  QString UserDefine1;
  QString UserDefine2;
};
