#include "data/db_Exec.h"

#include <sqlite3.h>

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "data/db_Connect.h"

namespace {

[[noreturn]] void RaiseStatementError(const QString& message, const QString& statement) {
  throw EDatabaseError(message + QStringLiteral("\n\n") + statement);
}

QString SqliteMessage(const QSqlError& error) {
  const QString text = error.databaseText();
  return text.isEmpty() ? error.text() : text;
}

}  // namespace

// ---- TField ----------------------------------------------------------------------------

QString TField::AsString() const { return value.isNull() ? QString() : value.toString(); }

qint64 TField::AsLargeInt() const {
  if (value.isNull()) return 0;
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return value.toLongLong();
    case QMetaType::Double:
      return qRound64(value.toDouble());
    default:
      break;
  }
  const QString text = value.toString().trimmed();
  if (text.isEmpty()) return 0;
  bool ok = false;
  const qint64 n = text.toLongLong(&ok);
  if (!ok) {
    throw EConvertError(
        QStringLiteral("'%1' is not a valid integer value (column %2)").arg(text, name));
  }
  return n;
}

int TField::AsInteger() const {
  const qint64 n = AsLargeInt();
  if (n < INT_MIN || n > INT_MAX) {
    throw EConvertError(QStringLiteral("%1 is out of range (column %2)").arg(n).arg(name));
  }
  return static_cast<int>(n);
}

double TField::AsFloat() const {
  if (value.isNull()) return 0;
  bool ok = false;
  const double d = value.toDouble(&ok);
  if (!ok) {
    throw EConvertError(
        QStringLiteral("'%1' is not a valid number (column %2)").arg(value.toString(), name));
  }
  return d;
}

QDateTime TField::AsDateTime() const {
  if (value.isNull()) return QDateTime();
  if (value.typeId() == QMetaType::QDateTime) return value.toDateTime();
  const QString text = value.toString().trimmed();
  if (text.isEmpty()) return QDateTime();
  static const char* const dateTimeFormats[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz",
                                                "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm"};
  for (const char* format : dateTimeFormats) {
    const QDateTime dt = QDateTime::fromString(text, QLatin1String(format));
    if (dt.isValid()) return dt;
  }
  const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
  if (date.isValid()) return QDateTime(date, QTime(0, 0));
  static const char* const timeFormats[] = {"HH:mm:ss", "H:mm:ss", "HH:mm:ss.zzz", "HH:mm"};
  for (const char* format : timeFormats) {
    const QTime time = QTime::fromString(text, QLatin1String(format));
    if (time.isValid()) return QDateTime(QDate(1899, 12, 30), time);
  }
  throw EConvertError(
      QStringLiteral("'%1' is not a valid date and time (column %2)").arg(text, name));
}

// ---- TQuery ----------------------------------------------------------------------------

void TQuery::Close() {
  columns.clear();
  rows.clear();
  position = 0;
  active = false;
}

void TQuery::First() { position = 0; }

void TQuery::Next() {
  if (position < rows.size()) ++position;
}

bool TQuery::Eof() const { return position >= rows.size(); }

void TQuery::MoveTo(int row) { position = qBound(0, row, static_cast<int>(rows.size())); }

int TQuery::IndexOf(const QString& name) const {
  for (int i = 0; i < columns.size(); ++i) {
    if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

TField TQuery::FieldByName(const QString& name) const {
  const int index = IndexOf(name);
  if (index < 0) throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
  return Field(index);
}

TField TQuery::Field(int index) const {
  if (index < 0 || index >= columns.size()) {
    throw EDatabaseError(QStringLiteral("Field index %1 out of range").arg(index));
  }
  if (Eof()) return TField(columns[index], QVariant());
  return TField(columns[index], rows[position][index]);
}

// ---- access functions ---------------------------------------------------------------------

bool OpenQuery(const QString& statement, TQuery& query) {
  query.Close();
  query.SQL = statement;
  QSqlQuery q(gConn());
  q.setForwardOnly(true);
  if (!q.exec(statement)) RaiseStatementError(SqliteMessage(q.lastError()), statement);
  const QSqlRecord record = q.record();
  for (int i = 0; i < record.count(); ++i) query.columns << record.fieldName(i);
  while (q.next()) {
    QVector<QVariant> row(record.count());
    for (int i = 0; i < record.count(); ++i) row[i] = q.value(i);
    query.rows.push_back(std::move(row));
  }
  if (q.lastError().isValid()) RaiseStatementError(SqliteMessage(q.lastError()), statement);
  q.finish();
  query.active = true;
  query.position = 0;
  return true;
}

bool ExecSQL(const QString& statement) {
  sqlite3* handle = TdbConnect::Instance().NativeHandle();
  char* error = nullptr;
  if (sqlite3_exec(handle, statement.toUtf8().constData(), nullptr, nullptr, &error) !=
      SQLITE_OK) {
    const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(handle));
    sqlite3_free(error);
    RaiseStatementError(message, statement);
  }
  return true;
}

namespace {

QVariant FirstValue(const QString& statement) {
  TQuery query;
  OpenQuery(statement, query);
  return query.IsEmpty() ? QVariant() : query.Field(0).Value();
}

}  // namespace

int NextId(const QString& table, const QString& column) {
  const QVariant v =
      FirstValue(QStringLiteral("select max(") + column + QStringLiteral(") from ") + table);
  const QString text = v.isNull() ? QString() : v.toString();
  if (text.isEmpty()) return 1;
  return TField(column, v).AsInteger() + 1;
}

int MaxId(const QString& table, const QString& column) {
  const QVariant v =
      FirstValue(QStringLiteral("select max(") + column + QStringLiteral(") from ") + table);
  if (v.isNull() || v.toString().isEmpty()) return 1;
  return TField(column, v).AsInteger();
}

int NextSequence(const QString& table) {
  TQuery query;
  OpenQuery(QStringLiteral("select seq from sqlite_sequence where name ='") + table +
                QStringLiteral("' "),
            query);
  if (query.IsEmpty()) return 1;
  return query.FieldByName(QStringLiteral("seq")).AsInteger() + 1;
}

void BeginTrans() {
  TdbConnect& module = TdbConnect::Instance();
  module.EnsureOpen();
  if (module.inTransaction) return;
  ExecSQL(QStringLiteral("begin transaction"));
  module.inTransaction = true;
}

namespace {

// SQLite ends a transaction by itself after some errors; then there is nothing to end.
bool SqliteHasOpenTransaction() {
  return sqlite3_get_autocommit(TdbConnect::Instance().NativeHandle()) == 0;
}

}  // namespace

void CommitTrans() {
  TdbConnect& module = TdbConnect::Instance();
  if (!module.inTransaction) return;
  if (SqliteHasOpenTransaction()) ExecSQL(QStringLiteral("commit transaction"));
  module.inTransaction = false;
}

void RollbackTrans() {
  TdbConnect& module = TdbConnect::Instance();
  if (!module.inTransaction) return;
  module.inTransaction = false;
  if (SqliteHasOpenTransaction()) ExecSQL(QStringLiteral("rollback transaction"));
}

bool InTrans() { return TdbConnect::Instance().inTransaction; }

// ---- TTransactionGuard ------------------------------------------------------------------

TTransactionGuard::TTransactionGuard() {
  if (!InTrans()) {
    BeginTrans();
    owns = true;
  }
}

TTransactionGuard::~TTransactionGuard() {
  if (owns && !done) {
    try {
      RollbackTrans();
    } catch (...) {
      // The original error is already on its way to the caller.
    }
  }
}

void TTransactionGuard::Commit() {
  if (owns && !done) CommitTrans();
  done = true;
}
