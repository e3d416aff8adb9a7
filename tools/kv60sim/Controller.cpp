#include <QJsonArray>

#include "ControllerState.h"
#include "Protocol.h"

namespace kv60sim {

using namespace protocol;

const char* const kDefaultVersion = "KV60 V2.01";

QString EmptyRecordText() {
  return QString(38, QLatin1Char('F'));
}

QString Record::Text() const {
  QString f21 = QStringLiteral("00");
  QString f23 = QStringLiteral("00");
  switch (type) {
    case 1:
      f21 = Dec2(passType);
      f23 = Hex2(cardType);
      break;
    case 2:
      f21 = Hex2(passType);
      f23 = Hex2(warnType);
      break;
    case 4:
      f21 = Hex2(passType);
      f23 = Hex2(eventSrc);
      break;
    case 5:
      f21 = Hex2(eventSrc);
      f23 = Hex2(warnType);
      break;
    default:
      break;
  }
  const bool card = type == 1 || type == 6;
  const QString when = time.isValid() ? time.toString(QStringLiteral("yyyyMMddHHmmss"))
                                      : QStringLiteral("00000000000000");
  return Hex2(type) + Hex2(door) + (type == 1 ? Dec2(in ? 0 : 1) : QStringLiteral("00")) +
         (type == 1 ? userId : QStringLiteral("0000")).leftJustified(4, QLatin1Char('0'), true) +
         QStringLiteral("00") +
         (card ? cardNo : QStringLiteral("00000000")).rightJustified(8, QLatin1Char('0'), true) +
         f21 + f23 + when;
}

Controller::Controller(std::mutex& lock, int devNo, const QString& serial, const QString& version)
    : FLock(lock), FState(std::make_unique<State>()) {
  FState->devNo = devNo;
  FState->serial = serial;
  FState->version = version;
}

Controller::~Controller() = default;

#define KV60_LOCKED std::lock_guard<std::mutex> guard(FLock)

int Controller::DevNo() const {
  KV60_LOCKED;
  return FState->devNo;
}
QString Controller::Serial() const {
  KV60_LOCKED;
  return FState->serial;
}
QString Controller::Version() const {
  KV60_LOCKED;
  return FState->version;
}
void Controller::SetVersion(const QString& version) {
  KV60_LOCKED;
  FState->version = version;
}
QDateTime Controller::Clock() const {
  KV60_LOCKED;
  return FState->Clock();
}
int Controller::WeekDay() const {
  KV60_LOCKED;
  return FState->weekDay;
}
void Controller::SetClock(const QDateTime& at, int weekDay) {
  KV60_LOCKED;
  FState->clockOffsetMs = QDateTime::currentDateTime().msecsTo(at);
  FState->weekDay = weekDay;
}

std::map<QString, UserEntry> Controller::Users() const {
  KV60_LOCKED;
  return FState->users;
}
void Controller::SetUser(const UserEntry& entry) {
  KV60_LOCKED;
  FState->users[entry.cardNo] = entry;
}
void Controller::RemoveUser(const QString& cardNo) {
  KV60_LOCKED;
  FState->users.erase(cardNo);
}

#define KV60_TABLE(Type, Getter, Setter, member)       \
  std::map<int, Type> Controller::Getter() const {     \
    KV60_LOCKED;                                       \
    return FState->member;                             \
  }                                                    \
  void Controller::Setter(int id, const Type& value) { \
    KV60_LOCKED;                                       \
    FState->member[id] = value;                        \
  }

KV60_TABLE(TimeZone, TimeZones, SetTimeZone, timeZones)
KV60_TABLE(WeekPlan, WeekPlans, SetWeekPlan, weekPlans)
KV60_TABLE(Holiday, Holidays, SetHoliday, holidays)
KV60_TABLE(HolidayPlan, HolidayPlans, SetHolidayPlan, holidayPlans)
KV60_TABLE(ControlGroup, ControlGroups, SetControlGroup, controlGroups)
KV60_TABLE(InPort, InPorts, SetInPort, inPorts)
KV60_TABLE(OutPort, OutPorts, SetOutPort, outPorts)
#undef KV60_TABLE

DoorOptions Controller::Options() const {
  KV60_LOCKED;
  return FState->options;
}
void Controller::SetOptions(const DoorOptions& options) {
  KV60_LOCKED;
  FState->options = options;
}

std::vector<QString> Controller::Records() const {
  KV60_LOCKED;
  return FState->records;
}
int Controller::ReadPosition() const {
  KV60_LOCKED;
  return FState->readPosition;
}
void Controller::SetReadPosition(int position) {
  KV60_LOCKED;
  FState->readPosition = qBound(0, position, static_cast<int>(FState->records.size()));
}
void Controller::AddRecord(const Record& record) {
  Record timed = record;
  KV60_LOCKED;
  if (!timed.time.isValid()) timed.time = FState->Clock();
  FState->records.push_back(timed.Text());
}
void Controller::AddRecordText(const QString& text) {
  KV60_LOCKED;
  FState->records.push_back(text);
}
Record Controller::PresentCard(const QString& cardNo, int door, bool in) {
  KV60_LOCKED;
  Record record;
  record.type = 1;
  record.door = door;
  record.in = in;
  record.cardNo = cardNo;
  const auto entry = FState->users.find(cardNo);
  record.userId = entry != FState->users.end() ? entry->second.userId : QStringLiteral("FFFF");
  record.time = FState->Clock();
  FState->records.push_back(record.Text());
  FState->currentRecord = record.Text();
  return record;
}
QString Controller::CurrentRecord() const {
  KV60_LOCKED;
  return FState->currentRecord;
}

QJsonObject Controller::ToJson() const {
  KV60_LOCKED;
  return ToJsonLocked();
}

#undef KV60_LOCKED

namespace {

QString TimeText(const QTime& t) {
  return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : QString();
}

template <typename T, typename F>
QJsonObject Table(const std::map<int, T>& table, F toJson) {
  QJsonObject object;
  for (const auto& [id, value] : table) object.insert(QString::number(id), toJson(value));
  return object;
}

template <std::size_t N>
QJsonArray Numbers(const std::array<int, N>& values) {
  QJsonArray array;
  for (const int v : values) array.append(v);
  return array;
}

}  // namespace

QJsonObject Controller::ToJsonLocked() const {
  const State& s = *FState;
  QJsonObject o;
  o[QStringLiteral("devNo")] = s.devNo;
  o[QStringLiteral("serial")] = s.serial;
  o[QStringLiteral("version")] = s.version;
  o[QStringLiteral("clock")] = s.Clock().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  o[QStringLiteral("weekDay")] = s.weekDay;
  QJsonArray users;
  for (const auto& [card, u] : s.users) {
    users.append(QJsonObject{{QStringLiteral("kind"), u.kind},
                             {QStringLiteral("groupField"), u.groupField},
                             {QStringLiteral("password"), u.password},
                             {QStringLiteral("cardNo"), u.cardNo},
                             {QStringLiteral("userId"), u.userId}});
  }
  o[QStringLiteral("users")] = users;
  o[QStringLiteral("timeZones")] = Table(s.timeZones, [](const TimeZone& z) {
    QJsonArray segments;
    for (int k = 0; k < 5; ++k) {
      segments.append(QJsonObject{{QStringLiteral("begin"), TimeText(z.begin[k])},
                                  {QStringLiteral("end"), TimeText(z.end[k])},
                                  {QStringLiteral("mode"), z.mode[k]}});
    }
    return segments;
  });
  o[QStringLiteral("weekPlans")] =
      Table(s.weekPlans, [](const WeekPlan& p) { return Numbers(p.zones); });
  o[QStringLiteral("holidays")] = Table(s.holidays, [](const Holiday& h) {
    return QJsonObject{{QStringLiteral("begin"),
                        QString::asprintf("%04d-%02d-%02d", h.beginYear, h.beginMonth, h.beginDay)},
                       {QStringLiteral("end"),
                        QString::asprintf("%04d-%02d-%02d", h.endYear, h.endMonth, h.endDay)},
                       {QStringLiteral("zoneId"), h.zoneId}};
  });
  o[QStringLiteral("holidayPlans")] =
      Table(s.holidayPlans, [](const HolidayPlan& p) { return Numbers(p.holidays); });
  o[QStringLiteral("controlGroups")] = Table(s.controlGroups, [](const ControlGroup& g) {
    return QJsonObject{{QStringLiteral("weekPlanId"), g.weekPlanId},
                       {QStringLiteral("holidayPlanEnabled"), g.holidayPlanEnabled},
                       {QStringLiteral("holidayPlanId"), g.holidayPlanId}};
  });
  o[QStringLiteral("inPorts")] = Table(s.inPorts, [](const InPort& p) {
    return QJsonObject{{QStringLiteral("funcId"), p.funcId},
                       {QStringLiteral("enabled"), p.enabled},
                       {QStringLiteral("highLevel"), p.highLevel},
                       {QStringLiteral("begin"), TimeText(p.begin)},
                       {QStringLiteral("end"), TimeText(p.end)}};
  });
  o[QStringLiteral("outPorts")] = Table(s.outPorts, [](const OutPort& p) {
    return QJsonObject{{QStringLiteral("funcId"), p.funcId}, {QStringLiteral("delay"), p.delay}};
  });
  const DoorOptions& d = s.options;
  o[QStringLiteral("options")] =
      QJsonObject{{QStringLiteral("keyEnabled"), d.keyEnabled},
                  {QStringLiteral("keySensitivity"), d.keySensitivity},
                  {QStringLiteral("needWg1"), d.needWg1},
                  {QStringLiteral("needWg2"), d.needWg2},
                  {QStringLiteral("sensorDelay"), d.sensorDelay},
                  {QStringLiteral("passwordAttempts"), d.passwordAttempts},
                  {QStringLiteral("passwordLockTime"), d.passwordLockTime},
                  {QStringLiteral("antiPassbackEnabled"), d.antiPassbackEnabled},
                  {QStringLiteral("antiPassbackTime"), d.antiPassbackTime}};
  QJsonArray records;
  for (const QString& r : s.records) records.append(r);
  o[QStringLiteral("records")] = records;
  o[QStringLiteral("readPosition")] = s.readPosition;
  o[QStringLiteral("currentRecord")] = s.currentRecord;
  return o;
}

// ---- the command set ------------------------------------------------------------------------

namespace {

// Deletes one id, or every id with 255.
template <typename T>
void Delete(std::map<int, T>& table, int id) {
  if (id == 255)
    table.clear();
  else
    table.erase(id);
}

}  // namespace

Controller::Answer Controller::Handle(const QString& code, const QString& payload) {
  State& s = *FState;
  Answer a;
  a.devNo = s.devNo;
  const auto bad = [&a]() {
    a.errorDigit = '7';
    return a;
  };
  const auto notFound = [&a]() {
    a.status = kStatusNotFound;
    return a;
  };
  const auto withLength = [&](int length) { return payload.size() == length; };
  int id = 0;
  const bool hasId = HexAt(payload, 0, 2, id);
  // A read of the record `id` of a table: the id and the record's fields, or "not found".
  const auto read = [&](const auto& table, const auto& format) {
    if (!hasId) return bad();
    const auto entry = table.find(id);
    if (entry == table.end()) return notFound();
    a.data = Hex2(id) + format(entry->second);
    return a;
  };
  const int n = code.toInt();

  switch (n) {
    case 1:  // on-line probe
      return a;
    case 3: {  // clock
      int y, mo, d, h, mi, se, wd;
      if (!withLength(16) || !DecAt(payload, 0, 4, y) || !DecAt(payload, 4, 2, mo) ||
          !DecAt(payload, 6, 2, d) || !DecAt(payload, 8, 2, h) || !DecAt(payload, 10, 2, mi) ||
          !DecAt(payload, 12, 2, se) || !DecAt(payload, 14, 2, wd))
        return bad();
      const QDateTime at(QDate(y, mo, d), QTime(h, mi, se));
      if (!at.isValid() || wd < 1 || wd > 7) return bad();
      s.clockOffsetMs = QDateTime::currentDateTime().msecsTo(at);
      s.weekDay = wd;
      return a;
    }
    case 9: {  // add a user entry
      if (!withLength(28)) return bad();
      UserEntry u{payload.mid(0, 2), payload.mid(2, 8), payload.mid(10, 6), payload.mid(16, 8),
                  payload.mid(24, 4)};
      s.users[u.cardNo] = u;
      return a;
    }
    case 10: {  // delete a user entry: UID, card
      if (!withLength(12)) return bad();
      // An entry the controller does not hold is gone already: done. An entry of that card
      // that belongs to another UID is not the one meant, and stays: not found.
      const auto entry = s.users.find(payload.mid(4, 8));
      if (entry == s.users.end()) return a;
      if (entry->second.userId != payload.left(4)) return notFound();
      s.users.erase(entry);
      return a;
    }
    case 11: {  // read a user entry
      const auto entry = s.users.find(payload);
      if (entry == s.users.end()) return notFound();
      const UserEntry& u = entry->second;
      a.data = u.kind + u.groupField + u.password + u.cardNo + u.userId;
      return a;
    }
    case 45: {  // records from the read position on
      const int left = static_cast<int>(s.records.size()) - s.readPosition;
      a.data = Hex4(qMin(left, 0xFFFF));
      return a;
    }
    case 65:  // the current record, once
      a.data = s.currentRecord.isEmpty() ? EmptyRecordText() : s.currentRecord;
      s.currentRecord.clear();
      return a;
    case 66:
    case 67: {
      const int count = static_cast<int>(s.records.size());
      if (n == 66 && s.readPosition < count) ++s.readPosition;
      a.data = s.readPosition < count ? s.records[s.readPosition] : EmptyRecordText();
      return a;
    }
    case 12: {  // control group
      ControlGroup g;
      if (!withLength(8) || !hasId || !HexAt(payload, 2, 2, g.weekPlanId) ||
          !HexAt(payload, 6, 2, g.holidayPlanId))
        return bad();
      g.holidayPlanEnabled = FlagAt(payload, 4);
      s.controlGroups[id] = g;
      return a;
    }
    case 13:
      return read(s.controlGroups, [](const ControlGroup& g) {
        return Hex2(g.weekPlanId) + Flag(g.holidayPlanEnabled) + Hex2(g.holidayPlanId);
      });
    case 15: {  // holiday
      Holiday h;
      if (!withLength(20) || !hasId || !DecAt(payload, 2, 4, h.beginYear) ||
          !DecAt(payload, 6, 2, h.beginMonth) || !DecAt(payload, 8, 2, h.beginDay) ||
          !DecAt(payload, 10, 4, h.endYear) || !DecAt(payload, 14, 2, h.endMonth) ||
          !DecAt(payload, 16, 2, h.endDay) || !HexAt(payload, 18, 2, h.zoneId))
        return bad();
      s.holidays[id] = h;
      return a;
    }
    case 16:
      return read(s.holidays, [](const Holiday& h) {
        return Dec4(h.beginYear) + Dec2(h.beginMonth) + Dec2(h.beginDay) + Dec4(h.endYear) +
               Dec2(h.endMonth) + Dec2(h.endDay) + Hex2(h.zoneId);
      });
    case 18: {  // week plan
      WeekPlan p;
      if (!withLength(16) || !hasId) return bad();
      for (int day = 0; day < 7; ++day) {
        if (!HexAt(payload, 2 + 2 * day, 2, p.zones[day])) return bad();
      }
      s.weekPlans[id] = p;
      return a;
    }
    case 19:
      return read(s.weekPlans, [](const WeekPlan& p) {
        QString data;
        for (const int zone : p.zones) data += Hex2(zone);
        return data;
      });
    case 21: {  // time zone
      TimeZone z;
      if (!withLength(52) || !hasId) return bad();
      for (int k = 0; k < 5; ++k) {
        const int at = 2 + 10 * k;
        if (!HhmmAt(payload, at, z.begin[k]) || !HhmmAt(payload, at + 4, z.end[k]) ||
            !HexAt(payload, at + 8, 2, z.mode[k]))
          return bad();
      }
      s.timeZones[id] = z;
      return a;
    }
    case 22:
      return read(s.timeZones, [](const TimeZone& z) {
        QString data;
        for (int k = 0; k < 5; ++k) data += Hhmm(z.begin[k]) + Hhmm(z.end[k]) + Hex2(z.mode[k]);
        return data;
      });
    case 24: {  // holiday plan (no read command)
      HolidayPlan p;
      if (!withLength(62) || !hasId) return bad();
      for (int i = 0; i < 30; ++i) {
        if (!HexAt(payload, 2 + 2 * i, 2, p.holidays[i])) return bad();
      }
      s.holidayPlans[id] = p;
      return a;
    }
    case 14:
    case 17:
    case 20:
    case 23:
    case 26: {
      if (!withLength(2) || !hasId) return bad();
      if (n == 14) Delete(s.controlGroups, id);
      if (n == 17) Delete(s.holidays, id);
      if (n == 20) Delete(s.weekPlans, id);
      if (n == 23) Delete(s.timeZones, id);
      if (n == 26) Delete(s.holidayPlans, id);
      return a;
    }
    case 32: {  // input port
      InPort p;
      if (!withLength(16) || !hasId || id < 1 || id > 3 || !HexAt(payload, 2, 2, p.funcId) ||
          !HhmmAt(payload, 8, p.begin) || !HhmmAt(payload, 12, p.end))
        return bad();
      p.enabled = FlagAt(payload, 4);
      p.highLevel = FlagAt(payload, 6);
      s.inPorts[id] = p;
      return a;
    }
    case 33:
      return read(s.inPorts, [](const InPort& p) {
        return Hex2(p.funcId) + Flag(p.enabled) + Flag(p.highLevel) + Hhmm(p.begin) + Hhmm(p.end);
      });
    case 35: {  // output port
      OutPort p;
      if (!withLength(6) || !hasId || id < 1 || id > 3 || !HexAt(payload, 2, 2, p.funcId) ||
          !HexAt(payload, 4, 2, p.delay))
        return bad();
      s.outPorts[id] = p;
      return a;
    }
    case 36:
      return read(s.outPorts, [](const OutPort& p) { return Hex2(p.funcId) + Hex2(p.delay); });
    case 34:
    case 37:
      if (!withLength(2) || !hasId) return bad();
      if (n == 34)
        s.inPorts.erase(id);
      else
        s.outPorts.erase(id);
      return a;
    case 63:  // serial number
      a.data = s.serial;
      return a;
    case 62: {  // new device number for the controller of this serial number
      int newDevNo = 0;
      if (payload.size() < 3 || !HexAt(payload, payload.size() - 2, 2, newDevNo) || newDevNo < 1)
        return bad();
      s.devNo = newDevNo;
      a.devNo = newDevNo;
      return a;
    }
    case 112:  // firmware version
      a.data = s.version;
      return a;
    default:
      break;
  }

  // The door options: a read answers two fields, a write sets them.
  DoorOptions& d = s.options;
  struct OptionPair {
    int read, write;
    int* first;
    int* second;  // nullptr: one four-digit field
    int secondWidth;
  };
  const OptionPair pairs[] = {
      {71, 70, &d.keyEnabled, &d.keySensitivity, 2},
      {73, 72, &d.needWg1, &d.needWg2, 2},
      {75, 74, &d.sensorDelay, nullptr, 0},
      {77, 76, &d.passwordAttempts, &d.passwordLockTime, 4},
      {79, 78, &d.antiPassbackEnabled, &d.antiPassbackTime, 4},
  };
  for (const OptionPair& p : pairs) {
    if (n == p.read) {
      a.data = p.second ? Hex2(*p.first) + (p.secondWidth == 2 ? Hex2(*p.second) : Hex4(*p.second))
                        : Hex4(*p.first);
      return a;
    }
    if (n == p.write) {
      int first = 0;
      int second = 0;
      const bool ok = p.second ? withLength(2 + p.secondWidth) && HexAt(payload, 0, 2, first) &&
                                     HexAt(payload, 2, p.secondWidth, second)
                               : withLength(4) && HexAt(payload, 0, 4, first);
      if (!ok) return bad();
      *p.first = first;
      if (p.second) *p.second = second;
      return a;
    }
  }
  a.errorDigit = '1';  // unknown command
  return a;
}

}  // namespace kv60sim
