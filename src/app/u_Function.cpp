#include "app/u_Function.h"

#include <iconv.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <stdexcept>

#include "platform/Translation.h"

QString LanguageCode;
QString SkinFile;
QString AppPath;
QString AppVersion;
bool DebugMode = false;
int CurrentComPort = 0;

QString FormatDate(const QDate& date) { return date.toString(QStringLiteral("yyyy-MM-dd")); }

QString FormatDateTimeText(const QDateTime& value) {
  return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString FormatTime(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }

QString FormatLogTimeStamp(const QTime& time) {
  return time.toString(QStringLiteral("HH:mm:ss:zzz"));
}

namespace {

enum class ClockMode { System, Offset, Frozen };
ClockMode clockMode = ClockMode::System;
qint64 clockOffsetMs = 0;
QDateTime frozenAt;

}  // namespace

QDateTime Now() {
  switch (clockMode) {
    case ClockMode::Frozen:
      return frozenAt;
    case ClockMode::Offset:
      return QDateTime::currentDateTime().addMSecs(clockOffsetMs);
    case ClockMode::System:
      break;
  }
  return QDateTime::currentDateTime();
}

QDate Today() { return Now().date(); }

void SetClock(const QDateTime& at) {
  clockMode = ClockMode::Offset;
  clockOffsetMs = QDateTime::currentDateTime().msecsTo(at);
}

void FreezeClock(const QDateTime& at) {
  clockMode = ClockMode::Frozen;
  frozenAt = at;
}

void ResetClock() {
  clockMode = ClockMode::System;
  clockOffsetMs = 0;
}

void DoorModeText(int mode, QString& text) {
  switch (mode) {
    case 1:
      text = _("by Card");
      break;
    case 2:
      text = _("by Card and password");
      break;
    case 3:
      text = _("closed");
      break;
    case 4:
      text = _("open");
      break;
    default:
      break;
  }
}

QString GetAppPath() {
  QString folder = qEnvironmentVariable("GATEWARDEN_HOME");
  if (folder.isEmpty()) {
    // The folder of the executable itself: the first argument is only the name it was
    // started by, which a program found through PATH has without its folder.
    if (QCoreApplication::instance())
      folder = QCoreApplication::applicationDirPath();
    else
      folder = QDir::currentPath();
  }
  folder = QDir::toNativeSeparators(folder);
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return folder;
}

void ReadAppVersion() {
#ifdef GATEWARDEN_VERSION
  AppVersion = QStringLiteral(GATEWARDEN_VERSION);
#endif
}

QByteArray ToGbk(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  iconv_t cd = iconv_open("GBK//TRANSLIT", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  QByteArray out(utf8.size() * 2 + 8, '\0');
  char* in = const_cast<char*>(utf8.constData());
  size_t inLeft = utf8.size();
  char* dst = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
      if (errno == EILSEQ || errno == EINVAL) {  // not representable: keep a question mark
        ++in;
        --inLeft;
        if (outLeft > 0) {
          *dst++ = '?';
          --outLeft;
        }
        continue;
      }
      break;
    }
  }
  iconv_close(cd);
  out.resize(out.size() - static_cast<int>(outLeft));
  return out;
}

namespace {

void AppendLine(const QString& fileName, const QByteArray& line) {
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    throw std::runtime_error(
        QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()).toStdString());
  }
  if (file.write(line) != line.size() || !file.flush()) {
    throw std::runtime_error(
        QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()).toStdString());
  }
}

}  // namespace

QString ErrorLogFileName(const QDate& day) {
  return GetAppPath() + QStringLiteral("error") + FormatDate(day) + QStringLiteral(".log");
}

QString DebugLogFileName(const QDate& day) {
  return AppPath + QStringLiteral("KV-DEBUG-") + FormatDate(day) + QStringLiteral(".txt");
}

void WriteErrorLog(const QString& message) {
  const QDateTime now = Now();
  const QString line = FormatLogTimeStamp(now.time()) + QLatin1Char(' ') + message;
  AppendLine(ErrorLogFileName(now.date()), line.toUtf8() + "\n");
}

void WriteDebugLog(const QString& message) {
  const QDateTime now = Now();
  const QString line = FormatLogTimeStamp(now.time()) + QStringLiteral(" | ") + message;
  AppendLine(DebugLogFileName(now.date()), ToGbk(line) + "\n");
}

namespace {

class StderrSink : public IMessageSink {
 public:
  void ShowHint(const QString& text) override {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  }
  bool AskYesNo(const QString& text) override {
    std::fprintf(stderr, "%s [No]\n", text.toLocal8Bit().constData());
    return false;
  }
};

StderrSink defaultSink;
IMessageSink* currentSink = &defaultSink;

}  // namespace

void SetMessageSink(IMessageSink* sink) { currentSink = sink ? sink : &defaultSink; }

IMessageSink* MessageSink() { return currentSink; }

void HintBox(const QString& text) { currentSink->ShowHint(text); }

bool HintYesNo(const QString& text) { return currentSink->AskYesNo(text); }

QString QuotedSql(const QString& text) {
  QString doubled = text;
  doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
  return doubled;
}
