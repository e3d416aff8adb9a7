// Cost of storing one collected record (TToolOp::AddRecord) with 255 doors and 100, 1,000 and
// 10,000 users in the snapshot, and what the per-record commit (the record is on disk before
// the next one is read) adds to it. Figures only; nothing is asserted.
//
// BENCH_RECORDS sets the number of records per measurement (default 1000).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <random>

#include "BenchInstall.h"
#include "app/u_Function.h"
#include "data/bll_Tool.h"
#include "data/db_Exec.h"

namespace {

int RecordCount() {
  const int n = qEnvironmentVariableIntValue("BENCH_RECORDS");
  return n > 0 ? n : 1000;
}

QString Card(int user) {
  return QString::number(10000000 + user);
}

void FillMainTables(int users) {
  BeginTrans();
  for (int g = 1; g <= 20; ++g) {
    ExecSQL(QString("insert into UserGrp(UGrpId,UGrpName) values(%1,'Group %1')").arg(g));
  }
  for (int g = 1; g <= 10; ++g) {
    ExecSQL(QString("insert into DoorGrp(DGrpId,DGrpName) values(%1,'Doors %1')").arg(g));
  }
  for (int d = 1; d <= 255; ++d) {
    ExecSQL(QString("insert into Door(Did,DeviceId,DName,DGrpId) values(%1,%1,'Door %1',%2)")
                .arg(d)
                .arg(d % 10 + 1));
  }
  for (int u = 1; u <= users; ++u) {
    ExecSQL(QString("insert into UserInfo(UKey,UID,UCard,UName,UGrpId) values(%1,'%2','%3',"
                    "'User %1',%4)")
                .arg(u)
                .arg(u % 10000, 4, 10, QChar('0'))
                .arg(Card(u))
                .arg(u % 20 + 1));
  }
  CommitTrans();
}

// The record mix of a collection: card reads of known users (70 %) and unknown cards (10 %),
// door events (10 %) and alarms (10 %).
struct TSample {
  int type;
  QString uid;
  QString card;
  int door;
};

TSample Sample(std::mt19937& random, int users) {
  const int kind = std::uniform_int_distribution<int>(0, 9)(random);
  const int user = std::uniform_int_distribution<int>(1, users)(random);
  const int door = std::uniform_int_distribution<int>(1, 255)(random);
  if (kind < 7) return {1, QString("%1").arg(user % 10000, 4, 10, QChar('0')), Card(user), door};
  if (kind < 8) return {1, "000000", "99" + QString::number(user), door};
  if (kind < 9) return {4, "", "", door};
  return {2, "", "", door};
}

QString TimeOf(int i) {
  return QString("2009-09-%1 %2:%3:%4")
      .arg(i / 86400 % 28 + 1, 2, 10, QChar('0'))
      .arg(i / 3600 % 24, 2, 10, QChar('0'))
      .arg(i / 60 % 60, 2, 10, QChar('0'))
      .arg(i % 60, 2, 10, QChar('0'));
}

void Print(const char* what, const TTimings& t) {
  std::printf("  %-58s mean %8.3f ms  p50 %8.3f ms  p95 %8.3f ms\n", what, t.Mean() / 1000,
              t.Percentile(50) / 1000, t.Percentile(95) / 1000);
}

void AddRecordWithUsers(int users) {
  TBenchInstall install;
  FillMainTables(users);
  TToolOp archive;
  QElapsedTimer timer;
  timer.start();
  archive.OpenSnapshot();
  const double snapshotUs = ElapsedUs(timer);
  std::mt19937 random(users);
  // The first record makes and attaches the month file; it is not counted.
  archive.AddRecord(3, "", "", TimeOf(0), 1, 0, 0, 0, 0, 0);
  TTimings timings;
  for (int i = 1; i <= RecordCount(); ++i) {
    const TSample s = Sample(random, users);
    timer.restart();
    archive.AddRecord(s.type, s.uid, s.card, TimeOf(i), s.door, 0, 0, 0, 0, 0);
    timings.Add(ElapsedUs(timer));
  }
  std::printf("AddRecord, %d users, 255 doors (snapshot made in %.1f ms):\n", users,
              snapshotUs / 1000);
  Print("record committed before the next one", timings);

  // Type-6 records of unknown cards also write a waiting card: two files in one commit.
  TTimings manage;
  for (int i = 1; i <= RecordCount() / 4; ++i) {
    timer.restart();
    archive.AddRecord(6, "", "77" + QString::number(i), TimeOf(100000 + i), 1, 0, 0, 0, 0, 0);
    manage.Add(ElapsedUs(timer));
  }
  Print("unknown manage card (month file + main database)", manage);
  archive.CloseSnapshot();
}

// The parts of one record at 10,000 users: the two snapshot lookups, the insert inside one
// long transaction (the batching of one transaction per month) and the insert with its own
// commit (what the per-record durability costs).
void Breakdown() {
  const int users = 10000;
  TBenchInstall install;
  FillMainTables(users);
  TToolOp archive;
  archive.OpenSnapshot();
  archive.AddRecord(3, "", "", TimeOf(0), 1, 0, 0, 0, 0, 0);  // attaches db200909
  std::mt19937 random(7);
  TQuery query;
  TTimings lookups, batched, committed;
  QElapsedTimer timer;
  for (int i = 1; i <= RecordCount(); ++i) {
    const TSample s = Sample(random, users);
    timer.restart();
    OpenQuery(
        "select user.UKey,user.UCard,user.UID,user.UName,user.UGrpId,grp.UGrpName from "
        "mem.userinfo user left join mem.usergrp grp on user.ugrpid=grp.ugrpid where "
        "user.uId='" +
            s.uid + "' or user.UCard='" + s.card + "'",
        query);
    OpenQuery(
        "select door.DName,door.DGrpId,grp.DGrpname from mem.Door left outer join "
        "mem.DoorGrp grp on door.DGrpid=Grp.DGrpid where door.Did=" +
            QString::number(s.door),
        query);
    lookups.Add(ElapsedUs(timer));
  }
  const QString insert =
      "insert into db200909.IoData(UKey,UID,UName,UCard,UGrpId,UGrpName,Did,DName,DGrpId,"
      "DGrpname,IoDate,Isin,CardType,PassType,WarnType,EventSrc,EventType) values('1','0001',"
      "'User 1','10000001',2,'Group 2',1,'Door 1',2,'Doors 2','%1',0,0,0,0,0,1)";
  BeginTrans();
  for (int i = 1; i <= RecordCount(); ++i) {
    timer.restart();
    ExecSQL(insert.arg(TimeOf(200000 + i)));
    batched.Add(ElapsedUs(timer));
  }
  timer.restart();
  CommitTrans();
  const double finalCommitUs = ElapsedUs(timer);
  for (int i = 1; i <= RecordCount(); ++i) {
    timer.restart();
    BeginTrans();
    ExecSQL(insert.arg(TimeOf(300000 + i)));
    CommitTrans();
    committed.Add(ElapsedUs(timer));
  }
  archive.CloseSnapshot();
  std::printf("Parts of one record, %d users:\n", users);
  Print("the two snapshot lookups", lookups);
  Print("insert inside one long transaction", batched);
  std::printf("  %-58s %8.3f ms once\n", "  ... and its final commit", finalCommitUs / 1000);
  Print("insert with its own commit (synchronous, rollback journal)", committed);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::printf("bench_archive: %d records per measurement\n", RecordCount());
  for (int users : {100, 1000, 10000}) AddRecordWithUsers(users);
  Breakdown();
  return 0;
}
