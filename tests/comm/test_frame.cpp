// The frame layer on plain texts: checksum, hex digits, building, extraction and checking.
#include <gtest/gtest.h>

#include <QFile>

#include "app/u_Function.h"
#include "comm/frame.h"
#include "support/TestInstall.h"

namespace {

TEST(FrameChecksum, FollowsTheZAndJRules) {
  struct Case {
    const char* text;
    int count;
    int expected;
  } cases[] = {
      {"A00010C001", 10, 0x02},            // the on-line probe of device 1
      {"A00010C001", 12, 0x02},            // counting past the end stops at the end
      {"zzzA00010C001", 13, 0x02},         // "z" is skipped
      {"A0j1", 4, 'A' ^ '0' ^ 'j' ^ '1'},  // the first "j" counts
      {"A0jj1", 5, 'A' ^ '0' ^ 'j'},       // the second stops before it
      {"AB", 1, 'A'},
      {"", 3, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FrameChecksum(QString::fromLatin1(c.text), c.count), c.expected) << c.text;
  }
  // A character of code 0 stops the loop.
  EXPECT_EQ(FrameChecksum(QString::fromLatin1("A\0B", 3), 3), 'A');
}

TEST(HexByteAt, ReadsEveryCharacterByTheDigitRule) {
  struct Case {
    const char* text;
    int position;
    int expected;
  } cases[] = {
      {"0C", 1, 0x0C},
      {"ff", 1, 0xFF},
      {"x1Ab", 2, 0x1A},
      {"7F", 1, 0x7F},
      // No character is rejected: "G" is 16, ":" is 10, "@" is 16.
      {"1G", 1, 0x20},
      {":0", 1, 0xA0},
      {"@@", 1, 0x10},  // (16 * 16 + 16) mod 256
      // A missing character counts as code 0, that is -48: 5 * 16 - 48.
      {"5", 1, 0x20},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexByteAt(QString::fromLatin1(c.text), c.position), c.expected) << c.text;
  }
}

TEST(BuildFrame, LaysOutTheRequest) {
  EXPECT_EQ(BuildFrame(QLatin1Char('A'), 1, "001", QString()), "zzzA00010C00102jjj");
  EXPECT_EQ(BuildFrame(QLatin1Char('A'), 255, "001", QString()), "zzzA00FF0C00103jjj");
  // Length field: 0C for an empty payload, 1C for sixteen characters.
  EXPECT_EQ(BuildFrame(QLatin1Char('A'), 1, "003", "2024031512304505"),
            "zzzA00011C003202403151230450506jjj");
}

TEST(ExtractFrame, TakesTheLastZThroughTheFirstJ) {
  struct Case {
    const char* received;
    const char* frame;  // "" when there is none
  } cases[] = {
      {"zzzA00010E0010004jjj\r", "zA00010E0010004j"},
      {"#noise#zzzA00010E0010004jjj\r", "zA00010E0010004j"},
      {"zzzA0001z0E0010004jjj\r", "z0E0010004j"},  // a "z" in the data cuts the frame
      {"zzzA00010E0010004", ""},                   // no "j": too short from the last "z"
      {"zzzA0j", ""},                              // under six characters
      {"zA0j0j", ""},                              // ...from the last "z" to the first "j"
      {"zA000j", "zA000j"},                        // six is enough
      {"no frame at all\r", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    QString frame = QStringLiteral("untouched");
    const int length = ExtractFrame(QString::fromLatin1(c.received), frame);
    EXPECT_EQ(frame, QString::fromLatin1(c.frame)) << c.received;
    EXPECT_EQ(length, static_cast<int>(qstrlen(c.frame))) << c.received;
  }
}

TEST(FrameLetterAndReplyBody, StripTheLeadingZs) {
  EXPECT_EQ(FrameLetter("zzzA00010E"), QLatin1Char('A'));
  EXPECT_EQ(FrameLetter("B"), QLatin1Char('B'));
  EXPECT_EQ(FrameLetter("zzz"), QChar());
  EXPECT_EQ(ReplyBody("zA00010E0010004j"), "00010E0010004j");
  EXPECT_EQ(ReplyBody("zzzA00"), "00");
}

TEST(CheckReply, GivesEveryResultCode) {
  struct Case {
    const char* frame;
    int expected;
  } cases[] = {
      {"zA00010E0010004j", 0}, {"zA00070E0010002j", 0},  // another device number is accepted
      {"zB00010E0010007j", 9},                           // right checksum, wrong letter
      {"zA0001j", 7},                                    // 7 characters
      {"zA000j", 7},                                     // 6 characters
      {"zA00010E0010005j", 6},                           // checksum mismatch
      {"zA0001F20010005j", 6},                           // error digit 2
      {"zA0001F8001000Fj", 8},                           // error digits 7, 8, 9
      {"zA0001D9001000Cj", 8}, {"zA0001F10010006j", 4},  // any other digit
      {"zA0001FX001006Fj", 4},                           // a non-digit counts as 4
      {"zA0001F20010004j", 6},  // an error reply with a bad checksum is a checksum error
      {"zA00010E0010501j", 5},  // the status byte
      {"zA00010E0010G73j", 0},  // a status that is no hex number reads as 0
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckReply(QString::fromLatin1(c.frame), QLatin1Char('A')), c.expected) << c.frame;
  }
}

class FrameDebugLog : public FreshInstall {};

TEST_F(FrameDebugLog, WritesTheSendAndReceiveLinesInGbk) {
  const QString file = DebugLogFileName(Today());
  DebugMode = false;
  BuildFrame(QLatin1Char('A'), 1, "001", QString());
  EXPECT_FALSE(QFile::exists(file));

  DebugMode = true;
  BuildFrame(QLatin1Char('A'), 1, "001", QString());
  CheckReply("zA00010E0010004j", QLatin1Char('A'));
  DebugMode = false;
  QFile log(file);
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = log.readAll().split('\n');
  ASSERT_GE(lines.size(), 2);
  EXPECT_TRUE(lines[0].endsWith(ToGbk(QString::fromUtf8("发出(无加密): A00010C00102"))))
      << lines[0].toStdString();
  EXPECT_TRUE(lines[1].endsWith(ToGbk(QString::fromUtf8("收到(无加密): zA00010E0010004j"))))
      << lines[1].toStdString();
}

TEST_F(FrameDebugLog, AnUnwritableLogDoesNotBreakTheLink) {
  AppPath = Path("no such folder/");
  DebugMode = true;
  EXPECT_EQ(BuildFrame(QLatin1Char('A'), 1, "001", QString()), "zzzA00010C00102jjj");
  EXPECT_EQ(CheckReply("zA00010E0010004j", QLatin1Char('A')), 0);
  DebugMode = false;
}

}  // namespace
