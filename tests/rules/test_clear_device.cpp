// Clearing a controller's time rules and ports before the synchronisation writes them.
#include <gtest/gtest.h>

#include "model/bll_IOPort.h"
#include "model/bll_limit.h"
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
