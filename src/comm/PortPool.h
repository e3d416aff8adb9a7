// The pool of serial ports: one slot per COM number 1..20, each with its line and a lock that
// serialises exchanges on it. The pool functions of u_MjComm.h create it on first use and go
// through it; it lives until FreePortPool or the end of the process.
#pragma once

#include <QString>
#include <array>
#include <chrono>
#include <memory>
#include <mutex>

#include "platform/SerialLine.h"

class TFrm_MjComm {
 public:
  static constexpr int kSlotCount = 20;

  // Creates the 20 lines with `factory` and reads the serial port setting into
  // CurrentComPort (0 when it is blank or cannot be read).
  explicit TFrm_MjComm(const SerialLineFactory& factory);
  ~TFrm_MjComm();  // closes every port
  TFrm_MjComm(const TFrm_MjComm&) = delete;
  TFrm_MjComm& operator=(const TFrm_MjComm&) = delete;

  int OpenPort(int ComNo);
  bool IsPortOpen(int ComNo);
  int ClosePort(int ComNo);
  int Exchange(int ComNo, const QString& frame, QString& reply, int timeout);

 private:
  struct PortSlot {
    std::unique_ptr<ISerialLine> port;
    std::recursive_mutex lock;
    // When the last exchange on this port ended; the next frame waits until the gap after it
    // has passed, so that work done in between (storing a record) counts towards the gap.
    std::chrono::steady_clock::time_point lastExchangeEnd{};
    bool exchanged = false;
  };
  PortSlot& Slot(int ComNo) { return FSlots[ComNo - 1]; }

  std::array<PortSlot, kSlotCount> FSlots;
};

// The pool, or nullptr before the first OpenPort.
TFrm_MjComm* Frm_MjComm();
// Ends the pool (its ports are closed). The next OpenPort creates a new one.
void FreePortPool();
// The lines of pools created from now on; nullptr restores the product's QSerialPort line.
void SetSerialLineFactory(SerialLineFactory factory);
