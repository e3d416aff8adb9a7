// Read-back tests: a fresh installation with a simulated line on COM1, controller 1 (door
// "Front door") whose contents each test sets, and a host that keeps what the engine reports.
#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "device/CommSearch.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

// Keeps the rows, the progress and the calls between two commands.
class RecordingSearchHost : public IDeviceLoopHost, public IProgress, public ISearchRows {
 public:
  void DoorStatus(int, const QString&) override {}
  IProgress& Progress() override { return *this; }
  void ProcessMessages() override {
    ++steps;
    rowsAtStep.push_back(static_cast<int>(rows.size()));
  }
  bool StopRequested() override { return stopAtStep >= 0 && steps >= stopAtStep; }
  bool Ask(const QString& question) override { return HintYesNo(question); }

  void SetRange(int minimum, int maximum) override { range = {minimum, maximum}; }
  void SetPosition(int position) override { positions.push_back(position); }
  void Repaint() override {}

  void Clear() override { rows.clear(); }
  void AddRow(const QStringList& cells) override { rows.push_back(cells); }

  std::vector<QStringList> rows;
  std::pair<int, int> range{-1, -1};
  std::vector<int> positions;
  int steps = 0;
  std::vector<int> rowsAtStep;  // rows shown when each step began
  int stopAtStep = -1;          // StopRequested from this step on
};

class SearchFixture : public FreshInstall {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs a statement on the main database.
  void Exec(const QString& statement);
  // Time zones, week plans, ... named as the database knows them.
  void NameZone(int id, const QString& name);
  void NameWeekPlan(int id, const QString& name);
  void NameHoliday(int id, const QString& name);
  void NameHolidayPlan(int id, const QString& name);
  void NameGroup(int id, const QString& name);
  // A door in the database.
  void AddDoor(int did, int deviceId, const QString& name);
  // The command codes the line received, in order.
  QStringList RequestCodes();

  std::unique_ptr<SimLine> sim;
  kv60sim::Controller* controller = nullptr;
};
