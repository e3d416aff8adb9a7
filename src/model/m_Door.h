// A door: one controller on the serial line, with the controller options kept in DoorInfo.
#pragma once

#include <QString>

struct TDoor {
  // Door
  int Did = 0;
  int DeviceId = 0;  // 1..255, unique over the database
  QString DName;
  int DGrpId = 0;  // 0: ungrouped
  QString SNR;
  QString Version;
  // DoorInfo
  int KeyActive = 0;
  int KeySensitive = 0;
  int NeedPass1 = 0;
  int NeedPass2 = 0;
  int OvertimeDelay = 0;
  int MaxPassAttempt = 0;
  int PassErrorLock = 0;
  int AntiPassback = 0;
  int AntipassbackCards = 0;
  // Not stored: set by the group membership dialog (1 = in the edited group when it opened).
  int InGroup = 0;
};
