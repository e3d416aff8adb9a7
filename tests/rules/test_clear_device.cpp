// Clearing a controller's time rules and ports before the synchronisation writes them.
#include <gtest/gtest.h>

#include "comm/u_MjComm.h"
#include "model/bll_IOPort.h"
#include "model/bll_limit.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

namespace {

// Keeps the calls a clearing operation makes on its progress bar.
class TRecordingProgress : public IProgress {
 public:
  void SetRange(int, int) override { calls << "range"; }
  void SetPosition(int) override { calls << "position"; }
  void Repaint() override { calls << "repaint"; }
  void ProcessMessages() override { calls << "messages"; }
  QStringList calls;
};

}  // namespace

class ClearDevice : public FreshInstall {};

TEST_F(ClearDevice, EveryClearingCallRepaintsAndLetsMessagesRunFirst) {
  const std::function<void(IProgress&, const QString&)> clearings[] = {
      [](IProgress& p, const QString& d) { TTimeZoneOp().ClearDevice(1, d, p); },
      [](IProgress& p, const QString& d) { TWeekSchemeOp().ClearDevice(1, d, p); },
      [](IProgress& p, const QString& d) { THolidayOp().ClearDevice(1, d, p); },
      [](IProgress& p, const QString& d) { THolidayPlanOp().ClearDevice(1, d, p); },
      [](IProgress& p, const QString& d) { TControlGroupOp().ClearDevice(1, d, p); },
      [](IProgress& p, const QString& d) { TInPortOperater().ClearDeviceInPorts(1, d, p); },
      [](IProgress& p, const QString& d) { TOutPortOperater().ClearDeviceOutPorts(1, d, p); },
  };
  for (const auto& clear : clearings) {
    // No port is open here: the commands fail, which the clearing calls ignore; a device
    // number that is no number sends nothing.
    for (const QString device : {"7", "x7"}) {
      TRecordingProgress progress;
      EXPECT_NO_THROW(clear(progress, device));
      EXPECT_EQ(progress.calls, QStringList({"repaint", "messages"}));
    }
  }
}

namespace {

// A controller holding two records of every kind and all six ports.
void Fill(kv60sim::Controller& controller) {
  for (int id : {1, 42}) {
    controller.SetTimeZone(id, {});
    controller.SetWeekPlan(id, {});
    controller.SetHoliday(id, {});
    controller.SetHolidayPlan(id, {});
    controller.SetControlGroup(id, {});
  }
  for (int port = 1; port <= 3; ++port) {
    controller.SetInPort(port, {17, true, false, QTime(8, 0), QTime(18, 0)});
    controller.SetOutPort(port, {1, 3});
  }
}

}  // namespace

TEST_F(ClearDevice, ClearsTheControllersRulesAndPortsAndNoOtherController) {
  SimLine sim;
  kv60sim::Controller& door = sim.Add(3);
  kv60sim::Controller& other = sim.Add(4);
  Fill(door);
  Fill(other);
  ASSERT_EQ(OpenPort(sim.ComNo()), 0);
  TNoProgress progress;

  TTimeZoneOp().ClearDevice(sim.ComNo(), "3", progress);
  TWeekSchemeOp().ClearDevice(sim.ComNo(), "3", progress);
  THolidayOp().ClearDevice(sim.ComNo(), "3", progress);
  THolidayPlanOp().ClearDevice(sim.ComNo(), "3", progress);
  TControlGroupOp().ClearDevice(sim.ComNo(), "3", progress);
  ASSERT_TRUE(sim.line.WaitIdle());
  EXPECT_TRUE(door.TimeZones().empty());
  EXPECT_TRUE(door.WeekPlans().empty());
  EXPECT_TRUE(door.Holidays().empty());
  EXPECT_TRUE(door.HolidayPlans().empty());
  EXPECT_TRUE(door.ControlGroups().empty());
  EXPECT_EQ(door.InPorts().size(), 3u);  // ports are cleared by their own calls

  sim.line.ClearRequests();
  TInPortOperater().ClearDeviceInPorts(sim.ComNo(), "3", progress);
  TOutPortOperater().ClearDeviceOutPorts(sim.ComNo(), "3", progress);
  ASSERT_TRUE(sim.line.WaitIdle());
  EXPECT_TRUE(door.InPorts().empty());
  EXPECT_TRUE(door.OutPorts().empty());
  // Ports 1, 2 and 3 in this order, inputs first.
  QStringList codes;
  for (const QString& request : sim.line.Requests())
    codes << request.mid(10, 3) + request.mid(13, 2);
  EXPECT_EQ(codes, QStringList({"03401", "03402", "03403", "03701", "03702", "03703"}));

  // The controller next to it keeps everything.
  EXPECT_EQ(other.TimeZones().size(), 2u);
  EXPECT_EQ(other.ControlGroups().size(), 2u);
  EXPECT_EQ(other.InPorts().size(), 3u);
  EXPECT_EQ(other.OutPorts().size(), 3u);
}

TEST_F(ClearDevice, AControllerThatDoesNotAnswerIsNoError) {
  SimLine sim;
  Fill(sim.Add(3));
  ASSERT_EQ(OpenPort(sim.ComNo()), 0);
  sim.line.AddFault(kv60sim::Fault::NoAnswer().Times(0));
  TNoProgress progress;
  EXPECT_NO_THROW(TTimeZoneOp().ClearDevice(sim.ComNo(), "3", progress));
  EXPECT_EQ(sim.line.Requests().size(), 1u);
}
