// The record archive (month files, in-memory snapshot, record rows) and a few small settings
// writers: the main window position and the door dialog's last choices.
//
// Archive layout: the records of each calendar month go into their own SQLite file,
// <installation folder>/database/yyyymm.sqb, made on first use as a copy of the template
// database/dbRecord.sqb and attached to the main connection as "db" + yyyymm. While records are
// collected, a frozen in-memory copy of Door, DoorGrp, UserInfo and UserGrp (schema "mem")
// supplies the names and groups each record row carries.
//
// Durability contract, for the collection loop of the synchronisation:
//   - When AddRecord returns, its record is committed: its IoData row (and, for an unknown
//     type-6 card, its WaitingCard row in the main database) is on disk under SQLite's default
//     synchronous level with a rollback journal. Only after that may the loop ask the
//     controller for the next record ("066"), which moves the controller past this one.
//   - When AddRecord throws, nothing of that record is stored (its transaction is rolled back);
//     the loop must stop without moving the controller on. The next run's first read ("067",
//     current record again) fetches it anew.
//   - A process killed between a returned AddRecord and the next "066" stores that record
//     twice on the next run (it is read again by "067"); nothing is ever lost.
//   - One record is one transaction. A type-6 record that adds a waiting card writes the month
//     file and the main database in that one transaction; SQLite's super-journal makes such a
//     commit atomic across both files.
//   - AddRecord ends whatever transaction is open on the connection before it stores (the
//     archive never runs inside a caller's transaction).
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "data/db_Exec.h"

class TToolOp {
 public:
  TToolOp() = default;
  ~TToolOp();  // closes a snapshot still open
  TToolOp(const TToolOp&) = delete;
  TToolOp& operator=(const TToolOp&) = delete;

  // ---- record archive ----

  // Attaches the memory schema "mem" and copies the door and user tables into it. Errors of
  // the copy are swallowed (names then come out empty); an error attaching "mem" propagates.
  void OpenSnapshot();
  // Stores one collected record in the file of its month; see the durability contract above.
  // `IoDate` is "yyyy-mm-dd HH:MM:SS"; `IsIn` is 1 for an outward passage, 0 for an inward
  // one. Returns true; database errors propagate.
  bool AddRecord(int EventType, const QString& UserId, const QString& Card, const QString& IoDate,
                 int Did, int IsIn, int CardType, int PassType, int WarnType, int EventSrc);
  // Detaches "mem" and every month schema.
  void CloseSnapshot();

  bool IsMonthAttached(const QString& schema) const;
  // Attaches the month file of `schema` ("db" + yyyymm), creating it from the template when it
  // does not exist yet. At most 8 months stay attached: the one attached earliest goes first.
  void AttachMonth(const QString& schema);
  // The attached schemas: "mem" first, then the months in the order they were attached.
  QStringList AttachedSchemas() const { return FSchemas; }

  // The card is listed in Cards.
  bool CardIsKnown(const QString& card);

  // ---- settings ----

  // The door dialog's last choices, one 16-bit value each (first * 256 + second):
  // setting 12 "key sensitivity" and setting 11 "open password".
  void SaveKeyDefaults(int enabled, int sensitivity);
  void SaveOpenPasswordDefaults(int first, int second);

  // The stored main window position (settings 4 and 5). False when either is missing or empty:
  // the window then goes to the top-right corner of the screen. Throws EConvertError for a
  // text that is not an integer (the window then keeps its designed position).
  bool ReadWindowPosition(int& left, int& top);
  // Stores both in one transaction; any error rolls back and is swallowed.
  void SaveWindowPosition(int left, int top);

  // The schema name of a record day ("db200909") and the file of a schema name.
  static QString MonthSchema(const QDate& day);
  static QString MonthFileName(const QString& schema);

 private:
  void CopyToSnapshot(const QString& table);
  void SaveDefault(int id, int value, const QString& description);

  TQuery FQuery;
  QStringList FSchemas;  // empty when no snapshot is open
  QString FSql;
};
