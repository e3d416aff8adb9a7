// The record report over ten month files holding 1,000,000 records in all: QueryRecords (attach,
// union statement, every row read into the query object) against the sqlite3 shell running the
// same attach statements and the same statement with its output thrown away. Best of three
// runs each, warm file cache. Figures only; nothing is asserted.
//
// BENCH_REPORT_ROWS sets the number of records per month file (default 100000).
#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <random>

#include "BenchInstall.h"
#include "app/u_Function.h"
#include "data/db_Exec.h"
#include "model/bll_Stat.h"

namespace {

int RowsPerMonth() {
  const int n = qEnvironmentVariableIntValue("BENCH_REPORT_ROWS");
  return n > 0 ? n : 100000;
}

void Check(int rc, sqlite3* db, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE) {
    std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
    std::exit(1);
  }
}

// One month file from the template, filled with a collection's mix of records.
void WriteMonth(const TBenchInstall& install, int month, int rows) {
  const QString name = QString("database/2009%1.sqb").arg(month, 2, 10, QChar('0'));
  QFile::copy(install.Path("database/dbRecord.sqb"), install.Path(name));
  sqlite3* db = nullptr;
  Check(sqlite3_open(install.Path(name).toUtf8().constData(), &db), db, "open");
  Check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db, "begin");
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(db,
                           "insert into IoData(UKey,UID,UName,UCard,UGrpId,UGrpName,Did,DName,"
                           "DGrpId,DGrpname,IoDate,Isin,CardType,PassType,WarnType,EventSrc,"
                           "EventType) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                           -1, &insert, nullptr),
        db, "prepare");
  std::mt19937 random(month);
  for (int i = 0; i < rows; ++i) {
    const int user = std::uniform_int_distribution<int>(1, 10000)(random);
    const int door = std::uniform_int_distribution<int>(1, 255)(random);
    const int type = std::uniform_int_distribution<int>(1, 6)(random);
    const int second = std::uniform_int_distribution<int>(0, 28 * 86400 - 1)(random);
    const QByteArray time = QString("2009-%1-%2 %3:%4:%5")
                                .arg(month, 2, 10, QChar('0'))
                                .arg(second / 86400 + 1, 2, 10, QChar('0'))
                                .arg(second / 3600 % 24, 2, 10, QChar('0'))
                                .arg(second / 60 % 60, 2, 10, QChar('0'))
                                .arg(second % 60, 2, 10, QChar('0'))
                                .toUtf8();
    const QByteArray uid = QString("%1").arg(user % 10000, 4, 10, QChar('0')).toUtf8();
    const QByteArray card = QByteArray::number(10000000 + user);
    const QByteArray name = "User " + QByteArray::number(user);
    const QByteArray group = "Group " + QByteArray::number(user % 20);
    const QByteArray doorName = "Door " + QByteArray::number(door);
    const QByteArray doorGroup = "Doors " + QByteArray::number(door % 10);
    sqlite3_bind_int(insert, 1, user);
    sqlite3_bind_text(insert, 2, uid.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, name.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 4, card.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 5, user % 20);
    sqlite3_bind_text(insert, 6, group.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 7, door);
    sqlite3_bind_text(insert, 8, doorName.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 9, door % 10);
    sqlite3_bind_text(insert, 10, doorGroup.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 11, time.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 12, i % 2);
    sqlite3_bind_int(insert, 13, type == 1 ? i % 7 : 0);
    sqlite3_bind_int(insert, 14, 0);
    sqlite3_bind_int(insert, 15, type == 2 ? i % 11 : type == 5 ? 68 + i % 2 : 0);
    sqlite3_bind_int(insert, 16, type == 4 ? i % 4 : 0);
    sqlite3_bind_int(insert, 17, type);
    Check(sqlite3_step(insert), db, "insert");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  Check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db, "commit");
  sqlite3_close(db);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  TBenchInstall install;
  const int rows = RowsPerMonth();
  QElapsedTimer timer;
  timer.start();
  for (int month = 1; month <= 10; ++month) WriteMonth(install, month, rows);
  std::printf("bench_report: 10 month files, %d records in all (made in %.1f s)\n", rows * 10,
              timer.elapsed() / 1000.0);

  const QString condition = " and IODate>='2009-01-01'  and IODate<'2009-11-01' ";
  double best = 1e300;
  int rowCount = 0;
  QString attachText, statement;
  for (int run = 0; run < 3; ++run) {
    QStringList attached;
    TQuery result;
    TIODataOperater report;
    timer.restart();
    report.QueryRecords("2009-01-01", "2009-10-31", attached, result, condition);
    best = std::min(best, timer.nsecsElapsed() / 1e9);
    rowCount = result.RecordCount();
    attachText = AttachLog();
    statement = report.LastStatement();
    result.Close();
    for (const QString& name : attached) ExecSQL("detach " + name);
  }
  std::printf("  QueryRecords (into the query object): %8.2f s  (%d rows)\n", best, rowCount);

  QFile script(install.Path("report.sql"));
  script.open(QIODevice::WriteOnly);
  script.write((attachText + "\n" + statement + "\n").toUtf8());
  script.close();
  double shellBest = 1e300;
  for (int run = 0; run < 3; ++run) {
    QProcess shell;
    shell.setStandardInputFile(install.Path("report.sql"));
    shell.setStandardOutputFile(QProcess::nullDevice());
    timer.restart();
    shell.start(QStringLiteral(SQLITE3_SHELL), {install.Path("Gatewarden.sqb")});
    shell.waitForFinished(-1);
    shellBest = std::min(shellBest, timer.nsecsElapsed() / 1e9);
    if (shell.exitCode() != 0) {
      std::fprintf(stderr, "sqlite3 failed: %s\n", shell.readAllStandardError().constData());
      return 1;
    }
  }
  std::printf("  sqlite3 shell, same statements:        %8.2f s\n", shellBest);
  std::printf("  ratio: %.2fx\n", best / shellBest);
  return 0;
}
