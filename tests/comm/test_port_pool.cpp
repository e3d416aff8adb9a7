// The port pool over real pseudo-terminals with kv60sim behind them: opening and closing,
// the exchange's result codes for every misbehaviour of the controller, and lost ports.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <thread>
#include <vector>

#include "app/u_Function.h"
#include "comm/PortPool.h"
#include "comm/frame.h"
#include "comm/u_MjComm.h"
#include "data/db_Exec.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

using kv60sim::Fault;

namespace {

// Time allowed beyond a command's timeout (and the 5 ms gap) before we call it a hang.
constexpr int kMargin = 250;

class PortPool : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    FreePortPool();
  }
  void TearDown() override {
    FreePortPool();
    FreshInstall::TearDown();
  }
};

TEST_F(PortPool, OutOfRangeAndUnopenedPorts) {
  EXPECT_FALSE(IsPortOpen(1));
  EXPECT_EQ(OpenPort(0), 1);
  EXPECT_EQ(OpenPort(21), 1);
  EXPECT_EQ(Frm_MjComm(), nullptr);  // not created by a refused number
  EXPECT_EQ(ClosePort(1), 1);        // no pool yet
  QString reply;
  EXPECT_EQ(Exchange(1, BuildFrame(QLatin1Char('A'), 1, "001", QString()), reply, 150), 1);

  SimLine sim(1);
  sim.Add(1);
  ASSERT_EQ(OpenPort(1), 0);
  ASSERT_NE(Frm_MjComm(), nullptr);
  EXPECT_EQ(ClosePort(2), 0);  // a slot never opened
  EXPECT_EQ(ClosePort(0), 1);
  EXPECT_EQ(ClosePort(21), 1);
  EXPECT_FALSE(IsPortOpen(0));
  EXPECT_FALSE(IsPortOpen(21));
  EXPECT_EQ(Exchange(0, "x", reply, 150), 1);
  EXPECT_EQ(Exchange(21, "x", reply, 150), 1);

  // A port never opened: every command returns 1 and sends nothing.
  EXPECT_EQ(MjTestOnline(2, 1), 1);
  QString serial;
  EXPECT_EQ(MjGetSerial(2, 1, serial), 1);
  QString record;
  EXPECT_EQ(MjReadRecord(2, 1, false, record), 1);
  EXPECT_EQ(MjReadCurrentRecord(2, 1, record), 1);
  EXPECT_TRUE(sim.line.Requests().empty());

  EXPECT_TRUE(IsPortOpen(1));
  EXPECT_EQ(OpenPort(1), 0);  // reopening an open port
  EXPECT_EQ(MjTestOnline(1, 1), 0);
  EXPECT_EQ(ClosePort(1), 0);
  EXPECT_FALSE(IsPortOpen(1));
  EXPECT_EQ(MjTestOnline(1, 1), 1);
}

TEST_F(PortPool, PortsThatDoNotExist) {
  const QString ports = Path("ports");
  QDir().mkpath(ports);
  qputenv("GATEWARDEN_PORTS", QFile::encodeName(ports));
  // No entry COM20: /dev/ttyS19, which a machine seldom has.
  if (QFile::exists("/dev/ttyS19")) GTEST_SKIP() << "this machine has /dev/ttyS19";
  EXPECT_EQ(OpenPort(20), 1);
  EXPECT_FALSE(IsPortOpen(20));
  // An entry whose device is gone (an unplugged adapter) does not fall back to /dev/ttyS<n>.
  ASSERT_TRUE(QFile::link(Path("ports/nothing-here"), Path("ports/COM1")));
  EXPECT_EQ(OpenPort(1), 1);
  EXPECT_FALSE(IsPortOpen(1));
  qunsetenv("GATEWARDEN_PORTS");
}

TEST_F(PortPool, CreatingThePoolReadsThePortSetting) {
  ExecSQL("update PublicInfo set value=' 7 ' where id=6");
  CurrentComPort = 0;
  OpenPort(19);
  EXPECT_EQ(CurrentComPort, 7);
}

// Controller 1 (version "KV60 A2.01") on COM1, the port open.
class OpenLine : public PortPool {
 protected:
  void SetUp() override {
    PortPool::SetUp();
    sim = std::make_unique<SimLine>(1);
    door = &sim->Add(1, "000000001", "KV60 A2.01");
    ASSERT_EQ(OpenPort(1), 0);
  }
  void TearDown() override {
    sim.reset();
    PortPool::TearDown();
  }
  std::unique_ptr<SimLine> sim;
  kv60sim::Controller* door = nullptr;
};

// One misbehaviour of the controller and the result code it must give.
struct FaultCase {
  const char* name;
  Fault fault;
  int expected;
  bool fullTimeout;  // the wait must run for the whole timeout
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

class FaultMatrix : public OpenLine, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultMatrix, GivesItsCodeInTimeAndTheNextExchangeWorks) {
  const FaultCase& c = GetParam();
  sim->line.AddFault(c.fault);
  QString serial;
  QElapsedTimer timer;
  timer.start();
  const int timeout = 1000;  // that of MjGetSerial
  EXPECT_EQ(MjGetSerial(1, 1, serial), c.expected) << c.name;
  const qint64 elapsed = timer.elapsed();
  EXPECT_LT(elapsed, timeout + 5 + kMargin) << c.name;
  if (c.fullTimeout) {
    EXPECT_GE(elapsed, timeout) << c.name;
  }

  sim->line.ClearFaults();
  ASSERT_TRUE(sim->line.WaitIdle());
  serial.clear();
  EXPECT_EQ(MjGetSerial(1, 1, serial), 0) << c.name;
  EXPECT_EQ(serial, "000000001") << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultMatrix,
    ::testing::Values(FaultCase{"no answer", Fault::NoAnswer(), 3, true},
                      FaultCase{"late answer", Fault::Late(1400), 3, true},
                      FaultCase{"no carriage return: read after the timeout",
                                Fault::NoCarriageReturn(), 0, true},
                      FaultCase{"bad checksum", Fault::BadChecksum(), 6, false},
                      FaultCase{"noise before the frame", Fault::Noise(), 0, false},
                      // "z" at data position 1: the cut frame's letter is a digit.
                      FaultCase{"z in the data, letter", Fault::ZInData(1), 9, false},
                      // "z" before the last data character: under six characters remain.
                      FaultCase{"z in the data, too short", Fault::ZInData(9), 4, false},
                      FaultCase{"error reply F2", Fault::Error("F2"), 6, false},
                      FaultCase{"error reply F8", Fault::Error("F8"), 8, false},
                      FaultCase{"error reply F1", Fault::Error("F1"), 4, false},
                      FaultCase{"error reply D9", Fault::Error("D9"), 8, false},
                      FaultCase{"status 05", Fault::Status(5), 5, false},
                      FaultCase{"status 0x2A", Fault::Status(0x2A), 42, false},
                      FaultCase{"wrong frame letter", Fault::WrongLetter(), 9, false}),
    [](const ::testing::TestParamInfo<FaultCase>& info) {
      std::string name;
      for (const char* p = info.param.name; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      }
      return name;
    });

TEST_F(OpenLine, ACutFrameWithTheRightLetterFailsItsChecksum) {
  sim->line.AddFault(Fault::ZInData(6));  // "z" right before the "A" of the version
  QString version = QStringLiteral("untouched");
  EXPECT_EQ(MjGetVersion(1, 1, version), 6);
  EXPECT_EQ(version, "untouched");
}

TEST_F(OpenLine, StopAnsweringAfterNReplies) {
  sim->line.AddFault(Fault::StopAfter(2));
  EXPECT_EQ(MjTestOnline(1, 1), 0);
  EXPECT_EQ(MjTestOnline(1, 1), 0);
  EXPECT_EQ(MjTestOnline(1, 1), 3);
  EXPECT_EQ(MjTestOnline(1, 1), 3);
  sim->line.ClearFaults();
  EXPECT_EQ(MjTestOnline(1, 1), 0);
}

TEST_F(OpenLine, StaleBytesOfALateReplyAreNeverTakenForTheNextReply) {
  door->SetVersion("LATE-VERSION-TEXT");
  // The version comes after the 1000 ms wait has ended and lies in the input buffer...
  sim->line.AddFault(Fault::Late(1300).On("112"));
  QString version;
  EXPECT_EQ(MjGetVersion(1, 1, version), 3);
  ASSERT_TRUE(sim->line.WaitIdle());
  // ...where the next exchange must not take it for the serial number's reply.
  QString serial;
  EXPECT_EQ(MjGetSerial(1, 1, serial), 0);
  EXPECT_EQ(serial, "000000001");
  EXPECT_EQ(MjGetVersion(1, 1, version), 0);
  EXPECT_EQ(version, "LATE-VERSION-TEXT");
}

TEST_F(OpenLine, AControllerOfAnotherNumberDoesNotAnswer) {
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(MjTestOnline(1, 2), 3);
  EXPECT_GE(timer.elapsed(), 150);
  EXPECT_LT(timer.elapsed(), 150 + 5 + kMargin);
}

TEST_F(OpenLine, APortThatDisappearsGivesCodesAndOpensAgainWhenBack) {
  ASSERT_EQ(MjTestOnline(1, 1), 0);

  sim->line.HangUp();
  QElapsedTimer timer;
  timer.start();
  const int first = MjTestOnline(1, 1);
  EXPECT_NE(first, 0);
  EXPECT_LT(timer.elapsed(), 150 + 5 + kMargin);
  // The pool noticed and closed the port: commands report it as not open, without waiting.
  EXPECT_FALSE(IsPortOpen(1));
  timer.restart();
  EXPECT_EQ(MjTestOnline(1, 1), 1);
  QString serial;
  EXPECT_EQ(MjGetSerial(1, 1, serial), 1);
  EXPECT_LT(timer.elapsed(), 50);
  EXPECT_EQ(OpenPort(1), 1);  // the device is gone
  EXPECT_EQ(ClosePort(1), 0);

  ASSERT_TRUE(sim->line.Reconnect());
  ASSERT_EQ(OpenPort(1), 0);
  EXPECT_EQ(MjTestOnline(1, 1), 0);
  EXPECT_EQ(MjGetSerial(1, 1, serial), 0);
  EXPECT_EQ(serial, "000000001");
}

TEST_F(OpenLine, AHangUpInsteadOfTheReply) {
  sim->line.AddFault(Fault::HangUp());
  QElapsedTimer timer;
  timer.start();
  QString serial;
  EXPECT_EQ(MjGetSerial(1, 1, serial), 3);
  EXPECT_LT(timer.elapsed(), 1000 + 5 + kMargin);
  EXPECT_NE(MjTestOnline(1, 1), 0);
  EXPECT_FALSE(IsPortOpen(1));
  ASSERT_TRUE(sim->line.Reconnect());
  ASSERT_EQ(OpenPort(1), 0);
  EXPECT_EQ(MjTestOnline(1, 1), 0);
}

// A line that writes one character short: the only way to see an incomplete write.
class ShortWriteLine : public ISerialLine {
 public:
  bool Open(const QString&) override { return open = true; }
  bool IsOpen() const override { return open; }
  bool Close() override {
    open = false;
    return true;
  }
  void Purge() override {}
  qint64 Write(const QByteArray& data) override { return data.size() - 1; }
  bool WaitForCharacter(char, int) override { return false; }
  QByteArray ReadWaiting() override { return QByteArray(); }
  bool open = false;
};

TEST_F(PortPool, AnIncompleteWriteGivesTwoAndFreesTheSlot) {
  SetSerialLineFactory([] { return std::make_unique<ShortWriteLine>(); });
  ASSERT_EQ(OpenPort(3), 0);
  EXPECT_EQ(MjTestOnline(3, 1), 2);
  EXPECT_EQ(MjTestOnline(3, 1), 2);  // the slot's lock was released
  SetSerialLineFactory(nullptr);
}

// A line that notes when it was opened, written to and read from.
class TimedLine : public ISerialLine {
 public:
  using Clock = std::chrono::steady_clock;
  bool Open(const QString&) override {
    quiet.push_back(Clock::now());
    return open = true;
  }
  bool IsOpen() const override { return open; }
  bool Close() override {
    open = false;
    return true;
  }
  void Purge() override {}
  qint64 Write(const QByteArray& data) override {
    writes.push_back(Clock::now());
    return data.size();
  }
  bool WaitForCharacter(char, int) override { return true; }
  QByteArray ReadWaiting() override {
    quiet.push_back(Clock::now());
    return QByteArray();
  }
  bool open = false;
  std::vector<Clock::time_point> quiet;  // opening, then the end of each exchange
  std::vector<Clock::time_point> writes;
};

TEST_F(PortPool, TheLineIsQuietForTheGapBeforeEveryFrame) {
  TimedLine* line = nullptr;
  SetSerialLineFactory([&line] {
    auto made = std::make_unique<TimedLine>();
    if (!line) line = made.get();  // slot 1
    return made;
  });
  ASSERT_EQ(OpenPort(1), 0);
  // Right after opening, back to back, and after the caller spent part of the gap or more.
  for (int idleMs : {0, 0, 3, 12}) {
    std::this_thread::sleep_for(std::chrono::milliseconds(idleMs));
    MjTestOnline(1, 1);
  }
  ASSERT_EQ(line->writes.size(), 4u);
  ASSERT_EQ(line->quiet.size(), 5u);
  for (size_t i = 0; i < line->writes.size(); ++i) {
    EXPECT_GE(line->writes[i] - line->quiet[i], std::chrono::milliseconds(5)) << "frame " << i;
  }
  SetSerialLineFactory(nullptr);
}

}  // namespace
