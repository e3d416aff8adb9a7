#include "data/db_Connect.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include "data/db_Exec.h"

namespace {

const QString kConnectionName = QStringLiteral("gConn");

QString ReadResource(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    throw EDatabaseError(QStringLiteral("The delivered SQL %1 is missing.").arg(name));
  }
  return QString::fromUtf8(file.readAll());
}

// Runs a text of several statements on the native handle (Qt's driver runs only one).
void ExecuteScript(sqlite3* handle, const QString& script) {
  char* error = nullptr;
  if (sqlite3_exec(handle, script.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
    const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(handle));
    sqlite3_free(error);
    throw EDatabaseError(message + QStringLiteral("\n\n") + script);
  }
}

}  // namespace

QString DeliveredMainDatabaseSql() {
  QString sql = ReadResource(QStringLiteral(":/sql/Gatewarden.sql")) + QLatin1Char('\n') +
                DeliveredRecordDatabaseSql();
  QDir dir(QStringLiteral(":/sql"));
  for (const QString& name :
       dir.entryList({QStringLiteral("portfunc_*.sql")}, QDir::Files, QDir::Name)) {
    sql += QLatin1Char('\n') + ReadResource(QStringLiteral(":/sql/") + name);
  }
  return sql;
}

QString DeliveredRecordDatabaseSql() { return ReadResource(QStringLiteral(":/sql/dbRecord.sql")); }

TdbConnect& TdbConnect::Instance() {
  static TdbConnect instance;
  return instance;
}

TdbConnect::TdbConnect() {}

QSqlDatabase& gConn() {
  TdbConnect& module = TdbConnect::Instance();
  module.EnsureOpen();
  return module.gConn;
}

bool TdbConnect::IsOpen() const { return gConn.isValid() && gConn.isOpen(); }

void TdbConnect::SetDatabaseName(const QString& fileName) {
  Close();
  databaseName = fileName;
}

void TdbConnect::EnsureOpen() {
  if (IsOpen()) return;
  if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
    throw EDatabaseError(QStringLiteral("The SQLite driver of Qt (QSQLITE) is not installed."));
  }
  QString fileName = databaseName;
  if (QFileInfo(fileName).suffix().isEmpty()) fileName += QStringLiteral(".sqb");
  const bool isNew = !QFileInfo::exists(fileName);

  if (!gConn.isValid()) {
    gConn = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnectionName);
  }
  gConn.setDatabaseName(fileName);
  gConn.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
  if (!gConn.open()) {
    throw EDatabaseError(QStringLiteral("Cannot open the database %1: %2")
                             .arg(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath()),
                                  gConn.lastError().text()));
  }
  inTransaction = false;
  try {
    if (isNew) {
      CreateFromDeliveredSql();
    } else {
      // SQLite reads the file lazily: make a file that is no database fail here, clearly.
      ExecuteScript(NativeHandle(), QStringLiteral("select count(*) from sqlite_master"));
    }
  } catch (const EDatabaseError& e) {
    gConn.close();
    if (isNew) QFile::remove(fileName);
    throw EDatabaseError(QStringLiteral("Cannot use the database %1: %2")
                             .arg(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath()),
                                  e.Message()));
  }
}

void TdbConnect::CreateFromDeliveredSql() {
  ExecuteScript(NativeHandle(), DeliveredMainDatabaseSql());
}

void TdbConnect::Close() {
  if (gConn.isValid()) {
    gConn.close();
    gConn = QSqlDatabase();
    QSqlDatabase::removeDatabase(kConnectionName);
  }
  inTransaction = false;
}

sqlite3* TdbConnect::NativeHandle() {
  EnsureOpen();
  const QVariant v = gConn.driver()->handle();
  if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) {
    if (sqlite3* handle = *static_cast<sqlite3* const*>(v.constData())) return handle;
  }
  throw EDatabaseError(QStringLiteral("The database connection has no SQLite handle."));
}
