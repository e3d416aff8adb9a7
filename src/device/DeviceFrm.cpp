#include "device/DeviceFrm.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include "app/u_Function.h"
#include "data/bll_SerialPort.h"
#include "platform/Translation.h"

TfrmDeviceBase::TfrmDeviceBase(QWidget* parent) : TfrmBaseEdit(parent) {}

void TfrmDeviceBase::ProcessMessages() {
  QApplication::processEvents();
}

bool TfrmDeviceBase::Ask(const QString& question) {
  return HintYesNo(question);
}

void TfrmDeviceBase::SetRange(int minimum, int maximum) {
  // An empty range (one record, or none) would turn the bar into a busy indicator.
  if (progressBar) progressBar->setRange(minimum, qMax(maximum, minimum + 1));
}

void TfrmDeviceBase::SetPosition(int position) {
  if (progressBar) progressBar->setValue(position);
}

void TfrmDeviceBase::Repaint() {
  if (progressBar) progressBar->repaint();
}

void TfrmDeviceBase::ShowSerialPort(QLabel* label) {
  try {
    const QString text = TComOperater().GetComPort().trimmed();
    label->setText(text.isEmpty() ? QString() : QStringLiteral("COM") + text);
    CurrentComPort = ComPortFromText(text);
  } catch (const std::exception&) {
    HintBox(_("Get current serial port error."));
  }
}
