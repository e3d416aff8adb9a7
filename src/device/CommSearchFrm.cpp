#include "device/CommSearchFrm.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
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

// The wait cursor for as long as it lives.
class TWaitCursor {
 public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace

TfrmCommSearch::TfrmCommSearch(QWidget* parent) : TfrmDeviceBase(parent) {
  setObjectName(QStringLiteral("frmCommSearch"));
  setWindowTitle(N_("Search"));
  lblHint->setText(N_("Read back the parameters a controller holds"));

  auto* layout = new QVBoxLayout(pnlInfo);
  layout->setContentsMargins(16, 10, 16, 10);
  layout->setSpacing(8);

  auto* top = new QHBoxLayout;
  lblDoorList = new QLabel(N_("Door List"), pnlInfo);
  lblDoorList->setObjectName(QStringLiteral("lblDoorList"));
  top->addWidget(lblDoorList);
  cmbDoor = new QComboBox(pnlInfo);
  cmbDoor->setObjectName(QStringLiteral("cmbDoor"));
  cmbDoor->setMinimumWidth(200);
  top->addWidget(cmbDoor);
  top->addStretch(1);
  lblSerialPort = new QLabel(pnlInfo);
  lblSerialPort->setObjectName(QStringLiteral("lblSerialPort"));
  QFont bold = lblSerialPort->font();
  bold.setBold(true);
  lblSerialPort->setFont(bold);
  gw::KeepUntranslated(lblSerialPort);
  top->addWidget(lblSerialPort);
  layout->addLayout(top);

  pcCtrlParam = new QTabWidget(pnlInfo);
  pcCtrlParam->setObjectName(QStringLiteral("pcCtrlParam"));
  pcCtrlParam->setDocumentMode(true);  // flat tabs
  lvZone =
      AddPage(tbsZone, "tbsZone", "lvZone", N_("Time Zone"), SearchColumns(TSearchPage::TimeZones));
  lvWeekPlan = AddPage(tbsWeekPlan, "tbsWeekPlan", "lvWeekPlan", N_("Week Plan"),
                       SearchColumns(TSearchPage::WeekPlans));
  lvHoliday = AddPage(tbsHoliday, "tbsHoliday", "lvHoliday", N_("Holiday"),
                      SearchColumns(TSearchPage::Holidays));
  lvHolidayPlan = AddPage(tbsHolidayPlan, "tbsHolidayPlan", "lvHolidayPlan", N_("Holiday Plan"),
                          {N_("Plan Name"), N_("ID")});
  lvGroup = AddPage(tbsGroup, "tbsGroup", "lvGroup", N_("Control Group"),
                    SearchColumns(TSearchPage::ControlGroups));
  lvGroup->setColumnHidden(3, true);  // the holiday plan: kept, not shown
  lvInport = AddPage(tbsInport, "tbsInport", "lvInport", N_("Input Information"),
                     SearchColumns(TSearchPage::InPorts));
  lvOutport = AddPage(tbsOutport, "tbsOutport", "lvOutport", N_("Output Information"),
                      SearchColumns(TSearchPage::OutPorts));
  layout->addWidget(pcCtrlParam, 1);

  pbSearch = new QProgressBar(pnlInfo);
  pbSearch->setObjectName(QStringLiteral("pbSearch"));
  pbSearch->setTextVisible(false);
  pbSearch->setFixedHeight(16);
  layout->addWidget(pbSearch);
  progressBar = pbSearch;

  btnOK->setText(N_("&Search"));
  connect(pcCtrlParam, &QTabWidget::currentChanged, this, [this] { pcCtrlParamChange(); });

  FormCreate();
  SetClientSize(760, 480);
}

TfrmCommSearch::~TfrmCommSearch() {
  FormClose();
}

QTreeWidget* TfrmCommSearch::AddPage(QWidget*& page, const char* pageName, const char* listName,
                                     const QString& caption, const QStringList& columns) {
  page = new QWidget(pcCtrlParam);
  page->setObjectName(QLatin1String(pageName));
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->setContentsMargins(0, 4, 0, 0);
  auto* list = new QTreeWidget(page);
  list->setObjectName(QLatin1String(listName));
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSortingEnabled(false);
  list->setHeaderLabels(columns);
  list->header()->setStretchLastSection(false);
  list->header()->setDefaultSectionSize(84);
  pageLayout->addWidget(list);
  pcCtrlParam->addTab(page, caption);
  return list;
}

void TfrmCommSearch::FormCreate() {
  TfrmDeviceBase::FormCreate();
  LoadPortTexts();
  startId = 1;
  ShowSerialPort(lblSerialPort);
  try {
    doors = TDoorOp().GetDoors();
    for (const TDoor& door : doors) cmbDoor->addItem(door.DName);
    if (!doors.empty()) cmbDoor->setCurrentIndex(0);
  } catch (const std::exception&) {
    HintBox(_("Get door list error."));
  }
}

void TfrmCommSearch::FormActivate() {
  if (!activated) {
    activated = true;
    const int position = pcCtrlParam->indexOf(tbsHolidayPlan);
    if (position >= 0) pcCtrlParam->removeTab(position);
    delete tbsHolidayPlan;  // its list goes with it
    tbsHolidayPlan = nullptr;
    lvHolidayPlan = nullptr;
  }
  pcCtrlParam->setCurrentWidget(tbsZone);
}

void TfrmCommSearch::showEvent(QShowEvent* event) {
  TfrmDeviceBase::showEvent(event);
  if (!event->spontaneous() && !activated) FormActivate();
}

QTreeWidget* TfrmCommSearch::ListOfPage(int position) const {
  QWidget* page = pcCtrlParam->widget(position);
  return page ? page->findChild<QTreeWidget*>() : nullptr;
}

void TfrmCommSearch::pcCtrlParamChange() {
  pbSearch->setValue(pbSearch->minimum());
}

void TfrmCommSearch::btnOKClick() {
  TfrmDeviceBase::btnOKClick();
  TWaitCursor wait;
  const int position = pcCtrlParam->currentIndex();
  QTreeWidget* list = ListOfPage(position);
  TCommSearchEngine engine(*this);
  const int chosen = cmbDoor->currentIndex();
  if (chosen < 0 || chosen >= static_cast<int>(doors.size())) {
    HintBox(_("Choose a door first."));
    return;
  }
  if (!activated || !list) return;
  const int deviceId = doors[chosen].DeviceId;
  if (engine.Prepare(deviceId) != TSearchResult::Done) return;
  // Disabled while the read runs, enabled again however it ends.
  setEnabled(false);
  readList = list;
  engine.Read(static_cast<TSearchPage>(position), deviceId, *this);
  readList = nullptr;
  setEnabled(true);
}

void TfrmCommSearch::Clear() {
  if (readList) readList->clear();
}

void TfrmCommSearch::AddRow(const QStringList& cells) {
  if (readList) readList->addTopLevelItem(new QTreeWidgetItem(cells));
}

void TfrmCommSearch::FormClose() {
  if (closed) return;
  closed = true;
  ClosePort(CurrentComPort);
  FreePortTexts();
}

void TfrmCommSearch::done(int result) {
  FormClose();
  TfrmDeviceBase::done(result);
}
