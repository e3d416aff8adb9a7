// The main window: position, pages, help views, information windows, language switch, close.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "ShellTest.h"
#include "app/MainFrm.h"
#include "platform/HelpView.h"
#include "platform/Translation.h"
#include "screens/DoorFram.h"
#include "screens/LimitFram.h"
#include "screens/ToolFram.h"
#include "screens/UserFram.h"

class MainWindow : public ShellTest {
 protected:
  QPoint TopRight(const TfrmMain& w) const {
    return QPoint(QGuiApplication::primaryScreen()->geometry().width() - w.frameGeometry().width(),
                  0);
  }
};

TEST_F(MainWindow, OpensAtItsStoredPositionOrFallsBack) {
  enum Where { Stored, TopRightCorner, Designed };
  const struct {
    const char* left;  // nullptr: the row is missing
    const char* top;
    Where where;
  } cases[] = {
      {"100", "50", Stored},
      {"100", "", TopRightCorner},
      {"", "50", TopRightCorner},
      {"", "", TopRightCorner},
      {nullptr, nullptr, TopRightCorner},
      {"100", nullptr, TopRightCorner},
      {"abc", "50", Designed},
      {"100", "5x", Designed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.left ? c.left : "(none)") + " / " + (c.top ? c.top : "(none)"));
    Exec("delete from PublicInfo where id in (4, 5)");
    if (c.left)
      Exec(QStringLiteral("insert into PublicInfo (id, value) values (4, '%1')").arg(c.left));
    if (c.top)
      Exec(QStringLiteral("insert into PublicInfo (id, value) values (5, '%1')").arg(c.top));
    TfrmMain w;
    switch (c.where) {
      case Stored:
        EXPECT_EQ(w.pos(), QPoint(100, 50));
        break;
      case TopRightCorner:
        EXPECT_EQ(w.pos(), TopRight(w));
        break;
      case Designed:
        EXPECT_EQ(w.pos(), TfrmMain::DesignedPosition(w.frameGeometry().size()));
        break;
    }
  }
}

TEST_F(MainWindow, HasTheFixedSizeMenuAndPages) {
  TfrmMain w;
  EXPECT_EQ(w.centralWidget()->size(), QSize(602, 515));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(w.windowTitle(), "Gatewarden -KV60");
  QStringList menu;
  for (QAction* a : w.MainMenu1->actions())
    if (a->isVisible()) menu << a->objectName() + "=" + a->text();
  EXPECT_EQ(menu,
            QStringList({"mnu_user=User", "mnu_door=Door", "mnu_time=Timeset", "mnu_tools=Tools"}));
  EXPECT_FALSE(w.mnu_pass->isVisible());
  EXPECT_FALSE(w.mnu_help->isVisible());
  EXPECT_EQ(w.framUserMain->tvUser->selectionMode(), QAbstractItemView::ExtendedSelection);
  QStringList buttons;
  for (QToolButton* b :
       {w.framTool->btn_CommSync, w.framTool->btn_CommQuery, w.framTool->btn_report,
        w.framTool->btn_config, w.framTool->sbPassword, w.framTool->btn_about})
    buttons << b->text();
  EXPECT_EQ(buttons, QStringList({"Synchronize", "Search", "Report && Export", "Configuration",
                                  "Password ", "About"}));
}

TEST_F(MainWindow, EachMenuCommandShowsOnePageWithItsHelpPage) {
  TfrmMain w;
  w.show();
  EXPECT_EQ(w.CurrentPage(), TfrmMain::TPage::User);  // shown first
  const struct {
    QAction* command;
    QWidget* page;
    THelpView* view;
    const char* file;
    const char* heading;
  } cases[] = {
      {w.mnu_door, w.framDoor1, w.framDoor1->wbDoor, "Door_en.htm", "Doors"},
      {w.mnu_time, w.framLimit, w.framLimit->wbLimit, "Limit_en.htm", "Time rules"},
      {w.mnu_tools, w.framTool, w.framTool->wbTool, "Tool_en.htm", "Tools"},
      {w.mnu_user, w.framUserMain, w.framUserMain->wbUser, "User_en.htm", "Users"},
      {w.mnu_door, w.framDoor1, w.framDoor1->wbDoor, "Door_en.htm", "Doors"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    c.command->trigger();
    int visible = 0;
    for (QWidget* page : {static_cast<QWidget*>(w.framUserMain), static_cast<QWidget*>(w.framDoor1),
                          static_cast<QWidget*>(w.framLimit), static_cast<QWidget*>(w.framTool)})
      visible += page->isVisible();
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(c.page->isVisible());
    EXPECT_EQ(c.page->size(), w.centralWidget()->size());
    EXPECT_EQ(c.view->CurrentFile(), Path(QString("html/") + c.file));
    EXPECT_TRUE(c.view->toPlainText().startsWith(c.heading))
        << c.view->toPlainText().left(40).toStdString();
    EXPECT_EQ(c.view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(c.view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  }
  // The user page writes its search prompt back, marking the write as the program's own.
  w.framUserMain->edtSearch->setText("someone");
  w.mnu_user->trigger();
  EXPECT_EQ(w.framUserMain->edtSearch->text(), "Search ...");
  EXPECT_EQ(w.framUserMain->tvUser->property("Tag").toInt(), 0);
}

TEST_F(MainWindow, SwitchingToGermanAndBackRetranslatesTheWindowAndItsPages) {
  TfrmMain w;
  w.show();
  const struct {
    const char* code;
    const char* user;
    const char* timeset;
    const char* report;
    const char* password;
    const char* issueCard;
    const char* toolPage;
    const char* heading;
    const char* search;
  } languages[] = {
      {"de", "Benutzer", "Zeitregeln", "Bericht && Export", "Passwort ", "Karte ausgeben",
       "html/Tool_de.htm", "Werkzeuge", "Suchen ..."},
      {"en", "User", "Timeset", "Report && Export", "Password ", "IssueCard", "html/Tool_en.htm",
       "Tools", "Search ..."},
  };
  for (const auto& l : languages) {
    SCOPED_TRACE(l.code);
    gw::UseLanguage(l.code);
    emit w.framTool->ConfigurationClosed();  // as after the configuration dialog
    EXPECT_EQ(w.CurrentPage(), TfrmMain::TPage::Tool);
    EXPECT_EQ(w.mnu_user->text(), l.user);
    EXPECT_EQ(w.mnu_time->text(), l.timeset);
    EXPECT_EQ(w.framTool->btn_report->text(), l.report);
    EXPECT_EQ(w.framTool->sbPassword->text(), l.password);
    EXPECT_EQ(w.framUserMain->tlbbIssueCard->text(), l.issueCard);
    EXPECT_EQ(w.framTool->wbTool->CurrentFile(), Path(l.toolPage));
    EXPECT_TRUE(w.framTool->wbTool->toPlainText().startsWith(l.heading));
    w.mnu_user->trigger();
    EXPECT_EQ(w.framUserMain->edtSearch->text(), l.search);
  }
}

TEST_F(MainWindow, HelpViewsTakeNoKeysAndNoRightClicks) {
  // Unguarded, Ctrl+A selects the whole help page.
  THelpView loose;
  loose.setPlainText("some help");
  loose.show();
  QTest::keyClick(&loose, Qt::Key_A, Qt::ControlModifier);
  ASSERT_TRUE(loose.textCursor().hasSelection());
  loose.hide();

  TfrmMain w;
  w.show();
  for (QAction* page : {w.mnu_user, w.mnu_door, w.mnu_time, w.mnu_tools}) {
    page->trigger();
    THelpView* view = w.framUserMain->isVisible() ? w.framUserMain->wbUser
                      : w.framDoor1->isVisible()  ? w.framDoor1->wbDoor
                      : w.framLimit->isVisible()  ? w.framLimit->wbLimit
                                                  : w.framTool->wbTool;
    SCOPED_TRACE(view->objectName().toStdString());
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(view->textCursor().hasSelection());

    const QPoint at(10, 10);
    QMouseEvent right(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QMouseEvent rightTwice(QEvent::MouseButtonDblClick, at, view->viewport()->mapToGlobal(at),
                           Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QMouseEvent left(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
    EXPECT_TRUE(w.eventMainMessage(view->viewport(), &right));
    EXPECT_TRUE(w.eventMainMessage(view->viewport(), &rightTwice));
    EXPECT_TRUE(w.eventMainMessage(view, &menu));
    EXPECT_FALSE(w.eventMainMessage(view->viewport(), &left));
    EXPECT_FALSE(w.eventMainMessage(w.framUserMain->tvUser->viewport(), &right));
  }
  // Everything else still takes keys.
  w.mnu_user->trigger();
  w.framUserMain->edtSearch->clear();
  QTest::keyClicks(w.framUserMain->edtSearch, "Ann");
  EXPECT_EQ(w.framUserMain->edtSearch->text(), "Ann");
}

TEST_F(MainWindow, CloseInfoWindowsClosesTheOpenOnesInItsOrder) {
  TfrmMain w;
  QStringList closed;
  struct Recorder : QObject {
    QStringList* log;
    bool eventFilter(QObject* o, QEvent* e) override {
      if (e->type() == QEvent::Close) *log << o->objectName();
      return false;
    }
  } recorder;
  recorder.log = &closed;
  const struct {
    TfrmMain::TInfoWindow kind;
    const char* name;
    bool open;
  } windows[] = {{TfrmMain::TInfoWindow::ShowControlGroup, "controlGroup", true},
                 {TfrmMain::TInfoWindow::ShowWeek, "week", false},
                 {TfrmMain::TInfoWindow::ShowTimeZone, "timeZone", true},
                 {TfrmMain::TInfoWindow::ShowHoliday, "holiday", true},
                 {TfrmMain::TInfoWindow::UserInfo, "userInfo", true}};
  std::vector<std::unique_ptr<QWidget>> owned;
  for (const auto& info : windows) {
    owned.push_back(std::make_unique<QWidget>());
    owned.back()->setObjectName(info.name);
    owned.back()->installEventFilter(&recorder);
    if (info.open) owned.back()->show();
    w.SetInfoWindow(info.kind, owned.back().get());
  }
  {
    QWidget gone;  // a door view that was freed: nothing to close
    w.SetInfoWindow(TfrmMain::TInfoWindow::ShowDoor, &gone);
  }
  w.CloseInfoWindows();
  EXPECT_EQ(closed, QStringList({"userInfo", "holiday", "timeZone", "controlGroup"}));
  for (const auto& window : owned) EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, ClosingKeepsThePositionAndReadsThePortSetting) {
  const struct {
    const char* port;
    bool refuseTop;  // the save fails halfway and is rolled back, silently
    const char* left;
    const char* top;
    int current;
  } cases[] = {{"3", false, "123", "45", 3},
               {"", false, "123", "45", 0},
               {"  ", false, "123", "45", 0},
               {"abc", false, "123", "45", -1},
               {"1", true, "10", "10", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.port);
    Exec("update PublicInfo set value='10' where id in (4, 5)");
    Exec(QStringLiteral("update PublicInfo set value='%1' where id=6").arg(c.port));
    if (c.refuseTop) RefuseUpdatesOfSetting(5);
    CurrentComPort = -1;
    TfrmMain w;
    w.show();
    w.move(123, 45);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(Scalar("select value from PublicInfo where id=4"), c.left);
    EXPECT_EQ(Scalar("select value from PublicInfo where id=5"), c.top);
    EXPECT_EQ(CurrentComPort, c.current);
    EXPECT_TRUE(messages.all.isEmpty());
    if (c.refuseTop) Exec("drop trigger refuse_5");
  }
}
