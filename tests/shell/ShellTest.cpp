#include "ShellTest.h"

#include <QApplication>
#include <QWidget>

#include "data/db_Exec.h"

void ShellTest::SetUp() {
  FreshInstall::SetUp();
  runtimeDir = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(runtimeDir->isValid());
  previousRuntimeDir = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toUtf8());
  qApp->setStyleSheet(QString());
}

void ShellTest::TearDown() {
  for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
  qApp->setStyleSheet(QString());
  if (previousRuntimeDir.isEmpty())
    qunsetenv("XDG_RUNTIME_DIR");
  else
    qputenv("XDG_RUNTIME_DIR", previousRuntimeDir);
  runtimeDir.reset();
  FreshInstall::TearDown();
}

void ShellTest::Exec(const QString& statement) {
  ExecSQL(statement);
}

void ShellTest::RefuseUpdatesOfSetting(int id) {
  Exec(QStringLiteral("create trigger refuse_%1 before update on PublicInfo when old.id=%1 "
                      "begin select raise(fail, 'setting %1 is refused'); end")
           .arg(id));
}
