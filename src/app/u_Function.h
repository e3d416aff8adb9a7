// Shared helpers of every layer: process-wide values, the fixed date and time formats, the
// program clock, the error and debug logs, the product version and the two message boxes.
// The widget half (input box, key filter, tree check boxes) lives in u_FunctionWidgets.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Process-wide values, filled at start-up.
extern QString LanguageCode;
extern QString SkinFile;
extern QString AppPath;  // installation folder, ends with the path separator
extern QString AppVersion;
extern bool DebugMode;
extern int CurrentComPort;  // 1..20, 0 when no port is configured

// Fixed text formats, independent of the system's regional settings.
QString FormatDate(const QDate& date);              // yyyy-mm-dd
QString FormatDateTimeText(const QDateTime& value); // yyyy-mm-dd HH:MM:SS
QString FormatTime(const QTime& time);              // HH:MM:SS
QString FormatLogTimeStamp(const QTime& time);      // hh:mm:ss:zzz

// The one clock of the program. Tests may set it; every "now" and "today" comes from here.
QDateTime Now();
QDate Today();
void SetClock(const QDateTime& at);  // the clock then runs on from `at`
void FreezeClock(const QDateTime& at);  // the clock stands still at `at`
void ResetClock();

// Translated text of a door opening mode 1..4; any other mode leaves `text` unchanged.
void DoorModeText(int mode, QString& text);

// Installation folder: GATEWARDEN_HOME when set, else the program's folder; with a separator.
QString GetAppPath();
// Sets AppVersion to the version the program was built as.
void ReadAppVersion();

// Logs: one line per call, the file opened and closed each time; a new file each day.
// Both throw std::runtime_error when the file cannot be written.
void WriteErrorLog(const QString& message);
void WriteDebugLog(const QString& message);  // written in the GBK code page
QString ErrorLogFileName(const QDate& day);
QString DebugLogFileName(const QDate& day);

// Converts text to the GBK code page (the debug log's encoding).
QByteArray ToGbk(const QString& text);

// Message boxes go through a replaceable sink: the program shows modal boxes, the command-line
// tool prints, tests record. Texts are translated before they are passed in.
class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  virtual void ShowHint(const QString& text) = 0;
  virtual bool AskYesNo(const QString& text) = 0;
};
// Installs `sink` (not owned); nullptr restores the default sink, which writes to standard
// error and answers No.
void SetMessageSink(IMessageSink* sink);
IMessageSink* MessageSink();

void HintBox(const QString& text);
bool HintYesNo(const QString& text);

// Doubles every single quote, for texts spliced into SQL between quotes.
QString QuotedSql(const QString& text);
