// One configured output port (relay) of a door (a row of Outportinfo).
#pragma once

#include <QString>

struct TOutPort {
  int Outportid = 0;
  int Portnum = 0;
  QString PortName;   // "Output 1" .. (translated), not stored
  int Fncid = 0;      // output function number; 0: no function
  QString FncText;    // text of the function in the current language, not stored
  int delaytime = 3;  // 0 always off, 255 always on, 1..254 on for that many seconds
};
