// Reading the replies of the read commands and parsing event records, on plain texts.
#include <gtest/gtest.h>

#include "app/u_Function.h"
#include "comm/MjReply.h"
#include "comm/u_MjComm.h"
#include "support/TestInstall.h"

namespace {

// An extracted reply frame with status 00; the readers do not look at the checksum.
QString Reply(const char* code, const QString& data, int length = -1) {
  const int n = length >= 0 ? length : data.size() + 14;
  return QStringLiteral("zA0001") + QString::asprintf("%02X", n) + QLatin1String(code) +
         QStringLiteral("00") + data + QStringLiteral("00j");
}

// A record text as MjReadRecord hands it out: code, status, data, one checksum character.
QString RecordText(const QString& data) {
  return QStringLiteral("06600") + data + "4";
}

TEST(MjParseRecord, FillsTheFieldsOfEachRecordType) {
  FreezeClock(QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5)));
  const QDateTime recorded(QDate(2024, 3, 15), QTime(12, 30, 45));
  struct Case {
    const char* data;
    int result, type, door;
    bool in;
    const char *userId, *cardNo;
    int passType, cardType, warnType, eventSrc;
    bool timeIsNow;
  } cases[] = {
      {"01020000420012345678030A20240315123045", 0, 1, 2, true, "0042", "12345678", 3, 10, 0, 0,
       false},
      {"01020100420012345678030A20240315123045", 0, 1, 2, false, "0042", "12345678", 3, 10, 0, 0,
       false},
      {"01020700420012345678030A20240315123045", 0, 1, 2, false, "0042", "12345678", 3, 10, 0, 0,
       false},
      {"020301123400999999991A0B20240315123045", 0, 2, 3, true, "", "", 26, 0, 11, 0, false},
      {"030401123400999999991A0B20240315123045", 0, 3, 4, true, "", "", 0, 0, 0, 0, false},
      {"040500000000000000001B0F20240315123045", 0, 4, 5, true, "", "", 27, 15, 0, 15, false},
      {"040500000000000000001B0E20240315123045", 0, 4, 5, true, "", "", 27, 0, 0, 14, false},
      {"05FF00000000000000001C0D20240315123045", 0, 5, 0, true, "", "", 0, 0, 13, 28, false},
      {"06000000000012345678000020240315123045", 0, 6, 0, true, "", "12345678", 0, 0, 0, 0, false},
      // Month 13: the current time stands in, the other fields are filled.
      {"01020000420012345678030A20241315123045", 14, 1, 2, true, "0042", "12345678", 3, 10, 0, 0,
       true},
      {"01020000420012345678030A2024031512", 14, 1, 2, true, "0042", "12345678", 3, 10, 0, 0, true},
  };
  for (const Case& c : cases) {
    TMjRecord r;
    r.UserId = r.CardNo = QStringLiteral("untouched");
    EXPECT_EQ(MjParseRecord(RecordText(QString::fromLatin1(c.data)), r), c.result) << c.data;
    EXPECT_EQ(r.RecordType, c.type) << c.data;
    EXPECT_EQ(r.DoorIndex, c.door) << c.data;
    EXPECT_EQ(r.InFlag, c.in) << c.data;
    EXPECT_EQ(r.UserId, QString::fromLatin1(c.userId)) << c.data;
    EXPECT_EQ(r.CardNo, QString::fromLatin1(c.cardNo)) << c.data;
    EXPECT_EQ(r.PassType, c.passType) << c.data;
    EXPECT_EQ(r.CardType, c.cardType) << c.data;
    EXPECT_EQ(r.WarnType, c.warnType) << c.data;
    EXPECT_EQ(r.EventSrc, c.eventSrc) << c.data;
    EXPECT_EQ(r.Time, c.timeIsNow ? Now() : recorded) << c.data;
  }
  ResetClock();
}

TEST(MjParseRecord, RejectsWhatCannotBeARecord) {
  struct Case {
    QString text;
    bool cardWritten;
  } cases[] = {
      {QStringLiteral("0660001020000420012"), false},  // 19 characters: nothing written
      {RecordText("07020000420012345678030A20240315123045"), false},  // type 7
      {RecordText("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"), false},  // the empty record
      {RecordText("0G020000420012345678030A20240315123045"), false},  // type not hex
      {RecordText("010200004200123456780A0A20240315123045"), false},  // type 1 pass type is decimal
      {RecordText("0102X00042001234567803"
                  "0A20240315123045"),
       false},                                                        // direction not decimal
      {RecordText("02XX0000420012345678030A20240315123045"), false},  // door not hex
  };
  for (const Case& c : cases) {
    TMjRecord r;
    r.CardNo = QStringLiteral("untouched");
    r.RecordType = 99;
    EXPECT_EQ(MjParseRecord(c.text, r), 12) << c.text.toStdString();
    EXPECT_EQ(r.CardNo, "untouched") << c.text.toStdString();
    if (c.text.size() < 20) {
      EXPECT_EQ(r.RecordType, 99);
    }
  }
}

TEST(RecordReplies, HandOutTheRecordTextAndSpotTheEmptyRecord) {
  const QString data = QStringLiteral("01020000420012345678030A20240315123045");
  struct Case {
    QString reply;
    int result;
    QString record;
  } cases[] = {
      {Reply("066", data), 0, QStringLiteral("06600") + data + "0"},
      {Reply("067", QString(38, 'F')), 105, QStringLiteral("06700") + QString(38, 'F') + "0"},
      {Reply("067", QString(38, '0')), 105, QStringLiteral("06700") + QString(38, '0') + "0"},
      {Reply("066", "FFFFFFFFF0" + data.mid(10)), 0, "06600FFFFFFFFF0" + data.mid(10) + "0"},
      {QStringLiteral("zA00010E066000j"), 8, QString()},  // too short to hold a record
  };
  for (const Case& c : cases) {
    QString record = QStringLiteral("untouched");
    EXPECT_EQ(ReadRecordReply(c.reply, record), c.result) << c.reply.toStdString();
    if (c.result != 8) {
      EXPECT_EQ(record, c.record) << c.reply.toStdString();
    }
  }
  QString current;
  EXPECT_EQ(ReadCurrentRecordReply(Reply("065", data), current), 0);
  EXPECT_EQ(current, QStringLiteral("06500") + data);
  EXPECT_EQ(ReadCurrentRecordReply(QStringLiteral("zA00010E0650j"), current), 8);
}

TEST(ReadCommandReplies, ReadTheirFieldsOrGiveFour) {
  int a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 0;
  bool flag = false, flag2 = false;
  QTime t1, t2;
  QString s1, s2, s3, s4;

  EXPECT_EQ(ReadRecordCountReply(Reply("045", "012C"), a), 0);
  EXPECT_EQ(a, 300);
  EXPECT_EQ(ReadRecordCountReply(Reply("045", "01G0"), a), 4);
  EXPECT_EQ(ReadRecordCountReply(Reply("045", ""), a), 4);

  EXPECT_EQ(ReadUserReply(Reply("011", "0103FFFFFF12345612345678004"), s1, s2, s3, s4), 4);
  EXPECT_EQ(ReadUserReply(Reply("011", "0103FFFFFF123456123456780042"), s1, s2, s3, s4), 0);
  EXPECT_EQ(s1, "01");
  EXPECT_EQ(s2, "123456");
  EXPECT_EQ(s3, "03FFFFFF");
  EXPECT_EQ(s4, "0042");

  EXPECT_EQ(ReadControlGroupReply(Reply("013", "03020196"), a, flag, b), 0);
  EXPECT_EQ(a, 2);
  EXPECT_TRUE(flag);
  EXPECT_EQ(b, 150);
  EXPECT_EQ(ReadControlGroupReply(Reply("013", "0302010X"), a, flag, b), 4);

  EXPECT_EQ(ReadHolidayReply(Reply("016", "0220241224202412260A"), a, b, c, d, e, f, g), 0);
  EXPECT_EQ(std::vector<int>({a, b, c, d, e, f, g}),
            std::vector<int>({2024, 12, 24, 2024, 12, 26, 10}));
  EXPECT_EQ(ReadHolidayReply(Reply("016", "02202X1224202412260A"), a, b, c, d, e, f, g), 4);
  EXPECT_EQ(ReadHolidayReply(Reply("016", "0220241324202412260A"), a, b, c, d, e, f, g), 0);
  EXPECT_EQ(b, 13);  // no calendar check here: the read-back window reports it

  std::array<int, 7> zones{};
  EXPECT_EQ(ReadWeekSchemeReply(Reply("019", "0401020304050607"), zones), 0);
  EXPECT_EQ(zones, (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(ReadWeekSchemeReply(Reply("019", "040102030405"), zones), 4);

  std::array<QTime, 5> begin;
  std::array<int, 5> mode{};
  const QString zone = QStringLiteral("03") + "0800120000" + "1200133001" + "1330180002" +
                       "1800220003" + "2200235900";
  EXPECT_EQ(ReadTimeZoneReply(Reply("022", zone), begin, mode), 0);
  EXPECT_EQ(begin, (std::array<QTime, 5>{QTime(8, 0), QTime(12, 0), QTime(13, 30), QTime(18, 0),
                                         QTime(22, 0)}));
  EXPECT_EQ(mode, (std::array<int, 5>{0, 1, 2, 3, 0}));
  QString badHour = zone;
  badHour.replace(22, 2, "25");  // begin of segment 3
  EXPECT_EQ(ReadTimeZoneReply(Reply("022", badHour), begin, mode), 4);

  EXPECT_EQ(ReadInPortReply(Reply("033", "0211010008001730"), a, flag, flag2, t1, t2), 0);
  EXPECT_EQ(a, 0x11);
  EXPECT_TRUE(flag);
  EXPECT_FALSE(flag2);
  EXPECT_EQ(t1, QTime(8, 0));
  EXPECT_EQ(t2, QTime(17, 30));
  EXPECT_EQ(ReadInPortReply(Reply("033", "0211010008001760"), a, flag, flag2, t1, t2), 4);

  EXPECT_EQ(ReadOutPortReply(Reply("036", "0141FE"), a, b), 0);
  EXPECT_EQ(a, 0x41);
  EXPECT_EQ(b, 254);
  EXPECT_EQ(ReadOutPortReply(Reply("036", "0141G0"), a, b), 4);
}

TEST(DoorSetupReplies, ReadUnreadableFieldsAsZero) {
  int a = -1, b = -1;
  EXPECT_EQ(ReadKeySensitivityReply(Reply("071", "0180"), a, b), 0);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 128);
  EXPECT_EQ(ReadKeySensitivityReply(Reply("071", "ZZ80"), a, b), 0);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 128);
  EXPECT_EQ(ReadOpenPasswordReply(Reply("073", "0001"), a, b), 0);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(ReadSensorDelayReply(Reply("075", "012C"), a), 0);
  EXPECT_EQ(a, 300);
  EXPECT_EQ(ReadSensorDelayReply(Reply("075", ""), a), 0);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(ReadPasswordLockReply(Reply("077", "030005"), a, b), 0);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 5);
  EXPECT_EQ(ReadAntiPassbackReply(Reply("079", "012710"), a, b), 0);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 10000);

  QString text;
  EXPECT_EQ(ReadSerialReply(Reply("063", "ABC123456"), text), 0);
  EXPECT_EQ(text, "ABC123456");
  // Version: the length field less 14, at most 60 - 14 characters.
  const QString long66(66, QLatin1Char('V'));
  EXPECT_EQ(ReadVersionReply(Reply("112", long66, 0x50), text), 0);
  EXPECT_EQ(text, QString(46, QLatin1Char('V')));
  EXPECT_EQ(ReadVersionReply(Reply("112", "KV60 V2.01"), text), 0);
  EXPECT_EQ(text, "KV60 V2.01");
  EXPECT_EQ(ReadVersionReply(Reply("112", "KV60 V2.01", 0x11), text), 0);
  EXPECT_EQ(text, "KV6");
  EXPECT_EQ(ReadVersionReply(QStringLiteral("zA0001GG1120001j"), text), 0);
  EXPECT_EQ(text, "");
}

}  // namespace
