// kv60sim: a line of simulated controllers for trying the program without hardware.
// Commands come from standard input and, with --control, from a FIFO (see ControlHelp()).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "kv60sim/ControlChannel.h"
#include "kv60sim/Kv60Sim.h"

namespace {

// Reads whole lines from a descriptor; false at end of input.
class LineReader {
 public:
  explicit LineReader(int fd) : FFd(fd) {}
  int Fd() const { return FFd; }
  bool Read(QStringList& lines) {
    char chunk[1024];
    const ssize_t n = ::read(FFd, chunk, sizeof chunk);
    if (n == 0) return false;
    if (n < 0) return errno == EAGAIN || errno == EINTR;
    FPending.append(chunk, static_cast<int>(n));
    for (int end = FPending.indexOf('\n'); end >= 0; end = FPending.indexOf('\n')) {
      lines << QString::fromUtf8(FPending.left(end)).trimmed();
      FPending.remove(0, end + 1);
    }
    return true;
  }

 private:
  int FFd;
  QByteArray FPending;
};

void Print(const QString& text) {
  if (text.isEmpty()) return;
  std::fprintf(stdout, "%s\n", text.toLocal8Bit().constData());
  std::fflush(stdout);
}

// The demo line of `make run`: controllers 1 and 2 as the demo doors of
// resources/demo/demo.sql expect them. Each holds card records of the demo users (cards
// 10000001, 10000002) over last month and this one, an unknown card presented once (it becomes
// a waiting card), and the user entries of an earlier synchronisation.
void AddDemoControllers(kv60sim::Line& line) {
  const QDate today = QDate::currentDate();
  const QDate lastMonth = today.addMonths(-1);
  for (int devNo = 1; devNo <= 2; ++devNo) {
    kv60sim::Controller& c = line.AddController(devNo, QStringLiteral("00000000%1").arg(devNo));
    for (int i = 0; i < 6; ++i) {
      kv60sim::Record r;
      r.userId = QStringLiteral("000%1").arg(i % 2 + 1);
      r.cardNo = QStringLiteral("1000000%1").arg(i % 2 + 1);
      r.in = i % 3 != 2;
      const QDate day = i < 3 ? QDate(lastMonth.year(), lastMonth.month(), 10 + i)
                              : QDate(today.year(), today.month(), 1);
      r.time = QDateTime(day, QTime(8 + i, 15 * devNo));
      c.AddRecord(r);
    }
    kv60sim::Record unknown;
    unknown.type = 6;
    unknown.cardNo = QStringLiteral("2000000%1").arg(devNo);
    unknown.time = QDateTime(today, QTime(7, 0));
    c.AddRecord(unknown);
    // Anna Berg on both doors, Chen Wei on the first (control group 1, no password).
    for (int user = 1; user <= (devNo == 1 ? 2 : 1); ++user)
      c.SetUser({QStringLiteral("01"), QStringLiteral("01FFFFFF"), QStringLiteral("FFFFFF"),
                 QStringLiteral("1000000%1").arg(user), QStringLiteral("000%1").arg(user)});
  }
}

bool AddControllers(kv60sim::Line& line, const QStringList& given, bool demo) {
  for (const QString& text : given) {
    const QStringList parts = text.split(QLatin1Char(','));
    bool ok = false;
    const int devNo = parts.value(0).toInt(&ok);
    if (!ok || devNo < 1 || devNo > 255 || parts.size() < 2) {
      std::fprintf(stderr, "kv60sim: bad --controller %s (DEV,SERIAL[,VERSION])\n",
                   text.toLocal8Bit().constData());
      return false;
    }
    line.AddController(devNo, parts[1],
                       parts.size() > 2 ? parts.mid(2).join(QLatin1Char(','))
                                        : QString::fromLatin1(kv60sim::kDefaultVersion));
  }
  if (demo) {
    AddDemoControllers(line);
  } else if (given.isEmpty()) {
    line.AddController(1, QStringLiteral("000000001"));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("A line of simulated KV60 controllers behind a pseudo-terminal."));
  parser.addHelpOption();
  const QString defaultPorts = qEnvironmentVariableIsEmpty("GATEWARDEN_PORTS")
                                   ? QStringLiteral("ports")
                                   : qEnvironmentVariable("GATEWARDEN_PORTS");
  const QCommandLineOption ports(QStringLiteral("ports"),
                                 QStringLiteral("Folder of the COMn links (default: "
                                                "$GATEWARDEN_PORTS, else ./ports)."),
                                 QStringLiteral("folder"), defaultPorts);
  const QCommandLineOption com(QStringLiteral("com"),
                               QStringLiteral("COM number 1..20 (default 1)."), QStringLiteral("n"),
                               QStringLiteral("1"));
  const QCommandLineOption controller(
      QStringLiteral("controller"),
      QStringLiteral("A controller DEV,SERIAL[,VERSION]; repeatable (default: 1,000000001)."),
      QStringLiteral("dev,serial"));
  const QCommandLineOption demo(
      QStringLiteral("demo"),
      QStringLiteral("Controllers 1 and 2 with stored records over two months and users."));
  const QCommandLineOption pace(QStringLiteral("pace"),
                                QStringLiteral("Pace the line at 9600 baud."));
  const QCommandLineOption control(QStringLiteral("control"),
                                   QStringLiteral("A FIFO to read commands from, besides stdin."),
                                   QStringLiteral("fifo"));
  parser.addOptions({ports, com, controller, demo, pace, control});
  parser.process(app);

  bool ok = false;
  const int comNo = parser.value(com).toInt(&ok);
  if (!ok || comNo < 1 || comNo > 20) {
    std::fprintf(stderr, "kv60sim: --com must be 1..20\n");
    return 2;
  }

  // Signals are read from a descriptor, so that one loop serves stdin, the FIFO and them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);

  kv60sim::Line line;
  if (!AddControllers(line, parser.values(controller), parser.isSet(demo))) return 2;
  line.SetPacing(parser.isSet(pace));
  if (!line.Start(parser.value(ports), comNo)) {
    std::fprintf(stderr, "kv60sim: %s\n", line.ErrorString().toLocal8Bit().constData());
    return 1;
  }

  QString fifoPath;
  int fifoFd = -1;
  if (parser.isSet(control)) {
    fifoPath = QDir(parser.value(control)).absolutePath();
    const QByteArray name = QFile::encodeName(fifoPath);
    if (::mkfifo(name.constData(), 0600) != 0 && errno != EEXIST) {
      std::fprintf(stderr, "kv60sim: cannot make the FIFO %s\n", name.constData());
      return 1;
    }
    // Opened for writing too, so that the FIFO never reads as ended between two writers.
    fifoFd = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  }

  Print(QStringLiteral("kv60sim: COM%1 is %2 -> %3%4; \"help\" lists the commands")
            .arg(comNo)
            .arg(line.LinkPath(), line.DevicePath(),
                 line.Pacing() ? QStringLiteral(", paced at 9600 baud") : QString()));
  Print(kv60sim::RunControlCommand(line, QStringLiteral("list")));

  LineReader input(STDIN_FILENO);
  LineReader fifo(fifoFd);
  bool inputOpen = true;
  bool quit = false;
  while (!quit) {
    pollfd fds[3] = {
        {signalFd, POLLIN, 0}, {inputOpen ? STDIN_FILENO : -1, POLLIN, 0}, {fifoFd, POLLIN, 0}};
    if (::poll(fds, 3, -1) < 0 && errno != EINTR) break;
    if (fds[0].revents & POLLIN) break;
    QStringList lines;
    if (fds[1].revents & (POLLIN | POLLHUP)) inputOpen = input.Read(lines);
    if (fds[2].revents & POLLIN) fifo.Read(lines);
    for (const QString& command : lines) {
      if (command == QLatin1String("quit") || command == QLatin1String("exit"))
        quit = true;
      else
        Print(kv60sim::RunControlCommand(line, command));
    }
  }
  line.Stop();
  if (fifoFd >= 0) {
    ::close(fifoFd);
    QFile::remove(fifoPath);
  }
  return 0;
}
