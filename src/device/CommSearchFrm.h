// The read-back window ("Search"): one door's controller, one page per kind of parameter;
// "&Search" reads the kind of the page shown and lists it with names from the database.
#pragma once

#include <vector>

#include "device/CommSearch.h"
#include "device/DeviceFrm.h"
#include "model/m_Door.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QTabWidget;
class QTreeWidget;
class QWidget;

// The window is the read-back's host: its progress bar, and the list of the page read.
class TfrmCommSearch : public TfrmDeviceBase, public ISearchRows {
  Q_OBJECT

 public:
  explicit TfrmCommSearch(QWidget* parent = nullptr);
  ~TfrmCommSearch() override;

  QLabel* lblSerialPort;
  QLabel* lblDoorList;
  QComboBox* cmbDoor;  // item i shows Doors()[i]
  QTabWidget* pcCtrlParam;
  QWidget* tbsZone;
  QTreeWidget* lvZone;
  QWidget* tbsWeekPlan;
  QTreeWidget* lvWeekPlan;
  QWidget* tbsHoliday;
  QTreeWidget* lvHoliday;
  QWidget* tbsHolidayPlan;  // removed on the first activation (nothing reads holiday plans)
  QTreeWidget* lvHolidayPlan;
  QWidget* tbsGroup;
  QTreeWidget* lvGroup;
  QWidget* tbsInport;
  QTreeWidget* lvInport;
  QWidget* tbsOutport;
  QTreeWidget* lvOutport;
  QProgressBar* pbSearch;

  // The doors of the drop-down list, in its order.
  const std::vector<TDoor>& Doors() const { return doors; }
  // The start id of the time-rule reads.
  int StartId() const { return startId; }
  // The list of the page at `position` once the holiday-plan page is gone (0 time zones ..
  // 5 output ports).
  QTreeWidget* ListOfPage(int position) const;

  void FormActivate();
  void FormClose();

  // ISearchRows, on the list of the page being read
  void Clear() override;
  void AddRow(const QStringList& cells) override;

 public slots:
  void pcCtrlParamChange();
  void btnOKClick() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void FormCreate();
  QTreeWidget* AddPage(QWidget*& page, const char* pageName, const char* listName,
                       const QString& caption, const QStringList& columns);

  std::vector<TDoor> doors;
  QTreeWidget* readList = nullptr;
  int startId = 0;
  bool activated = false;
  bool closed = false;
};
