#include "data/bll_Tool.h"

bool TToolOp::ReadWindowPosition(int& left, int& top) {
  OpenQuery(QStringLiteral("select id, value from PublicInfo where id=4 or id=5 order by id"),
            FQuery);
  int storedLeft = -1;
  int storedTop = -1;
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    const int id = FQuery.FieldByName(QStringLiteral("id")).AsInteger();
    const TField value = FQuery.FieldByName(QStringLiteral("value"));
    const bool empty = value.AsString().isEmpty();
    if (id == 4) {
      storedLeft = empty ? -1 : value.AsInteger();
    } else if (id == 5) {
      if (empty) storedLeft = -1;
      else storedTop = value.AsInteger();
    }
  }
  if (storedLeft == -1 || storedTop == -1) return false;
  left = storedLeft;
  top = storedTop;
  return true;
}

void TToolOp::SaveWindowPosition(int left, int top) {
  try {
    BeginTrans();
    ExecSQL(QStringLiteral("update PublicInfo set value=") + QString::number(left) +
            QStringLiteral(" where id = 4"));
    ExecSQL(QStringLiteral("update PublicInfo set value=") + QString::number(top) +
            QStringLiteral(" where id = 5"));
    CommitTrans();
  } catch (const std::exception&) {
    try {
      RollbackTrans();
    } catch (const std::exception&) {
    }
  }
}
