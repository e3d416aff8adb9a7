// The kv60sim program as a person runs it: started with its options, talked to by the
// program's commands through the link it makes, steered through stdin and its FIFO.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "comm/PortPool.h"
#include "comm/u_MjComm.h"
#include "support/TestInstall.h"

namespace {

class Kv60SimProgram : public FreshInstall {
 protected:
  void TearDown() override {
    ClosePort(2);
    if (sim.state() != QProcess::NotRunning) {
      sim.kill();
      sim.waitForFinished(3000);
    }
    qunsetenv("GATEWARDEN_PORTS");
    FreshInstall::TearDown();
  }
  // The next line of the program's output that contains `text`.
  QString ReadLineWith(const QString& text) {
    for (int i = 0; i < 100; ++i) {
      while (sim.canReadLine()) {
        const QString line = QString::fromLocal8Bit(sim.readLine());
        if (line.contains(text)) return line;
      }
      sim.waitForReadyRead(100);
    }
    return QString();
  }

  QProcess sim;
};

TEST_F(Kv60SimProgram, AnswersTheProgramAndTakesCommands) {
  const QString ports = Path("ports");
  const QString fifo = Path("ports/control");
  qputenv("GATEWARDEN_PORTS", QFile::encodeName(ports));
  sim.start(BuildRoot() + "/kv60sim", {"--ports", ports, "--com", "2", "--controller",
                                       "3,ABC123456,KV60 V3", "--control", fifo});
  ASSERT_TRUE(sim.waitForStarted());
  ASSERT_FALSE(ReadLineWith("kv60sim: COM2").isEmpty());
  EXPECT_TRUE(QFileInfo(ports + "/COM2").isSymLink());

  ASSERT_EQ(OpenPort(2), 0);
  QString serial, version;
  ASSERT_EQ(MjGetSerial(2, 3, serial), 0);
  EXPECT_EQ(serial, "ABC123456");
  ASSERT_EQ(MjGetVersion(2, 3, version), 0);
  EXPECT_EQ(version, "KV60 V3");

  sim.write("card 3 12345678\n");
  ASSERT_FALSE(ReadLineWith("12345678").isEmpty());
  QString record;
  ASSERT_EQ(MjReadCurrentRecord(2, 3, record), 0);
  TMjRecord fields;
  ASSERT_EQ(MjParseRecord(record, fields), 0);
  EXPECT_EQ(fields.CardNo, "12345678");

  {
    QFile control(fifo);
    ASSERT_TRUE(control.open(QIODevice::WriteOnly));
    control.write("fault noanswer cmd=001\n");
  }
  ASSERT_FALSE(ReadLineWith("ok").isEmpty());
  EXPECT_EQ(MjTestOnline(2, 3), 3);
  EXPECT_EQ(MjTestOnline(2, 3), 0);

  ASSERT_EQ(MjSetSensorDelay(2, 3, 300), 0);
  sim.write("dump 3 " + QFile::encodeName(Path("state.json")) + "\n");
  ASSERT_FALSE(ReadLineWith("ok").isEmpty());
  QFile state(Path("state.json"));
  ASSERT_TRUE(state.open(QIODevice::ReadOnly));
  const QJsonObject dump = QJsonDocument::fromJson(state.readAll()).object();
  EXPECT_EQ(dump["options"].toObject()["sensorDelay"].toInt(), 300);

  ClosePort(2);
  sim.write("quit\n");
  ASSERT_TRUE(sim.waitForFinished(3000));
  EXPECT_EQ(sim.exitCode(), 0);
  EXPECT_FALSE(QFileInfo(ports + "/COM2").isSymLink());  // the link is gone
  EXPECT_FALSE(QFile::exists(fifo));
}

TEST_F(Kv60SimProgram, EndsCleanlyOnTerminate) {
  const QString ports = Path("ports");
  sim.start(BuildRoot() + "/kv60sim", {"--ports", ports, "--com", "2", "--demo"});
  ASSERT_TRUE(sim.waitForStarted());
  ASSERT_FALSE(ReadLineWith("2 000000002").isEmpty());
  sim.terminate();
  ASSERT_TRUE(sim.waitForFinished(3000));
  EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
  EXPECT_FALSE(QFileInfo(ports + "/COM2").isSymLink());
}

TEST_F(Kv60SimProgram, RefusesBadOptions) {
  sim.start(BuildRoot() + "/kv60sim", {"--com", "21"});
  ASSERT_TRUE(sim.waitForFinished(3000));
  EXPECT_NE(sim.exitCode(), 0);
  sim.start(BuildRoot() + "/kv60sim", {"--controller", "300,X"});
  ASSERT_TRUE(sim.waitForFinished(3000));
  EXPECT_NE(sim.exitCode(), 0);
}

}  // namespace
