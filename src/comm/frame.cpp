#include "comm/frame.h"

#include <exception>

#include "app/u_Function.h"

namespace {

// The character at a 1-based position; code 0 past either end.
ushort CharAt(const QString& text, int position) {
  if (position < 1 || position > text.size()) return 0;
  return text.at(position - 1).unicode();
}

int HexDigitValue(ushort code) {
  if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
  return code <= 64 ? code - 48 : code - 55;
}

// A debug log that cannot be written must not break the exchange.
void DebugLine(const QString& line) {
  if (!DebugMode) return;
  try {
    WriteDebugLog(line);
  } catch (const std::exception&) {
  }
}

// Two characters of hex digits as a number; -1 when they are not hex digits.
int StrictHexPair(const QString& text, int position) {
  int value = 0;
  for (int i = 0; i < 2; ++i) {
    const ushort c = CharAt(text, position + i);
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else
      return -1;
    value = value * 16 + digit;
  }
  return value;
}

QString Hex2(int value) {
  return QString::asprintf("%02X", static_cast<unsigned>(value));
}

}  // namespace

quint8 FrameChecksum(const QString& text, int count) {
  unsigned result = 0;
  int jSeen = 0;
  for (int i = 0; i < count; ++i) {
    const ushort c = i < text.size() ? text.at(i).unicode() : 0;
    if (c == 'z') continue;
    if (c == 'j' && ++jSeen == 2) break;
    result ^= c;
    if (c == 0) break;
  }
  return static_cast<quint8>(result & 0xFF);
}

quint8 HexByteAt(const QString& text, int position) {
  const int high = HexDigitValue(CharAt(text, position));
  const int low = HexDigitValue(CharAt(text, position + 1));
  return static_cast<quint8>((high * 16 + low) & 0xFF);
}

QString BuildFrame(QChar letter, int devNo, const QString& code, const QString& payload) {
  const QString command = code + payload;
  const int length = command.size() + 9;
  QString body = QString(letter) + QStringLiteral("00") + Hex2(devNo) + Hex2(length) + command;
  body += Hex2(FrameChecksum(body, length));
  DebugLine(QString::fromUtf8("发出(无加密): ") + body);
  return QStringLiteral("zzz") + body + QStringLiteral("jjj");
}

int ExtractFrame(const QString& received, QString& frame) {
  frame.clear();
  const int first = received.lastIndexOf(QLatin1Char('z'));
  if (first < 0) return 0;
  int last = received.indexOf(QLatin1Char('j'), first);
  if (last < 0) last = first;
  const int length = last - first + 1;
  if (length < 6) return 0;
  frame = received.mid(first, length);
  return length;
}

QChar FrameLetter(const QString& frame) {
  int i = 0;
  while (i < frame.size() && frame.at(i) == QLatin1Char('z')) ++i;
  return i < frame.size() ? frame.at(i) : QChar();
}

QString ReplyBody(const QString& frame) {
  int i = 0;
  while (i < frame.size() && frame.at(i) == QLatin1Char('z')) ++i;
  return frame.mid(i + 1);
}

int CheckReply(const QString& frame, QChar letter) {
  if (FrameLetter(frame) != letter) return 9;
  const int length = frame.size();
  if (length < 8) return 7;
  if (FrameChecksum(frame, length - 3) != HexByteAt(frame, length - 2)) return 6;
  const int p = frame.indexOf(letter) + 1;
  const ushort lengthMark = CharAt(frame, p + 5);
  if (lengthMark == 'F' || lengthMark == 'D') {
    const ushort digit = CharAt(frame, p + 6);
    switch (digit >= '0' && digit <= '9' ? digit - '0' : 4) {
      case 2:
        return 6;
      case 7:
      case 8:
      case 9:
        return 8;
      default:
        return 4;
    }
  }
  const int status = StrictHexPair(frame, p + 10);
  DebugLine(QString::fromUtf8("收到(无加密): ") + frame);
  return status < 0 ? 0 : status;
}
