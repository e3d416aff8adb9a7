// Received text -> ExtractFrame -> CheckReply, and the frame helpers on whatever arrives.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "comm/frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString received =
      QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QString frame;
  const int length = ExtractFrame(received, frame);
  if (length != frame.size() || (length != 0 && length < 6)) __builtin_trap();
  const int result = CheckReply(length ? frame : received, QLatin1Char('A'));
  if (result < 0 || result > 255) __builtin_trap();
  FrameChecksum(received, received.size() + 2);
  HexByteAt(received, received.size());
  ReplyBody(received);
  FrameLetter(received);
  return 0;
}
