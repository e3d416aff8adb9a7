// The synchronisation engine: for each ticked door, probe the controller, collect its stored
// records into the archive, set its clock, replace its user entries and (optionally) its time
// rules and port settings. The window, the command-line tool and the tests drive it through
// IDeviceLoopHost; it runs on the caller's thread.
#pragma once

#include <QString>
#include <vector>

#include "device/DeviceLoopHost.h"

// One row of the door list, in list order.
struct TSyncRow {
  int DeviceId = 0;
  int DoorKey = 0;  // Door.Did
  QString DoorName;
  bool Ticked = false;
};

// The three boxes of the window.
struct TSyncOptions {
  bool Collect = true;  // "Collect data"
  bool Users = true;    // "Synchronize user"
  bool Params = true;   // "Synchronize Paramater"
};

// What a run came to, for callers that need more than the status texts (the command-line
// tool's exit code, tests).
struct TSyncOutcome {
  bool PortOpened = false;
  bool SomeOnline = false;
  bool AnyOffline = false;     // a ticked door did not answer the probe
  bool AnyFailure = false;     // a phase or the collection of a ticked door failed
  bool Stopped = false;        // the operator stopped the run
  bool Failed = false;         // the run ended with "Sync operation failure."
  int RecordsStored = 0;
};

class TCommSyncEngine {
 public:
  explicit TCommSyncEngine(IDeviceLoopHost& host) : host(host) {}
  // Runs one synchronisation on the port CurrentComPort (opened when needed).
  TSyncOutcome Run(const std::vector<TSyncRow>& rows, const TSyncOptions& options);

 private:
  IDeviceLoopHost& host;
};
