// gatewarden-cli as a program: run with QProcess in a fresh installation folder against a
// simulated line.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "data/db_Connect.h"
#include "data/db_Exec.h"
#include "platform/Translation.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

namespace {

struct CliRun {
  int code = -1;
  QString out;
  QString err;
};

class Cli : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    home = installDir->path();
    ExecSQL(
        "insert into Door(Did, DeviceId, DName, DGrpId) values(1, 1, 'Front', 0), "
        "(2, 2, 'Back', 0)");
    TdbConnect::Instance().Close();  // the program opens the database itself
  }
  void TearDown() override {
    processes.clear();
    sim.reset();
    FreshInstall::TearDown();
  }
  // A statement on the installation's database, closed again for the program.
  void Exec(const QString& statement) {
    ExecSQL(statement);
    TdbConnect::Instance().Close();
  }
  QProcess* Start(const QStringList& args, const QString& program = QString()) {
    auto* p = new QProcess;
    processes.emplace_back(p);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("GATEWARDEN_HOME", home);
    if (home.isEmpty()) env.remove("GATEWARDEN_HOME");
    env.insert("GATEWARDEN_PORTS", sim ? sim->PortsFolder() : Path("ports"));
    if (!path.isEmpty()) env.insert("PATH", path);
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(QDir::tempPath());
    p->start(program.isEmpty() ? BuildRoot() + "/gatewarden-cli" : program, args);
    EXPECT_TRUE(p->waitForStarted(5000));
    return p;
  }
  CliRun Finish(QProcess* p) {
    EXPECT_TRUE(p->waitForFinished(60000));
    return {p->exitCode(), QString::fromUtf8(p->readAllStandardOutput()),
            QString::fromUtf8(p->readAllStandardError())};
  }
  CliRun Call(const QStringList& args) { return Finish(Start(args)); }
  // Waits until standard output holds `text`; false after 20 s.
  static bool WaitForOutput(QProcess* p, const QString& text) {
    QElapsedTimer clock;
    clock.start();
    while (!QString::fromUtf8(p->peek(1 << 16)).contains(text)) {
      if (clock.elapsed() > 20000 || p->state() == QProcess::NotRunning) return false;
      p->waitForReadyRead(100);
    }
    return true;
  }
  static std::string Show(const CliRun& r) {
    return ("code " + QString::number(r.code) + "\nout:\n" + r.out + "\nerr:\n" + r.err)
        .toStdString();
  }

  QString home;  // GATEWARDEN_HOME of the program; empty: not set
  QString path;
  std::unique_ptr<SimLine> sim;
  std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(Cli, HelpAndUsage) {
  struct Case {
    QStringList args;
    int code;
    const char* text;
  } cases[] = {{{"--help"}, 0, "gatewarden-cli sync"},
               {{"--help"}, 0, "GATEWARDEN_HOME"},
               {{"sync", "--help"}, 0, "--no-collect"},
               {{"sync", "--help"}, 0, "Ctrl-C"},
               {{"search", "--help"}, 0, "--what zones"},
               {{"search", "--help"}, 0, "outports: Output, Description, Delay Time (Sec.)"},
               {{}, 64, "Usage"},
               {{"frobnicate"}, 64, "unknown command"},
               {{"sync", "--device", "0"}, 64, "incomplete argument"},
               {{"sync", "--device", "256"}, 64, "incomplete argument"},
               {{"search", "--device", "1", "--what", "plans"}, 64, "incomplete argument"},
               {{"search", "--what", "zones"}, 64, "--device and --what are needed"}};
  for (const Case& c : cases) {
    const CliRun r = Call(c.args);
    EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
    EXPECT_TRUE((r.out + r.err).contains(c.text)) << c.args.join(' ').toStdString() << Show(r);
  }
  // Help needs no installation and makes none.
  home = Path("empty");
  QDir().mkpath(home);
  EXPECT_EQ(Call({"sync", "--help"}).code, 0);
  EXPECT_FALSE(QFile::exists(home + "/Gatewarden.sqb"));
}

TEST_F(Cli, HelpIsInTheLanguageOfTheSettings) {
  Exec("update PublicInfo set value='de' where id=3");
  const CliRun r = Call({"search", "--help"});
  gw::UseLanguage("de");
  EXPECT_TRUE(r.out.contains(_("Delay Time (Sec.)"))) << Show(r);
  EXPECT_FALSE(r.out.contains("Delay Time (Sec.)"));
}

TEST_F(Cli, AFolderWithoutDatabaseIsNoInstallation) {
  home = Path("elsewhere");
  QDir().mkpath(home);
  const CliRun r = Call({"sync"});
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(r.err.contains("There is no database Gatewarden.sqb in")) << Show(r);
  EXPECT_FALSE(QFile::exists(home + "/Gatewarden.sqb"));
}

TEST_F(Cli, WithoutHomeTheProgramsFolderIsTheInstallation) {
  // The program copied into the installation and found through PATH, started elsewhere.
  ASSERT_TRUE(QFile::copy(BuildRoot() + "/gatewarden-cli", Path("gatewarden-cli")));
  sim = std::make_unique<SimLine>();
  sim->Add(1).SetOutPort(1, {1, 5});
  TdbConnect::Instance().Close();
  home.clear();
  path = installDir->path() + ":" + qEnvironmentVariable("PATH");
  // The shell finds it through PATH and starts it by its bare name.
  const CliRun r =
      Finish(Start({"-c", "gatewarden-cli search --device 1 --what outports"}, "/bin/sh"));
  EXPECT_EQ(r.code, 0) << Show(r);
  EXPECT_TRUE(r.out.contains("Output 1\tDoor lock\t5")) << Show(r);
}

TEST_F(Cli, SyncExitCodes) {
  // The configured port leads nowhere: it cannot be opened.
  QDir().mkpath(Path("ports"));
  ASSERT_TRUE(QFile::link(Path("ports/nothing-here"), Path("ports/COM9")));
  Exec("update PublicInfo set value='9' where id=6");
  CliRun r = Call({"sync"});
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(r.out.contains("The current serial port (COM9) can not be opened.")) << Show(r);

  sim = std::make_unique<SimLine>(2);  // COM2, setting 6 = 2
  kv60sim::Controller& front = sim->Add(1);
  for (const char* card : {"00000001", "00000002"}) front.PresentCard(card);
  TdbConnect::Instance().Close();
  r = Call({"sync", "--device", "1", "--no-params"});
  EXPECT_EQ(r.code, 0) << Show(r);
  EXPECT_TRUE(r.out.contains("1\tFront\tOn-Line"));
  EXPECT_TRUE(r.out.contains("1\tFront\tSync operation Finish"));
  EXPECT_FALSE(r.out.contains("Back"));  // not chosen
  EXPECT_TRUE(r.out.contains("1\tFront\tComplete collecting"));
  EXPECT_TRUE(r.err.contains("progress 100%")) << Show(r);

  r = Call({"sync"});  // door 2 has no controller
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.out.contains("2\tBack\tOff-Line")) << Show(r);

  r = Call({"sync", "--device", "7"});
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(r.err.contains("no door has the device number 7"));
}

TEST_F(Cli, StatusTextsAreInTheLanguageOfTheSettings) {
  sim = std::make_unique<SimLine>();
  Exec("update PublicInfo set value='zh_CN' where id=3");
  const CliRun r = Call({"sync", "--device", "2"});
  gw::UseLanguage("zh_CN");
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.out.contains("2\tBack\t" + _("Off-Line"))) << Show(r);
  EXPECT_NE(_("Off-Line"), "Off-Line");
}

TEST_F(Cli, SearchPrintsTabSeparatedRows) {
  sim = std::make_unique<SimLine>();
  kv60sim::Controller& c = sim->Add(1);
  c.SetOutPort(2, {1, 255});
  kv60sim::TimeZone zone;
  zone.begin = {QTime(8, 0), QTime(12, 0), QTime(13, 0), QTime(18, 0), QTime(22, 0)};
  c.SetTimeZone(3, zone);
  ExecSQL("insert into TimeZone (ZoneId, ZoneName) values (3, 'Day\tshift')");
  TdbConnect::Instance().Close();

  CliRun r = Call({"search", "--device", "1", "--what", "outports"});
  EXPECT_EQ(r.code, 0) << Show(r);
  EXPECT_EQ(
      r.out.split('\n', Qt::SkipEmptyParts),
      QStringList({"Output\tDescription\tDelay Time (Sec.)", "Output 2\tDoor lock\tNormal Open"}));

  r = Call({"search", "--device", "1", "--what", "zones"});
  EXPECT_EQ(r.code, 0) << Show(r);
  const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[1].split('\t').size(), 17);  // the tab in the name is no field separator
  EXPECT_TRUE(lines[1].startsWith("Day shift\t3\t08:00:00\t12:00:00\tby Card\t")) << Show(r);

  const CliRun off = Call({"search", "--device", "2", "--what", "zones"});
  EXPECT_EQ(off.code, 1);
  EXPECT_TRUE(off.out.isEmpty()) << Show(off);
  EXPECT_TRUE(off.err.contains("The current door is off-line.")) << Show(off);
}

TEST_F(Cli, AFailingSearchKeepsTheRowsReadOnStandardOutput) {
  sim = std::make_unique<SimLine>();
  kv60sim::Controller& c = sim->Add(1);
  c.SetHoliday(1, {2024, 12, 24, 2024, 12, 26, 0});
  c.SetHoliday(2, {2025, 13, 1, 2025, 13, 2, 0});
  TdbConnect::Instance().Close();

  const CliRun r = Call({"search", "--device", "1", "--what", "holidays"});

  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out.split('\n', Qt::SkipEmptyParts),
            QStringList({"Holiday Name\tID\tBegin Date\tEnd Date\tControl Zone",
                         "No Setting\t1\t2024-12-24\t2024-12-26\tNo Setting", "No Setting\t2"}))
      << Show(r);
  EXPECT_TRUE(r.err.contains("Search control parameters error."));
}

TEST_F(Cli, CtrlCStopsTheCollectionAndTheRunBetweenTwoCommands) {
  sim = std::make_unique<SimLine>();
  kv60sim::Controller& c = sim->Add(1);
  sim->Add(2);
  kv60sim::Record record;
  record.userId = "0001";
  record.cardNo = "12345678";
  record.time = QDateTime(QDate(2024, 6, 1), QTime(8, 0));
  for (int i = 0; i < 400; ++i) c.AddRecord(record);
  sim->line.SetPacing(true);  // about 70 ms a record
  TdbConnect::Instance().Close();
  QProcess* p = Start({"sync", "--no-params"});
  QElapsedTimer clock;
  clock.start();
  // Wait until the collection has begun, then interrupt.
  ASSERT_TRUE(WaitForOutput(p, "Collecting record"));
  QThread::msleep(500);
  ::kill(static_cast<pid_t>(p->processId()), SIGINT);
  const CliRun r = Finish(p);

  EXPECT_EQ(r.code, 130);
  EXPECT_TRUE(r.out.contains("1\tFront\tCollection has been interrupted")) << Show(r);
  EXPECT_TRUE(r.err.contains("Stopping at the next point between two commands"));
  EXPECT_TRUE(r.err.contains("Collecting record. Do you stop collecting? Yes"));
  EXPECT_TRUE(r.err.contains("Setting Back. Do you stop Setting? Yes")) << Show(r);
  EXPECT_FALSE(r.out.contains("2\tBack\tOn-Line"));  // the second door is not begun
  EXPECT_LT(clock.elapsed(), 20000);
  // What was collected before the stop is in the archive.
  ExecSQL("attach 'database/202406.sqb' as june");
  const int stored = Scalar("select count(*) from june.IoData").toInt();
  EXPECT_GT(stored, 0);
  EXPECT_LT(stored, 400);
}

}  // namespace
