#include "app/bll_Login.h"

#include "app/u_Function.h"

QString TLoginOperater::GetPassword() {
  OpenQuery(QStringLiteral("SELECT Value FROM PublicInfo where id=1"), FQuery);
  if (FQuery.IsEmpty()) return QString();
  return FQuery.FieldByName(QStringLiteral("Value")).AsString();
}

void TLoginOperater::SetPassword(const QString& text) {
  ExecSQL(QStringLiteral("update PublicInfo set value='") + QuotedSql(text) +
          QStringLiteral("' where id=1"));
}

bool TLoginOperater::CheckPassword(const QString& text) {
  OpenQuery(QStringLiteral("SELECT id FROM PublicInfo where id=1 and Value='") + QuotedSql(text) +
                QStringLiteral("' "),
            FQuery);
  return !FQuery.IsEmpty();
}
