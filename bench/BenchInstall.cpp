#include "BenchInstall.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/u_Function.h"
#include "data/db_Connect.h"
#include "platform/Translation.h"

TBenchInstall::TBenchInstall() {
  if (!folder.isValid()) {
    std::fprintf(stderr, "cannot make a temporary folder\n");
    std::exit(1);
  }
  const QDir root(QStringLiteral(GATEWARDEN_BUILD_ROOT));
  QDir(folder.path()).mkpath(QStringLiteral("database"));
  for (const QString& f :
       {QStringLiteral("Gatewarden.sqb"), QStringLiteral("database/dbRecord.sqb")}) {
    if (!QFile::copy(root.filePath(f), Path(f))) {
      std::fprintf(stderr, "missing delivered file %s (build the program first)\n", qPrintable(f));
      std::exit(1);
    }
    QFile(Path(f)).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
  QDirIterator it(root.filePath(QStringLiteral("locale")), QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = Path(root.relativeFilePath(source));
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::copy(source, target);
  }
  QDir::setCurrent(folder.path());
  qputenv("GATEWARDEN_HOME", folder.path().toUtf8());
  AppPath = GetAppPath();
  LanguageCode = QStringLiteral("en");
  gw::SetCatalogueFolder(AppPath + QStringLiteral("locale"));
  TdbConnect::Instance().SetDatabaseName(QStringLiteral("Gatewarden.sqb"));
}

TBenchInstall::~TBenchInstall() {
  TdbConnect::Instance().Close();
}

QString TBenchInstall::Path(const QString& relative) const {
  return folder.path() + QLatin1Char('/') + relative;
}

double TTimings::Mean() const {
  double sum = 0;
  for (double v : us) sum += v;
  return us.empty() ? 0 : sum / us.size();
}

double TTimings::Percentile(double p) const {
  if (us.empty()) return 0;
  std::vector<double> sorted = us;
  std::sort(sorted.begin(), sorted.end());
  const size_t at = std::min(sorted.size() - 1,
                             static_cast<size_t>(std::lround(p / 100.0 * (sorted.size() - 1))));
  return sorted[at];
}
