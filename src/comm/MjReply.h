// The reading half of the controller commands: each function takes the reply frame of an
// exchange that returned 0 and fills the command's outputs. They do no communication, so they
// can be tested and fuzzed on plain texts. Outputs are filled in field order; a reader that
// returns non-zero may have filled the fields before the unreadable one.
#pragma once

#include <QString>
#include <QTime>
#include <array>

// `width` characters of the reply data from the 1-based data position (shorter at the end).
QString ReplyData(const QString& reply, int position, int width);

// Clock, users, records. 0 or 4 (a user entry shorter than 28 characters, a count not hex).
int ReadUserReply(const QString& reply, QString& Kind, QString& Password, QString& GroupField,
                  QString& UserId);
int ReadRecordCountReply(const QString& reply, int& Count);
// "066"/"067": 0 or 105 (empty record: the text is still handed out), 8 when too short.
int ReadRecordReply(const QString& reply, QString& Record);
// "065": 0, or 8 when too short.
int ReadCurrentRecordReply(const QString& reply, QString& Record);

// Time rules and ports: 0, or 4 when a field is not a number in its base or a time of day
// cannot be formed.
int ReadControlGroupReply(const QString& reply, int& WeekSchemeId, bool& HolidayPlanEnabled,
                          int& HolidayPlanId);
int ReadHolidayReply(const QString& reply, int& BeginYear, int& BeginMonth, int& BeginDay,
                     int& EndYear, int& EndMonth, int& EndDay, int& ZoneId);
int ReadWeekSchemeReply(const QString& reply, std::array<int, 7>& Zones);
int ReadTimeZoneReply(const QString& reply, std::array<QTime, 5>& Begin, std::array<int, 5>& Mode);
int ReadInPortReply(const QString& reply, int& FuncId, bool& Enabled, bool& HighLevel,
                    QTime& BeginTime, QTime& EndTime);
int ReadOutPortReply(const QString& reply, int& FuncId, int& DelayTime);

// Door setup: always 0; a field that is not hex reads as 0.
int ReadSerialReply(const QString& reply, QString& Serial);
int ReadVersionReply(const QString& reply, QString& Version);
int ReadKeySensitivityReply(const QString& reply, int& Enabled, int& Sensitivity);
int ReadOpenPasswordReply(const QString& reply, int& NeedWg1, int& NeedWg2);
int ReadSensorDelayReply(const QString& reply, int& Delay);
int ReadPasswordLockReply(const QString& reply, int& Attempts, int& LockTime);
int ReadAntiPassbackReply(const QString& reply, int& Enabled, int& Time);
