// The text frames of the controller link. A request is "zzz" + body + "jjj"; a reply carries
// the same framing and ends with a carriage return. Body of a request: frame letter, "00",
// device number (2 hex), frame length N (2 hex: body characters from the letter through the
// checksum), command code (3 digits), payload, checksum (2 hex). A reply has the status byte
// (2 hex) after the command code, then its data.
// These functions keep no state and never throw: every malformation becomes a result code.
#pragma once

#include <QChar>
#include <QString>

// XOR of the first `count` characters: "z" is skipped, the second "j" stops the loop before
// it is counted, a character of code 0 (or the end of the text) stops it after.
quint8 FrameChecksum(const QString& text, int count);
// The byte written as two characters at the 1-based `position`: each upper-cased character
// counts (code - 48) up to code 64, else (code - 55); no character is rejected.
quint8 HexByteAt(const QString& text, int position);
// The request frame for `code` + `payload` to device `devNo`. Writes the send line of the debug
// log when DebugMode is set.
QString BuildFrame(QChar letter, int devNo, const QString& code, const QString& payload);
// The reply frame inside `received`: from its last "z" through the first "j" after it. Returns
// the frame's length, 0 (and an empty `frame`) when there is none.
int ExtractFrame(const QString& received, QString& frame);
// First character after the leading "z" characters.
QChar FrameLetter(const QString& frame);
// The frame without its leading "z" characters and its frame letter. Reply data position d is
// position d + 11 of this text.
QString ReplyBody(const QString& frame);
// Checks an extracted reply frame against the request's letter: 0, the controller's status
// byte, or 4, 6, 7, 8, 9. Writes the receive line of the debug log when DebugMode is set.
int CheckReply(const QString& frame, QChar letter);
