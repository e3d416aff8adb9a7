// The shared helpers without widgets: formats, clock, logs, version, message sink.
#include <gtest/gtest.h>

#include <QFile>

#include "app/u_Function.h"
#include "platform/Translation.h"
#include "support/TestInstall.h"

class Helpers : public FreshInstall {};

TEST_F(Helpers, FixedFormatsArePaddedAndSortInTimeOrder) {
  const QDateTime t(QDate(2010, 3, 1), QTime(9, 5, 7, 51));
  EXPECT_EQ(FormatDateTimeText(t), "2010-03-01 09:05:07");
  EXPECT_EQ(FormatDate(t.date()), "2010-03-01");
  EXPECT_EQ(FormatTime(t.time()), "09:05:07");
  EXPECT_EQ(FormatLogTimeStamp(t.time()), "09:05:07:051");
  EXPECT_EQ(FormatDateTimeText(QDateTime(QDate(2009, 9, 15), QTime(16, 8, 23))),
            "2009-09-15 16:08:23");
  EXPECT_LT(FormatDateTimeText(QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59))),
            FormatDateTimeText(QDateTime(QDate(2010, 1, 1), QTime(0, 0))));
}

TEST_F(Helpers, DoorModeTextNamesModesOneToFourOnly) {
  struct Case {
    int mode;
    const char* text;
  } cases[] = {{1, "by Card"}, {2, "by Card and password"}, {3, "closed"}, {4, "open"},
               {0, "unchanged"}, {5, "unchanged"}};
  for (const Case& c : cases) {
    QString text = "unchanged";
    DoorModeText(c.mode, text);
    EXPECT_EQ(text, c.text) << c.mode;
  }
  gw::UseLanguage("de");
  QString text;
  DoorModeText(2, text);
  EXPECT_EQ(text, "mit Karte und Passwort");
}

TEST_F(Helpers, ClockCanBeFrozenOrSetAndRunsOn) {
  FreezeClock(QDateTime(QDate(2011, 2, 3), QTime(4, 5, 6)));
  EXPECT_EQ(Now(), QDateTime(QDate(2011, 2, 3), QTime(4, 5, 6)));
  EXPECT_EQ(Today(), QDate(2011, 2, 3));
  SetClock(QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
  EXPECT_EQ(Today(), QDate(2020, 1, 1));
  ResetClock();
  EXPECT_LE(qAbs(Now().secsTo(QDateTime::currentDateTime())), 1);
}

TEST_F(Helpers, LogsAppendOneLinePerCallAndStartANewFileEachDay) {
  FreezeClock(QDateTime(QDate(2012, 5, 6), QTime(7, 8, 9, 10)));
  WriteErrorLog("first");
  WriteErrorLog("second");
  WriteDebugLog(QString::fromUtf8("发出(无加密): 0101001B"));
  FreezeClock(QDateTime(QDate(2012, 5, 7), QTime(0, 0, 1, 2)));
  WriteDebugLog("next day");

  QFile error(Path("error2012-05-06.log"));
  ASSERT_TRUE(error.open(QIODevice::ReadOnly));
  EXPECT_EQ(error.readAll(), "07:08:09:010 first\n07:08:09:010 second\n");

  QFile day1(Path("KV-DEBUG-2012-05-06.txt"));
  ASSERT_TRUE(day1.open(QIODevice::ReadOnly));
  // The prefix is written in the GBK code page: 发 = B7 A2, 出 = B3 F6.
  EXPECT_EQ(day1.readAll(), QByteArray("07:08:09:010 | \xB7\xA2\xB3\xF6(\xCE\xDE\xBC\xD3\xC3\xDC): "
                                       "0101001B\n"));
  QFile day2(Path("KV-DEBUG-2012-05-07.txt"));
  ASSERT_TRUE(day2.open(QIODevice::ReadOnly));
  EXPECT_EQ(day2.readAll(), "00:00:01:002 | next day\n");
}

TEST_F(Helpers, ALogThatCannotBeWrittenRaises) {
  AppPath = Path("no/such/folder/");
  EXPECT_THROW(WriteDebugLog("x"), std::runtime_error);
}

TEST_F(Helpers, AppPathAndVersion) {
  EXPECT_TRUE(GetAppPath().endsWith('/'));
  EXPECT_EQ(GetAppPath(), installDir->path() + "/");
  AppVersion.clear();
  ReadAppVersion();
  EXPECT_EQ(AppVersion, GATEWARDEN_VERSION);
}

TEST_F(Helpers, MessageBoxesGoThroughTheInstalledSink) {
  messages.Answer(true);
  HintBox("Saved.");
  EXPECT_TRUE(HintYesNo("Delete?"));
  EXPECT_FALSE(HintYesNo("Again?"));  // no scripted answer left: the default, No
  EXPECT_EQ(messages.all, QStringList({"Saved.", "Delete?", "Again?"}));
  EXPECT_EQ(messages.hints, QStringList({"Saved."}));
}

TEST_F(Helpers, QuotedSqlDoublesEveryQuote) {
  EXPECT_EQ(QuotedSql("O'Neil''s"), "O''Neil''''s");
  EXPECT_EQ(QuotedSql("plain"), "plain");
}
