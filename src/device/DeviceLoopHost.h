// What a device loop (synchronisation, read-back, card reading) needs from whoever drives it:
// the window, the command-line tool or a test. The loops run on the caller's thread and call
// back between two controller commands, never during one.
#pragma once

#include <QString>

#include "app/u_Progress.h"

class IDeviceLoopHost {
 public:
  virtual ~IDeviceLoopHost() = default;
  // Shows a status text in the row of a door (rows in the order the loop was given them).
  virtual void DoorStatus(int row, const QString& text) = 0;
  // The progress bar of the current phase.
  virtual IProgress& Progress() = 0;
  // Lets pending window messages run and the window repaint.
  virtual void ProcessMessages() = 0;
  // True when a stop was requested (Esc, Ctrl-C) since the last call; the request is consumed.
  virtual bool StopRequested() = 0;
  // Asks a yes/no question (translated text); the window and the tool use HintYesNo.
  virtual bool Ask(const QString& question) = 0;
};
