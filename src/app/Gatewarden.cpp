// Program entry: runs the start-up sequence, then the message loop while the main window is
// open.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/Startup.h"
#include "app/u_Function.h"
#include "app/u_FunctionWidgets.h"

namespace {

// On Linux, Qt stops with a terse message about platform plug-ins when there is no display;
// say what to do instead.
bool DisplayMissing(int argc, char* argv[]) {
#if defined(Q_OS_LINUX)
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return false;
  return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
         qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
  Q_UNUSED(argc);
  Q_UNUSED(argv);
  return false;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  if (DisplayMissing(argc, argv)) {
    std::fprintf(stderr,
                 "gatewarden: no display found (DISPLAY and WAYLAND_DISPLAY are empty).\n"
                 "Start it on a desktop, or under a virtual X server: xvfb-run -a %s\n",
                 argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  TMessageBoxSink messageBoxes;
  SetMessageSink(&messageBoxes);
  int code = 0;
  {
    TStartup startup(QApplication::arguments());
    code = startup.Run() ? QApplication::exec() : startup.ExitCode();
  }
  SetMessageSink(nullptr);
  return code;
}
