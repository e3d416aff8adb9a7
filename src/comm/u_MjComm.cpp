// Placeholder bodies until the serial link is in: every command reports "port not open".
#include "comm/u_MjComm.h"

int OpenPort(int) {
  return 1;
}
bool IsPortOpen(int) {
  return false;
}
int ClosePort(int) {
  return 1;
}
int Exchange(int, const QString&, QString&, int) {
  return 1;
}
int MjTestOnline(int, int) {
  return 1;
}
int MjSetDateTime(int, int, int, int, int, int, int, int, int) {
  return 1;
}
int MjAddUser(int, int, const QString&, const QString&, const QString&, const QString&,
              const QString&) {
  return 1;
}
int MjDeleteUser(int, int, const QString&, const QString&) {
  return 1;
}
int MjGetUser(int, int, const QString&, QString&, QString&, QString&, QString&) {
  return 1;
}
int MjGetRecordCount(int, int, int&) {
  return 1;
}
int MjReadCurrentRecord(int, int, QString&) {
  return 1;
}
int MjReadRecord(int, int, bool, QString&) {
  return 1;
}
int MjParseRecord(const QString&, TMjRecord&) {
  return 12;
}
int MjSetControlGroup(int, int, int, int, bool, int) {
  return 1;
}
int MjGetControlGroup(int, int, int, int&, bool&, int&) {
  return 1;
}
int MjDeleteControlGroup(int, int, int) {
  return 1;
}
int MjSetHoliday(int, int, int, int, int, int, int, int, int, int) {
  return 1;
}
int MjGetHoliday(int, int, int, int&, int&, int&, int&, int&, int&, int&) {
  return 1;
}
int MjDeleteHoliday(int, int, int) {
  return 1;
}
int MjSetWeekScheme(int, int, int, const std::array<int, 7>&) {
  return 1;
}
int MjGetWeekScheme(int, int, int, std::array<int, 7>&) {
  return 1;
}
int MjDeleteWeekScheme(int, int, int) {
  return 1;
}
int MjSetTimeZone(int, int, int, const std::array<QTime, 5>&, const std::array<int, 5>&) {
  return 1;
}
int MjGetTimeZone(int, int, int, std::array<QTime, 5>&, std::array<int, 5>&) {
  return 1;
}
int MjDeleteTimeZone(int, int, int) {
  return 1;
}
int MjSetHolidayPlan(int, int, int, const std::array<int, 30>&) {
  return 1;
}
int MjDeleteHolidayPlan(int, int, int) {
  return 1;
}
int MjSetInPort(int, int, int, int, bool, bool, const QTime&, const QTime&) {
  return 1;
}
int MjGetInPort(int, int, int, int&, bool&, bool&, QTime&, QTime&) {
  return 1;
}
int MjClearInPort(int, int, int) {
  return 1;
}
int MjSetOutPort(int, int, int, int, int) {
  return 1;
}
int MjGetOutPort(int, int, int, int&, int&) {
  return 1;
}
int MjClearOutPort(int, int, int) {
  return 1;
}
int MjGetSerial(int, int, QString&) {
  return 1;
}
int MjSetDeviceNo(int, int, int, const QString&) {
  return 1;
}
int MjGetVersion(int, int, QString&) {
  return 1;
}
int MjGetKeySensitivity(int, int, int&, int&) {
  return 1;
}
int MjSetKeySensitivity(int, int, int, int) {
  return 1;
}
int MjGetOpenPassword(int, int, int&, int&) {
  return 1;
}
int MjSetOpenPassword(int, int, int, int) {
  return 1;
}
int MjGetSensorDelay(int, int, int&) {
  return 1;
}
int MjSetSensorDelay(int, int, int) {
  return 1;
}
int MjGetPasswordLock(int, int, int&, int&) {
  return 1;
}
int MjSetPasswordLock(int, int, int, int) {
  return 1;
}
int MjGetAntiPassback(int, int, int&, int&) {
  return 1;
}
int MjSetAntiPassback(int, int, int, int) {
  return 1;
}
