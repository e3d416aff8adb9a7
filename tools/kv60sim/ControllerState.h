// The inside of a controller, shared by the controller and the line that answers for it.
#pragma once

#include "Kv60Sim.h"

namespace kv60sim {

struct Controller::State {
  int devNo = 0;
  QString serial;
  QString version;
  qint64 clockOffsetMs = 0;
  int weekDay = 0;
  std::map<QString, UserEntry> users;
  std::map<int, TimeZone> timeZones;
  std::map<int, WeekPlan> weekPlans;
  std::map<int, Holiday> holidays;
  std::map<int, HolidayPlan> holidayPlans;
  std::map<int, ControlGroup> controlGroups;
  std::map<int, InPort> inPorts;
  std::map<int, OutPort> outPorts;
  DoorOptions options;
  std::vector<QString> records;
  int readPosition = 0;
  QString currentRecord;

  QDateTime Clock() const { return QDateTime::currentDateTime().addMSecs(clockOffsetMs); }
};

// What a controller answers: status and data, or an error digit, or nothing.
struct Controller::Answer {
  bool silent = false;
  char errorDigit = 0;  // an error reply "F<digit>"
  int status = 0;
  QString data;
  int devNo = 0;  // the device number the reply names
};

}  // namespace kv60sim
