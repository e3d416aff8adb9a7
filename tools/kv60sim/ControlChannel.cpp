#include "ControlChannel.h"

#include <QFile>
#include <QMap>
#include <QStringList>

#include "Kv60Sim.h"

namespace kv60sim {

namespace {

const char* const kHelp =
    "help                                  this list\n"
    "list                                  the controllers on the line\n"
    "add DEV SERIAL [VERSION]              add a controller (device number 1..255)\n"
    "card DEV CARD [DOOR] [in|out]         present a card at the reader of a door\n"
    "record DEV TEXT                       store a record text (38 characters)\n"
    "records DEV COUNT                     store COUNT card records (cards 00000001, ...)\n"
    "clock DEV yyyy-MM-ddTHH:mm:ss         set a controller's clock\n"
    "fault KIND [dev=N] [cmd=CODE] [times=N] [ms=N] [status=HH] [pos=N] [n=N] [code=XX] "
    "[text=T]\n"
    "      KIND: noanswer late nocr checksum noise zdata error status letter data stopafter "
    "hangup\n"
    "faults clear                          drop every fault\n"
    "pacing on|off                         9600-baud pacing\n"
    "hangup | reconnect                    drop the line / bring it back\n"
    "dump DEV [FILE]                       a controller's state as JSON (to FILE when given)";

QString Error(const QString& text) {
  return QStringLiteral("error: ") + text;
}

bool ToInt(const QString& text, int& value, int base = 10) {
  bool ok = false;
  value = text.toInt(&ok, base);
  return ok;
}

// The fault named by KIND and key=value options.
bool ParseFault(const QStringList& words, Fault& fault, QString& error) {
  static const QMap<QString, FaultKind> kinds = {
      {QStringLiteral("noanswer"), FaultKind::NoAnswer},
      {QStringLiteral("late"), FaultKind::LateAnswer},
      {QStringLiteral("nocr"), FaultKind::NoCarriageReturn},
      {QStringLiteral("checksum"), FaultKind::BadChecksum},
      {QStringLiteral("noise"), FaultKind::Noise},
      {QStringLiteral("zdata"), FaultKind::ZInData},
      {QStringLiteral("error"), FaultKind::ErrorReply},
      {QStringLiteral("status"), FaultKind::Status},
      {QStringLiteral("letter"), FaultKind::WrongLetter},
      {QStringLiteral("data"), FaultKind::ReplyData},
      {QStringLiteral("stopafter"), FaultKind::StopAfter},
      {QStringLiteral("hangup"), FaultKind::HangUp},
  };
  if (words.size() < 2 || !kinds.contains(words[1].toLower())) {
    error = QStringLiteral("unknown fault kind");
    return false;
  }
  fault = Fault();
  fault.kind = kinds.value(words[1].toLower());
  if (fault.kind == FaultKind::Noise) fault.text = QStringLiteral("#noise#");
  if (fault.kind == FaultKind::ZInData) fault.value = 1;
  for (int i = 2; i < words.size(); ++i) {
    const int eq = words[i].indexOf(QLatin1Char('='));
    const QString key = words[i].left(eq).toLower();
    const QString value = eq < 0 ? QString() : words[i].mid(eq + 1);
    bool ok = true;
    if (key == QLatin1String("dev"))
      ok = ToInt(value, fault.devNo);
    else if (key == QLatin1String("cmd"))
      fault.command = value;
    else if (key == QLatin1String("times"))
      ok = ToInt(value, fault.times);
    else if (key == QLatin1String("status"))
      ok = ToInt(value, fault.value, 16);
    else if (key == QLatin1String("ms") || key == QLatin1String("pos") || key == QLatin1String("n"))
      ok = ToInt(value, fault.value);
    else if (key == QLatin1String("code") || key == QLatin1String("text"))
      fault.text = value;
    else
      ok = false;
    if (!ok) {
      error = QStringLiteral("bad option ") + words[i];
      return false;
    }
  }
  if (fault.kind == FaultKind::ErrorReply && fault.text.size() != 2) {
    error = QStringLiteral("error needs code=XX (for example code=F8)");
    return false;
  }
  return true;
}

}  // namespace

QString ControlHelp() {
  return QString::fromLatin1(kHelp);
}

QString RunControlCommand(Line& line, const QString& command) {
  const QStringList words = command.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.isEmpty()) return QString();
  const QString verb = words[0].toLower();
  if (verb == QLatin1String("help")) return ControlHelp();

  if (verb == QLatin1String("list")) {
    QStringList rows;
    for (Controller* c : line.Controllers()) {
      rows << QStringLiteral("%1 %2 %3").arg(c->DevNo()).arg(c->Serial(), c->Version());
    }
    return rows.isEmpty() ? QStringLiteral("no controllers") : rows.join(QLatin1Char('\n'));
  }
  if (verb == QLatin1String("faults") && words.value(1) == QLatin1String("clear")) {
    line.ClearFaults();
    return QStringLiteral("ok");
  }
  if (verb == QLatin1String("fault")) {
    Fault fault;
    QString error;
    if (!ParseFault(words, fault, error)) return Error(error);
    line.AddFault(fault);
    return QStringLiteral("ok");
  }
  if (verb == QLatin1String("pacing")) {
    line.SetPacing(words.value(1) == QLatin1String("on"));
    return QStringLiteral("ok");
  }
  if (verb == QLatin1String("hangup")) {
    line.HangUp();
    return QStringLiteral("ok");
  }
  if (verb == QLatin1String("reconnect")) {
    return line.Reconnect() ? QStringLiteral("ok") : Error(line.ErrorString());
  }

  int devNo = 0;
  if (words.size() < 2 || !ToInt(words[1], devNo) || devNo < 1 || devNo > 255)
    return Error(QStringLiteral("unknown command or device number; try help"));
  if (verb == QLatin1String("add")) {
    if (words.size() < 3) return Error(QStringLiteral("add DEV SERIAL [VERSION]"));
    if (line.FindController(devNo)) return Error(QStringLiteral("device number in use"));
    const QString version = words.size() > 3 ? words.mid(3).join(QLatin1Char(' '))
                                             : QString::fromLatin1(kDefaultVersion);
    line.AddController(devNo, words[2], version);
    return QStringLiteral("ok");
  }
  Controller* c = line.FindController(devNo);
  if (!c) return Error(QStringLiteral("no controller with device number ") + words[1]);

  if (verb == QLatin1String("card")) {
    if (words.size() < 3) return Error(QStringLiteral("card DEV CARD [DOOR] [in|out]"));
    int door = 1;
    if (words.size() > 3 && !ToInt(words[3], door)) return Error(QStringLiteral("bad door"));
    const Record r = c->PresentCard(words[2], door, words.value(4) != QLatin1String("out"));
    return r.Text();
  }
  if (verb == QLatin1String("record")) {
    if (words.size() != 3 || words[2].size() != 38)
      return Error(QStringLiteral("record DEV TEXT (38 characters)"));
    c->AddRecordText(words[2]);
    return QStringLiteral("ok");
  }
  if (verb == QLatin1String("records")) {
    int count = 0;
    if (words.size() != 3 || !ToInt(words[2], count) || count < 0)
      return Error(QStringLiteral("records DEV COUNT"));
    const int first = static_cast<int>(c->Records().size()) + 1;
    for (int i = 0; i < count; ++i) {
      Record r;
      r.cardNo = QString::number(first + i).rightJustified(8, QLatin1Char('0'));
      c->AddRecord(r);
    }
    return QStringLiteral("ok");
  }
  if (verb == QLatin1String("clock")) {
    const QDateTime at = QDateTime::fromString(words.value(2), Qt::ISODate);
    if (!at.isValid()) return Error(QStringLiteral("clock DEV yyyy-MM-ddTHH:mm:ss"));
    c->SetClock(at, at.date().dayOfWeek());
    return QStringLiteral("ok");
  }
  if (verb == QLatin1String("dump")) {
    const QString json = line.Dump(devNo);
    if (words.size() < 3) return json.trimmed();
    QFile file(words[2]);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(json.toUtf8()) < 0)
      return Error(file.errorString());
    return QStringLiteral("ok");
  }
  return Error(QStringLiteral("unknown command; try help"));
}

}  // namespace kv60sim
