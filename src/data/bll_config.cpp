#include "data/bll_config.h"

#include "app/u_Function.h"
#include "platform/Translation.h"

// Reads the value column of the first row; a missing row reads as an empty text.
QString TConfigOp::ReadValue(const QString& statement) {
  OpenQuery(statement, FQuery);
  return FQuery.FieldByName(QStringLiteral("value")).AsString();
}

QString TConfigOp::GetLanguage() {
  return ReadValue(QStringLiteral("select value from publicinfo where id=3"));
}

void TConfigOp::SetLanguage(const QString& code) {
  ExecSQL(QStringLiteral("update publicInfo set value='") + QuotedSql(code) +
          QStringLiteral("' where id=3"));
}

QString TConfigOp::GetSkin() {
  return ReadValue(QStringLiteral("select value from publicinfo where id=10"));
}

void TConfigOp::SetSkin(const QString& name) {
  ExecSQL(QStringLiteral("update publicInfo set value='") + QuotedSql(name) +
          QStringLiteral("' where id=10"));
}

int TConfigOp::GetValidityYears() {
  const QString text = ReadValue(QStringLiteral("select value from publicinfo where id=2"));
  bool ok = false;
  const int years = text.trimmed().toInt(&ok);
  return ok ? years : 50;
}

void TConfigOp::SetValidityYears(int years) {
  ExecSQL(QStringLiteral("update publicinfo set value=") + QString::number(years) +
          QStringLiteral(" where id=2"));
}

QString TConfigOp::GetUserDefine1Caption() {
  const QString text = ReadValue(QStringLiteral("select value from publicinfo where id=13"));
  return text.isEmpty() ? _("UserDefine1") : text;
}

QString TConfigOp::GetUserDefine2Caption() {
  const QString text = ReadValue(QStringLiteral("select value from publicinfo where id=14"));
  return text.isEmpty() ? _("UserDefine2") : text;
}

void TConfigOp::SetUserDefine1Caption(const QString& text) {
  ExecSQL(QStringLiteral("update publicinfo set value='") + QuotedSql(text) +
          QStringLiteral("' where id=13"));
}

void TConfigOp::SetUserDefine2Caption(const QString& text) {
  ExecSQL(QStringLiteral("update publicinfo set value='") + QuotedSql(text) +
          QStringLiteral("' where id=14"));
}
