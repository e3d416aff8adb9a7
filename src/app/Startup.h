// The start-up sequence of the program, as one object so that it can be driven step by step:
// database, language, "-debug", installation folder, skin, single-instance guard, icon,
// version, the hidden main window, the login dialog, and the main window after a correct
// password. The object holds the guard and the windows for the whole run.
#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "platform/SingleInstance.h"

class TfrmLogin;
class TfrmMain;

class TStartup {
 public:
  // Answers the login dialog; the program's own answer is the operator (the dialog is shown
  // modally). Tests type into the dialog instead.
  using TLoginAnswer = std::function<void(TfrmLogin&)>;

  // `arguments` as the application has them, the program's name first.
  explicit TStartup(QStringList arguments, TLoginAnswer answerLogin = {});
  ~TStartup();

  // Runs the steps. True when the main window is shown and the message loop is to run;
  // false when the program ends now, with ExitCode().
  bool Run();
  int ExitCode() const { return exitCode; }

  TfrmMain* MainWindow() const { return mainWindow.get(); }
  TfrmLogin* Login() const { return login.get(); }
  const TSingleInstance& Guard() const { return guard; }

  // The name that keeps a second instance from starting.
  static constexpr const char* kInstanceName = "Tallowin_Kv300_60";

 private:
  QStringList arguments;
  TLoginAnswer answerLogin;
  TSingleInstance guard;
  std::unique_ptr<TfrmMain> mainWindow;
  std::unique_ptr<TfrmLogin> login;
  int exitCode = 0;
};

// True when "-debug", written exactly so, is among the arguments after the program's name.
bool DebugSwitchGiven(const QStringList& arguments);
