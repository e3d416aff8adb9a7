// One configured input port of a door (a row of Inportinfo). A door has at most one row per
// port number 1..3; a port without a row is "not set".
#pragma once

#include <QString>

struct TInPort {
  int Inportid = 0;
  int Portnum = 0;
  QString PortName;  // "Input 1" .. (translated), not stored
  int Fncid = 0;     // input function number; 0: no function
  QString FncText;   // text of the function in the current language, not stored
  QString Isenable = QStringLiteral("1");  // "1" enabled, "0" disabled
  QString Ishigh = QStringLiteral("0");    // active level: "0" low, "1" high
  QString Bgntime;                         // start of the valid period of the day
  QString Endtime;                         // end of the valid period of the day
};
