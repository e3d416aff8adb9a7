// The access functions against a real main database file.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <unistd.h>

#include "data/db_Connect.h"
#include "data/db_Exec.h"
#include "support/TestInstall.h"

class DbExec : public FreshInstall {};

TEST_F(DbExec, NextIdAndMaxIdFollowTheLargestKey) {
  EXPECT_EQ(NextId("DoorGrp", "DGrpId"), 1);
  EXPECT_EQ(MaxId("DoorGrp", "DGrpId"), 1);
  ExecSQL("insert into DoorGrp(DGrpId, DGrpName) values(41, 'A'); "
          "insert into DoorGrp(DGrpId, DGrpName) values(7, 'B')");
  EXPECT_EQ(NextId("DoorGrp", "DGrpId"), 42);
  EXPECT_EQ(MaxId("DoorGrp", "DGrpId"), 41);
}

TEST_F(DbExec, NextSequencePredictsTheAutoincrementKey) {
  EXPECT_EQ(NextSequence("UserInfo"), 1);
  ExecSQL("insert into UserInfo(UID, UName) values('0001', 'A')");
  ExecSQL("insert into UserInfo(UID, UName) values('0002', 'B')");
  EXPECT_EQ(NextSequence("UserInfo"), 3);
  ExecSQL("delete from UserInfo");  // the sequence does not go back
  EXPECT_EQ(NextSequence("UserInfo"), 3);
  ExecSQL("insert into UserInfo(UID) values('0003')");
  EXPECT_EQ(MaxId("UserInfo", "UKey"), 3);
}

TEST_F(DbExec, ExecSqlRunsEveryStatementOfAText) {
  QFile::copy(Path("database/dbRecord.sqb"), Path("database/a.sqb"));
  QFile::copy(Path("database/dbRecord.sqb"), Path("database/b.sqb"));
  ExecSQL("attach 'database/a.sqb' as a; attach 'database/b.sqb' as b; ");
  EXPECT_EQ(Scalar("select count(*) from pragma_database_list where name in ('a','b')"), "2");
}

TEST_F(DbExec, ErrorsCarrySqliteMessageThenTheStatement) {
  const QString statement = "select x from NoSuchTable";
  try {
    TQuery q;
    OpenQuery(statement, q);
    FAIL() << "no error raised";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "no such table: NoSuchTable\n\n" + statement);
  }
  try {
    ExecSQL("update Door set DName='x' where; ");
    FAIL() << "no error raised";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(e.Message().startsWith("near \"; \": syntax error\n\n") ||
                e.Message().contains("syntax error\n\nupdate Door"))
        << e.Message().toStdString();
  }
}

TEST_F(DbExec, TransactionsBeginOnceAndEndOnlyWhenOpen) {
  CommitTrans();  // nothing open: nothing happens
  RollbackTrans();
  EXPECT_FALSE(InTrans());
  BeginTrans();
  BeginTrans();  // no second transaction
  EXPECT_TRUE(InTrans());
  ExecSQL("insert into DoorGrp(DGrpId, DGrpName) values(1, 'A')");
  RollbackTrans();
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Scalar("select count(*) from DoorGrp"), "0");
  BeginTrans();
  ExecSQL("insert into DoorGrp(DGrpId, DGrpName) values(1, 'A')");
  CommitTrans();
  EXPECT_EQ(Scalar("select count(*) from DoorGrp"), "1");
}

TEST_F(DbExec, TransactionGuardRollsBackOnlyWhatItBegan) {
  try {
    TTransactionGuard guard;
    ExecSQL("insert into DoorGrp(DGrpId, DGrpName) values(1, 'A')");
    ExecSQL("insert into DoorGrp(DGrpId, DGrpName) values(1, 'again')");  // key clash
    guard.Commit();
  } catch (const EDatabaseError&) {
  }
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Scalar("select count(*) from DoorGrp"), "0");

  BeginTrans();  // a caller's transaction is left to the caller
  try {
    TTransactionGuard guard;
    ExecSQL("insert into DoorGrp(DGrpId, DGrpName) values(2, 'B')");
    throw EDatabaseError("later failure");
  } catch (const EDatabaseError&) {
  }
  EXPECT_TRUE(InTrans());
  CommitTrans();
  EXPECT_EQ(Scalar("select DGrpName from DoorGrp"), "B");
}

TEST_F(DbExec, QueryWalksRowsAndReadsColumnsByNameOrPosition) {
  ExecSQL("insert into Inportinfo(Did, Portnum, Fncid, Bgntime, Endtime) "
          "values(3, 1, 17, '2005-04-04 08:30:00', '17:45:10'); "
          "insert into Inportinfo(Did, Portnum, Fncid) values(3, 2, 1)");
  TQuery q;
  OpenQuery("select * from Inportinfo order by Portnum", q);
  ASSERT_EQ(q.RecordCount(), 2);
  EXPECT_FALSE(q.IsEmpty());
  EXPECT_EQ(q.FieldByName("FNCID").AsInteger(), 17);  // names without regard to case
  EXPECT_EQ(q.FieldByName("Bgntime").AsDateTime().time(), QTime(8, 30));
  EXPECT_EQ(q.FieldByName("Endtime").AsDateTime().time(), QTime(17, 45, 10));
  const int remembered = q.RecNo();
  q.Next();
  EXPECT_EQ(q.Field(3).AsString(), "1");
  EXPECT_TRUE(q.FieldByName("Bgntime").IsNull());
  q.Next();
  EXPECT_TRUE(q.Eof());
  q.MoveTo(remembered);
  EXPECT_EQ(q.FieldByName("Portnum").AsInteger(), 1);
  EXPECT_THROW(q.FieldByName("NoSuchColumn"), EDatabaseError);

  // Another query may run while this one is being walked.
  TQuery other;
  OpenQuery("select count(*) from Inportinfo", other);
  EXPECT_EQ(q.FieldByName("Portnum").AsInteger(), 1);
}

TEST_F(DbExec, ReadingAColumnAsTheWrongTypeIsAClearError) {
  TQuery q;
  OpenQuery("select 'abc' as t, '' as e, null as n, ' 12' as s", q);
  EXPECT_THROW(q.FieldByName("t").AsInteger(), EConvertError);
  EXPECT_THROW(q.FieldByName("t").AsDateTime(), EConvertError);
  EXPECT_EQ(q.FieldByName("e").AsInteger(), 0);
  EXPECT_EQ(q.FieldByName("n").AsInteger(), 0);
  EXPECT_EQ(q.FieldByName("n").AsString(), "");
  EXPECT_EQ(q.FieldByName("s").AsInteger(), 12);
}

TEST_F(DbExec, IntegerColumnsMatchKeysWrittenBetweenQuotes) {
  ExecSQL("insert into Door(Did, DeviceId, DName, DGrpId) values(5, 12, 'Front', 0)");
  EXPECT_EQ(Scalar("select DName from Door where Did='5'"), "Front");
  EXPECT_EQ(Scalar("select count(*) from Door where DeviceId='12' and DGrpId='0'"), "1");
}

TEST_F(DbExec, NonAsciiTextSurvivesAsUtf8) {
  const QString name = QString::fromUtf8("Zoë Müller 张伟 O''Neil");
  ExecSQL("insert into UserGrp(UGrpId, UGrpName) values(1, '" + name + "')");
  EXPECT_EQ(Scalar("select UGrpName from UserGrp"), QString::fromUtf8("Zoë Müller 张伟 O'Neil"));
  EXPECT_EQ(Scalar("select hex(UGrpName) from UserGrp").left(8), "5A6FC3AB");  // UTF-8 bytes
}

// The connection: lazy open, a missing main database made from the delivered SQL, bad files.
class DbConnect : public FreshInstall {};

TEST_F(DbConnect, OpensOnFirstUse) {
  EXPECT_FALSE(TdbConnect::Instance().IsOpen());
  EXPECT_EQ(Scalar("select value from PublicInfo where id=3"), "en");
  EXPECT_TRUE(TdbConnect::Instance().IsOpen());
}

TEST_F(DbConnect, MissingMainDatabaseIsCreatedComplete) {
  QFile::remove(Path("Gatewarden.sqb"));
  EXPECT_EQ(Scalar("select count(*) from PublicInfo"), "9");
  EXPECT_EQ(Scalar("select count(*) from sqlite_master where name='sqlite_sequence'"), "1");
  EXPECT_EQ(Scalar("select Fnc_describe from InportFunc where Language='de' and Fncid=68"),
            QString::fromUtf8("Alarmeingang 1"));
  EXPECT_TRUE(QFile::exists(Path("Gatewarden.sqb")));
}

TEST_F(DbConnect, AFileThatIsNoDatabaseGivesAClearError) {
  TdbConnect::Instance().Close();
  QFile f(Path("Gatewarden.sqb"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(QByteArray(4096, 'x'));
  f.close();
  try {
    ExecSQL("select 1");
    FAIL() << "no error raised";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(e.Message().contains("not a database")) << e.Message().toStdString();
  }
  EXPECT_FALSE(TdbConnect::Instance().IsOpen());
}

TEST_F(DbConnect, AReadOnlyDatabaseRefusesWritesWithSqlitesMessage) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
  QFile::setPermissions(Path("Gatewarden.sqb"), QFileDevice::ReadOwner);
  EXPECT_EQ(Scalar("select value from PublicInfo where id=3"), "en");
  try {
    ExecSQL("update PublicInfo set value='de' where id=3");
    FAIL() << "no error raised";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(e.Message().contains("readonly")) << e.Message().toStdString();
  }
}

TEST_F(DbConnect, ALockedDatabaseFailsAtOnce) {
  QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
  other.setDatabaseName(Path("Gatewarden.sqb"));
  ASSERT_TRUE(other.open());
  QSqlQuery lock(other);
  ASSERT_TRUE(lock.exec("begin exclusive transaction"));
  try {
    ExecSQL("update PublicInfo set value='de' where id=3");
    FAIL() << "no error raised";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(e.Message().contains("locked")) << e.Message().toStdString();
  }
  lock.exec("rollback");
  lock.finish();
  other.close();
  other = QSqlDatabase();
  QSqlDatabase::removeDatabase("other");
}
