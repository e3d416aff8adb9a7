// The record report's queries: find the month files of a date range, attach them and open one
// statement that unites their rows with a readable time and a description of each record.
#pragma once

#include <QString>
#include <QStringList>

#include "data/db_Exec.h"

// The attach statements the report has executed since it was last reset (process-wide).
// Reset at the start of every query and when the report window closes.
void ResetAttachLog();
QString AttachLog();

class TIODataOperater {
 public:
  // At most this many month files are queried at once (the earliest of the range).
  static constexpr int kMaxMonthFiles = 10;

  // The existing month files (full paths) from the month of `beginDate` to the month of
  // `endDate`, both "yyyy-mm-dd", in time order. Empty when the end month is earlier.
  QStringList GetMonthFiles(const QString& beginDate, const QString& endDate);

  // Attaches the month files of the range (the first kMaxMonthFiles of them) as "DB" + yyyymm,
  // adds each attached "db" + yyyymm to `attached`, and opens the report statement into
  // `result`. `condition` is appended after "where 1=1 " in every part. The caller detaches
  // the names of its previous query first. Returns how many month files of the range were
  // left out by the limit, so that the report can say so. Database errors propagate.
  int QueryRecords(const QString& beginDate, const QString& endDate, QStringList& attached,
                   TQuery& result, const QString& condition);

  QStringList MonthFiles() const { return FMonthFiles; }
  QString LastStatement() const { return FSql; }

  // The display time "9/5/2009 2:07:09 PM" of a stored "yyyy-mm-dd HH:MM:SS" column.
  static QString DisplayTimeExpression(const QString& column);
  // The record description (translated texts; texts68/69: current texts of input functions
  // 68 and 69).
  static QString DescriptionExpression(const QString& text68, const QString& text69);

 private:
  TQuery FQuery;
  QStringList FMonthFiles;
  QString FSql;
};
