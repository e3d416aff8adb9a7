// A user group.
#pragma once

#include <QString>

struct TUserGrp {
  int UGrpId = 0;  // 0: the built-in "Ungrouped Users" group; -1: the search results
  QString UGrpName;
};
