#include "app/MainFrm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "data/bll_SerialPort.h"
#include "data/bll_Tool.h"
#include "platform/FormTranslation.h"
#include "platform/HelpView.h"
#include "platform/Translation.h"
#include "screens/DoorFram.h"
#include "screens/LimitFram.h"
#include "screens/ToolFram.h"
#include "screens/UserFram.h"

namespace {

TfrmMain* theMainWindow = nullptr;

constexpr int kClientWidth = 602;
constexpr int kClientHeight = 515;

}  // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(N_("Gatewarden -KV60"));

  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  auto addItem = [this](const QString& caption, const char* name) {
    QAction* item = MainMenu1->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
  };
  mnu_user = addItem(N_("User"), "mnu_user");
  mnu_door = addItem(N_("Door"), "mnu_door");
  mnu_time = addItem(N_("Timeset"), "mnu_time");
  mnu_tools = addItem(N_("Tools"), "mnu_tools");
  mnu_pass = addItem(N_("Password"), "mnu_pass");
  mnu_pass->setVisible(false);
  mnu_help = addItem(N_("Help"), "mnu_help");
  mnu_help->setVisible(false);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("pnlClient"));
  auto* pages = new QVBoxLayout(client);
  pages->setContentsMargins(0, 0, 0, 0);
  framUserMain = new TframUser(client);
  framUserMain->setObjectName(QStringLiteral("framUserMain"));
  framUserMain->tvUser->setSelectionMode(QAbstractItemView::ExtendedSelection);
  framDoor1 = new TframDoor(client);
  framDoor1->setObjectName(QStringLiteral("framDoor1"));
  framLimit = new TframLimit(client);
  framLimit->setObjectName(QStringLiteral("framLimit"));
  framTool = new TframTool(client);
  framTool->setObjectName(QStringLiteral("framTool"));
  for (QWidget* page : {static_cast<QWidget*>(framUserMain), static_cast<QWidget*>(framDoor1),
                        static_cast<QWidget*>(framLimit), static_cast<QWidget*>(framTool)}) {
    page->hide();
    pages->addWidget(page);
  }
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  connect(mnu_user, &QAction::triggered, this, &TfrmMain::mnu_userClick);
  connect(mnu_door, &QAction::triggered, this, &TfrmMain::mnu_doorClick);
  connect(mnu_time, &QAction::triggered, this, &TfrmMain::mnu_timeClick);
  connect(mnu_tools, &QAction::triggered, this, &TfrmMain::mnu_toolsClick);
  connect(mnu_pass, &QAction::triggered, this, &TfrmMain::mnu_passClick);
  connect(mnu_help, &QAction::triggered, this, &TfrmMain::mnu_helpClick);
  connect(framTool, &TframTool::ConfigurationClosed, this, [this] {
    Retranslate();
    mnu_toolsClick();
  });

  theMainWindow = this;
  qApp->installEventFilter(this);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  qApp->removeEventFilter(this);
  if (theMainWindow == this) theMainWindow = nullptr;
}

TfrmMain* TfrmMain::Instance() {
  return theMainWindow;
}

void TfrmMain::FormCreate() {
  Retranslate();
  setFixedSize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
  RestoreWindowPosition(this);
}

void TfrmMain::Retranslate() {
  gw::TranslateForm(this);
}

void TfrmMain::SetInfoWindow(TInfoWindow kind, QWidget* window) {
  infoWindows[static_cast<size_t>(kind)] = window;
}

void TfrmMain::CloseInfoWindows() {
  for (const QPointer<QWidget>& window : infoWindows) {
    if (window && window->isVisible()) window->close();
  }
}

QWidget* TfrmMain::PageFrame(TPage page) const {
  switch (page) {
    case TPage::User:
      return framUserMain;
    case TPage::Door:
      return framDoor1;
    case TPage::Limit:
      return framLimit;
    case TPage::Tool:
      break;
  }
  return framTool;
}

void TfrmMain::HidePages() {
  for (TPage page : {TPage::User, TPage::Door, TPage::Limit, TPage::Tool}) PageFrame(page)->hide();
  Retranslate();
}

void TfrmMain::ShowPage(TPage page) {
  HidePages();
  PageFrame(page)->show();
  currentPage = page;
  THelpView* view = nullptr;
  QString pageFile;
  switch (page) {
    case TPage::User: {
      QTreeWidget* tree = framUserMain->tvUser;
      tree->setProperty("Tag", 1);
      framUserMain->edtSearch->clear();
      tree->setProperty("Tag", 0);
      framUserMain->LoadTree(framUserMain->edtSearch);
      tree->setProperty("Tag", 1);
      framUserMain->edtSearch->setText(_("Search ..."));
      framUserMain->edtSearch->setCursorPosition(0);  // the prompt reads from its start
      tree->setProperty("Tag", 0);
      view = framUserMain->wbUser;
      pageFile = _("User_en.htm");
      break;
    }
    case TPage::Door:
      framDoor1->LoadDoorTree();
      view = framDoor1->wbDoor;
      pageFile = _("Door_en.htm");
      break;
    case TPage::Limit:
      framLimit->LoadLimitTree();
      view = framLimit->wbLimit;
      pageFile = _("Limit_en.htm");
      break;
    case TPage::Tool:
      framTool->Retranslate();
      view = framTool->wbTool;
      pageFile = _("Tool_en.htm");
      break;
  }
  view->Navigate(AppPath + QStringLiteral("html") + QDir::separator() + pageFile);
}

void TfrmMain::mnu_userClick() {
  ShowPage(TPage::User);
}
void TfrmMain::mnu_doorClick() {
  ShowPage(TPage::Door);
}
void TfrmMain::mnu_timeClick() {
  ShowPage(TPage::Limit);
}
void TfrmMain::mnu_toolsClick() {
  ShowPage(TPage::Tool);
}
void TfrmMain::mnu_passClick() {}
void TfrmMain::mnu_helpClick() {}

void TfrmMain::framUserMainpmmSetUserClick() {
  framUserMain->pmmSetUserClick();
}
void TfrmMain::framUserMaintlbbIssueCardClick() {
  framUserMain->tlbbIssueCardClick();
}

bool TfrmMain::eventMainMessage(QObject* target, QEvent* event) {
  bool blocked = false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ContextMenu:
      blocked = true;
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      blocked = static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
      break;
    default:
      break;
  }
  if (!blocked || !target->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(target);
  for (QWidget* view :
       {static_cast<QWidget*>(framTool->wbTool), static_cast<QWidget*>(framLimit->wbLimit),
        static_cast<QWidget*>(framDoor1->wbDoor), static_cast<QWidget*>(framUserMain->wbUser)}) {
    if (widget == view || view->isAncestorOf(widget)) return true;
  }
  return false;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (eventMainMessage(watched, event)) return true;
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) mnu_userClick();  // FormShow
}

void TfrmMain::FormClose() {
  TToolOp().SaveWindowPosition(x(), y());
  try {
    LoadCurrentComPort();
    if (IsPortOpen(CurrentComPort)) ClosePort(CurrentComPort);
  } catch (const std::exception&) {
    // A port setting that is no number names no port that could be open.
  }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  FormClose();
  QMainWindow::closeEvent(event);
}

QPoint TfrmMain::DesignedPosition(const QSize& frameSize) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return QPoint(0, 0);
  const QRect area = screen->availableGeometry();
  return area.topLeft() +
         QPoint((area.width() - frameSize.width()) / 2, (area.height() - frameSize.height()) / 2);
}

void RestoreWindowPosition(QWidget* form) {
  form->move(TfrmMain::DesignedPosition(form->frameGeometry().size()));
  try {
    int left = -1;
    int top = -1;
    if (TToolOp().ReadWindowPosition(left, top)) {
      form->move(left, top);
    } else {
      const QScreen* screen = QGuiApplication::primaryScreen();
      const int screenWidth = screen ? screen->geometry().width() : 0;
      form->move(screenWidth - form->frameGeometry().width(), 0);
    }
  } catch (const std::exception&) {
    // An unreadable position leaves the window where it was designed to be.
  }
}
