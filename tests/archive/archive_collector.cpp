// A collection that the kill test ends with SIGKILL at a random moment: it stores records
// start, start + 1, ... into the archive of the installation folder and writes the index of
// each record to standard output once AddRecord has returned (the moment the collection loop
// would ask the controller for the next record).
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CrashRecords.h"
#include "app/u_Function.h"
#include "data/bll_Tool.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: archive_collector <installation folder> <first index>\n");
    return 2;
  }
  QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
  qputenv("GATEWARDEN_HOME", argv[1]);
  AppPath = GetAppPath();
  try {
    TToolOp archive;
    archive.OpenSnapshot();
    for (int i = std::atoi(argv[2]);; ++i) {
      const TCrashRecord r = CrashRecord(i);
      archive.AddRecord(r.type, r.uid, r.card, r.time, 1, 0, 0, 0, 0, 0);
      const std::string line = std::to_string(i) + "\n";
      if (::write(STDOUT_FILENO, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        return 3;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "archive_collector: %s\n", e.what());
    return 1;
  }
}
