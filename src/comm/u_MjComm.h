// The controller link: the pool of serial ports with its request/reply exchange, and one
// function per controller command. Commands never throw: they return result codes
// (0 success, 1 port not open, 2 incomplete write, 3 no answer, 4 unusable answer,
// 6 checksum error, 7 answer too short, 8 controller error or end of records, 9 wrong frame
// letter, 105 no more records, 12/14 record parsing; any other value: the controller's status).
#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <array>

// ---- port pool --------------------------------------------------------------------------

int OpenPort(int ComNo);    // 0 open afterwards; 1 out of range or opening failed
bool IsPortOpen(int ComNo);
int ClosePort(int ComNo);
// Sends one request frame and waits for the reply (up to `timeout` ms). `reply` receives the
// extracted reply frame.
int Exchange(int ComNo, const QString& frame, QString& reply, int timeout);

// ---- clock, users, records ------------------------------------------------------------

int MjTestOnline(int ComNo, int DevNo);
int MjSetDateTime(int ComNo, int DevNo, int Year, int Month, int Day, int Hour, int Minute,
                  int Second, int WeekDay);
int MjAddUser(int ComNo, int DevNo, const QString& Kind, const QString& GroupField,
              const QString& Password, const QString& CardNo, const QString& UserId);
// Sends UserId followed by CardNo.
int MjDeleteUser(int ComNo, int DevNo, const QString& CardNo, const QString& UserId);
int MjGetUser(int ComNo, int DevNo, const QString& CardNo, QString& Kind, QString& Password,
              QString& GroupField, QString& UserId);
int MjGetRecordCount(int ComNo, int DevNo, int& Count);
int MjReadCurrentRecord(int ComNo, int DevNo, QString& Record);
// Repeat: "067" reads the current record again; otherwise "066" moves on to the next one.
int MjReadRecord(int ComNo, int DevNo, bool Repeat, QString& Record);

// The fields of one event record.
struct TMjRecord {
  int RecordType = 0;
  int DoorIndex = 0;
  bool InFlag = true;
  QString UserId;
  QString CardNo;
  int PassType = 0;
  int CardType = 0;
  int WarnType = 0;
  int EventSrc = 0;
  QDateTime Time;
};
int MjParseRecord(const QString& Record, TMjRecord& Fields);

// ---- time rules ---------------------------------------------------------------------------

int MjSetControlGroup(int ComNo, int DevNo, int GroupId, int WeekSchemeId,
                      bool HolidayPlanEnabled, int HolidayPlanId);
int MjGetControlGroup(int ComNo, int DevNo, int GroupId, int& WeekSchemeId,
                      bool& HolidayPlanEnabled, int& HolidayPlanId);
int MjDeleteControlGroup(int ComNo, int DevNo, int GroupId);  // 255: all
int MjSetHoliday(int ComNo, int DevNo, int HolidayId, int ZoneId, int BeginYear, int BeginMonth,
                 int BeginDay, int EndYear, int EndMonth, int EndDay);
int MjGetHoliday(int ComNo, int DevNo, int HolidayId, int& BeginYear, int& BeginMonth,
                 int& BeginDay, int& EndYear, int& EndMonth, int& EndDay, int& ZoneId);
int MjDeleteHoliday(int ComNo, int DevNo, int HolidayId);  // 255: all
// Zones[0] is Monday .. Zones[6] Sunday.
int MjSetWeekScheme(int ComNo, int DevNo, int SchemeId, const std::array<int, 7>& Zones);
int MjGetWeekScheme(int ComNo, int DevNo, int SchemeId, std::array<int, 7>& Zones);
int MjDeleteWeekScheme(int ComNo, int DevNo, int SchemeId);  // 255: all
// Five segments; each ends where the next begins, the last at 23:59. Modes 0..3 on the wire.
int MjSetTimeZone(int ComNo, int DevNo, int ZoneId, const std::array<QTime, 5>& Begin,
                  const std::array<int, 5>& Mode);
int MjGetTimeZone(int ComNo, int DevNo, int ZoneId, std::array<QTime, 5>& Begin,
                  std::array<int, 5>& Mode);
int MjDeleteTimeZone(int ComNo, int DevNo, int ZoneId);  // 255: all
// Holidays: 30 holiday ids, -1 for an empty place.
int MjSetHolidayPlan(int ComNo, int DevNo, int PlanId, const std::array<int, 30>& Holidays);
int MjDeleteHolidayPlan(int ComNo, int DevNo, int PlanId);  // 255: all

// ---- input and output ports ---------------------------------------------------------------

int MjSetInPort(int ComNo, int DevNo, int PortNum, int FuncId, bool Enabled, bool HighLevel,
                const QTime& BeginTime, const QTime& EndTime);
int MjGetInPort(int ComNo, int DevNo, int PortNum, int& FuncId, bool& Enabled, bool& HighLevel,
                QTime& BeginTime, QTime& EndTime);
int MjClearInPort(int ComNo, int DevNo, int PortNum);
int MjSetOutPort(int ComNo, int DevNo, int PortNum, int FuncId, int DelayTime);
int MjGetOutPort(int ComNo, int DevNo, int PortNum, int& FuncId, int& DelayTime);
int MjClearOutPort(int ComNo, int DevNo, int PortNum);

// ---- door setup ---------------------------------------------------------------------------

int MjGetSerial(int ComNo, int DevNo, QString& Serial);
int MjSetDeviceNo(int ComNo, int DevNo, int NewDevNo, const QString& Serial);
int MjGetVersion(int ComNo, int DevNo, QString& Version);
int MjGetKeySensitivity(int ComNo, int DevNo, int& Enabled, int& Sensitivity);
int MjSetKeySensitivity(int ComNo, int DevNo, int Enabled, int Sensitivity);
int MjGetOpenPassword(int ComNo, int DevNo, int& NeedWg1, int& NeedWg2);
int MjSetOpenPassword(int ComNo, int DevNo, int NeedWg1, int NeedWg2);
int MjGetSensorDelay(int ComNo, int DevNo, int& Delay);
int MjSetSensorDelay(int ComNo, int DevNo, int Delay);
int MjGetPasswordLock(int ComNo, int DevNo, int& Attempts, int& LockTime);
int MjSetPasswordLock(int ComNo, int DevNo, int Attempts, int LockTime);
int MjGetAntiPassback(int ComNo, int DevNo, int& Enabled, int& Time);
int MjSetAntiPassback(int ComNo, int DevNo, int Enabled, int Time);
