#include "Protocol.h"

namespace kv60sim::protocol {

QString Hex2(int value) {
  return QString::asprintf("%02X", static_cast<unsigned>(value) & 0xFF);
}
QString Hex4(int value) {
  return QString::asprintf("%04X", static_cast<unsigned>(value) & 0xFFFF);
}
QString Dec2(int value) {
  return QString::asprintf("%02d", value);
}
QString Dec4(int value) {
  return QString::asprintf("%04d", value);
}
QString Hhmm(const QTime& time) {
  return time.isValid() ? Dec2(time.hour()) + Dec2(time.minute()) : QStringLiteral("0000");
}

QString Flag(bool value) {
  return value ? QStringLiteral("01") : QStringLiteral("00");
}

bool FlagAt(const QString& text, int index) {
  return text.mid(index, 2) == QLatin1String("01");
}

namespace {

bool NumberAt(const QString& text, int index, int width, int base, int& value) {
  if (index < 0 || index + width > text.size()) return false;
  const QString field = text.mid(index, width);
  for (const QChar c : field) {
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const bool hexLetter = (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
                           (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
    if (!digit && !(base == 16 && hexLetter)) return false;
  }
  bool ok = false;
  value = field.toInt(&ok, base);
  return ok;
}

}  // namespace

bool HexAt(const QString& text, int index, int width, int& value) {
  return NumberAt(text, index, width, 16, value);
}

bool DecAt(const QString& text, int index, int width, int& value) {
  return NumberAt(text, index, width, 10, value);
}

bool HhmmAt(const QString& text, int index, QTime& time) {
  int hours = 0;
  int minutes = 0;
  if (!DecAt(text, index, 2, hours) || !DecAt(text, index + 2, 2, minutes)) return false;
  if (!QTime::isValid(hours, minutes, 0)) return false;
  time = QTime(hours, minutes);
  return true;
}

int Checksum(const QString& body) {
  int sum = 0;
  int js = 0;
  for (const QChar c : body) {
    if (c == QLatin1Char('z')) continue;
    if (c == QLatin1Char('j') && ++js == 2) break;
    sum ^= c.unicode() & 0xFF;
  }
  return sum;
}

bool ParseRequest(const QString& frame, Request& request) {
  int start = 0;
  while (start < frame.size() && frame.at(start) == QLatin1Char('z')) ++start;
  if (!frame.endsWith(QLatin1String("jjj"))) return false;
  const QString body = frame.mid(start, frame.size() - 3 - start);
  if (body.size() < 12) return false;
  request.letter = body.at(0);
  if (!HexAt(body, 3, 2, request.devNo)) return false;
  if (!HexAt(body, 5, 2, request.length)) request.length = -1;
  request.code = body.mid(7, 3);
  request.payload = body.mid(10, body.size() - 12);
  int checksum = -1;
  request.checksumOk =
      HexAt(body, body.size() - 2, 2, checksum) && checksum == Checksum(body.left(body.size() - 2));
  request.lengthOk = request.length == body.size();
  return true;
}

QByteArray TakeRequest(QByteArray& buffer) {
  const int start = buffer.indexOf('z');
  if (start < 0) {
    buffer.clear();
    return QByteArray();
  }
  buffer.remove(0, start);
  int bodyStart = 0;
  while (bodyStart < buffer.size() && buffer.at(bodyStart) == 'z') ++bodyStart;
  const int end = buffer.indexOf("jjj", bodyStart);
  if (end < 0) {
    if (buffer.size() > 4096) buffer.clear();  // no controller waits for that much
    return QByteArray();
  }
  const QByteArray frame = buffer.left(end + 3);
  buffer.remove(0, end + 3);
  return frame;
}

}  // namespace kv60sim::protocol
