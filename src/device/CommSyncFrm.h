// The "Synchronize" window: the doors with check boxes, the three phase boxes, and the run of
// the synchronisation engine with a status per door. Esc between two commands asks to stop.
#pragma once

#include <QObject>

#include "device/DeviceFrm.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

class TfrmCommSync : public TfrmDeviceBase {
  Q_OBJECT

 public:
  explicit TfrmCommSync(QWidget* parent = nullptr);
  ~TfrmCommSync() override;

  QLabel* lblSerialPort;
  QCheckBox* chkCollect;
  QLabel* Label3;
  QCheckBox* chkUserSync;
  QLabel* Label4;
  QCheckBox* chkParamSync;
  QLabel* Label5;
  QTreeWidget* lvDoor;
  QProgressBar* pbSync;
  QPushButton* sbAll;
  QPushButton* sbClearAll;
  QPushButton* sbCheckOn;

  // IDeviceLoopHost
  void DoorStatus(int row, const QString& text) override;
  bool StopRequested() override;

 public slots:
  void FormShow();
  void sbAllClick();
  void sbClearAllClick();
  void sbCheckOnClick();
  void btnOKClick() override;
  // Closes the window (FormClose: the port and the port texts are released); refused while a
  // run is active, where it counts as a stop request.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetBusy(bool busy);
  bool OpenCurrentPort();
  void ReleasePort();
  bool running = false;
  bool released = false;
  bool stopPressed = false;
};
