#include "device/CommSearchFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "device/CommSearch.h"
#include "model/bll_IOPort.h"
#include "model/bll_door.h"
#include "platform/FormTranslation.h"
#include "platform/Translation.h"

namespace {

QTreeWidget* MakeList(QWidget* parent, const char* name, const QStringList& columns) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QLatin1String(name));
  list->setRootIsDecorated(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setHeaderLabels(columns);
  return list;
}

}  // namespace

TfrmCommSearch::TfrmCommSearch(QWidget* parent) : TfrmDeviceBase(parent) {
  setObjectName(QStringLiteral("frmCommSearch"));
  setWindowTitle(N_("Search"));
  lblHint->setText(N_("Read back the parameters a controller holds"));

  auto* layout = new QVBoxLayout(pnlInfo);
  auto* top = new QHBoxLayout;
  lblSerialPort = new QLabel(pnlInfo);
  lblSerialPort->setObjectName(QStringLiteral("lblSerialPort"));
  gw::KeepUntranslated(lblSerialPort);
  top->addWidget(lblSerialPort);
  top->addStretch();
  auto* doorLabel = new QLabel(N_("Door List"), pnlInfo);
  top->addWidget(doorLabel);
  cmbDoor = new QComboBox(pnlInfo);
  cmbDoor->setObjectName(QStringLiteral("cmbDoor"));
  cmbDoor->setMinimumWidth(200);
  top->addWidget(cmbDoor);
  layout->addLayout(top);

  pcCtrlParam = new QTabWidget(pnlInfo);
  pcCtrlParam->setObjectName(QStringLiteral("pcCtrlParam"));
  pcCtrlParam->setDocumentMode(true);
  using P = TSearchPage;
  lvZone = MakeList(pcCtrlParam, "lvZone", TCommSearchEngine::Columns(P::TimeZones));
  lvWeekPlan = MakeList(pcCtrlParam, "lvWeekPlan", TCommSearchEngine::Columns(P::WeekPlans));
  lvHoliday = MakeList(pcCtrlParam, "lvHoliday", TCommSearchEngine::Columns(P::Holidays));
  lvHolidayPlan = MakeList(pcCtrlParam, "lvHolidayPlan", {});
  lvGroup = MakeList(pcCtrlParam, "lvGroup", TCommSearchEngine::Columns(P::ControlGroups));
  lvGroup->setColumnHidden(3, true);  // the holiday plan's name
  lvInport = MakeList(pcCtrlParam, "lvInport", TCommSearchEngine::Columns(P::InPorts));
  lvOutport = MakeList(pcCtrlParam, "lvOutport", TCommSearchEngine::Columns(P::OutPorts));
  pcCtrlParam->addTab(lvZone, N_("Time Zone"));
  pcCtrlParam->addTab(lvWeekPlan, N_("Week Plan"));
  pcCtrlParam->addTab(lvHoliday, N_("Holiday"));
  pcCtrlParam->addTab(lvHolidayPlan, N_("Holiday Plan"));
  pcCtrlParam->addTab(lvGroup, N_("Control Group"));
  pcCtrlParam->addTab(lvInport, N_("Input Information"));
  pcCtrlParam->addTab(lvOutport, N_("Output Information"));
  layout->addWidget(pcCtrlParam, 1);
  connect(pcCtrlParam, &QTabWidget::currentChanged, this, &TfrmCommSearch::pcCtrlParamChange);

  pbSearch = new QProgressBar(pnlInfo);
  pbSearch->setObjectName(QStringLiteral("pbSearch"));
  pbSearch->setTextVisible(false);
  progressBar = pbSearch;
  layout->addWidget(pbSearch);
  btnOK->setText(N_("&Search"));

  FormCreate();
  SetClientSize(760, 480);

  LoadPortTexts();
  ShowSerialPort(lblSerialPort);
  try {
    for (const TDoor& door : TDoorOp().GetDoors()) cmbDoor->addItem(door.DName, door.DeviceId);
    if (cmbDoor->count() > 0) cmbDoor->setCurrentIndex(0);
  } catch (const std::exception&) {
    HintBox(_("Get door list error."));
  }
}

TfrmCommSearch::~TfrmCommSearch() = default;

void TfrmCommSearch::showEvent(QShowEvent* event) {
  TfrmDeviceBase::showEvent(event);
  if (!activated) FormActivate();
}

void TfrmCommSearch::FormActivate() {
  activated = true;
  // No command reads a holiday plan back.
  if (lvHolidayPlan) {
    pcCtrlParam->removeTab(pcCtrlParam->indexOf(lvHolidayPlan));
    delete lvHolidayPlan;
    lvHolidayPlan = nullptr;
  }
  pcCtrlParam->setCurrentIndex(0);
}

void TfrmCommSearch::closeEvent(QCloseEvent* event) {
  ClosePort(CurrentComPort);
  FreePortTexts();
  TfrmDeviceBase::closeEvent(event);
}

void TfrmCommSearch::pcCtrlParamChange() {
  pbSearch->setValue(0);
}

QTreeWidget* TfrmCommSearch::ListOfPage(int page) const {
  return qobject_cast<QTreeWidget*>(pcCtrlParam->widget(page));
}

void TfrmCommSearch::btnOKClick() {
  TfrmBaseEdit::btnOKClick();
  if (!activated) FormActivate();
  if (cmbDoor->currentIndex() < 0) return;
  const int page = pcCtrlParam->currentIndex();
  QTreeWidget* list = ListOfPage(page);
  if (!list) return;
  list->clear();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  setEnabled(false);
  std::vector<QStringList> rows;
  TCommSearchEngine(*this).Search(cmbDoor->currentData().toInt(), static_cast<TSearchPage>(page),
                                  rows);
  for (const QStringList& row : rows) new QTreeWidgetItem(list, row);
  setEnabled(true);
  QApplication::restoreOverrideCursor();
}
