// gatewarden-cli: the synchronisation and the parameter read-back without a window, for
// scripts and scheduled runs. Same installation folder, database and serial port setting as
// the program.
#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <csignal>
#include <cstdio>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "data/bll_SerialPort.h"
#include "data/bll_config.h"
#include "device/CommSearch.h"
#include "device/CommSync.h"
#include "model/bll_IOPort.h"
#include "model/bll_door.h"
#include "platform/Translation.h"

namespace {

enum ExitCode { kOk = 0, kFailed = 1, kPortOrSetup = 2, kUsage = 64, kInterrupted = 130 };

// Set by Ctrl-C; the loops see it between two controller commands.
volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t everInterrupted = 0;
void OnInterrupt(int) {
  interrupted = 1;
  everInterrupted = 1;
}

void Out(const QString& text) {
  std::fprintf(stdout, "%s\n", text.toUtf8().constData());
  std::fflush(stdout);
}
void Err(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

const char* const kUsageText =
    "Usage:\n"
    "  gatewarden-cli sync [--device N]... [--no-collect] [--no-users] [--no-params]\n"
    "  gatewarden-cli search --device N --what zones|weeks|holidays|groups|inports|outports\n"
    "  gatewarden-cli --help | sync --help | search --help\n";

const char* const kSyncHelp =
    "gatewarden-cli sync [--device N]... [--no-collect] [--no-users] [--no-params]\n"
    "\n"
    "Synchronises the doors' controllers on the serial port of the settings: collects their\n"
    "stored event records, sets their clocks, writes their users (--no-users skips this) and\n"
    "their time rules and port settings (--no-params skips this). --no-collect skips the\n"
    "collection. Without --device every door is synchronised; --device N (repeatable) picks\n"
    "the doors with these device numbers.\n"
    "\n"
    "Each door's status texts go to standard output, progress to standard error. Ctrl-C stops\n"
    "the run between two controller commands. Exit code 0 when every chosen door was on-line\n"
    "and every phase succeeded; 1 when a door was off-line, a phase failed or the run was\n"
    "stopped; 2 when the serial port cannot be opened or a device number has no door; 130\n"
    "after Ctrl-C.\n"
    "\n"
    "The installation folder is $GATEWARDEN_HOME, else the folder of the program.\n";

const char* const kSearchHelp =
    "gatewarden-cli search --device N --what zones|weeks|holidays|groups|inports|outports\n"
    "\n"
    "Reads back what the controller with device number N holds and prints one tab-separated\n"
    "line per record (a header line first). Writes nothing. Exit code 0 on success, 1 when the\n"
    "door is off-line or the read failed, 2 when the serial port cannot be opened.\n";

// Prints messages; questions (only stop questions come here) are answered Yes.
class ConsoleSink : public IMessageSink {
 public:
  void ShowHint(const QString& text) override { Out(text); }
  bool AskYesNo(const QString& text) override {
    Err(text + QStringLiteral(" ") + _("Yes"));
    return true;
  }
};

class ConsoleHost : public IDeviceLoopHost, public IProgress {
 public:
  explicit ConsoleHost(std::vector<TSyncRow> rows = {}) : rows(std::move(rows)) {}
  void DoorStatus(int row, const QString& text) override {
    if (text.isEmpty() || row < 0 || row >= static_cast<int>(rows.size())) return;
    const TSyncRow& door = rows[row];
    Out(QStringLiteral("%1\t%2\t%3").arg(door.DeviceId).arg(door.DoorName, text));
  }
  IProgress& Progress() override { return *this; }
  void ProcessMessages() override { QCoreApplication::processEvents(); }
  bool StopRequested() override {
    const bool stop = interrupted != 0;
    interrupted = 0;
    return stop;
  }
  bool Ask(const QString& question) override { return HintYesNo(question); }
  void SetRange(int, int maximum) override { this->maximum = maximum; }
  void SetPosition(int position) override {
    if (position == last) return;
    last = position;
    std::fprintf(stderr, "progress %d/%d\n", position, maximum);
  }
  void Repaint() override {}

 private:
  std::vector<TSyncRow> rows;
  int maximum = 0;
  int last = -1;
};

bool ParseDevice(const QString& text, int& device) {
  bool ok = false;
  device = text.toInt(&ok);
  return ok && device >= 1 && device <= 255;
}

int Sync(const QStringList& args) {
  TSyncOptions options;
  QSet<int> devices;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      std::fputs(kSyncHelp, stdout);
      return kOk;
    }
    int device = 0;
    if (a == QLatin1String("--device") && i + 1 < args.size() && ParseDevice(args[i + 1], device)) {
      devices.insert(device);
      ++i;
    } else if (a == QLatin1String("--no-collect")) {
      options.Collect = false;
    } else if (a == QLatin1String("--no-users")) {
      options.Users = false;
    } else if (a == QLatin1String("--no-params")) {
      options.Params = false;
    } else {
      Err(QStringLiteral("sync: unknown or incomplete argument '%1'").arg(a));
      std::fputs(kSyncHelp, stderr);
      return kUsage;
    }
  }
  std::vector<TSyncRow> rows;
  QSet<int> found;
  for (const TDoor& door : TDoorOp().GetDoors()) {
    const bool ticked = devices.isEmpty() || devices.contains(door.DeviceId);
    rows.push_back({door.DeviceId, door.Did, door.DName, ticked});
    found.insert(door.DeviceId);
  }
  for (int device : devices) {
    if (!found.contains(device)) {
      Err(QStringLiteral("sync: no door has the device number %1").arg(device));
      return kPortOrSetup;
    }
  }
  ConsoleHost host(rows);
  const TSyncOutcome outcome = TCommSyncEngine(host).Run(rows, options);
  if (!outcome.PortOpened) return kPortOrSetup;
  if (everInterrupted) return kInterrupted;
  if (outcome.Failed || outcome.Stopped || outcome.AnyOffline || outcome.AnyFailure) {
    return kFailed;
  }
  return kOk;
}

int Search(const QStringList& args) {
  static const QStringList pages = {"zones", "weeks", "holidays", "groups", "inports", "outports"};
  int device = 0;
  int page = -1;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      std::fputs(kSearchHelp, stdout);
      return kOk;
    }
    if (a == QLatin1String("--device") && i + 1 < args.size() && ParseDevice(args[i + 1], device)) {
      ++i;
    } else if (a == QLatin1String("--what") && i + 1 < args.size() && pages.contains(args[i + 1])) {
      page = static_cast<int>(pages.indexOf(args[++i]));
    } else {
      Err(QStringLiteral("search: unknown or incomplete argument '%1'").arg(a));
      std::fputs(kSearchHelp, stderr);
      return kUsage;
    }
  }
  if (device == 0 || page < 0) {
    std::fputs(kSearchHelp, stderr);
    return kUsage;
  }
  LoadPortTexts();
  ConsoleHost host;
  std::vector<QStringList> rows;
  const auto what = static_cast<TSearchPage>(page);
  if (!TCommSearchEngine(host).Search(device, what, rows)) {
    for (const QStringList& row : rows) Out(row.join(QLatin1Char('\t')));
    return IsPortOpen(CurrentComPort) ? kFailed : kPortOrSetup;
  }
  Out(TCommSearchEngine::Columns(what).join(QLatin1Char('\t')));
  for (const QStringList& row : rows) Out(row.join(QLatin1Char('\t')));
  FreePortTexts();
  return kOk;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  if (args.isEmpty() || args.first() == QLatin1String("--help") ||
      args.first() == QLatin1String("-h")) {
    std::fputs(kUsageText, args.isEmpty() ? stderr : stdout);
    return args.isEmpty() ? kUsage : kOk;
  }
  const QString command = args.takeFirst();
  if (command != QLatin1String("sync") && command != QLatin1String("search")) {
    Err(QStringLiteral("unknown command '%1'").arg(command));
    std::fputs(kUsageText, stderr);
    return kUsage;
  }

  AppPath = GetAppPath();
  if (!QDir::setCurrent(AppPath)) {
    Err(QStringLiteral("cannot enter the installation folder %1").arg(AppPath));
    return kPortOrSetup;
  }
  ConsoleSink sink;
  SetMessageSink(&sink);
  std::signal(SIGINT, OnInterrupt);
  int code = kOk;
  try {
    LanguageCode = TConfigOp().GetLanguage();
    gw::UseLanguage(LanguageCode);
    LoadCurrentComPort();
    code = command == QLatin1String("sync") ? Sync(args) : Search(args);
  } catch (const std::exception& e) {
    Err(QString::fromUtf8(e.what()));
    code = kPortOrSetup;
  }
  ClosePort(CurrentComPort);
  SetMessageSink(nullptr);
  return code;
}
