// gatewarden-cli: the synchronisation and the parameter read-back without a window, for
// scripts and scheduled runs. Same installation folder, database, language and serial port
// setting as the program, and the same engines.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <csignal>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

// ---- Ctrl-C -------------------------------------------------------------------------------

// Set by the first Ctrl-C and kept: the loops see it at each point where the window would
// look at the Esc key, as if Esc were held down, so the run ends as soon as it can. A second
// Ctrl-C ends the program at once.
volatile std::sig_atomic_t interrupted = 0;
// Written by the handler; translated before the handler is installed.
QByteArray stopNote;

void OnInterrupt(int) {
  if (interrupted) {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
    return;
  }
  interrupted = 1;
#ifdef Q_OS_UNIX
  if (::write(STDERR_FILENO, stopNote.constData(), static_cast<size_t>(stopNote.size())) < 0) {
  }
#endif
}

// ---- output -------------------------------------------------------------------------------

void Write(FILE* stream, const QString& text) {
  std::fputs(text.toUtf8().constData(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}
void Out(const QString& text) {
  Write(stdout, text);
}
void Err(const QString& text) {
  Write(stderr, text);
}

// One tab-separated line; tabs and line breaks inside a text (a name) become blanks so that
// each record stays one line of fields.
QString TabLine(const QStringList& cells) {
  QStringList clean;
  for (QString cell : cells) {
    for (QChar& c : cell)
      if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
        c = QLatin1Char(' ');
    clean << cell;
  }
  return clean.join(QLatin1Char('\t'));
}

// Messages go to `stream`; questions (only the stop questions come here) are answered Yes.
class ConsoleSink : public IMessageSink {
 public:
  FILE* stream = stdout;
  void ShowHint(const QString& text) override { Write(stream, text); }
  bool AskYesNo(const QString& text) override {
    Err(text + QLatin1Char(' ') + _("Yes"));
    return true;
  }
};

class ConsoleHost : public IDeviceLoopHost, public IProgress {
 public:
  explicit ConsoleHost(std::vector<TSyncRow> rows = {}) : rows(std::move(rows)) {}

  void DoorStatus(int row, const QString& text) override {
    if (text.isEmpty() || row < 0 || row >= static_cast<int>(rows.size())) return;
    const TSyncRow& door = rows[row];
    Out(TabLine({QString::number(door.DeviceId), door.DoorName, text}));
  }
  IProgress& Progress() override { return *this; }
  void ProcessMessages() override { QCoreApplication::processEvents(); }
  bool StopRequested() override { return interrupted != 0; }
  bool Ask(const QString& question) override { return HintYesNo(question); }

  // Progress lines in steps of a tenth of the range, so that a log stays readable.
  void SetRange(int minimum, int maximum) override {
    this->minimum = minimum;
    this->maximum = maximum;
    ranged = true;
    lastTenth = -1;
  }
  void SetPosition(int position) override {
    if (!ranged) return;  // a position before any range says nothing yet
    const int span = maximum - minimum;
    const int done = span > 0 ? qBound(0, position - minimum, span) : 0;
    const int tenth = span > 0 ? done * 10 / span : 10;
    if (tenth == lastTenth) return;
    lastTenth = tenth;
    std::fprintf(stderr, "progress %d%%\n", tenth * 10);
  }
  void Repaint() override {}

 private:
  std::vector<TSyncRow> rows;
  int minimum = 0;
  int maximum = 0;
  int lastTenth = -1;
  bool ranged = false;
};

// Rows of a read-back, printed as they come.
class PrintedRows : public ISearchRows {
 public:
  void Clear() override {}
  void AddRow(const QStringList& cells) override { Out(TabLine(cells)); }
};

// ---- help ---------------------------------------------------------------------------------

const char* const kSyncSyntax =
    "gatewarden-cli sync [--device N]... [--no-collect] [--no-users] [--no-params]";
const char* const kSearchSyntax =
    "gatewarden-cli search --device N --what zones|weeks|holidays|groups|inports|outports";

QString UsageText() {
  return _("Usage:") + QStringLiteral(
                           "\n  %1\n  %2\n  gatewarden-cli --help | sync --help | "
                           "search --help\n")
                           .arg(QLatin1String(kSyncSyntax), QLatin1String(kSearchSyntax));
}

QString MainHelp() {
  return UsageText() + QLatin1Char('\n') +
         _("Synchronises the controllers with the database, or reads back what one controller "
           "holds, with the installation folder, database, language and serial port setting of "
           "the program. The installation folder is $GATEWARDEN_HOME, else the folder of the "
           "program. -debug writes the debug log of the serial traffic.") +
         QLatin1Char('\n');
}

QString SyncHelp() {
  return QLatin1String(kSyncSyntax) + QStringLiteral("\n\n") +
         _("Synchronises the doors' controllers on the serial port of the settings: collects "
           "their stored event records (--no-collect skips this), sets their clocks, writes "
           "their users (--no-users skips this) and their time rules and port settings "
           "(--no-params skips this). Without --device every door is synchronised; --device N "
           "(repeatable) picks the doors with these device numbers.") +
         QStringLiteral("\n\n") +
         _("Each door's status texts go to standard output (device number, door name, status, "
           "tab-separated), progress to standard error. Ctrl-C stops the run between two "
           "controller commands, as Esc does in the window; a second Ctrl-C ends the program at "
           "once.") +
         QStringLiteral("\n\n") +
         _("Exit code 0 when every chosen door was on-line and every phase succeeded; 1 when a "
           "door was off-line or a phase failed; 2 when the serial port cannot be opened or a "
           "device number has no door; 64 for wrong arguments; 130 after Ctrl-C.") +
         QLatin1Char('\n');
}

QString SearchHelp() {
  QString columns;
  for (int page = 0; page < kSearchPageCount; ++page) {
    QStringList names;
    for (const QString& column : SearchColumns(static_cast<TSearchPage>(page))) names << _(column);
    columns +=
        QStringLiteral("  %1: %2\n")
            .arg(SearchPageName(static_cast<TSearchPage>(page)), names.join(QStringLiteral(", ")));
  }
  return QLatin1String(kSearchSyntax) + QStringLiteral("\n\n") +
         _("Reads back what the controller with device number N holds and prints a header line, "
           "then one tab-separated line per record. Writes nothing. Messages go to standard "
           "error.") +
         QStringLiteral("\n\n") + columns + QLatin1Char('\n') +
         _("Exit code 0 when everything was read; 1 when the door is off-line, the read failed "
           "or the controller stopped answering; 2 when the serial port cannot be opened; 64 "
           "for wrong arguments; 130 after Ctrl-C.") +
         QLatin1Char('\n');
}

int UsageError(const QString& message, const QString& help) {
  Err(message);
  std::fputs(help.toUtf8().constData(), stderr);
  return kUsage;
}

bool ParseDevice(const QString& text, int& device) {
  bool ok = false;
  device = text.toInt(&ok);
  return ok && device >= 1 && device <= 255;
}

// ---- commands -----------------------------------------------------------------------------

struct TSyncCommand {
  TSyncOptions options;
  QSet<int> devices;
};

struct TSearchCommand {
  int device = 0;
  TSearchPage page = TSearchPage::TimeZones;
};

// Parsing: kOk with the command filled, or the exit code (help shown, wrong arguments).
int ParseSync(const QStringList& args, TSyncCommand& command, bool& help) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    int device = 0;
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      help = true;
    } else if (a == QLatin1String("--device") && i + 1 < args.size() &&
               ParseDevice(args[i + 1], device)) {
      command.devices.insert(device);
      ++i;
    } else if (a == QLatin1String("--no-collect")) {
      command.options.Collect = false;
    } else if (a == QLatin1String("--no-users")) {
      command.options.Users = false;
    } else if (a == QLatin1String("--no-params")) {
      command.options.Params = false;
    } else {
      return UsageError(_("sync: unknown or incomplete argument '%1'").arg(a), SyncHelp());
    }
  }
  return kOk;
}

int ParseSearch(const QStringList& args, TSearchCommand& command, bool& help) {
  bool pageGiven = false;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      help = true;
    } else if (a == QLatin1String("--device") && i + 1 < args.size() &&
               ParseDevice(args[i + 1], command.device)) {
      ++i;
    } else if (a == QLatin1String("--what") && i + 1 < args.size() &&
               SearchPageFromName(args[i + 1], command.page)) {
      pageGiven = true;
      ++i;
    } else {
      return UsageError(_("search: unknown or incomplete argument '%1'").arg(a), SearchHelp());
    }
  }
  if (!help && (command.device == 0 || !pageGiven))
    return UsageError(_("search: --device and --what are needed"), SearchHelp());
  return kOk;
}

int RunSync(const TSyncCommand& command) {
  std::vector<TSyncRow> rows;
  QSet<int> found;
  for (const TDoor& door : TDoorOp().GetDoors()) {
    const bool ticked = command.devices.isEmpty() || command.devices.contains(door.DeviceId);
    rows.push_back({door.DeviceId, door.Did, door.DName, ticked});
    found.insert(door.DeviceId);
  }
  for (const int device : command.devices) {
    if (!found.contains(device)) {
      Err(_("sync: no door has the device number %1").arg(device));
      return kPortOrSetup;
    }
  }
  ConsoleHost host(rows);
  const TSyncOutcome outcome = TCommSyncEngine(host).Run(rows, command.options);
  if (!outcome.PortOpened) return kPortOrSetup;
  if (interrupted) return kInterrupted;
  if (outcome.Failed || outcome.Stopped || outcome.AnyOffline || outcome.AnyFailure) return kFailed;
  return kOk;
}

int RunSearch(const TSearchCommand& command) {
  LoadPortTexts();
  ConsoleHost host;
  PrintedRows rows;
  TCommSearchEngine engine(host);
  TSearchResult result = engine.Prepare(command.device);
  if (result == TSearchResult::Done) {
    QStringList header;
    for (const QString& column : SearchColumns(command.page)) header << _(column);
    Out(TabLine(header));
    result = engine.Read(command.page, command.device, rows);
  }
  FreePortTexts();
  switch (result) {
    case TSearchResult::Done:
      return kOk;
    case TSearchResult::PortNotOpen:
      return kPortOrSetup;
    case TSearchResult::Stopped:
      return kInterrupted;
    case TSearchResult::Unanswered:
      Err(_("The controller stopped answering; the records read so far are shown."));
      return kFailed;
    case TSearchResult::Offline:
    case TSearchResult::Error:
      break;
  }
  return kFailed;
}

// Enters the installation folder and reads the language. Empty when that worked, else what
// is wrong.
QString OpenInstallation() {
  AppPath = GetAppPath();
  if (!QDir::setCurrent(AppPath)) return _("Cannot enter the installation folder %1.").arg(AppPath);
  // A folder without the database is no installation; making a new, empty one there would
  // only hide a wrong GATEWARDEN_HOME.
  if (!QFile::exists(QStringLiteral("Gatewarden.sqb")))
    return _("There is no database Gatewarden.sqb in %1.").arg(AppPath);
  try {
    LanguageCode = TConfigOp().GetLanguage();
    gw::UseLanguage(LanguageCode);
  } catch (const std::exception& e) {
    return _("The database cannot be opened.") + QStringLiteral("\n\n") +
           QString::fromUtf8(e.what());
  }
  return QString();
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  if (args.removeAll(QStringLiteral("-debug")) > 0) DebugMode = true;
  const QString command = args.isEmpty() ? QString() : args.takeFirst();
  // Help comes in the installation's language when there is one, and needs none.
  const QString installationProblem = OpenInstallation();

  if (command.isEmpty()) {
    std::fputs(UsageText().toUtf8().constData(), stderr);
    return kUsage;
  }
  if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
    std::fputs(MainHelp().toUtf8().constData(), stdout);
    return kOk;
  }

  ConsoleSink sink;
  SetMessageSink(&sink);
  int code = kOk;
  bool help = false;
  TSyncCommand sync;
  TSearchCommand search;
  if (command == QLatin1String("sync")) {
    code = ParseSync(args, sync, help);
    if (code == kOk && help) std::fputs(SyncHelp().toUtf8().constData(), stdout);
  } else if (command == QLatin1String("search")) {
    code = ParseSearch(args, search, help);
    if (code == kOk && help) std::fputs(SearchHelp().toUtf8().constData(), stdout);
    sink.stream = stderr;  // standard output carries the records only
  } else {
    code = UsageError(_("unknown command '%1'").arg(command), UsageText());
  }
  if (code != kOk || help) {
    SetMessageSink(nullptr);
    return code;
  }
  if (!installationProblem.isEmpty()) {
    Err(installationProblem);
    SetMessageSink(nullptr);
    return kPortOrSetup;
  }

  stopNote = (_("Stopping at the next point between two commands (Ctrl-C again ends at once).") +
              QLatin1Char('\n'))
                 .toUtf8();
  std::signal(SIGINT, OnInterrupt);
  try {
    LoadCurrentComPort();
  } catch (const std::exception&) {
    HintBox(_("Get current serial port error."));
    SetMessageSink(nullptr);
    return kPortOrSetup;
  }
  try {
    code = command == QLatin1String("sync") ? RunSync(sync) : RunSearch(search);
  } catch (const std::exception& e) {
    Err(QString::fromUtf8(e.what()));
    code = kFailed;
  }
  ClosePort(CurrentComPort);
  SetMessageSink(nullptr);
  return code;
}
