// Program entry. The main window comes with the application shell; for now the program opens
// the installation's database and reports what it found.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "app/u_Function.h"
#include "data/bll_config.h"
#include "data/db_Exec.h"
#include "platform/Translation.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  AppPath = GetAppPath();
  QDir::setCurrent(AppPath);
  ReadAppVersion();
  try {
    TConfigOp config;
    LanguageCode = config.GetLanguage();
    gw::UseLanguage(LanguageCode);
  } catch (const EDatabaseError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::printf("Gatewarden %s: installation %s, language %s\n", qPrintable(AppVersion),
              qPrintable(QDir::toNativeSeparators(AppPath)), qPrintable(LanguageCode));
  return 0;
}
