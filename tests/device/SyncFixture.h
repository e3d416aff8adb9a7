// A fresh installation with a simulated line and small builders for the synchronisation tests.
#pragma once

#include <QStringList>
#include <map>
#include <memory>

#include "data/db_Exec.h"
#include "device/CommSync.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

// Records what the engine shows; stop requests and answers are scripted.
class RecordingHost : public IDeviceLoopHost, public IProgress {
 public:
  void DoorStatus(int row, const QString& text) override {
    if (!text.isEmpty()) statuses[row] << text;
  }
  IProgress& Progress() override { return *this; }
  void ProcessMessages() override { ++pumps; }
  bool StopRequested() override {
    ++stopPolls;
    return stopAtPoll > 0 && stopPolls == stopAtPoll;
  }
  bool Ask(const QString& question) override {
    questions << question;
    return answer;
  }
  void SetRange(int, int maximum) override { rangeMax = maximum; }
  void SetPosition(int) override {}
  void Repaint() override {}

  std::map<int, QStringList> statuses;
  QStringList questions;
  int stopAtPoll = 0;  // the poll (1-based) that reports a stop request; 0: never
  int stopPolls = 0;
  bool answer = true;
  int pumps = 0;
  int rangeMax = -1;
};

class SyncFixture : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    FreezeClock(QDateTime(QDate(2024, 6, 15), QTime(12, 30, 45)));
    sim = std::make_unique<SimLine>();
  }
  void TearDown() override {
    sim.reset();
    FreshInstall::TearDown();
  }

  void AddDoor(int did, int deviceId) {
    ExecSQL(QString("insert into Door(Did, DeviceId, DName, DGrpId, SNR, Version) values(%1, %2, "
                    "'Door %1', 0, 'SN%1', 'V1')")
                .arg(did)
                .arg(deviceId));
  }
  // Returns the user's key.
  int AddUser(const QString& uid, const QString& card, const QString& validUntil = "2099-12-31",
              const QString& password = "123456") {
    ExecSQL(QString("insert into UserInfo(UGrpId, UID, UName, UCard, UPSW, UInvalidate) "
                    "values(0, '%1', 'User %1', '%2', '%3', '%4')")
                .arg(uid, card, password, validUntil));
    return MaxId("UserInfo", "UKey");
  }
  void Authorise(int userKey, int did, int group = 1) {
    ExecSQL(QString("insert into RegUser(UKey, DId, CGrpId) values(%1, %2, %3)")
                .arg(userKey)
                .arg(did)
                .arg(group));
  }
  void AddControlGroup(int id, int weekPlan, int plan, const QString& enabled) {
    ExecSQL(QString("insert into ControlGroup(CGrpId, CGroupName, WkSchemeId, HolidayPlanId, "
                    "HldPlanEnabled) values(%1, 'Group %1', %2, %3, '%4')")
                .arg(id)
                .arg(weekPlan)
                .arg(plan)
                .arg(enabled));
  }
  void AddTimeZone(int id) {
    ExecSQL(QString("insert into TimeZone values(%1, 'Zone %1', '08:00:00', '12:00:00', 1, "
                    "'12:00:00', '13:30:00', 2, '13:30:00', '18:00:00', 3, '18:00:00', "
                    "'22:00:00', 4, '22:00:00', '23:59:59', 1)")
                .arg(id));
  }

  TSyncOutcome RunSync(const std::vector<TSyncRow>& rows, TSyncOptions options = {}) {
    TCommSyncEngine engine(host);
    return engine.Run(rows, options);
  }
  static TSyncRow Row(int deviceId, int did, bool ticked = true) {
    return TSyncRow{deviceId, did, QString("Door %1").arg(did), ticked};
  }
  // The command codes of the requests the line received, in order.
  QStringList RequestCodes() const {
    QStringList codes;
    for (const QString& frame : sim->line.Requests()) codes << frame.mid(10, 3);
    return codes;
  }

  RecordingHost host;
  std::unique_ptr<SimLine> sim;
};
