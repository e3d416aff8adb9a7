#include "platform/SerialLine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>

QString ResolveSerialPortName(const QString& portName) {
  static const QRegularExpression comName(QStringLiteral("^COM([0-9]+)$"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = comName.match(portName);
  if (!match.hasMatch()) return portName;
  const QString folder = qEnvironmentVariable("GATEWARDEN_PORTS");
  if (!folder.isEmpty()) {
    const QString entry = QDir(folder).absoluteFilePath(portName.toUpper());
    const QFileInfo info(entry);
    if (info.exists() || info.isSymLink()) return entry;
  }
#ifdef Q_OS_WIN
  return portName;
#else
  return QStringLiteral("/dev/ttyS") + QString::number(match.captured(1).toInt() - 1);
#endif
}

namespace {

constexpr qint64 kBufferSize = 256;
constexpr int kWriteTimeoutMs = 1000;

class TQtSerialLine : public ISerialLine {
 public:
  TQtSerialLine() {
    FPort.setBaudRate(QSerialPort::Baud9600);
    FPort.setDataBits(QSerialPort::Data8);
    FPort.setParity(QSerialPort::NoParity);
    FPort.setStopBits(QSerialPort::OneStop);
    FPort.setFlowControl(QSerialPort::NoFlowControl);
    FPort.setReadBufferSize(kBufferSize);
  }

  bool Open(const QString& portName) override {
    Close();
    FPort.setPortName(ResolveSerialPortName(portName));
    if (!FPort.open(QIODevice::ReadWrite)) {
      FPort.clearError();
      return false;
    }
    return true;
  }

  bool IsOpen() const override { return FPort.isOpen(); }

  bool Close() override {
    FPending.clear();
    if (!FPort.isOpen()) return true;
    FPort.clearError();
    FPort.close();
    const bool ok = FPort.error() == QSerialPort::NoError;
    FPort.clearError();
    return ok;
  }

  void Purge() override {
    FPending.clear();
    if (!FPort.isOpen()) return;
    FPort.clear(QSerialPort::AllDirections);
    FPort.readAll();
    CheckLine();
  }

  qint64 Write(const QByteArray& data) override {
    if (!FPort.isOpen()) return 0;
    const qint64 written = FPort.write(data);
    if (written < 0) {
      CheckLine();
      return 0;
    }
    if (!FPort.waitForBytesWritten(kWriteTimeoutMs) && !CheckLine()) return 0;
    return written - FPort.bytesToWrite();
  }

  bool WaitForCharacter(char character, int timeoutMs) override {
    QElapsedTimer timer;
    timer.start();
    for (FArrived = false;;) {
      FPending += FPort.readAll();
      if (FPending.contains(character)) return FArrived = true;
      const qint64 left = timeoutMs - timer.elapsed();
      if (left <= 0 || !FPort.isOpen()) return false;
      // Paced replies arrive a character or two per wake-up: collect until the character.
      if (!FPort.waitForReadyRead(static_cast<int>(left)) && !CheckLine()) return false;
    }
  }

  QByteArray ReadWaiting() override {
    // After a wait that ran out, pick up what came in since its last wake-up.
    if (FPort.isOpen() && !FArrived) {
      FPort.waitForReadyRead(0);
      FPending += FPort.readAll();
      CheckLine();
    }
    FArrived = false;
    QByteArray received;
    received.swap(FPending);
    return received;
  }

 private:
  // After a hang-up or an unplugged adapter QSerialPort keeps the port "open" in an error
  // state, in which every wait returns at once: close it. False when the line is lost.
  bool CheckLine() {
    const QSerialPort::SerialPortError error = FPort.error();
    if (error == QSerialPort::NoError) return true;
    FPort.clearError();
    if (error == QSerialPort::TimeoutError) return true;
    FPort.close();
    FPort.clearError();
    return false;
  }

  QSerialPort FPort;
  QByteArray FPending;
  bool FArrived = false;  // the last wait saw its character
};

}  // namespace

std::unique_ptr<ISerialLine> CreateQtSerialLine() {
  return std::make_unique<TQtSerialLine>();
}
