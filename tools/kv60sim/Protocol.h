// The simulator's own reading and writing of frame fields. It does not share code with the
// program's frame unit on purpose: the two sides of the line check each other.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTime>

namespace kv60sim::protocol {

QString Hex2(int value);
QString Hex4(int value);
QString Dec2(int value);
QString Dec4(int value);
QString Hhmm(const QTime& time);
QString Flag(bool value);  // "01" / "00"

// Fields of a payload at a 0-based index: false when missing or not a number in their base.
bool HexAt(const QString& text, int index, int width, int& value);
bool DecAt(const QString& text, int index, int width, int& value);
bool HhmmAt(const QString& text, int index, QTime& time);
bool FlagAt(const QString& text, int index);  // "01" there

// XOR of a body's characters as the controllers compute it: "z" skipped, stop at a second "j".
int Checksum(const QString& body);

// The parts of a request frame "zzz" + body + "jjj".
struct Request {
  QChar letter;
  int devNo = -1;
  int length = -1;
  QString code;
  QString payload;
  bool checksumOk = false;
  bool lengthOk = false;
};
// False when the frame is too short to address anyone.
bool ParseRequest(const QString& frame, Request& request);

// Takes the first complete request frame off the front of `buffer` (dropping what comes before
// its "z"). Empty when no complete frame is there yet.
QByteArray TakeRequest(QByteArray& buffer);

}  // namespace kv60sim::protocol
