// Collecting stored records with the synchronisation ("Collect data" only) from kv60sim over a
// real pseudo-terminal, each record committed to its month file before the next is asked for.
//
// Paced at 9600 baud, the run is set against what it cannot do without: the characters of every
// request and reply on the wire, the fixed 5 ms gap before each frame and the 50 ms pause before
// the first read (target: within 1.10x). Unpaced, the figure is milliseconds per record
// (target: under 6.5 ms, the 5 ms gap being most of it). Figures only; nothing is asserted.
//
// BENCH_RECORDS sets the number of records per run (default 300).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "BenchInstall.h"
#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "data/bll_SerialPort.h"
#include "data/bll_Tool.h"
#include "data/db_Exec.h"
#include "device/CommSync.h"
#include "kv60sim/Kv60Sim.h"

namespace {

constexpr double kGapMs = 5.0;
constexpr double kFirstReadPauseMs = 50.0;
// A reply frame is 21 characters (carriage return included) plus its data.
constexpr int kReplyFrame = 21;

int RecordCount() {
  const int n = qEnvironmentVariableIntValue("BENCH_RECORDS");
  return n > 0 ? n : 300;
}

class QuietHost : public IDeviceLoopHost, public IProgress {
 public:
  void DoorStatus(int, const QString& text) override {
    if (text == QLatin1String("Complete collecting")) complete = true;
  }
  IProgress& Progress() override { return *this; }
  void ProcessMessages() override {}
  bool StopRequested() override { return false; }
  bool Ask(const QString&) override { return false; }
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void Repaint() override {}
  bool complete = false;
};

class QuietSink : public IMessageSink {
 public:
  void ShowHint(const QString&) override {}
  bool AskYesNo(const QString&) override { return false; }
};

int ReplyDataLength(const QString& code) {
  if (code == QLatin1String("045")) return 4;
  if (code == QLatin1String("066") || code == QLatin1String("067")) return 38;
  return 0;  // "001", "003"
}

// Gap, wire time and pauses of the exchanges the line has received.
double UnavoidableMs(const std::vector<QString>& requests) {
  double ms = kFirstReadPauseMs;
  for (const QString& frame : requests) {
    const int characters =
        static_cast<int>(frame.size()) + kReplyFrame + ReplyDataLength(frame.mid(10, 3));
    ms += kGapMs + characters * kv60sim::kCharacterSeconds * 1000.0;
  }
  return ms;
}

void AddRecords(kv60sim::Controller& controller, int count, const QDate& firstDay) {
  for (int i = 0; i < count; ++i) {
    kv60sim::Record r;
    r.userId = QStringLiteral("%1").arg(i % 50 + 1, 4, 10, QLatin1Char('0'));
    r.cardNo = QString::number(10000001 + i % 50);
    r.in = i % 2 == 0;
    r.time = QDateTime(firstDay.addDays(i / 100), QTime(8, 0).addSecs(i % 100 * 60));
    controller.AddRecord(r);
  }
}

struct TRunFigures {
  double ms = 0;
  int stored = 0;
  bool complete = false;
};

TRunFigures CollectOnce(kv60sim::Line& line) {
  QuietHost host;
  line.ClearRequests();
  QElapsedTimer timer;
  timer.start();
  const TSyncOutcome outcome = TCommSyncEngine(host).Run(
      {TSyncRow{1, 1, QStringLiteral("Door 1"), true}}, TSyncOptions{true, false, false});
  return {timer.nsecsElapsed() / 1e6, outcome.RecordsStored, host.complete};
}

// What one durable record costs on this disk right now (it varies with the other writers of the
// machine): AddRecord alone, into a month of its own.
TTimings StoreAlone(int count) {
  TToolOp archive;
  archive.OpenSnapshot();
  archive.AddRecord(1, QStringLiteral("0001"), QStringLiteral("10000001"),
                    QStringLiteral("2001-01-01 08:00:00"), 1, 0, 0, 0, 0, 0);
  TTimings timings;
  QElapsedTimer timer;
  for (int i = 1; i <= count; ++i) {
    timer.restart();
    archive.AddRecord(1, QStringLiteral("0001"), QStringLiteral("10000001"),
                      QStringLiteral("2001-01-01 08:%1:00").arg(i % 60, 2, 10, QLatin1Char('0')), 1,
                      0, 0, 0, 0, 0);
    timings.Add(ElapsedUs(timer));
  }
  archive.CloseSnapshot();
  return timings;
}

void PrintStoreAlone(const char* when) {
  const TTimings t = StoreAlone(50);
  std::printf("  (%s: one durable AddRecord alone takes %.2f ms, p50 %.2f ms)\n", when,
              t.Mean() / 1000, t.Percentile(50) / 1000);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  TBenchInstall install;
  QuietSink sink;
  SetMessageSink(&sink);
  const int records = RecordCount();

  ExecSQL(
      QStringLiteral("insert into Door(Did, DeviceId, DName, DGrpId) values(1, 1, 'Door 1', 0)"));
  BeginTrans();
  for (int u = 1; u <= 50; ++u) {
    ExecSQL(QStringLiteral("insert into UserInfo(UGrpId, UID, UName, UCard, UInvalidate) "
                           "values(0, '%1', 'User %2', '%3', '2099-12-31')")
                .arg(u, 4, 10, QLatin1Char('0'))
                .arg(u)
                .arg(10000000 + u));
  }
  CommitTrans();

  const QString ports = install.Path(QStringLiteral("ports"));
  qputenv("GATEWARDEN_PORTS", QFile::encodeName(ports));
  kv60sim::Line line;
  kv60sim::Controller& controller = line.AddController(1, QStringLiteral("000000001"));
  if (!line.Start(ports, 1)) {
    std::fprintf(stderr, "cannot start the line: %s\n", qPrintable(line.ErrorString()));
    return 1;
  }
  TComOperater().SetComPort(QStringLiteral("1"));
  CurrentComPort = 1;

  std::printf("bench_sync: %d records per run, collection only, one controller\n", records);

  // Records over two months, so the run also makes and attaches two month files.
  AddRecords(controller, records, QDate::currentDate().addMonths(-1).addDays(-1));
  line.SetPacing(true);
  const TRunFigures paced = CollectOnce(line);
  const std::vector<QString> requests = line.Requests();
  const double unavoidable = UnavoidableMs(requests);
  std::printf("Paced at 9600 baud (probe, count, %d reads, clock: %zu exchanges):\n", records + 1,
              requests.size());
  std::printf("  run %10.1f ms   wire + gaps + pauses %10.1f ms   ratio %.3f (target <= 1.10)\n",
              paced.ms, unavoidable, paced.ms / unavoidable);
  std::printf("  %d records stored%s\n", paced.stored,
              paced.complete ? ", complete" : ", NOT complete");
  PrintStoreAlone("right after");

  AddRecords(controller, records, QDate::currentDate());
  line.SetPacing(false);
  const TRunFigures unpaced = CollectOnce(line);
  std::printf("Unpaced line:\n");
  std::printf("  run %10.1f ms   %.3f ms per record (target < 6.5 ms; the gap alone is %.1f ms)\n",
              unpaced.ms, unpaced.ms / records, kGapMs);
  std::printf("  %d records stored%s\n", unpaced.stored,
              unpaced.complete ? ", complete" : ", NOT complete");
  PrintStoreAlone("right after");

  ClosePort(1);
  line.Stop();
  SetMessageSink(nullptr);
  return paced.stored == records && unpaced.stored == records ? 0 : 1;
}
