// Exchanges against kv60sim over a real pseudo-terminal: what one exchange costs beyond the
// fixed 5 ms gap before each frame, and, on a line paced at 9600 baud, how close an exchange
// comes to the time its characters need on the wire.
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "comm/u_MjComm.h"
#include "kv60sim/Kv60Sim.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kGapMs = 5.0;

struct Command {
  const char* name;
  int requestLength;  // characters of the request frame
  int replyLength;    // characters of the reply, carriage return included
  std::function<int()> send;
};

struct Figures {
  double mean, median, p95;
};

Figures Measure(const Command& c, int runs) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    const int result = c.send();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (result != 0) std::fprintf(stderr, "%s: result %d\n", c.name, result);
  }
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (double v : ms) sum += v;
  return {sum / runs, ms[runs / 2], ms[runs * 95 / 100]};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir home;
  QDir::setCurrent(home.path());  // the pool reads the port setting from a database made here
  const QString ports = home.filePath(QStringLiteral("ports"));
  qputenv("GATEWARDEN_PORTS", QFile::encodeName(ports));

  kv60sim::Line line;
  const QString version = QStringLiteral("KV60 V2.01 build 2024");
  line.AddController(1, QStringLiteral("000000001"), version);
  if (!line.Start(ports, 1) || OpenPort(1) != 0) {
    std::fprintf(stderr, "cannot start the line: %s\n", line.ErrorString().toLocal8Bit().data());
    return 1;
  }

  const std::array<QTime, 5> begins = {QTime(8, 0), QTime(12, 0), QTime(13, 30), QTime(18, 0),
                                       QTime(22, 0)};
  QString text;
  const std::vector<Command> commands = {
      {"MjTestOnline", 18, 21, [] { return MjTestOnline(1, 1); }},
      {"MjGetVersion", 18, 21 + static_cast<int>(version.size()),
       [&] { return MjGetVersion(1, 1, text); }},
      {"MjSetTimeZone", 18 + 52, 21,
       [&] {
         return MjSetTimeZone(1, 1, 3, begins, {0, 1, 2, 3, 0});
       }},
  };

  for (int i = 0; i < 20; ++i) MjTestOnline(1, 1);  // warm-up
  std::printf("Unpaced line: cost of one exchange beyond the %.0f ms gap (target < 0.5 ms)\n",
              kGapMs);
  std::printf("  %-14s %10s %10s %10s %12s %10s\n", "command", "mean ms", "median ms", "p95 ms",
              "beyond gap", "per s");
  for (const Command& c : commands) {
    const Figures f = Measure(c, 400);
    std::printf("  %-14s %10.3f %10.3f %10.3f %12.3f %10.1f\n", c.name, f.mean, f.median, f.p95,
                f.mean - kGapMs, 1000.0 / f.mean);
  }

  line.SetPacing(true);
  std::printf("\nLine paced at 9600 baud: exchange against gap + wire time (target within 5%%)\n");
  std::printf("  %-14s %8s %10s %12s %10s\n", "command", "chars", "mean ms", "gap+wire ms",
              "over wire");
  for (const Command& c : commands) {
    const double wire = (c.requestLength + c.replyLength) * kv60sim::kCharacterSeconds * 1000.0;
    const Figures f = Measure(c, 40);
    std::printf("  %-14s %8d %10.3f %12.3f %9.2f%%\n", c.name, c.requestLength + c.replyLength,
                f.mean, kGapMs + wire, (f.mean - kGapMs - wire) / wire * 100.0);
  }
  ClosePort(1);
  line.Stop();
  return 0;
}
