// What the windows that talk to controllers share: the dialog frame, a progress bar the device
// loops move, the questions through HintYesNo, and the serial-port label of setting 6.
#pragma once

#include "app/BaseSetFrm.h"
#include "device/DeviceLoopHost.h"

class QLabel;
class QProgressBar;

class TfrmDeviceBase : public TfrmBaseEdit, public IDeviceLoopHost, public IProgress {
  Q_OBJECT

 public:
  explicit TfrmDeviceBase(QWidget* parent = nullptr);

  // IDeviceLoopHost; a window without door rows or stop requests keeps these.
  void DoorStatus(int, const QString&) override {}
  IProgress& Progress() override { return *this; }
  void ProcessMessages() override;
  bool StopRequested() override { return false; }
  bool Ask(const QString& question) override;
  // IProgress, on the window's progress bar
  void SetRange(int minimum, int maximum) override;
  void SetPosition(int position) override;
  void Repaint() override;

 protected:
  // Reads setting 6 into CurrentComPort and shows it as "COM" + number in `label` (empty when
  // no port is set); "Get current serial port error." when it cannot be read.
  void ShowSerialPort(QLabel* label);
  QProgressBar* progressBar = nullptr;
};
