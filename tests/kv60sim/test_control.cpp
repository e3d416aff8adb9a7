// The simulator's control channel: each command's effect on the line and its controllers.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "kv60sim/ControlChannel.h"
#include "kv60sim/Kv60Sim.h"

using kv60sim::RunControlCommand;

namespace {

TEST(ControlChannel, CommandsChangeTheLineAndItsControllers) {
  kv60sim::Line line;
  EXPECT_EQ(RunControlCommand(line, "add 3 ABC123456 KV60 V9"), "ok");
  kv60sim::Controller* c = line.FindController(3);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Version(), "KV60 V9");
  EXPECT_EQ(RunControlCommand(line, "list"), "3 ABC123456 KV60 V9");
  EXPECT_TRUE(RunControlCommand(line, "add 3 XYZ").startsWith("error:"));  // number in use

  EXPECT_EQ(RunControlCommand(line, "clock 3 2024-06-01T09:15:00"), "ok");
  EXPECT_LE(qAbs(c->Clock().secsTo(QDateTime(QDate(2024, 6, 1), QTime(9, 15)))), 2);
  EXPECT_EQ(c->WeekDay(), 6);

  c->SetUser({"01", "03FFFFFF", "FFFFFF", "12345678", "0042"});
  const QString record = RunControlCommand(line, "card 3 12345678 2 out");
  EXPECT_EQ(record.size(), 38);
  EXPECT_TRUE(record.startsWith("010201004200123456780000202406010915")) << record.toStdString();
  EXPECT_EQ(c->CurrentRecord(), record);
  EXPECT_EQ(RunControlCommand(line, "record 3 " + QString(38, QLatin1Char('0'))), "ok");
  EXPECT_TRUE(RunControlCommand(line, "record 3 0102").startsWith("error:"));
  EXPECT_EQ(RunControlCommand(line, "records 3 4"), "ok");
  ASSERT_EQ(c->Records().size(), 6u);
  EXPECT_EQ(c->Records()[5].mid(12, 8), "00000006");  // numbered on from the records there

  const QJsonObject dump =
      QJsonDocument::fromJson(RunControlCommand(line, "dump 3").toUtf8()).object();
  EXPECT_EQ(dump["serial"].toString(), "ABC123456");
  EXPECT_EQ(dump["records"].toArray().size(), 6);
  EXPECT_EQ(dump["users"].toArray()[0].toObject()["userId"].toString(), "0042");
  QTemporaryDir dir;
  EXPECT_EQ(RunControlCommand(line, "dump 3 " + dir.filePath("state.json")), "ok");
  EXPECT_TRUE(QFile::exists(dir.filePath("state.json")));

  EXPECT_TRUE(RunControlCommand(line, "card 9 12345678").startsWith("error:"));  // no such
  EXPECT_TRUE(RunControlCommand(line, "frobnicate").startsWith("error:"));
  EXPECT_TRUE(RunControlCommand(line, "help").contains("fault KIND"));
  EXPECT_EQ(RunControlCommand(line, "   "), "");

  EXPECT_EQ(RunControlCommand(line, "pacing on"), "ok");
  EXPECT_TRUE(line.Pacing());
  EXPECT_EQ(RunControlCommand(line, "pacing off"), "ok");
  EXPECT_FALSE(line.Pacing());
}

TEST(ControlChannel, FaultsAreParsedWithTheirOptions) {
  kv60sim::Line line;
  const char* good[] = {
      "fault noanswer",       "fault late ms=300 cmd=045", "fault nocr dev=2 times=0",
      "fault checksum",       "fault noise text=abc",      "fault zdata pos=3",
      "fault error code=F8",  "fault status status=1A",    "fault letter",
      "fault data text=0180", "fault stopafter n=50",      "fault hangup",
  };
  for (const char* command : good) EXPECT_EQ(RunControlCommand(line, command), "ok") << command;
  EXPECT_EQ(line.FaultCount(), 12);
  const char* bad[] = {"fault", "fault sneeze", "fault late ms=soon", "fault error",
                       "fault noanswer colour=red"};
  for (const char* command : bad) {
    EXPECT_TRUE(RunControlCommand(line, command).startsWith("error:")) << command;
  }
  EXPECT_EQ(RunControlCommand(line, "faults clear"), "ok");
  EXPECT_EQ(line.FaultCount(), 0);
}

TEST(ControlChannel, AStoppedLineRefusesAFolderEntryThatIsNoLink) {
  QTemporaryDir dir;
  QFile file(dir.filePath("COM4"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  kv60sim::Line line;
  EXPECT_FALSE(line.Start(dir.path(), 4));
  EXPECT_TRUE(line.ErrorString().contains("not a link"));
  EXPECT_TRUE(QFile::exists(dir.filePath("COM4")));  // left alone
}

}  // namespace
