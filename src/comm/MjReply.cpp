#include "comm/MjReply.h"

#include "app/u_Function.h"
#include "comm/frame.h"
#include "comm/u_MjComm.h"

namespace {

bool IsDecimalDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsHexDigit(QChar c) {
  return IsDecimalDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
         (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

// A whole field as a number in base 16 or 10; false for an empty field or any other character.
bool ParseNumber(const QString& field, int base, int& value) {
  if (field.isEmpty() || field.size() > 7) return false;
  for (const QChar c : field) {
    if (!(base == 16 ? IsHexDigit(c) : IsDecimalDigit(c))) return false;
  }
  bool ok = false;
  value = field.toInt(&ok, base);
  return ok;
}

bool HexField(const QString& reply, int position, int width, int& value) {
  return ParseNumber(ReplyData(reply, position, width), 16, value);
}

bool DecimalField(const QString& reply, int position, int width, int& value) {
  return ParseNumber(ReplyData(reply, position, width), 10, value);
}

// The door-setup reads show an unreadable field as 0.
int HexFieldOrZero(const QString& reply, int position, int width) {
  int value = 0;
  return HexField(reply, position, width, value) ? value : 0;
}

bool FlagField(const QString& reply, int position) {
  return ReplyData(reply, position, 2) == QLatin1String("01");
}

// "hhmm" at `position` as a time of day.
bool TimeField(const QString& reply, int position, QTime& time) {
  int hours = 0;
  int minutes = 0;
  if (!DecimalField(reply, position, 2, hours) || !DecimalField(reply, position + 2, 2, minutes))
    return false;
  if (!QTime::isValid(hours, minutes, 0)) return false;
  time = QTime(hours, minutes, 0);
  return true;
}

// Record text after the reply's device number and length: command code, status, record data,
// checksum and the closing "j".
QString RecordPart(const QString& reply) {
  return ReplyBody(reply).mid(6);
}

}  // namespace

QString ReplyData(const QString& reply, int position, int width) {
  if (position < 1 || width <= 0) return QString();
  return ReplyBody(reply).mid(position + 10, width);
}

int ReadUserReply(const QString& reply, QString& Kind, QString& Password, QString& GroupField,
                  QString& UserId) {
  // The entry must be there whole, before the checksum and the closing "j".
  if (ReplyBody(reply).size() - 11 - 3 < 28) return 4;
  Kind = ReplyData(reply, 1, 2);
  Password = ReplyData(reply, 11, 6);
  GroupField = ReplyData(reply, 3, 8);
  UserId = ReplyData(reply, 25, 4);
  return 0;
}

int ReadRecordCountReply(const QString& reply, int& Count) {
  return HexField(reply, 1, 4, Count) ? 0 : 4;
}

int ReadRecordReply(const QString& reply, QString& Record) {
  const QString rest = RecordPart(reply);
  if (rest.size() < 12) return 8;
  Record = rest.left(rest.size() - 2);
  const QString head = Record.mid(5, 10);
  const bool empty = head == QLatin1String("FFFFFFFFFF") || head == QLatin1String("0000000000");
  return empty ? 105 : 0;
}

int ReadCurrentRecordReply(const QString& reply, QString& Record) {
  const QString rest = RecordPart(reply);
  if (rest.size() < 10) return 8;
  Record = rest.left(rest.size() - 3);
  return 0;
}

int ReadControlGroupReply(const QString& reply, int& WeekSchemeId, bool& HolidayPlanEnabled,
                          int& HolidayPlanId) {
  if (!HexField(reply, 3, 2, WeekSchemeId)) return 4;
  HolidayPlanEnabled = FlagField(reply, 5);
  return HexField(reply, 7, 2, HolidayPlanId) ? 0 : 4;
}

int ReadHolidayReply(const QString& reply, int& BeginYear, int& BeginMonth, int& BeginDay,
                     int& EndYear, int& EndMonth, int& EndDay, int& ZoneId) {
  const bool ok = DecimalField(reply, 3, 4, BeginYear) && DecimalField(reply, 7, 2, BeginMonth) &&
                  DecimalField(reply, 9, 2, BeginDay) && DecimalField(reply, 11, 4, EndYear) &&
                  DecimalField(reply, 15, 2, EndMonth) && DecimalField(reply, 17, 2, EndDay) &&
                  HexField(reply, 19, 2, ZoneId);
  return ok ? 0 : 4;
}

int ReadWeekSchemeReply(const QString& reply, std::array<int, 7>& Zones) {
  for (int day = 0; day < 7; ++day) {
    if (!HexField(reply, 3 + 2 * day, 2, Zones[day])) return 4;
  }
  return 0;
}

int ReadTimeZoneReply(const QString& reply, std::array<QTime, 5>& Begin, std::array<int, 5>& Mode) {
  for (int k = 0; k < 5; ++k) {
    const int segment = 3 + 10 * k;  // begin hhmm, end hhmm (not read), mode
    if (!TimeField(reply, segment, Begin[k]) || !DecimalField(reply, segment + 8, 2, Mode[k]))
      return 4;
  }
  return 0;
}

int ReadInPortReply(const QString& reply, int& FuncId, bool& Enabled, bool& HighLevel,
                    QTime& BeginTime, QTime& EndTime) {
  if (!HexField(reply, 3, 2, FuncId)) return 4;
  Enabled = FlagField(reply, 5);
  HighLevel = FlagField(reply, 7);
  return TimeField(reply, 9, BeginTime) && TimeField(reply, 13, EndTime) ? 0 : 4;
}

int ReadOutPortReply(const QString& reply, int& FuncId, int& DelayTime) {
  return HexField(reply, 3, 2, FuncId) && HexField(reply, 5, 2, DelayTime) ? 0 : 4;
}

int ReadSerialReply(const QString& reply, QString& Serial) {
  Serial = ReplyData(reply, 1, 9);
  return 0;
}

int ReadVersionReply(const QString& reply, QString& Version) {
  int length = 0;
  if (!ParseNumber(ReplyBody(reply).mid(4, 2), 16, length)) length = 0;
  Version = ReplyData(reply, 1, qMin(length, 60) - 14);
  return 0;
}

int ReadKeySensitivityReply(const QString& reply, int& Enabled, int& Sensitivity) {
  Enabled = HexFieldOrZero(reply, 1, 2);
  Sensitivity = HexFieldOrZero(reply, 3, 2);
  return 0;
}

int ReadOpenPasswordReply(const QString& reply, int& NeedWg1, int& NeedWg2) {
  NeedWg1 = HexFieldOrZero(reply, 1, 2);
  NeedWg2 = HexFieldOrZero(reply, 3, 2);
  return 0;
}

int ReadSensorDelayReply(const QString& reply, int& Delay) {
  Delay = HexFieldOrZero(reply, 1, 4);
  return 0;
}

int ReadPasswordLockReply(const QString& reply, int& Attempts, int& LockTime) {
  Attempts = HexFieldOrZero(reply, 1, 2);
  LockTime = HexFieldOrZero(reply, 3, 4);
  return 0;
}

int ReadAntiPassbackReply(const QString& reply, int& Enabled, int& Time) {
  Enabled = HexFieldOrZero(reply, 1, 2);
  Time = HexFieldOrZero(reply, 3, 4);
  return 0;
}

namespace {

// Record data position p (1-based, after the command code and status) of a record text.
QString RecordField(const QString& record, int position, int width) {
  return record.mid(5 + position - 1, width);
}

bool RecordNumber(const QString& record, int position, int base, int& value) {
  return ParseNumber(RecordField(record, position, 2), base, value);
}

// Record positions 25-38, yyyymmddHHMMSS, read in the fixed date-time format.
bool RecordTime(const QString& record, QDateTime& time) {
  const QString t = RecordField(record, 25, 14);
  if (t.size() != 14) return false;
  for (const QChar c : t) {
    if (!IsDecimalDigit(c)) return false;
  }
  const QString text = t.mid(0, 4) + QLatin1Char('-') + t.mid(4, 2) + QLatin1Char('-') +
                       t.mid(6, 2) + QLatin1Char(' ') + t.mid(8, 2) + QLatin1Char(':') +
                       t.mid(10, 2) + QLatin1Char(':') + t.mid(12, 2);
  const QDateTime value = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  if (!value.isValid()) return false;
  time = value;
  return true;
}

}  // namespace

int MjParseRecord(const QString& Record, TMjRecord& Fields) {
  if (Record.size() < 20) return 12;
  Fields.RecordType = 0;
  Fields.EventSrc = 0;
  Fields.DoorIndex = 0;
  Fields.PassType = 0;
  Fields.CardType = 0;
  Fields.WarnType = 0;
  Fields.InFlag = true;
  Fields.UserId.clear();
  int result = 0;

  if (!RecordNumber(Record, 1, 16, Fields.RecordType)) return 12;
  if (!RecordTime(Record, Fields.Time)) {
    Fields.Time = Now();
    result = 14;
  }
  const int type = Fields.RecordType;
  if (type < 1 || type > 6) return 12;
  if (type <= 4 && !RecordNumber(Record, 3, 16, Fields.DoorIndex)) return 12;
  QString card;
  switch (type) {
    case 1: {
      int direction = 0;
      if (!RecordNumber(Record, 5, 10, direction)) return 12;
      Fields.InFlag = direction == 0;
      Fields.UserId = RecordField(Record, 7, 4);
      card = RecordField(Record, 13, 8);
      if (!RecordNumber(Record, 21, 10, Fields.PassType) ||
          !RecordNumber(Record, 23, 16, Fields.CardType))
        return 12;
      break;
    }
    case 2:
      if (!RecordNumber(Record, 21, 16, Fields.PassType) ||
          !RecordNumber(Record, 23, 16, Fields.WarnType))
        return 12;
      break;
    case 4:
      if (!RecordNumber(Record, 21, 16, Fields.PassType) ||
          !RecordNumber(Record, 23, 16, Fields.EventSrc))
        return 12;
      if (Fields.EventSrc == 15) Fields.CardType = 15;
      break;
    case 5:
      if (!RecordNumber(Record, 21, 16, Fields.EventSrc) ||
          !RecordNumber(Record, 23, 16, Fields.WarnType))
        return 12;
      break;
    case 6:
      card = RecordField(Record, 13, 8);
      break;
    default:  // 3: the door index only
      break;
  }
  Fields.CardNo = card;
  return result;
}
