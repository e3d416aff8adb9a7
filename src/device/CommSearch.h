// Parameter read-back: what one controller holds of time rules and port settings, read with
// the controller's read commands and laid out as rows of texts, with names from the database.
// Writes nothing, neither to the controller nor to the database.
#pragma once

#include <QStringList>
#include <vector>

#include "device/DeviceLoopHost.h"

// The pages of the read-back window, in their order once the holiday-plan page is gone.
enum class TSearchPage { TimeZones = 0, WeekPlans, Holidays, ControlGroups, InPorts, OutPorts };

class TCommSearchEngine {
 public:
  explicit TCommSearchEngine(IDeviceLoopHost& host) : host(host) {}
  // Opens CurrentComPort when needed, probes the controller and reads the page's records into
  // `rows` (each: caption, then the page's columns). Rows read before a failure stay. Problems
  // are shown through HintBox; false then.
  bool Search(int deviceId, TSearchPage page, std::vector<QStringList>& rows);

  // The column captions of a page, caption column first.
  static QStringList Columns(TSearchPage page);

 private:
  void Read(int deviceId, TSearchPage page, std::vector<QStringList>& rows);
  IDeviceLoopHost& host;
};
