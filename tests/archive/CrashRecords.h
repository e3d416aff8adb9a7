// The records of the kill test: record i is fully determined by i, so that the test can tell
// which records reached the month files. Its user number is i (no user is registered, so the
// archive stores it as given); every fifth record is an unknown manage card (type 6), which
// also writes a waiting card into the main database in the same transaction. The month
// changes every 37 records and runs over 14 months, so attaching, the limit of eight attached
// months and making new month files from the template all happen during the run.
#pragma once

#include <QDate>
#include <QString>

struct TCrashRecord {
  int type;
  QString uid;
  QString card;
  QString time;
};

inline TCrashRecord CrashRecord(int i) {
  const QDate day = QDate(2009, 1, 1).addMonths((i / 37) % 14).addDays(i % 28);
  const QString time = day.toString("yyyy-MM-dd") + QString(" %1:%2:%3")
                                                        .arg(i / 3600 % 24, 2, 10, QChar('0'))
                                                        .arg(i / 60 % 60, 2, 10, QChar('0'))
                                                        .arg(i % 60, 2, 10, QChar('0'));
  return {i % 5 == 0 ? 6 : 1, QString::number(i), QString("%1").arg(i, 8, 10, QChar('0')), time};
}
