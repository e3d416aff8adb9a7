// The data module: the one connection `gConn` to the main database, opened on first use.
#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

class TdbConnect {
 public:
  static TdbConnect& Instance();

  // Opens the connection when it is not open. A main database file that does not exist yet is
  // created from the delivered SQL. Throws EDatabaseError.
  void EnsureOpen();
  bool IsOpen() const;
  // Closes the connection (the next access opens it again); any open transaction is dropped.
  void Close();

  // Relative names resolve against the working directory.
  void SetDatabaseName(const QString& fileName);
  QString DatabaseName() const { return databaseName; }

  sqlite3* NativeHandle();

  QSqlDatabase gConn;
  bool inTransaction = false;

 private:
  TdbConnect();
  void CreateFromDeliveredSql();

  QString databaseName = QStringLiteral("Gatewarden.sqb");
};

// The connection of the running program, opened on demand.
QSqlDatabase& gConn();

// The SQL that makes a new main database (tables, settings rows, port function texts).
QString DeliveredMainDatabaseSql();
// The SQL that makes a record database (month files and the template).
QString DeliveredRecordDatabaseSql();
