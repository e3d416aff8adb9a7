// Collecting 300 stored records ("Collect data" only) through the synchronisation engine from
// a simulated controller: on a line paced at 9600 baud against the time its characters need on
// the wire plus the fixed gaps and pauses (target within 1.10x), and unpaced as milliseconds
// per record (target under 6.5 ms). Every record is durable before the next is asked for.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "BenchInstall.h"
#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "data/db_Exec.h"
#include "device/CommSync.h"
#include "kv60sim/Kv60Sim.h"

namespace {

constexpr int kRecords = 300;
constexpr double kGapMs = 5.0;
constexpr double kFirstReadPauseMs = 50.0;

class QuietHost : public IDeviceLoopHost, public IProgress {
 public:
  void DoorStatus(int, const QString&) override {}
  IProgress& Progress() override { return *this; }
  void ProcessMessages() override {}
  bool StopRequested() override { return false; }
  bool Ask(const QString&) override { return false; }
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void Repaint() override {}
};

// Characters of the reply data of the commands a collection sends.
int ReplyDataLength(const QString& code) {
  if (code == QLatin1String("045")) return 4;
  if (code == QLatin1String("066") || code == QLatin1String("067")) return 38;
  return 0;
}

struct Run {
  double ms = 0;
  double wireMs = 0;  // characters on the wire, gaps and the first read's pause
  int stored = 0;
};

Run Collect(bool paced) {
  TBenchInstall install;
  ExecSQL("insert into Door(Did, DeviceId, DName, DGrpId) values(1, 1, 'Front', 0)");
  ExecSQL("update PublicInfo set value='1' where id=6");
  qputenv("GATEWARDEN_PORTS", QFile::encodeName(install.Path("ports")));
  kv60sim::Line line;
  kv60sim::Controller& c = line.AddController(1, QStringLiteral("000000001"));
  kv60sim::Record record;
  record.userId = QStringLiteral("0001");
  record.cardNo = QStringLiteral("12345678");
  for (int i = 0; i < kRecords; ++i) {
    record.time = QDateTime(QDate(2024, 6, 1), QTime(8, 0).addSecs(i));
    c.AddRecord(record);
  }
  Run run;
  if (!line.Start(install.Path("ports"), 1)) {
    std::fprintf(stderr, "cannot start the line: %s\n", qPrintable(line.ErrorString()));
    return run;
  }
  line.SetPacing(paced);
  CurrentComPort = 1;
  OpenPort(1);
  QuietHost host;
  QElapsedTimer timer;
  timer.start();
  const TSyncOutcome outcome = TCommSyncEngine(host).Run({{1, 1, "Front", true}},
                                                         {true, false, false});
  run.ms = timer.nsecsElapsed() / 1e6;
  run.stored = outcome.RecordsStored;
  for (const QString& frame : line.Requests()) {
    const int chars = frame.size() + 21 + ReplyDataLength(frame.mid(10, 3));
    run.wireMs += chars * kv60sim::kCharacterSeconds * 1000.0 + kGapMs;
  }
  run.wireMs += kFirstReadPauseMs;
  ClosePort(1);
  line.Stop();
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const Run unpaced = Collect(false);
  std::printf("Unpaced: %d records in %.1f ms, %.3f ms per record (target < 6.5 ms)\n",
              unpaced.stored, unpaced.ms, unpaced.ms / kRecords);
  const Run paced = Collect(true);
  std::printf("Paced at 9600 baud: %d records in %.1f ms; wire + gaps + pauses %.1f ms; "
              "ratio %.3f (target <= 1.10)\n",
              paced.stored, paced.ms, paced.wireMs, paced.ms / paced.wireMs);
  return 0;
}
