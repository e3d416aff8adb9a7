// An authorisation: one user may pass one door under one control group. Only RecordId, UKey,
// DId and CGrpId are stored; the joined reads fill the other fields they select.
#pragma once

#include <QString>

struct TRegUser {
  int RecordId = 0;  // 0: prepared in a dialog, not stored yet
  int UKey = 0;
  int DId = 0;
  int DeviceId = 0;
  int CGrpId = 0;
  QString UID;
  QString UName;
  QString UCard;
  QString UPSW;
  QString DName;
  QString CGroupName;
  QString UInvalidate;
};
