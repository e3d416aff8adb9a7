// The "Search" window: reads back what one controller holds, one page per kind.
#pragma once

#include "device/DeviceFrm.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QTabWidget;
class QTreeWidget;

class TfrmCommSearch : public TfrmDeviceBase {
  Q_OBJECT

 public:
  explicit TfrmCommSearch(QWidget* parent = nullptr);
  ~TfrmCommSearch() override;

  QLabel* lblSerialPort;
  QComboBox* cmbDoor;  // item data: the door's device number
  QTabWidget* pcCtrlParam;
  QTreeWidget* lvZone;
  QTreeWidget* lvWeekPlan;
  QTreeWidget* lvHoliday;
  QTreeWidget* lvHolidayPlan;  // removed when the window is first shown
  QTreeWidget* lvGroup;
  QTreeWidget* lvInport;
  QTreeWidget* lvOutport;
  QProgressBar* pbSearch;

 public slots:
  void FormActivate();
  void pcCtrlParamChange();
  void btnOKClick() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QTreeWidget* ListOfPage(int page) const;
  bool activated = false;
};
