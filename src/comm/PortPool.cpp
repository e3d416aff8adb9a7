#include "comm/PortPool.h"

#include <QCoreApplication>
#include <chrono>
#include <exception>
#include <thread>

#include "app/u_Function.h"
#include "comm/frame.h"
#include "comm/u_MjComm.h"
#include "data/bll_SerialPort.h"

namespace {

constexpr auto kGapBeforeFrame = std::chrono::milliseconds(5);

bool InRange(int ComNo) {
  return ComNo >= 1 && ComNo <= TFrm_MjComm::kSlotCount;
}

std::mutex poolMutex;
std::unique_ptr<TFrm_MjComm> pool;
SerialLineFactory lineFactory;

TFrm_MjComm& EnsurePool() {
  std::lock_guard<std::mutex> guard(poolMutex);
  if (!pool) {
    pool = std::make_unique<TFrm_MjComm>(lineFactory ? lineFactory : CreateQtSerialLine);
    // The ports close while Qt is still there, not at static destruction.
    static bool cleanupRegistered = false;
    if (!cleanupRegistered && QCoreApplication::instance()) {
      qAddPostRoutine(FreePortPool);
      cleanupRegistered = true;
    }
  }
  return *pool;
}

}  // namespace

TFrm_MjComm::TFrm_MjComm(const SerialLineFactory& factory) {
  for (PortSlot& slot : FSlots) slot.port = factory();
  try {
    LoadCurrentComPort();
  } catch (const std::exception&) {
    CurrentComPort = 0;
  }
}

TFrm_MjComm::~TFrm_MjComm() {
  for (PortSlot& slot : FSlots) {
    std::lock_guard<std::recursive_mutex> guard(slot.lock);
    slot.port->Close();
  }
}

int TFrm_MjComm::OpenPort(int ComNo) {
  if (!InRange(ComNo)) return 1;
  PortSlot& slot = Slot(ComNo);
  std::lock_guard<std::recursive_mutex> guard(slot.lock);
  slot.port->Close();
  return slot.port->Open(QStringLiteral("COM") + QString::number(ComNo)) ? 0 : 1;
}

bool TFrm_MjComm::IsPortOpen(int ComNo) {
  if (!InRange(ComNo)) return false;
  PortSlot& slot = Slot(ComNo);
  std::lock_guard<std::recursive_mutex> guard(slot.lock);
  return slot.port->IsOpen();
}

int TFrm_MjComm::ClosePort(int ComNo) {
  if (!InRange(ComNo)) return 1;
  PortSlot& slot = Slot(ComNo);
  std::lock_guard<std::recursive_mutex> guard(slot.lock);
  if (!slot.port->IsOpen()) return 0;
  return slot.port->Close() ? 0 : 1;
}

int TFrm_MjComm::Exchange(int ComNo, const QString& frame, QString& reply, int timeout) {
  if (!InRange(ComNo)) return 1;
  PortSlot& slot = Slot(ComNo);
  QString received;
  {
    std::lock_guard<std::recursive_mutex> guard(slot.lock);
    // A minimum gap before every frame, counted from the end of the previous exchange.
    const auto now = std::chrono::steady_clock::now();
    if (!slot.exchanged)
      std::this_thread::sleep_for(kGapBeforeFrame);
    else if (now < slot.lastExchangeEnd + kGapBeforeFrame)
      std::this_thread::sleep_until(slot.lastExchangeEnd + kGapBeforeFrame);
    // Whatever is still waiting (a late reply to an earlier request) is not this reply.
    slot.port->Purge();
    const QByteArray bytes = frame.toLatin1();
    if (slot.port->Write(bytes) != bytes.size()) return 2;
    slot.port->WaitForCharacter('\r', timeout);
    received = QString::fromLatin1(slot.port->ReadWaiting());
    slot.lastExchangeEnd = std::chrono::steady_clock::now();
    slot.exchanged = true;
  }
  QString extracted;
  if (ExtractFrame(received, extracted) == 0) return received.isEmpty() ? 3 : 4;
  reply = extracted;
  return CheckReply(extracted, QLatin1Char('A'));
}

TFrm_MjComm* Frm_MjComm() {
  std::lock_guard<std::mutex> guard(poolMutex);
  return pool.get();
}

void FreePortPool() {
  std::unique_ptr<TFrm_MjComm> ending;
  {
    std::lock_guard<std::mutex> guard(poolMutex);
    ending.swap(pool);
  }
}

void SetSerialLineFactory(SerialLineFactory factory) {
  std::lock_guard<std::mutex> guard(poolMutex);
  lineFactory = std::move(factory);
}

int OpenPort(int ComNo) {
  if (!InRange(ComNo)) return 1;
  return EnsurePool().OpenPort(ComNo);
}

bool IsPortOpen(int ComNo) {
  TFrm_MjComm* current = Frm_MjComm();
  return current && current->IsPortOpen(ComNo);
}

int ClosePort(int ComNo) {
  TFrm_MjComm* current = Frm_MjComm();
  if (!InRange(ComNo) || !current) return 1;
  return current->ClosePort(ComNo);
}

int Exchange(int ComNo, const QString& frame, QString& reply, int timeout) {
  TFrm_MjComm* current = Frm_MjComm();
  if (!InRange(ComNo) || !current) return 1;
  return current->Exchange(ComNo, frame, reply, timeout);
}
