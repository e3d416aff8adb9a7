// The main window: the menu of the four pages, one page shown at a time, each a tree beside a
// help view. Closing it keeps its position and closes the serial port.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QMenuBar;
class TframDoor;
class TframLimit;
class TframTool;
class TframUser;
class THelpView;

class TfrmMain : public QMainWindow {
  Q_OBJECT

 public:
  enum class TPage { User, Door, Limit, Tool };
  // The floating information windows of the pages, in the order CloseInfoWindows closes them.
  enum class TInfoWindow {
    UserInfo,
    ShowDoor,
    ShowHoliday,
    ShowTimeZone,
    ShowWeek,
    ShowControlGroup
  };

  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The main window of the run; nullptr when there is none.
  static TfrmMain* Instance();

  QMenuBar* MainMenu1;
  QAction* mnu_user;
  QAction* mnu_door;
  QAction* mnu_time;
  QAction* mnu_tools;
  QAction* mnu_pass;  // hidden
  QAction* mnu_help;  // hidden
  TframUser* framUserMain;
  TframDoor* framDoor1;
  TframLimit* framLimit;
  TframTool* framTool;

  // Re-applies the current language to every caption of the window and its pages.
  void Retranslate();
  // Closes those of the information windows that are open.
  void CloseInfoWindows();
  // The pages register their information window here when they open it.
  void SetInfoWindow(TInfoWindow kind, QWidget* window);

  void ShowPage(TPage page);
  TPage CurrentPage() const { return currentPage; }
  // Where the window stands when no usable position is stored.
  static QPoint DesignedPosition(const QSize& frameSize);

  // Keys and right clicks aimed at a help view go no further (true: handled).
  bool eventMainMessage(QObject* target, QEvent* event);

 public slots:
  void mnu_userClick();
  void mnu_doorClick();
  void mnu_timeClick();
  void mnu_toolsClick();
  void mnu_passClick();
  void mnu_helpClick();
  void framUserMainpmmSetUserClick();
  void framUserMaintlbbIssueCardClick();
  void FormClose();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void HidePages();
  QWidget* PageFrame(TPage page) const;

  TPage currentPage = TPage::User;
  std::array<QPointer<QWidget>, 6> infoWindows;
};

// Puts the window at its stored position (settings 4 and 5); at the top-right corner of the
// screen when either is missing or empty; at the designed position when they cannot be read.
void RestoreWindowPosition(QWidget* form);
