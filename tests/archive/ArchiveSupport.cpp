#include "ArchiveSupport.h"

#include <stdexcept>

#include "app/u_Function.h"
#include "data/db_Exec.h"

QStringList ReadRows(const QString& fileName, const QString& statement) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(fileName.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
      SQLITE_OK) {
    const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + fileName.toStdString() + ": " + message);
  }
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, statement.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
    const std::string message = sqlite3_errmsg(db);
    sqlite3_close(db);
    throw std::runtime_error(message + " in " + statement.toStdString());
  }
  QStringList rows;
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    QStringList columns;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      columns << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
    }
    rows << columns.join(QLatin1Char('|'));
  }
  const std::string message = sqlite3_errmsg(db);
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  if (rc != SQLITE_DONE) throw std::runtime_error(message + " in " + statement.toStdString());
  return rows;
}

void AddUserRow(int key, const QString& uid, const QString& card, const QString& name, int group) {
  ExecSQL(QStringLiteral("insert into UserInfo(UKey,UID,UCard,UName,UGrpId) values(%1,'%2','%3',"
                         "'%4',%5)")
              .arg(key)
              .arg(QuotedSql(uid), QuotedSql(card), QuotedSql(name))
              .arg(group));
}

void AddUserGroupRow(int group, const QString& name) {
  ExecSQL(QStringLiteral("insert into UserGrp(UGrpId,UGrpName) values(%1,'%2')")
              .arg(group)
              .arg(QuotedSql(name)));
}

void AddDoorRow(int did, const QString& name, int group) {
  ExecSQL(QStringLiteral("insert into Door(Did,DeviceId,DName,DGrpId) values(%1,%1,'%2',%3)")
              .arg(did)
              .arg(QuotedSql(name))
              .arg(group));
}

void AddDoorGroupRow(int group, const QString& name) {
  ExecSQL(QStringLiteral("insert into DoorGrp(DGrpId,DGrpName) values(%1,'%2')")
              .arg(group)
              .arg(QuotedSql(name)));
}
