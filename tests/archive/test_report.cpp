// The record report's queries over real month files.
#include <gtest/gtest.h>

#include <QFile>

#include "ArchiveSupport.h"
#include "app/u_Function.h"
#include "data/bll_Tool.h"
#include "model/bll_IOPort.h"
#include "model/bll_Stat.h"
#include "platform/Translation.h"
#include "support/TestInstall.h"

namespace {

struct TRecord {
  QString time;
  int type = 1;
  int cardType = 0;
  int warnType = 0;
  int source = 0;
  int isIn = 0;
  QString uid = "0042";
};

}  // namespace

class Report : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    AddUserRow(11, "0042", "12345678", "O'Neil", 0);
    AddDoorRow(5, "Front", 0);
  }
  void TearDown() override {
    Detach();
    FreshInstall::TearDown();
  }

  // Collects the records into the archive as the synchronisation would.
  void Collect(const std::vector<TRecord>& records) {
    TToolOp archive;
    archive.OpenSnapshot();
    for (const TRecord& r : records) {
      ASSERT_TRUE(archive.AddRecord(r.type, r.uid, "12345678", r.time, 5, r.isIn, r.cardType, 0,
                                    r.warnType, r.source));
    }
    archive.CloseSnapshot();
  }

  // Runs the report and returns the chosen columns of each row joined by "|".
  QStringList Query(const QString& begin, const QString& end, const QStringList& columns,
                    const QString& condition = "", int* leftOut = nullptr) {
    Detach();
    TIODataOperater report;
    TQuery result;
    const int left = report.QueryRecords(begin, end, attached, result, condition);
    if (leftOut) *leftOut = left;
    QStringList rows;
    for (result.First(); !result.Eof(); result.Next()) {
      QStringList values;
      for (const QString& c : columns) values << result.FieldByName(c).AsString();
      rows << values.join('|');
    }
    return rows;
  }

  void Detach() {
    for (const QString& name : attached) ExecSQL("detach " + name.left(8));
    attached.clear();
  }

  QStringList attached;
};

TEST_F(Report, MonthFilesOfARangeAcrossTheYear) {
  Collect({{"2009-11-20 08:00:00"},
           {"2010-01-02 08:00:00"},
           {"2010-02-03 08:00:00"},
           {"2010-03-01 08:00:00"}});
  TIODataOperater report;
  const QString folder = GetAppPath() + "database" + QDir::separator();
  EXPECT_EQ(report.GetMonthFiles("2009-11-20", "2010-02-03"),
            QStringList({folder + "200911.sqb", folder + "201001.sqb", folder + "201002.sqb"}));
  EXPECT_EQ(report.GetMonthFiles("2010-02-03", "2009-11-20"), QStringList());
  EXPECT_EQ(report.GetMonthFiles("2010-02-28", "2010-02-01"),
            QStringList({folder + "201002.sqb"}));  // the same month
  EXPECT_EQ(report.GetMonthFiles("2009-11", "2010-02-03"), QStringList());
}

TEST_F(Report, AtMostTheFirstTenMonthsAreQueried) {
  std::vector<TRecord> records;
  for (int m = 0; m < 14; ++m) {
    records.push_back({QDate(2009, 1, 1).addMonths(m).toString("yyyy-MM-15 08:00:00")});
  }
  Collect(records);
  int leftOut = -1;
  const QStringList rows = Query("2009-01-01", "2010-02-28", {"IODate"}, "", &leftOut);
  ASSERT_EQ(rows.size(), 10);
  EXPECT_EQ(rows.first(), "2009-01-15 08:00:00");
  EXPECT_EQ(rows.last(), "2009-10-15 08:00:00");
  EXPECT_EQ(leftOut, 4);
  EXPECT_EQ(attached.size(), 10);
  EXPECT_EQ(attached.first(), "db200901");
  EXPECT_TRUE(AttachLog().contains("' as DB200910; "));
  ResetAttachLog();
  EXPECT_EQ(AttachLog(), "");

  // A range without month files reads only the main database's (empty) IoData.
  EXPECT_EQ(Query("2011-01-01", "2011-12-31", {"IODate"}, "", &leftOut), QStringList());
  EXPECT_EQ(leftOut, 0);
  EXPECT_TRUE(attached.isEmpty());
}

TEST_F(Report, DisplayTimeOnTheTwelveHourClock) {
  struct Case {
    const char* stored;
    const char* shown;
  };
  const Case cases[] = {
      {"2009-09-05 00:05:00", "9/5/2009 12:05:00 AM"},
      {"2009-09-05 00:30:00", "9/5/2009 12:30:00 AM"},
      {"2009-09-05 01:00:09", "9/5/2009 1:00:09 AM"},
      {"2009-09-05 11:59:59", "9/5/2009 11:59:59 AM"},
      {"2009-09-05 12:05:00", "9/5/2009 12:05:00 PM"},
      {"2009-09-05 13:00:00", "9/5/2009 1:00:00 PM"},
      {"2009-09-05 14:07:09", "9/5/2009 2:07:09 PM"},
      {"2009-09-30 23:59:59", "9/30/2009 11:59:59 PM"},
  };
  std::vector<TRecord> records;
  QStringList expected;
  for (const Case& c : cases) {
    records.push_back({c.stored});
    expected << QString("%1|%2").arg(c.stored, c.shown);
  }
  Collect(records);
  EXPECT_EQ(Query("2009-09-01", "2009-09-30", {"IODate", "IODateTime"}), expected);
}

TEST_F(Report, DescriptionsOfEveryKindOfRecord) {
  struct Case {
    int type, cardType, warnType, source;
    const char* description;
  };
  const Case cases[] = {
      {6, 0, 0, 0, "Manage Card"},         {1, 0, 0, 0, "Valid Card"},
      {1, 3, 0, 0, "Valid Card"},          {1, 6, 0, 0, "Lawless Card"},
      {1, 44, 0, 0, "Cancel Password"},    {1, 7, 0, 0, "Anti-Menace Alarm"},
      {1, 43, 0, 0, "Anti-Menace Alarm"},  {2, 0, 0, 0, "Fire Alarm"},
      {2, 0, 2, 0, "Force Ingress"},       {2, 0, 5, 0, "Overtime Alarm"},
      {2, 0, 8, 0, "Anti-Unclench Alarm"}, {2, 0, 10, 0, "Anti-Menace Alarm"},
      {3, 0, 0, 0, "Close Door"},          {4, 15, 0, 1, "Button Open Door"},
      {4, 0, 0, 2, "Urgency Close Door"},  {4, 0, 0, 3, "Urgency Open Door"},
      {4, 0, 0, 13, "Open Door Sensor"},   {4, 0, 0, 14, "Close Door Sensor"},
      {4, 15, 0, 0, "Public Password"},    {5, 0, 68, 0, "Alarm input 1"},
      {5, 0, 69, 0, "Alarm input 2"},      {1, 9, 0, 0, "Invalid Card"},
      {5, 0, 70, 0, "Invalid Card"},       {2, 0, 3, 0, "Invalid Card"},
  };
  std::vector<TRecord> records;
  QStringList expected;
  int n = 0;
  for (const Case& c : cases) {
    const QString time = QString("2009-09-05 10:%1:00").arg(n++, 2, 10, QChar('0'));
    records.push_back({time, c.type, c.cardType, c.warnType, c.source});
    expected << time + "|" + c.description;
  }
  Collect(records);
  EXPECT_EQ(Query("2009-09-01", "2009-09-30", {"IODate", "CardTypeDesc"}), expected);

  // Input functions 68 and 69 renamed (one from the output side, with a quote): the
  // descriptions follow.
  TInPortOperater().RenameInFunction(68, "Vault's door");
  TOutPortOperater().RenameOutFunction(58, "Cellar");
  EXPECT_EQ(Query("2009-09-01", "2009-09-30", {"CardTypeDesc"},
                  " and EventType=5 and WarnType in (68, 69)"),
            QStringList({"Vault's door", "Cellar"}));

  // In German the descriptions and directions are the German texts.
  LanguageCode = "de";
  gw::UseLanguage("de");
  EXPECT_EQ(Query("2009-09-01", "2009-09-30", {"CardTypeDesc", "IsIn"},
                  " and EventType=5 and WarnType=69"),
            QStringList({"Alarmeingang 2|ein"}));
  EXPECT_EQ(PortTexts(), nullptr);  // the port texts were loaded for the query only
}

TEST_F(Report, DirectionsConditionsAndEqualRowsShownOnce) {
  Collect({{"2009-09-05 08:00:00", 1, 0, 0, 0, 1},
           {"2009-09-05 08:00:00", 1, 0, 0, 0, 1},  // the same record twice
           {"2009-09-05 09:00:00", 1, 0, 0, 0, 0},
           {"2009-10-01 09:00:00", 1, 0, 0, 0, 0, "0099"}});
  EXPECT_EQ(Query("2009-09-01", "2009-10-31", {"IODate", "IsIn", "UName"}),
            QStringList({"2009-09-05 08:00:00|out|O'Neil", "2009-09-05 09:00:00|in|O'Neil",
                         "2009-10-01 09:00:00|in|O'Neil"}));
  // The condition applies to every month; quotes in it are the caller's.
  EXPECT_EQ(Query("2009-09-01", "2009-10-31", {"IODate"},
                  " and IODate>='2009-09-05 08:30:00'  and UName like '%O''Neil%' "),
            QStringList({"2009-09-05 09:00:00", "2009-10-01 09:00:00"}));
}

TEST_F(Report, ALanguageWithoutAlarmInputTextsFails) {
  Collect({{"2009-09-05 08:00:00"}});
  LanguageCode = "xx";
  TIODataOperater report;
  TQuery result;
  EXPECT_THROW(report.QueryRecords("2009-09-01", "2009-09-30", attached, result, ""),
               EDatabaseError);
  EXPECT_TRUE(attached.isEmpty());
}
