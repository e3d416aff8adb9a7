// The start-up sequence: login, single instance, "-debug", database and language problems.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <functional>

#include "ShellTest.h"
#include "app/LoginFrm.h"
#include "app/MainFrm.h"
#include "app/Startup.h"
#include "app/bll_Login.h"
#include "app/u_Function.h"
#include "platform/SingleInstance.h"
#include "platform/Translation.h"

class Startup : public ShellTest {
 protected:
  // Runs the start-up with `answer` acting on the login dialog as the operator would.
  bool Start(const std::function<void(TfrmLogin&)>& answer,
             const QStringList& arguments = {QStringLiteral("gatewarden")}) {
    startup = std::make_unique<TStartup>(arguments, [answer](TfrmLogin& login) {
      login.show();
      answer(login);
    });
    return startup->Run();
  }

  static std::function<void(TfrmLogin&)> Type(const QString& password) {
    return [password](TfrmLogin& login) {
      login.edtPassword->setText(password);
      login.btnOKClick();
    };
  }

  void TearDown() override {
    startup.reset();
    ShellTest::TearDown();
  }

  std::unique_ptr<TStartup> startup;
};

TEST_F(Startup, TheInitialPasswordOpensTheMainWindowOnTheUserPage) {
  ASSERT_TRUE(Start(Type("123456")));
  ASSERT_NE(startup->MainWindow(), nullptr);
  EXPECT_TRUE(startup->MainWindow()->isVisible());
  EXPECT_EQ(startup->MainWindow()->CurrentPage(), TfrmMain::TPage::User);
  EXPECT_EQ(TfrmMain::Instance(), startup->MainWindow());
  EXPECT_TRUE(startup->Login()->LoggedIn);
  EXPECT_FALSE(startup->Login()->isVisible());
  EXPECT_TRUE(messages.all.isEmpty()) << messages.all.join("|").toStdString();
  EXPECT_TRUE(startup->Guard().IsHeld());
  EXPECT_EQ(SkinFile, "plex.urf");
  EXPECT_EQ(AppVersion, QStringLiteral(GATEWARDEN_VERSION));
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_FALSE(DebugMode);
}

TEST_F(Startup, AWrongPasswordIsRefusedAsOftenAsItIsTriedAndCancelEndsTheRun) {
  TLoginOperater().SetPassword("Secret");
  const QStringList wrong = {"", "secret", "SECRET", "Secre", "Secret ", " Secret", "Secrets"};
  bool stayedOpen = true;
  const bool run = Start([&](TfrmLogin& login) {
    for (const QString& password : wrong) {
      login.edtPassword->setText(password);
      login.btnOKClick();
      stayedOpen = stayedOpen && login.isVisible() && !login.LoggedIn;
    }
    login.btnCancelClick();
  });
  EXPECT_FALSE(run);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(messages.hints, QStringList(wrong.size(), "Password error."));
  EXPECT_EQ(startup->MainWindow(), nullptr);
  EXPECT_EQ(TfrmMain::Instance(), nullptr);
  EXPECT_EQ(startup->ExitCode(), 0);
}

TEST_F(Startup, KeysAndTheCloseBoxOfTheLoginDialog) {
  struct Case {
    const char* name;
    std::function<void(TfrmLogin&)> act;
    bool mainWindow;
  } cases[] = {
      {"Escape in the password box, right password typed",
       [](TfrmLogin& l) {
         QTest::keyClicks(l.edtPassword, "123456");
         QTest::keyClick(l.edtPassword, Qt::Key_Escape);
       },
       false},
      {"the close box", [](TfrmLogin& l) { l.close(); }, false},
      {"the Cancel button", [](TfrmLogin& l) { QTest::mouseClick(l.btnCancel, Qt::LeftButton); },
       false},
      {"Enter in the password box",
       [](TfrmLogin& l) {
         QTest::keyClicks(l.edtPassword, "123456");
         QTest::keyClick(l.edtPassword, Qt::Key_Return);
       },
       true},
      {"the OK button",
       [](TfrmLogin& l) {
         l.edtPassword->setText("123456");
         QTest::mouseClick(l.btnOK, Qt::LeftButton);
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Start(c.act), c.mainWindow);
    EXPECT_EQ(startup->MainWindow() != nullptr, c.mainWindow);
    EXPECT_TRUE(messages.all.isEmpty());
    startup.reset();
  }
}

TEST_F(Startup, APasswordWithAQuoteOrAnEmptyOneIsMatchedAsPlainText) {
  for (const QString& password : {QStringLiteral("it's"), QStringLiteral("''"), QString()}) {
    SCOPED_TRACE(password.toStdString());
    TLoginOperater login;
    login.SetPassword(password);
    EXPECT_EQ(login.GetPassword(), password);
    EXPECT_TRUE(login.CheckPassword(password));
    EXPECT_FALSE(login.CheckPassword(password + "x"));
    EXPECT_TRUE(Start(Type(password)));
    startup.reset();
  }
  EXPECT_TRUE(messages.all.isEmpty());
}

TEST_F(Startup, OnlyTheExactDebugSwitchAmongTheArgumentsTurnsTheDebugLogOn) {
  const struct {
    QStringList arguments;
    bool debug;
  } cases[] = {
      {{"gatewarden"}, false},
      {{"gatewarden", "-debug"}, true},
      {{"gatewarden", "-DEBUG"}, false},
      {{"gatewarden", "-Debug"}, false},
      {{"gatewarden", "--debug"}, false},
      {{"gatewarden", "debug"}, false},
      {{"gatewarden", "x", "-debug", "y"}, true},
      {{"-debug"}, false},  // the program's own name is no switch
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    DebugMode = false;
    EXPECT_EQ(DebugSwitchGiven(c.arguments), c.debug);
    Start([](TfrmLogin& l) { l.btnCancelClick(); }, c.arguments);
    EXPECT_EQ(DebugMode, c.debug);
    startup.reset();
  }
}

TEST_F(Startup, ASecondInstanceSaysSoAndOpensNoWindow) {
  TSingleInstance first(TStartup::kInstanceName);
  ASSERT_TRUE(first.TryAcquire());
  bool asked = false;
  EXPECT_FALSE(Start([&](TfrmLogin&) { asked = true; }));
  EXPECT_FALSE(asked);
  EXPECT_EQ(messages.hints, QStringList{"One program is running!"});
  EXPECT_EQ(startup->Login(), nullptr);
  EXPECT_EQ(startup->MainWindow(), nullptr);
  EXPECT_NE(startup->ExitCode(), 0);
  EXPECT_TRUE(first.IsHeld());
}

TEST_F(Startup, TheGuardOfARunningProgramHoldsAndThatOfAKilledOneIsTakenOver) {
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("GATEWARDEN_HOME", installDir->path());
  env.insert("XDG_RUNTIME_DIR", runtimeDir->path());
  env.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(env);
  program.start(BuildRoot() + "/gatewarden", {});
  ASSERT_TRUE(program.waitForStarted(10000));

  TSingleInstance guard(TStartup::kInstanceName);
  // The program takes the guard and waits at its login dialog.
  for (int i = 0; i < 300 && !QFileInfo::exists(guard.LockFileName()); ++i) QThread::msleep(100);
  ASSERT_TRUE(QFileInfo::exists(guard.LockFileName())) << "the program never took the guard";
  EXPECT_FALSE(guard.TryAcquire());
  EXPECT_EQ(program.state(), QProcess::Running);

  program.kill();  // as in a crash: the lock file stays behind
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_TRUE(QFileInfo::exists(guard.LockFileName()));
  EXPECT_TRUE(guard.TryAcquire());
}

TEST_F(Startup, ADatabaseThatCannotBeOpenedEndsTheStartUpWithItsError) {
  QFile file(Path("Gatewarden.sqb"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(QByteArray(4096, 'x'));
  file.close();
  bool asked = false;
  EXPECT_FALSE(Start([&](TfrmLogin&) { asked = true; }));
  EXPECT_FALSE(asked);
  EXPECT_EQ(startup->ExitCode(), 1);
  ASSERT_EQ(messages.hints.size(), 1);
  EXPECT_TRUE(messages.hints[0].startsWith("The database cannot be opened.\n\n"))
      << messages.hints[0].toStdString();
  EXPECT_GT(messages.hints[0].size(), QString("The database cannot be opened.\n\n").size());
  EXPECT_FALSE(startup->Guard().IsHeld());
}

TEST_F(Startup, TheStoredLanguageIsUsedAndOneWithoutCatalogueGivesTheEnglishTexts) {
  const struct {
    const char* code;
    const char* title;
    const char* userMenu;
  } cases[] = {{"de", "Gatewarden -KV60", "Benutzer"},
               {"zh_CN", "Gatewarden -KV60 门禁管理", "用户"},
               {"xx", "Gatewarden -KV60", "User"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Exec(QStringLiteral("update PublicInfo set value='%1' where id=3").arg(c.code));
    ASSERT_TRUE(Start(Type("123456")));
    EXPECT_EQ(LanguageCode, c.code);
    EXPECT_EQ(startup->MainWindow()->windowTitle(), QString::fromUtf8(c.title));
    EXPECT_EQ(startup->MainWindow()->mnu_user->text(), QString::fromUtf8(c.userMenu));
    startup.reset();
  }
}

TEST_F(Startup, TheSkinIsAppliedWhenItsFileIsThereAndIgnoredWhenNot) {
  ASSERT_TRUE(Start(Type("123456")));  // the test installation has no skin file
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  startup.reset();
  ASSERT_TRUE(QFile::copy(SourceRoot() + "/resources/plex.urf", Path("plex.urf")));
  ASSERT_TRUE(Start(Type("123456")));
  EXPECT_TRUE(qApp->styleSheet().contains("QMenuBar"));
}
