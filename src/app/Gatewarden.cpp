// Program entry: runs the start-up sequence, then the message loop while the main window is
// open.
#include <QApplication>

#include "app/Startup.h"
#include "app/u_Function.h"
#include "app/u_FunctionWidgets.h"

int main(int argc, char* argv[]) {
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
