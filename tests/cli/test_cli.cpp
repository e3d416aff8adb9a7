// gatewarden-cli as a program: run with QProcess against a simulated line.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "data/db_Connect.h"
#include "data/db_Exec.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

namespace {

struct CliRun {
  int code = -1;
  QString out;
  QString err;
};

}  // namespace

class Cli : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    ExecSQL(
        "insert into Door(Did, DeviceId, DName, DGrpId) values(1, 1, 'Front', 0), "
        "(2, 2, 'Back', 0)");
    TdbConnect::Instance().Close();  // the program opens the database itself
  }
  QProcess* Start(const QStringList& args) {
    auto* p = new QProcess;
    processes.emplace_back(p);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("GATEWARDEN_HOME", installDir->path());
    if (sim) env.insert("GATEWARDEN_PORTS", sim->PortsFolder());
    p->setProcessEnvironment(env);
    p->start(BuildRoot() + "/gatewarden-cli", args);
    EXPECT_TRUE(p->waitForStarted(5000));
    return p;
  }
  CliRun Finish(QProcess* p) {
    EXPECT_TRUE(p->waitForFinished(60000));
    return {p->exitCode(), QString::fromUtf8(p->readAllStandardOutput()),
            QString::fromUtf8(p->readAllStandardError())};
  }
  CliRun Call(const QStringList& args) { return Finish(Start(args)); }

  std::unique_ptr<SimLine> sim;
  std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(Cli, HelpAndUsage) {
  struct Case {
    QStringList args;
    int code;
    const char* text;
  } cases[] = {{{"--help"}, 0, "gatewarden-cli sync"},
               {{"sync", "--help"}, 0, "--no-collect"},
               {{"search", "--help"}, 0, "--what zones"},
               {{}, 64, "Usage"},
               {{"frobnicate"}, 64, "unknown command"},
               {{"sync", "--device", "0"}, 64, "incomplete argument"},
               {{"search", "--device", "1", "--what", "plans"}, 64, "incomplete argument"}};
  for (const Case& c : cases) {
    const CliRun r = Call(c.args);
    EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
    EXPECT_TRUE((r.out + r.err).contains(c.text)) << c.args.join(' ').toStdString();
  }
}

TEST_F(Cli, SyncExitCodes) {
  // No simulator: the configured port cannot be opened.
  ExecSQL("update PublicInfo set value='9' where id=6");
  TdbConnect::Instance().Close();
  CliRun r = Call({"sync"});
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(r.out.contains("The current serial port (COM9) can not be opened."))
      << r.out.toStdString();

  sim = std::make_unique<SimLine>();  // COM1, setting 6 = 1
  sim->Add(1);
  TdbConnect::Instance().Close();
  r = Call({"sync", "--device", "1", "--no-params"});
  EXPECT_EQ(r.code, 0) << r.out.toStdString() << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("1\tFront\tOn-Line"));
  EXPECT_TRUE(r.out.contains("1\tFront\tSync operation Finish"));
  EXPECT_FALSE(r.out.contains("Back"));  // not chosen

  r = Call({"sync"});  // door 2 has no controller
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.out.contains("2\tBack\tOff-Line"));

  r = Call({"sync", "--device", "7"});
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(r.err.contains("no door has the device number 7"));
}

TEST_F(Cli, SearchPrintsTabSeparatedRows) {
  sim = std::make_unique<SimLine>();
  kv60sim::Controller& c = sim->Add(1);
  kv60sim::OutPort relay;
  relay.funcId = 1;
  relay.delay = 255;
  c.SetOutPort(2, relay);
  TdbConnect::Instance().Close();
  const CliRun r = Call({"search", "--device", "1", "--what", "outports"});
  EXPECT_EQ(r.code, 0) << r.err.toStdString();
  const QStringList lines = r.out.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], "Output\tDescription\tDelay Time (Sec.)");
  EXPECT_EQ(lines[1], "Output 2\tDoor lock\tNormal Open");

  const CliRun off = Call({"search", "--device", "2", "--what", "zones"});
  EXPECT_EQ(off.code, 1);
  EXPECT_TRUE(off.out.contains("The current door is off-line."));
}

TEST_F(Cli, CtrlCStopsBetweenTwoCommands) {
  sim = std::make_unique<SimLine>();
  kv60sim::Controller& c = sim->Add(1);
  kv60sim::Record record;
  record.userId = "0001";
  record.cardNo = "12345678";
  record.time = QDateTime(QDate(2024, 6, 1), QTime(8, 0));
  for (int i = 0; i < 400; ++i) c.AddRecord(record);
  sim->line.SetPacing(true);  // about 70 ms a record
  TdbConnect::Instance().Close();
  QProcess* p = Start({"sync", "--device", "1", "--no-users", "--no-params"});
  QElapsedTimer clock;
  clock.start();
  // Wait until the collection has begun, then interrupt.
  while (!QString::fromUtf8(p->peek(4096)).contains("Collecting record") && clock.elapsed() < 20000)
    p->waitForReadyRead(100);
  QThread::msleep(500);
  ::kill(static_cast<pid_t>(p->processId()), SIGINT);
  const CliRun r = Finish(p);
  EXPECT_EQ(r.code, 130);
  EXPECT_TRUE(r.out.contains("Collection has been interrupted")) << r.out.toStdString();
  EXPECT_LT(clock.elapsed(), 20000);
  // What was collected before the stop is in the archive.
  ExecSQL("attach 'database/202406.sqb' as june");
  const int stored = Scalar("select count(*) from june.IoData").toInt();
  EXPECT_GT(stored, 0);
  EXPECT_LT(stored, 400);
}
