// The reply readers of every read command and the record parser. The first input byte picks
// the reader, the rest is the reply (or record) text.
#include <QString>
#include <QTime>
#include <array>
#include <cstddef>
#include <cstdint>

#include "comm/MjReply.h"
#include "comm/u_MjComm.h"

namespace {

void Expect(bool condition) {
  if (!condition) __builtin_trap();
}

bool ZeroOrFour(int result) { return result == 0 || result == 4; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const QString text =
      QString::fromLatin1(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  int a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 0;
  bool x = false, y = false;
  QTime t1, t2;
  QString s1, s2, s3, s4;
  std::array<int, 7> zones{};
  std::array<QTime, 5> begins;
  std::array<int, 5> modes{};
  switch (data[0] % 18) {
    case 0: {
      TMjRecord record;
      const int r = MjParseRecord(text, record);
      Expect(r == 0 || r == 12 || r == 14);
      Expect(r != 0 || record.Time.isValid());
      break;
    }
    case 1: Expect(ZeroOrFour(ReadUserReply(text, s1, s2, s3, s4))); break;
    case 2: Expect(ZeroOrFour(ReadRecordCountReply(text, a)) && a >= 0); break;
    case 3: {
      const int r = ReadRecordReply(text, s1);
      Expect(r == 0 || r == 8 || r == 105);
      break;
    }
    case 4: Expect(ReadCurrentRecordReply(text, s1) % 8 == 0); break;
    case 5: Expect(ZeroOrFour(ReadControlGroupReply(text, a, x, b))); break;
    case 6: Expect(ZeroOrFour(ReadHolidayReply(text, a, b, c, d, e, f, g))); break;
    case 7: Expect(ZeroOrFour(ReadWeekSchemeReply(text, zones))); break;
    case 8: {
      const int r = ReadTimeZoneReply(text, begins, modes);
      Expect(ZeroOrFour(r));
      for (const QTime& t : begins) Expect(r != 0 || t.isValid());
      break;
    }
    case 9: Expect(ZeroOrFour(ReadInPortReply(text, a, x, y, t1, t2))); break;
    case 10: Expect(ZeroOrFour(ReadOutPortReply(text, a, b))); break;
    case 11: Expect(ReadSerialReply(text, s1) == 0 && s1.size() <= 9); break;
    case 12: Expect(ReadVersionReply(text, s1) == 0 && s1.size() <= 46); break;
    case 13: Expect(ReadKeySensitivityReply(text, a, b) == 0); break;
    case 14: Expect(ReadOpenPasswordReply(text, a, b) == 0); break;
    case 15: Expect(ReadSensorDelayReply(text, a) == 0 && a >= 0); break;
    case 16: Expect(ReadPasswordLockReply(text, a, b) == 0); break;
    default: Expect(ReadAntiPassbackReply(text, a, b) == 0); break;
  }
  return 0;
}
