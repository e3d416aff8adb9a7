// The delivered database files hold every table and column the program uses.
#include <gtest/gtest.h>

#include <QMap>
#include <QStringList>

#include "data/db_Exec.h"
#include "support/TestInstall.h"

namespace {

// Column name -> declared type, for a table of the attached schema.
QMap<QString, QString> Columns(const QString& schema, const QString& table) {
  TQuery q;
  OpenQuery(QString("select name, type from pragma_table_info('%1', '%2')").arg(table, schema), q);
  QMap<QString, QString> columns;
  for (q.First(); !q.Eof(); q.Next())
    columns[q.Field(0).AsString().toLower()] = q.Field(1).AsString().toUpper();
  return columns;
}

const QString I = "INTEGER";
const QString T = "TEXT";

const QList<QPair<QString, QStringList>> kIoData = {
    {"IoData",
     {"UKey:T", "UID:T", "UName:T", "UCard:T", "UGrpId:I", "UGrpName:T", "Did:I", "DName:T",
      "DGrpId:I", "DGrpname:T", "IoDate:T", "Isin:I", "CardType:I", "PassType:I", "WarnType:I",
      "EventSrc:I", "EventType:I"}}};

QList<QPair<QString, QStringList>> MainTables() {
  QStringList holidayPlan = {"HolidayPlanId:I", "HolidayPlanName:T"};
  for (int i = 0; i < 30; ++i) holidayPlan << QString("HolidayId%1:I").arg(i);
  QStringList timeZone = {"ZoneId:I", "ZoneName:T"};
  for (int n = 1; n <= 5; ++n)
    timeZone << QString("Bgn%1:T").arg(n) << QString("End%1:T").arg(n)
             << QString("Flow%1:I").arg(n);
  QList<QPair<QString, QStringList>> tables = {
      {"PublicInfo", {"id:I", "value:T", "desc:T"}},
      {"DoorGrp", {"DGrpId:I", "DGrpName:T"}},
      {"Door", {"Did:I", "DeviceId:I", "DName:T", "DGrpId:I", "SNR:T", "Version:T"}},
      {"DoorInfo",
       {"Did:I", "KeyActive:I", "KeySensitive:I", "NeedPass1:I", "NeedPass2:I", "OvertimeDelay:I",
        "MaxPassAttempt:I", "PassErrorLock:I", "AntiPassback:I", "AntipassbackCards:I"}},
      {"Inportinfo",
       {"Inportid:I", "Did:I", "Portnum:I", "Fncid:I", "Isenable:I", "Ishigh:I", "Bgntime:T",
        "Endtime:T"}},
      {"Outportinfo", {"Outportid:I", "did:I", "Portnum:I", "Fncid:I", "delaytime:I"}},
      {"InportFunc", {"Language:T", "Fncid:I", "Fnc_describe:T"}},
      {"OutportFunc", {"Language:T", "Fncid:I", "Fnc_describe:T"}},
      {"UserGrp", {"UGrpId:I", "UGrpName:T"}},
      {"UserInfo",
       {"UKey:I", "UGrpId:I", "UID:T", "UName:T", "UFName:T", "ULName:T", "UCard:T", "UPSW:T",
        "USex:T", "UInvalidate:T", "UTel:T", "URemark:T", "UserDefine1:T", "UserDefine2:T"}},
      {"RegUser", {"RecordId:I", "UKey:I", "DId:I", "CGrpId:I"}},
      {"WaitingCard", {"Id:I", "CardNo:T", "IssueTime:T"}},
      {"Cards", {"card:T"}},
      {"WaitingDelete", {"UID:T", "UCard:T", "DeviceId:I"}},
      {"TimeZone", timeZone},
      {"WeekScheme",
       {"WkSchemeId:I", "WkSchemeName:T", "Wk0:I", "Wk1:I", "Wk2:I", "Wk3:I", "Wk4:I", "Wk5:I",
        "Wk6:I"}},
      {"Holiday", {"HolidayId:I", "HolidayName:T", "HolidayBgn:T", "HolidayEnd:T", "ZoneId:I"}},
      {"HolidayPlan", holidayPlan},
      {"ControlGroup",
       {"CGrpId:I", "CGroupName:T", "WkSchemeId:I", "HolidayPlanId:I", "HldPlanEnabled:I"}},
  };
  tables += kIoData;
  return tables;
}

void ExpectTables(const QString& schema, const QList<QPair<QString, QStringList>>& tables) {
  for (const auto& [table, expected] : tables) {
    const QMap<QString, QString> actual = Columns(schema, table);
    EXPECT_FALSE(actual.isEmpty()) << "missing table " << table.toStdString();
    for (const QString& column : expected) {
      const QString name = column.section(':', 0, 0).toLower();
      const QString type = column.section(':', 1) == "I" ? I : T;
      EXPECT_EQ(actual.value(name), type) << table.toStdString() << "." << name.toStdString();
    }
    EXPECT_EQ(actual.size(), expected.size()) << "extra columns in " << table.toStdString();
  }
}

}  // namespace

class Delivered : public FreshInstall {};

TEST_F(Delivered, MainDatabaseHasEveryTableAndColumn) {
  ExpectTables("main", MainTables());
  EXPECT_EQ(Scalar("select sql from sqlite_master where name='UserInfo'").contains("AUTOINCREMENT"),
            true);
  EXPECT_EQ(Scalar("select count(*) from sqlite_master where name='sqlite_sequence'"), "1");
  EXPECT_EQ(Scalar("select count(*) from IoData"), "0");
}

TEST_F(Delivered, RecordTemplateHoldsTheRecordTable) {
  ExecSQL("attach 'database/dbRecord.sqb' as tpl");
  ExpectTables("tpl", kIoData);
  EXPECT_EQ(Scalar("select count(*) from tpl.sqlite_master where type='table'"), "1");
}

TEST_F(Delivered, SettingsRowsExistWithUsableValues) {
  EXPECT_EQ(Scalar("select group_concat(id) from (select id from PublicInfo order by id)"),
            "1,2,3,4,5,6,10,13,14");
  EXPECT_EQ(Scalar("select value from PublicInfo where id=3"), "en");
  EXPECT_EQ(Scalar("select value from PublicInfo where id=10"), "plex.urf");
  EXPECT_EQ(Scalar("select value from PublicInfo where id=2"), "5");
}

TEST_F(Delivered, EveryLanguageHasThePortFunctionsTheProgramNeeds) {
  for (const QString code : {"en", "de", "zh_CN"}) {
    for (int n : {1, 17, 68, 69, 70, 71, 72, 73, 74, 75}) {
      EXPECT_FALSE(Scalar(QString("select Fnc_describe from InportFunc where Language='%1' and "
                                  "Fncid=%2")
                              .arg(code)
                              .arg(n))
                       .isEmpty())
          << code.toStdString() << " input " << n;
    }
    for (int n : {1, 33, 65, 57, 58, 59, 60, 61, 62, 63, 64}) {
      EXPECT_FALSE(Scalar(QString("select Fnc_describe from OutportFunc where Language='%1' and "
                                  "Fncid=%2")
                              .arg(code)
                              .arg(n))
                       .isEmpty())
          << code.toStdString() << " output " << n;
    }
    // Input n and output n-11 share one text.
    EXPECT_EQ(Scalar(QString("select count(*) from InportFunc i join OutportFunc o on "
                             "o.Language=i.Language and o.Fncid=i.Fncid-11 where i.Language='%1' "
                             "and i.Fncid between 68 and 75 and i.Fnc_describe=o.Fnc_describe")
                         .arg(code)),
              "8");
  }
}
