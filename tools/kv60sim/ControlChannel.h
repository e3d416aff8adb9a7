// The simulator's control channel: one text command per line, the same for a person at the
// program's standard input, a script writing to its control FIFO, or a test.
// The commands are listed by ControlHelp() (the "help" command) and in the README.
#pragma once

#include <QString>

namespace kv60sim {

class Line;

// Runs one command line; the answer is "ok", a result text, or a text starting "error:".
QString RunControlCommand(Line& line, const QString& command);
QString ControlHelp();

}  // namespace kv60sim
