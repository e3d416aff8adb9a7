#include "support/TestInstall.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "app/u_Function.h"
#include "data/db_Connect.h"
#include "data/db_Exec.h"
#include "platform/Translation.h"

QString BuildRoot() { return QStringLiteral(GATEWARDEN_BUILD_ROOT); }
QString SourceRoot() { return QStringLiteral(GATEWARDEN_SOURCE_ROOT); }

void CopyDeliveredFiles(const QString& folder) {
  const QDir root(BuildRoot());
  const QStringList files = {QStringLiteral("Gatewarden.sqb"),
                             QStringLiteral("database/dbRecord.sqb")};
  QDir(folder).mkpath(QStringLiteral("database"));
  for (const QString& f : files) {
    ASSERT_TRUE(QFile::copy(root.filePath(f), folder + QLatin1Char('/') + f))
        << "missing delivered file " << f.toStdString();
    QFile(folder + QLatin1Char('/') + f)
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
  for (const QString& sub : {QStringLiteral("locale"), QStringLiteral("html")}) {
    QDirIterator it(root.filePath(sub), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString source = it.next();
      const QString target = folder + QLatin1Char('/') + root.relativeFilePath(source);
      QDir().mkpath(QFileInfo(target).absolutePath());
      QFile::copy(source, target);
    }
  }
}

void FreshInstall::SetUp() {
  installDir = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(installDir->isValid());
  CopyDeliveredFiles(installDir->path());
  previousDir = QDir::currentPath();
  QDir::setCurrent(installDir->path());
  qputenv("GATEWARDEN_HOME", installDir->path().toUtf8());
  AppPath = GetAppPath();
  TdbConnect::Instance().SetDatabaseName(QStringLiteral("Gatewarden.sqb"));
  gw::SetCatalogueFolder(AppPath + QStringLiteral("locale"));
  gw::UseLanguage(QStringLiteral("en"));
  LanguageCode = QStringLiteral("en");
  DebugMode = false;
  CurrentComPort = 0;
  ResetClock();
  SetMessageSink(&messages);
}

void FreshInstall::TearDown() {
  SetMessageSink(nullptr);
  TdbConnect::Instance().Close();
  ResetClock();
  gw::UseLanguage(QStringLiteral("en"));
  QDir::setCurrent(previousDir);
  qunsetenv("GATEWARDEN_HOME");
  installDir.reset();
}

QString FreshInstall::Path(const QString& relative) const {
  return installDir->path() + QLatin1Char('/') + relative;
}

QString FreshInstall::Scalar(const QString& statement) const {
  TQuery query;
  OpenQuery(statement, query);
  return query.Field(0).AsString();
}
