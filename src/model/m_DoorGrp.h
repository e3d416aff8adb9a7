// A door group: doors are filed under groups for display and for choosing doors.
#pragma once

#include <QString>

struct TDoorGrp {
  int DGrpId = 0;  // 0: the built-in group of ungrouped doors, never stored
  QString DGrpName;
};
