// The controller commands: each builds its payload, sends one frame with letter "A" and, when
// the controller answered with status "00", reads its outputs from the reply (MjReply.h).
#include "comm/u_MjComm.h"

#include <QDate>

#include "comm/MjReply.h"
#include "comm/frame.h"

namespace {

constexpr int kParameterTimeout = 1000;

QString HH(int value) {
  return QString::asprintf("%02X", static_cast<unsigned>(value));
}
QString HHHH(int value) {
  return QString::asprintf("%04X", static_cast<unsigned>(value));
}
QString DD(int value) {
  return QString::asprintf("%02d", value);
}
QString DDDD(int value) {
  return QString::asprintf("%04d", value);
}
QString Flag(bool value) {
  return value ? QStringLiteral("01") : QStringLiteral("00");
}
QString Hhmm(const QTime& time) {
  return DD(time.hour()) + DD(time.minute());
}

// One request/reply; `reply` is set only on success.
int Send(int ComNo, int DevNo, const char* code, const QString& payload, int timeout,
         QString& reply) {
  if (!IsPortOpen(ComNo)) return 1;
  const QString frame = BuildFrame(QLatin1Char('A'), DevNo, QLatin1String(code), payload);
  QString received;
  const int result = Exchange(ComNo, frame, received, timeout);
  if (result == 0) reply = received;
  return result;
}

int Send(int ComNo, int DevNo, const char* code, const QString& payload, int timeout) {
  QString unused;
  return Send(ComNo, DevNo, code, payload, timeout, unused);
}

// A read command: on success the reply goes to `read`, whose result is returned.
template <typename Reader>
int Query(int ComNo, int DevNo, const char* code, const QString& payload, int timeout,
          Reader read) {
  QString reply;
  const int result = Send(ComNo, DevNo, code, payload, timeout, reply);
  return result != 0 ? result : read(reply);
}

bool AllValid(std::initializer_list<QTime> times) {
  for (const QTime& t : times) {
    if (!t.isValid()) return false;
  }
  return true;
}

}  // namespace

// ---- clock, users, records ----------------------------------------------------------------

int MjTestOnline(int ComNo, int DevNo) {
  return Send(ComNo, DevNo, "001", QString(), 150);
}

int MjSetDateTime(int ComNo, int DevNo, int Year, int Month, int Day, int Hour, int Minute,
                  int Second, int WeekDay) {
  if (Year < 1 || Year > 9999 || !QDate::isValid(Year, Month, Day) ||
      !QTime::isValid(Hour, Minute, Second, 0))
    return IsPortOpen(ComNo) ? 4 : 1;
  const QString payload =
      DDDD(Year) + DD(Month) + DD(Day) + DD(Hour) + DD(Minute) + DD(Second) + DD(WeekDay);
  return Send(ComNo, DevNo, "003", payload, 1000);
}

int MjAddUser(int ComNo, int DevNo, const QString& Kind, const QString& GroupField,
              const QString& Password, const QString& CardNo, const QString& UserId) {
  return Send(ComNo, DevNo, "009", Kind + GroupField + Password + CardNo + UserId, 3000);
}

int MjDeleteUser(int ComNo, int DevNo, const QString& CardNo, const QString& UserId) {
  return Send(ComNo, DevNo, "010", UserId + CardNo, 2000);
}

int MjGetUser(int ComNo, int DevNo, const QString& CardNo, QString& Kind, QString& Password,
              QString& GroupField, QString& UserId) {
  return Query(ComNo, DevNo, "011", CardNo, 2000, [&](const QString& reply) {
    return ReadUserReply(reply, Kind, Password, GroupField, UserId);
  });
}

int MjGetRecordCount(int ComNo, int DevNo, int& Count) {
  return Query(ComNo, DevNo, "045", QString(), 3000,
               [&](const QString& reply) { return ReadRecordCountReply(reply, Count); });
}

int MjReadCurrentRecord(int ComNo, int DevNo, QString& Record) {
  if (!IsPortOpen(ComNo)) return 1;
  QString reply;
  const int result = Send(ComNo, DevNo, "065", QString(), 200, reply);
  if (result == 1) return 8;  // here only a controller status of 01
  if (result != 0) return result;
  return ReadCurrentRecordReply(reply, Record);
}

int MjReadRecord(int ComNo, int DevNo, bool Repeat, QString& Record) {
  if (!IsPortOpen(ComNo)) return 1;
  QString reply;
  const int result = Send(ComNo, DevNo, Repeat ? "067" : "066", QString(), 200, reply);
  if (result == 1) return 8;  // here only a controller status of 01
  if (result != 0) return result;
  return ReadRecordReply(reply, Record);
}

// ---- time rules -----------------------------------------------------------------------------

int MjSetControlGroup(int ComNo, int DevNo, int GroupId, int WeekSchemeId, bool HolidayPlanEnabled,
                      int HolidayPlanId) {
  const QString payload =
      HH(GroupId) + HH(WeekSchemeId) + Flag(HolidayPlanEnabled) + HH(HolidayPlanId);
  return Send(ComNo, DevNo, "012", payload, kParameterTimeout);
}

int MjGetControlGroup(int ComNo, int DevNo, int GroupId, int& WeekSchemeId,
                      bool& HolidayPlanEnabled, int& HolidayPlanId) {
  return Query(ComNo, DevNo, "013", HH(GroupId), kParameterTimeout, [&](const QString& reply) {
    return ReadControlGroupReply(reply, WeekSchemeId, HolidayPlanEnabled, HolidayPlanId);
  });
}

int MjDeleteControlGroup(int ComNo, int DevNo, int GroupId) {
  return Send(ComNo, DevNo, "014", HH(GroupId), kParameterTimeout);
}

int MjSetHoliday(int ComNo, int DevNo, int HolidayId, int ZoneId, int BeginYear, int BeginMonth,
                 int BeginDay, int EndYear, int EndMonth, int EndDay) {
  const QString payload = HH(HolidayId) + DDDD(BeginYear) + DD(BeginMonth) + DD(BeginDay) +
                          DDDD(EndYear) + DD(EndMonth) + DD(EndDay) + HH(ZoneId);
  return Send(ComNo, DevNo, "015", payload, kParameterTimeout);
}

int MjGetHoliday(int ComNo, int DevNo, int HolidayId, int& BeginYear, int& BeginMonth,
                 int& BeginDay, int& EndYear, int& EndMonth, int& EndDay, int& ZoneId) {
  return Query(ComNo, DevNo, "016", HH(HolidayId), kParameterTimeout, [&](const QString& reply) {
    return ReadHolidayReply(reply, BeginYear, BeginMonth, BeginDay, EndYear, EndMonth, EndDay,
                            ZoneId);
  });
}

int MjDeleteHoliday(int ComNo, int DevNo, int HolidayId) {
  return Send(ComNo, DevNo, "017", HH(HolidayId), kParameterTimeout);
}

int MjSetWeekScheme(int ComNo, int DevNo, int SchemeId, const std::array<int, 7>& Zones) {
  QString payload = HH(SchemeId);
  for (const int zone : Zones) payload += HH(zone);
  return Send(ComNo, DevNo, "018", payload, kParameterTimeout);
}

int MjGetWeekScheme(int ComNo, int DevNo, int SchemeId, std::array<int, 7>& Zones) {
  return Query(ComNo, DevNo, "019", HH(SchemeId), kParameterTimeout,
               [&](const QString& reply) { return ReadWeekSchemeReply(reply, Zones); });
}

int MjDeleteWeekScheme(int ComNo, int DevNo, int SchemeId) {
  return Send(ComNo, DevNo, "020", HH(SchemeId), kParameterTimeout);
}

int MjSetTimeZone(int ComNo, int DevNo, int ZoneId, const std::array<QTime, 5>& Begin,
                  const std::array<int, 5>& Mode) {
  // An invalid time would shift every later field of the frame.
  if (!AllValid({Begin[0], Begin[1], Begin[2], Begin[3], Begin[4]}))
    return IsPortOpen(ComNo) ? 4 : 1;
  QString payload = HH(ZoneId);
  for (int k = 0; k < 5; ++k) {
    const QString end = k < 4 ? Hhmm(Begin[k + 1]) : QStringLiteral("2359");
    payload += Hhmm(Begin[k]) + end + HH(Mode[k]);
  }
  return Send(ComNo, DevNo, "021", payload, kParameterTimeout);
}

int MjGetTimeZone(int ComNo, int DevNo, int ZoneId, std::array<QTime, 5>& Begin,
                  std::array<int, 5>& Mode) {
  return Query(ComNo, DevNo, "022", HH(ZoneId), kParameterTimeout,
               [&](const QString& reply) { return ReadTimeZoneReply(reply, Begin, Mode); });
}

int MjDeleteTimeZone(int ComNo, int DevNo, int ZoneId) {
  return Send(ComNo, DevNo, "023", HH(ZoneId), kParameterTimeout);
}

int MjSetHolidayPlan(int ComNo, int DevNo, int PlanId, const std::array<int, 30>& Holidays) {
  const int fill = Holidays[0] != -1 ? Holidays[0] : 255;
  QString payload = HH(PlanId);
  for (const int holiday : Holidays) payload += HH(holiday == -1 ? fill : holiday);
  return Send(ComNo, DevNo, "024", payload, kParameterTimeout);
}

int MjDeleteHolidayPlan(int ComNo, int DevNo, int PlanId) {
  return Send(ComNo, DevNo, "026", HH(PlanId), kParameterTimeout);
}

// ---- input and output ports -----------------------------------------------------------------

int MjSetInPort(int ComNo, int DevNo, int PortNum, int FuncId, bool Enabled, bool HighLevel,
                const QTime& BeginTime, const QTime& EndTime) {
  if (!AllValid({BeginTime, EndTime})) return IsPortOpen(ComNo) ? 4 : 1;
  const QString payload =
      HH(PortNum) + HH(FuncId) + Flag(Enabled) + Flag(HighLevel) + Hhmm(BeginTime) + Hhmm(EndTime);
  return Send(ComNo, DevNo, "032", payload, kParameterTimeout);
}

int MjGetInPort(int ComNo, int DevNo, int PortNum, int& FuncId, bool& Enabled, bool& HighLevel,
                QTime& BeginTime, QTime& EndTime) {
  return Query(ComNo, DevNo, "033", HH(PortNum), kParameterTimeout, [&](const QString& reply) {
    return ReadInPortReply(reply, FuncId, Enabled, HighLevel, BeginTime, EndTime);
  });
}

int MjClearInPort(int ComNo, int DevNo, int PortNum) {
  return Send(ComNo, DevNo, "034", HH(PortNum), kParameterTimeout);
}

int MjSetOutPort(int ComNo, int DevNo, int PortNum, int FuncId, int DelayTime) {
  return Send(ComNo, DevNo, "035", HH(PortNum) + HH(FuncId) + HH(DelayTime), kParameterTimeout);
}

int MjGetOutPort(int ComNo, int DevNo, int PortNum, int& FuncId, int& DelayTime) {
  return Query(ComNo, DevNo, "036", HH(PortNum), kParameterTimeout,
               [&](const QString& reply) { return ReadOutPortReply(reply, FuncId, DelayTime); });
}

int MjClearOutPort(int ComNo, int DevNo, int PortNum) {
  return Send(ComNo, DevNo, "037", HH(PortNum), kParameterTimeout);
}

// ---- door setup -----------------------------------------------------------------------------

int MjGetSerial(int ComNo, int DevNo, QString& Serial) {
  return Query(ComNo, DevNo, "063", QString(), kParameterTimeout,
               [&](const QString& reply) { return ReadSerialReply(reply, Serial); });
}

int MjSetDeviceNo(int ComNo, int DevNo, int NewDevNo, const QString& Serial) {
  return Send(ComNo, DevNo, "062", Serial + HH(NewDevNo), kParameterTimeout);
}

int MjGetVersion(int ComNo, int DevNo, QString& Version) {
  return Query(ComNo, DevNo, "112", QString(), kParameterTimeout,
               [&](const QString& reply) { return ReadVersionReply(reply, Version); });
}

int MjGetKeySensitivity(int ComNo, int DevNo, int& Enabled, int& Sensitivity) {
  return Query(ComNo, DevNo, "071", QString(), kParameterTimeout, [&](const QString& reply) {
    return ReadKeySensitivityReply(reply, Enabled, Sensitivity);
  });
}

int MjSetKeySensitivity(int ComNo, int DevNo, int Enabled, int Sensitivity) {
  return Send(ComNo, DevNo, "070", HH(Enabled) + HH(Sensitivity), kParameterTimeout);
}

int MjGetOpenPassword(int ComNo, int DevNo, int& NeedWg1, int& NeedWg2) {
  return Query(ComNo, DevNo, "073", QString(), kParameterTimeout, [&](const QString& reply) {
    return ReadOpenPasswordReply(reply, NeedWg1, NeedWg2);
  });
}

int MjSetOpenPassword(int ComNo, int DevNo, int NeedWg1, int NeedWg2) {
  return Send(ComNo, DevNo, "072", HH(NeedWg1) + HH(NeedWg2), kParameterTimeout);
}

int MjGetSensorDelay(int ComNo, int DevNo, int& Delay) {
  return Query(ComNo, DevNo, "075", QString(), kParameterTimeout,
               [&](const QString& reply) { return ReadSensorDelayReply(reply, Delay); });
}

int MjSetSensorDelay(int ComNo, int DevNo, int Delay) {
  return Send(ComNo, DevNo, "074", HHHH(Delay), kParameterTimeout);
}

int MjGetPasswordLock(int ComNo, int DevNo, int& Attempts, int& LockTime) {
  return Query(ComNo, DevNo, "077", QString(), kParameterTimeout, [&](const QString& reply) {
    return ReadPasswordLockReply(reply, Attempts, LockTime);
  });
}

int MjSetPasswordLock(int ComNo, int DevNo, int Attempts, int LockTime) {
  return Send(ComNo, DevNo, "076", HH(Attempts) + HHHH(LockTime), kParameterTimeout);
}

int MjGetAntiPassback(int ComNo, int DevNo, int& Enabled, int& Time) {
  return Query(ComNo, DevNo, "079", QString(), kParameterTimeout,
               [&](const QString& reply) { return ReadAntiPassbackReply(reply, Enabled, Time); });
}

int MjSetAntiPassback(int ComNo, int DevNo, int Enabled, int Time) {
  return Send(ComNo, DevNo, "078", HH(Enabled) + HHHH(Time), kParameterTimeout);
}
