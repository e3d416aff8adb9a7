#include "app/Startup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include "app/LoginFrm.h"
#include "app/MainFrm.h"
#include "app/u_Function.h"
#include "data/bll_config.h"
#include "data/db_Connect.h"
#include "data/db_Exec.h"
#include "platform/Pictures.h"
#include "platform/Skin.h"
#include "platform/Translation.h"

bool DebugSwitchGiven(const QStringList& arguments) {
  return arguments.mid(1).contains(QStringLiteral("-debug"), Qt::CaseSensitive);
}

TStartup::TStartup(QStringList arguments, TLoginAnswer answerLogin)
    : arguments(std::move(arguments)),
      answerLogin(std::move(answerLogin)),
      guard(QString::fromLatin1(kInstanceName)) {
  if (!this->answerLogin) this->answerLogin = [](TfrmLogin& dialog) { dialog.exec(); };
}

TStartup::~TStartup() = default;

bool TStartup::Run() {
  // Form translation touches captions only, so data properties (field names, status texts)
  // need no exclusion list.
  // Relative file names (the database, the month files) resolve in the installation folder.
  QDir::setCurrent(GetAppPath());

  // The data module, then the language setting: the first access opens the main database.
  TdbConnect::Instance();
  try {
    TConfigOp config;
    LanguageCode = config.GetLanguage();
  } catch (const std::exception& e) {
    HintBox(_("The database cannot be opened.") + QStringLiteral("\n\n") +
            QString::fromUtf8(e.what()));
    exitCode = 1;
    return false;
  }

  if (DebugSwitchGiven(arguments)) DebugMode = true;
  AppPath = GetAppPath();
  SkinFile = QStringLiteral("plex.urf");
  gw::UseLanguage(LanguageCode);  // a language without catalogue gives the English texts
  if (!SkinFile.isEmpty()) gw::StartSkin(SkinFile);  // an unreadable skin leaves the plain look

  if (!guard.TryAcquire()) {
    HintBox(_("One program is running!"));
    exitCode = 1;
    return false;
  }

  QIcon icon(Picture(QStringLiteral("appIcon.png")));
  icon.addPixmap(Picture(QStringLiteral("appIcon32.png")));
  QApplication::setWindowIcon(icon);
  ReadAppVersion();
  QApplication::setApplicationVersion(AppVersion);

  mainWindow = std::make_unique<TfrmMain>();
  login = std::make_unique<TfrmLogin>();
  answerLogin(*login);
  if (!login->LoggedIn) {
    mainWindow.reset();
    exitCode = 0;
    return false;
  }
  mainWindow->show();
  return true;
}
