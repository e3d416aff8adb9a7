#include "data/bll_SerialPort.h"

#include "app/u_Function.h"

QString TComOperater::GetComPort() {
  OpenQuery(QStringLiteral("SELECT Value FROM PublicInfo where id=6"), FQuery);
  if (FQuery.IsEmpty()) return QString();
  return FQuery.FieldByName(QStringLiteral("Value")).AsString();
}

void TComOperater::SetComPort(const QString& text) {
  ExecSQL(QStringLiteral("update PublicInfo set value='") + QuotedSql(text) +
          QStringLiteral("' where id=6"));
}

int ComPortFromText(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return 0;
  bool ok = false;
  const int port = trimmed.toInt(&ok);
  if (!ok) {
    throw EConvertError(QStringLiteral("'%1' is not a valid serial port number").arg(text));
  }
  return port;
}

int LoadCurrentComPort() {
  TComOperater op;
  CurrentComPort = ComPortFromText(op.GetComPort());
  return CurrentComPort;
}
