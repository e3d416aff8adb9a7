// The serial line under the port pool: open a named port with the fixed line settings of the
// controller link (9600 baud, 8 data bits, no parity, 1 stop bit, no handshake), purge, write,
// wait for a character or a timeout, read what is waiting, close.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class ISerialLine {
 public:
  virtual ~ISerialLine() = default;
  // `portName` is "COM1" .. "COM20" (see ResolveSerialPortName) or a device path.
  virtual bool Open(const QString& portName) = 0;
  virtual bool IsOpen() const = 0;
  // False when closing reported an error; the line is closed afterwards in any case.
  virtual bool Close() = 0;
  // Discards everything unread and unsent.
  virtual void Purge() = 0;
  // The number of characters written; 0 on an error.
  virtual qint64 Write(const QByteArray& data) = 0;
  // Waits until `character` has arrived or `timeoutMs` have passed; true when it arrived.
  virtual bool WaitForCharacter(char character, int timeoutMs) = 0;
  // Everything received and not yet read.
  virtual QByteArray ReadWaiting() = 0;
};

using SerialLineFactory = std::function<std::unique_ptr<ISerialLine>()>;

// The product's line, over QSerialPort. A line whose device disappears (an unplugged adapter,
// a hung-up pseudo-terminal) closes itself, so it reads as not open afterwards.
std::unique_ptr<ISerialLine> CreateQtSerialLine();

// The device behind "COMn": the entry COMn of the folder $GATEWARDEN_PORTS when that entry
// exists (also as a link whose target is gone), else /dev/ttyS<n-1> (COMn itself on Windows).
// Other names are returned unchanged.
QString ResolveSerialPortName(const QString& portName);
