#include "device/CommSyncFrm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "device/CommSync.h"
#include "model/bll_IOPort.h"
#include "model/bll_door.h"
#include "platform/FormTranslation.h"
#include "platform/Translation.h"

namespace {

enum Column { kDevice = 0, kName = 1, kStatus = 2, kDoorKey = 3 };

}  // namespace

TfrmCommSync::TfrmCommSync(QWidget* parent) : TfrmDeviceBase(parent) {
  setObjectName(QStringLiteral("frmCommSync"));
  setWindowTitle(N_("Synchronize"));
  lblHint->setText(N_("Synchronize the controllers with the database"));

  auto* layout = new QVBoxLayout(pnlInfo);
  auto* options = new QGridLayout;
  lblSerialPort = new QLabel(pnlInfo);
  lblSerialPort->setObjectName(QStringLiteral("lblSerialPort"));
  QFont bold = lblSerialPort->font();
  bold.setBold(true);
  lblSerialPort->setFont(bold);
  gw::KeepUntranslated(lblSerialPort);
  options->addWidget(lblSerialPort, 0, 0, 1, 2);
  auto addBox = [&](const char* boxName, const char* labelName, const QString& caption, int row,
                    QCheckBox*& box, QLabel*& label) {
    box = new QCheckBox(pnlInfo);
    box->setObjectName(QLatin1String(boxName));
    label = new QLabel(caption, pnlInfo);
    label->setObjectName(QLatin1String(labelName));
    label->installEventFilter(this);  // a click on the label toggles its box
    options->addWidget(box, row, 0);
    options->addWidget(label, row, 1);
  };
  addBox("chkCollect", "Label3", N_("Collect data"), 1, chkCollect, Label3);
  addBox("chkUserSync", "Label4", N_("Synchronize user"), 2, chkUserSync, Label4);
  addBox("chkParamSync", "Label5", N_("Synchronize Paramater"), 3, chkParamSync, Label5);
  options->setColumnStretch(1, 1);
  layout->addLayout(options);

  lvDoor = new QTreeWidget(pnlInfo);
  lvDoor->setObjectName(QStringLiteral("lvDoor"));
  lvDoor->setRootIsDecorated(false);
  lvDoor->setColumnCount(4);
  lvDoor->setHeaderLabels({N_("Device Number"), N_("Door Name"), N_("Status"), QString()});
  lvDoor->setColumnHidden(kDoorKey, true);
  lvDoor->header()->setStretchLastSection(false);
  lvDoor->header()->setSectionResizeMode(kStatus, QHeaderView::Stretch);
  layout->addWidget(lvDoor, 1);

  pbSync = new QProgressBar(pnlInfo);
  pbSync->setObjectName(QStringLiteral("pbSync"));
  pbSync->setTextVisible(false);
  progressBar = pbSync;
  layout->addWidget(pbSync);

  auto addButton = [&](const char* name, const QString& caption, QPushButton*& button) {
    button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    ButtonRow()->insertWidget(ButtonRow()->indexOf(btnOK), button);
  };
  addButton("sbAll", N_("Select &All"), sbAll);
  addButton("sbClearAll", N_("C&lear All"), sbClearAll);
  addButton("sbCheckOn", N_("Check &On"), sbCheckOn);
  btnOK->setText(N_("&Sync"));
  connect(sbAll, &QPushButton::clicked, this, &TfrmCommSync::sbAllClick);
  connect(sbClearAll, &QPushButton::clicked, this, &TfrmCommSync::sbClearAllClick);
  connect(sbCheckOn, &QPushButton::clicked, this, &TfrmCommSync::sbCheckOnClick);

  FormCreate();
  SetClientSize(560, 460);

  LoadPortTexts();
  ShowSerialPort(lblSerialPort);
  chkCollect->setChecked(true);
  chkUserSync->setChecked(true);
  chkParamSync->setChecked(true);
  FormShow();
}

TfrmCommSync::~TfrmCommSync() {
  qApp->removeEventFilter(this);
  ReleasePort();
}

void TfrmCommSync::ReleasePort() {
  if (released) return;
  released = true;
  ClosePort(CurrentComPort);
  FreePortTexts();
}

void TfrmCommSync::FormShow() {
  lvDoor->clear();
  try {
    for (const TDoor& door : TDoorOp().GetDoors()) {
      auto* item = new QTreeWidgetItem(lvDoor);
      item->setText(kDevice, QString::number(door.DeviceId));
      item->setText(kName, door.DName);
      item->setText(kDoorKey, QString::number(door.Did));
      item->setCheckState(kDevice, Qt::Unchecked);
    }
  } catch (const std::exception&) {
    HintBox(_("Get door list error."));
  }
}

void TfrmCommSync::closeEvent(QCloseEvent* event) {
  if (running) {  // the run ends first; closing asks it to stop
    stopPressed = true;
    event->ignore();
    return;
  }
  TfrmDeviceBase::closeEvent(event);
}

void TfrmCommSync::done(int result) {
  if (running) {
    stopPressed = true;
    return;
  }
  ReleasePort();
  TfrmDeviceBase::done(result);
}

bool TfrmCommSync::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == Label3) chkCollect->toggle();
    if (watched == Label4) chkUserSync->toggle();
    if (watched == Label5) chkParamSync->toggle();
  }
  if (running && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      QApplication::activeModalWidget() == this) {
    stopPressed = true;
    return true;  // a stop request, not the dialog's cancel
  }
  return TfrmDeviceBase::eventFilter(watched, event);
}

void TfrmCommSync::sbAllClick() {
  for (int i = 0; i < lvDoor->topLevelItemCount(); ++i)
    lvDoor->topLevelItem(i)->setCheckState(kDevice, Qt::Checked);
}

void TfrmCommSync::sbClearAllClick() {
  for (int i = 0; i < lvDoor->topLevelItemCount(); ++i)
    lvDoor->topLevelItem(i)->setCheckState(kDevice, Qt::Unchecked);
}

bool TfrmCommSync::OpenCurrentPort() {
  if (!IsPortOpen(CurrentComPort)) OpenPort(CurrentComPort);
  return IsPortOpen(CurrentComPort);
}

void TfrmCommSync::SetBusy(bool busy) {
  running = busy;
  Panel1->setEnabled(!busy);
  lvDoor->setEnabled(!busy);
  if (busy) {
    stopPressed = false;
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
  }
}

void TfrmCommSync::sbCheckOnClick() {
  Panel1->setEnabled(false);
  if (!OpenCurrentPort()) {
    HintBox(_("The current serial port can not be opened."));
    Panel1->setEnabled(true);
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  for (int i = 0; i < lvDoor->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = lvDoor->topLevelItem(i);
    item->setText(kStatus, QString());
    if (item->checkState(kDevice) == Qt::Checked) {
      item->setText(kStatus, MjTestOnline(CurrentComPort, item->text(kDevice).toInt()) == 0
                                 ? _("On-Line")
                                 : _("Off-Line"));
    }
    lvDoor->repaint();
  }
  Panel1->setEnabled(true);
  QApplication::restoreOverrideCursor();
}

void TfrmCommSync::btnOKClick() {
  TfrmBaseEdit::btnOKClick();
  std::vector<TSyncRow> rows;
  for (int i = 0; i < lvDoor->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = lvDoor->topLevelItem(i);
    rows.push_back({item->text(kDevice).toInt(), item->text(kDoorKey).toInt(), item->text(kName),
                    item->checkState(kDevice) == Qt::Checked});
  }
  TSyncOptions options{chkCollect->isChecked(), chkUserSync->isChecked(),
                       chkParamSync->isChecked()};
  SetBusy(true);
  TCommSyncEngine(*this).Run(rows, options);
  SetBusy(false);
}

void TfrmCommSync::DoorStatus(int row, const QString& text) {
  if (QTreeWidgetItem* item = lvDoor->topLevelItem(row)) item->setText(kStatus, text);
  lvDoor->repaint();
}

bool TfrmCommSync::StopRequested() {
  QApplication::processEvents();  // a key pressed meanwhile is seen now
  const bool stop = stopPressed;
  stopPressed = false;
  return stop;
}
