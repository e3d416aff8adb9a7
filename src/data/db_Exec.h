// Access functions: every store class reads and writes through these.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <stdexcept>

// A statement SQLite refused: SQLite's message, two line breaks, the statement.
class EDatabaseError : public std::runtime_error {
 public:
  explicit EDatabaseError(const QString& message)
      : std::runtime_error(message.toStdString()), text(message) {}
  QString Message() const { return text; }

 private:
  QString text;
};

// A column value that cannot be read as the type asked for.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// One column value of the current row.
class TField {
 public:
  TField() = default;
  TField(QString name, QVariant value) : name(std::move(name)), value(std::move(value)) {}

  bool IsNull() const { return value.isNull(); }
  QString AsString() const;
  // A NULL reads as 0; a text that is not a whole number throws EConvertError.
  int AsInteger() const;
  qint64 AsLargeInt() const;
  double AsFloat() const;
  // Reads "yyyy-mm-dd", "yyyy-mm-dd HH:MM:SS" and "HH:MM:SS" texts; a time of day alone gets
  // the date 1899-12-30. A NULL or empty text gives an invalid value; other text throws.
  QDateTime AsDateTime() const;
  QVariant Value() const { return value; }
  QString Name() const { return name; }

 private:
  QString name;
  QVariant value;
};

// A query object: holds one result set, read completely when it is opened, so that another
// query may run while this one is still being walked.
class TQuery {
 public:
  void Close();
  bool Active() const { return active; }

  void First();
  void Next();
  bool Eof() const;
  bool IsEmpty() const { return rows.isEmpty(); }
  int RecordCount() const { return static_cast<int>(rows.size()); }
  int RecNo() const { return position; }  // 0-based row position
  void MoveTo(int row);                  // returns to a remembered position

  int FieldCount() const { return static_cast<int>(columns.size()); }
  QStringList FieldNames() const { return columns; }
  bool HasField(const QString& name) const { return IndexOf(name) >= 0; }
  // Columns are found by name without regard to case; an unknown name throws EDatabaseError.
  TField FieldByName(const QString& name) const;
  TField Field(int index) const;

  QString SQL;

 private:
  friend bool OpenQuery(const QString& statement, TQuery& query);
  int IndexOf(const QString& name) const;

  QStringList columns;
  QVector<QVector<QVariant>> rows;
  int position = 0;
  bool active = false;
};

bool OpenQuery(const QString& statement, TQuery& query);
// Runs a text of one or more statements separated by ";".
bool ExecSQL(const QString& statement);
int NextId(const QString& table, const QString& column);
int MaxId(const QString& table, const QString& column);
int NextSequence(const QString& table);
void BeginTrans();
void CommitTrans();
void RollbackTrans();
bool InTrans();

// Rolls back, when the scope ends by an exception, the transaction this scope began. Begins
// one only when none is open, so it nests inside a caller's transaction without touching it.
class TTransactionGuard {
 public:
  TTransactionGuard();
  ~TTransactionGuard();
  void Commit();
  TTransactionGuard(const TTransactionGuard&) = delete;
  TTransactionGuard& operator=(const TTransactionGuard&) = delete;

 private:
  bool owns = false;
  bool done = false;
};
