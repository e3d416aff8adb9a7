// A card on the waiting list.
#pragma once

#include <QString>

struct TCardInfo {
  int Id = 0;
  QString CardNo;
  QString IssueTime;  // yyyy-mm-dd HH:MM:SS
};
