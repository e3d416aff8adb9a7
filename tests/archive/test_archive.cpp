// The record archive: month files, the snapshot lookups and the rows it writes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ArchiveSupport.h"
#include "app/u_Function.h"
#include "data/bll_Tool.h"
#include "data/db_Connect.h"
#include "data/db_Exec.h"
#include "support/TestInstall.h"

namespace {

const char* kRowColumns =
    "UKey,UID,UName,UCard,UGrpId,UGrpName,Did,DName,DGrpId,DGrpname,IoDate,Isin,CardType,"
    "PassType,WarnType,EventSrc,EventType";

}  // namespace

class Archive : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    AddUserGroupRow(2, "Workshop's crew");
    AddUserRow(11, "0042", "12345678", "O'Neil", 2);
    AddUserRow(12, "0043", "", "Card-less", 0);
    AddDoorGroupRow(3, "Hall's doors");
    AddDoorRow(5, "Front's door", 3);
  }

  void TearDown() override {
    archive.CloseSnapshot();
    FreshInstall::TearDown();
  }

  QStringList Rows(const QString& month, const QString& where = "1=1") {
    return ReadRows(
        Path("database/" + month + ".sqb"),
        QString("select %1 from IoData where %2 order by rowid").arg(kRowColumns, where));
  }

  TToolOp archive;
};

TEST_F(Archive, ARecordGoesIntoTheFileOfItsMonth) {
  archive.OpenSnapshot();
  EXPECT_FALSE(QFile::exists(Path("database/200909.sqb")));
  ASSERT_TRUE(archive.AddRecord(1, "0042", "12345678", "2009-09-05 14:07:09", 5, 1, 3, 2, 0, 0));
  EXPECT_TRUE(archive.IsMonthAttached("db200909"));
  EXPECT_EQ(archive.AttachedSchemas(), QStringList({"mem", "db200909"}));
  EXPECT_EQ(Rows("200909"),
            QStringList({"11|0042|O'Neil|12345678|2|Workshop's crew|5|Front's door|3|"
                         "Hall's doors|2009-09-05 14:07:09|1|3|2|0|0|1"}));
  archive.CloseSnapshot();
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Scalar("select count(*) from pragma_database_list"), "1");  // only main
}

TEST_F(Archive, CardReadLookups) {
  archive.OpenSnapshot();
  struct Case {
    const char* what;
    const char* uid;
    const char* card;
    const char* stored;  // UKey|UID|UName|UCard|UGrpId|UGrpName
  };
  const Case cases[] = {
      {"found by card", "0000", "12345678", "11|0042|O'Neil|12345678|2|Workshop's crew"},
      {"found by user number", "0042", "99999999", "11|0042|O'Neil|12345678|2|Workshop's crew"},
      {"user without card keeps the record's card", "0043", "55555555",
       "12|0043|Card-less|55555555|0|"},
      {"no user, no-user number", "000000", "87654321", "|||87654321|0|"},
      {"no user, other number", "0077", "87654321", "|0077||87654321|0|"},
      {"quotes from the controller", "0'7", "8'654321", "|0'7||8'654321|0|"},
  };
  int n = 0;
  for (const Case& c : cases) {
    const QString time = QString("2009-09-05 10:00:%1").arg(n++, 2, 10, QChar('0'));
    ASSERT_TRUE(archive.AddRecord(1, c.uid, c.card, time, 5, 0, 0, 0, 0, 0)) << c.what;
    const QStringList rows = ReadRows(Path("database/200909.sqb"),
                                      "select UKey,UID,UName,UCard,UGrpId,UGrpName from IoData "
                                      "where IoDate='" +
                                          time + "'");
    EXPECT_EQ(rows, QStringList({c.stored})) << c.what;
  }
  // Other event types are not looked up: user number and card as the controller sent them.
  ASSERT_TRUE(archive.AddRecord(2, "0042", "", "2009-09-06 10:00:00", 9, 0, 0, 0, 8, 0));
  EXPECT_EQ(Rows("200909", "EventType=2"),
            QStringList({"|0042|||0||9||0||2009-09-06 10:00:00|0|0|0|8|0|2"}));
}

TEST_F(Archive, ExitButtonRecordsAreOutward) {
  archive.OpenSnapshot();
  struct Case {
    int type, source, isIn, stored;
  };
  const Case cases[] = {{4, 1, 0, 1}, {4, 1, 1, 1}, {4, 2, 0, 0}, {5, 1, 0, 0}, {1, 1, 0, 0}};
  int n = 0;
  for (const Case& c : cases) {
    const QString time = QString("2009-09-05 11:00:%1").arg(n++, 2, 10, QChar('0'));
    ASSERT_TRUE(archive.AddRecord(c.type, "", "", time, 5, c.isIn, 0, 0, 0, c.source));
    EXPECT_EQ(ReadRows(Path("database/200909.sqb"),
                       "select Isin from IoData where IoDate='" + time + "'"),
              QStringList({QString::number(c.stored)}))
        << "type " << c.type << " source " << c.source << " isIn " << c.isIn;
  }
}

TEST_F(Archive, UnknownManageCardsBecomeWaitingCards) {
  ExecSQL("insert into Cards(card) values('11111111')");
  archive.OpenSnapshot();
  ASSERT_TRUE(archive.AddRecord(6, "", "22222222", "2009-09-05 12:00:00", 5, 0, 0, 0, 0, 0));
  ASSERT_TRUE(archive.AddRecord(6, "", "11111111", "2009-09-05 12:00:01", 5, 0, 0, 0, 0, 0));
  ASSERT_TRUE(archive.AddRecord(6, "", "22222222", "2009-09-05 12:00:02", 5, 0, 0, 0, 0, 0));
  ASSERT_TRUE(archive.AddRecord(6, "", "3'333333", "2009-09-05 12:00:03", 5, 0, 0, 0, 0, 0));
  ASSERT_TRUE(archive.AddRecord(1, "", "44444444", "2009-09-05 12:00:04", 5, 0, 0, 0, 0, 0));
  EXPECT_EQ(
      ReadRows(Path("Gatewarden.sqb"), "select CardNo, IssueTime from WaitingCard order by Id"),
      QStringList({"22222222|2009-09-05 12:00:00", "22222222|2009-09-05 12:00:02",
                   "3'333333|2009-09-05 12:00:03"}));
  EXPECT_TRUE(archive.CardIsKnown("11111111"));
  EXPECT_FALSE(archive.CardIsKnown("1' or '1'='1"));
}

TEST_F(Archive, TenMonthsInOneRunKeepAtMostEightAttached) {
  archive.OpenSnapshot();
  const QStringList months = {"200901", "200902", "200903", "200904", "200905",
                              "200906", "200907", "200908", "200909", "200910"};
  for (const QString& m : months) {
    const QString time = m.left(4) + "-" + m.mid(4) + "-15 08:00:00";
    ASSERT_TRUE(archive.AddRecord(3, "", "", time, 5, 0, 0, 0, 0, 0)) << m.toStdString();
    EXPECT_LE(archive.AttachedSchemas().size(), 9);
  }
  // The ninth month pushed out the first, the tenth the second.
  QStringList expected = {"mem"};
  for (const QString& m : months.mid(2)) expected << "db" + m;
  EXPECT_EQ(archive.AttachedSchemas(), expected);
  EXPECT_EQ(Scalar("select count(*) from pragma_database_list"), "10");  // main, mem, 8 months

  // A later record of the first month attaches it again (the third goes).
  ASSERT_TRUE(archive.AddRecord(3, "", "", "2009-01-20 08:00:00", 5, 0, 0, 0, 0, 0));
  EXPECT_EQ(archive.AttachedSchemas().last(), "db200901");
  EXPECT_FALSE(archive.IsMonthAttached("db200903"));
  archive.CloseSnapshot();

  for (const QString& m : months) {
    const int expectedRows = m == "200901" ? 2 : 1;
    EXPECT_EQ(Rows(m).size(), expectedRows) << m.toStdString();
  }
}

TEST_F(Archive, TheSnapshotIsFrozen) {
  archive.OpenSnapshot();
  AddUserRow(13, "0050", "50505050", "Late comer", 0);
  ExecSQL("update Door set DName='Renamed' where Did=5");
  ASSERT_TRUE(archive.AddRecord(1, "0050", "50505050", "2009-09-05 13:00:00", 5, 0, 0, 0, 0, 0));
  EXPECT_EQ(Rows("200909", "1=1").first().section('|', 0, 7), "|0050||50505050|0||5|Front's door");
}

TEST_F(Archive, EveryReturnedRecordIsCommittedAndSafeOnDisk) {
  archive.OpenSnapshot();
  ASSERT_TRUE(archive.AddRecord(6, "", "22222222", "2009-09-05 12:00:00", 5, 0, 0, 0, 0, 0));
  EXPECT_FALSE(InTrans());
  // Another connection sees the row and the waiting card at once: nothing waits for a commit.
  EXPECT_EQ(Rows("200909").size(), 1);
  EXPECT_EQ(ReadRows(Path("Gatewarden.sqb"), "select count(*) from WaitingCard"),
            QStringList({"1"}));
  // Both files keep a rollback journal and synchronous writes (1 NORMAL or 2 FULL, never 0).
  for (const char* schema : {"main", "db200909"}) {
    EXPECT_EQ(Scalar(QString("pragma %1.journal_mode").arg(schema)), "delete") << schema;
    EXPECT_GE(Scalar(QString("pragma %1.synchronous").arg(schema)).toInt(), 1) << schema;
  }
}

TEST_F(Archive, AFailedRecordStoresNothing) {
  archive.OpenSnapshot();
  // A month file that is no record database (as left by a missing template): the insert
  // fails, and the waiting card of the same record is rolled back with it.
  QFile(Path("database/dbRecord.sqb")).remove();
  EXPECT_THROW(archive.AddRecord(6, "", "22222222", "2009-11-05 12:00:00", 5, 0, 0, 0, 0, 0),
               EDatabaseError);
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Scalar("select count(*) from WaitingCard"), "0");
  EXPECT_THROW(archive.AddRecord(1, "", "", "2009-13-05 12:00:00", 5, 0, 0, 0, 0, 0),
               EDatabaseError);
  EXPECT_THROW(archive.AddRecord(1, "", "", "05.09.2009 12:00", 5, 0, 0, 0, 0, 0), EDatabaseError);
  TToolOp closed;
  EXPECT_THROW(closed.AddRecord(1, "", "", "2009-09-05 12:00:00", 5, 0, 0, 0, 0, 0),
               EDatabaseError);
}

TEST_F(Archive, ASnapshotLeftOpenIsClosedWithItsObject) {
  {
    TToolOp first;
    first.OpenSnapshot();
    ASSERT_TRUE(first.AddRecord(3, "", "", "2009-09-05 12:00:00", 5, 0, 0, 0, 0, 0));
  }
  EXPECT_EQ(Scalar("select count(*) from pragma_database_list"), "1");
  archive.OpenSnapshot();  // "mem" is free again
  archive.OpenSnapshot();  // and opening twice closes the first one
  EXPECT_EQ(archive.AttachedSchemas(), QStringList({"mem"}));
}

TEST_F(Archive, AnInstallationFolderWithAQuoteInItsName) {
  // Move the installation into a folder named with an apostrophe.
  const QString folder = Path("O'Brien's site");
  CopyDeliveredFiles(folder);
  TdbConnect::Instance().Close();
  QDir::setCurrent(folder);
  qputenv("GATEWARDEN_HOME", folder.toUtf8());
  archive.OpenSnapshot();
  ASSERT_TRUE(archive.AddRecord(3, "", "", "2009-09-05 12:00:00", 5, 0, 0, 0, 0, 0));
  archive.CloseSnapshot();
  EXPECT_EQ(ReadRows(folder + "/database/200909.sqb", "select count(*) from IoData"),
            QStringList({"1"}));
}

TEST_F(Archive, DoorDialogDefaults) {
  archive.SaveKeyDefaults(1, 10);
  EXPECT_EQ(Scalar("select value || '|' || desc from PublicInfo where id=12"),
            "266|key sensitivity");
  archive.SaveKeyDefaults(0, 255);
  EXPECT_EQ(Scalar("select value from PublicInfo where id=12"), "255");
  archive.SaveOpenPasswordDefaults(1, 1);
  EXPECT_EQ(Scalar("select value || '|' || desc from PublicInfo where id=11"), "257|open password");
  archive.SaveOpenPasswordDefaults(256, 2);  // kept to 16 bits
  EXPECT_EQ(Scalar("select value from PublicInfo where id=11"), "2");
  EXPECT_EQ(Scalar("select count(*) from PublicInfo where id in (11, 12)"), "2");
}
