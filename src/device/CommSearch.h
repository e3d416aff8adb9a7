// Parameter read-back: reads what one controller holds (time zones, week plans, holidays,
// control groups, input and output ports) with the read commands and turns each record into a
// row of texts, names looked up in the database. It writes nothing, neither to the controller
// nor to the database. The window, the command-line tool and the tests drive it through
// IDeviceLoopHost and receive the rows through ISearchRows.
#pragma once

#include <QString>
#include <QStringList>

#include "device/DeviceLoopHost.h"

// What a read covers, in the order of the window's pages.
enum class TSearchPage { TimeZones = 0, WeekPlans, Holidays, ControlGroups, InPorts, OutPorts };
constexpr int kSearchPageCount = 6;

// The column captions of a page (catalogue keys, untranslated), the first one the row's
// caption.
QStringList SearchColumns(TSearchPage page);
// The command-line names of the pages: zones, weeks, holidays, groups, inports, outports.
QString SearchPageName(TSearchPage page);
bool SearchPageFromName(const QString& name, TSearchPage& page);

// Receives the rows of a read, in id or port order.
class ISearchRows {
 public:
  virtual ~ISearchRows() = default;
  virtual void Clear() = 0;
  virtual void AddRow(const QStringList& cells) = 0;
};

enum class TSearchResult {
  Done,         // every id was read
  PortNotOpen,  // "The current serial port can not be opened."
  Offline,      // "The current door is off-line."
  Unanswered,   // the read ended after the fourth unanswered command; rows so far stay
  Stopped,      // the host asked to stop between two commands; rows so far stay
  Error,        // "Search control parameters error."; rows so far stay
};

class TCommSearchEngine {
 public:
  explicit TCommSearchEngine(IDeviceLoopHost& host) : host(host) {}

  // Opens the port CurrentComPort when needed and probes the controller `deviceId`. Shows the
  // message of a failure and returns PortNotOpen or Offline; Done when the door answers.
  TSearchResult Prepare(int deviceId);
  // Reads `page` from the controller `deviceId` into `rows` (emptied first). The port must be
  // open (Prepare). An error shows "Search control parameters error."; the row being filled
  // is added with the columns filled before the error.
  TSearchResult Read(TSearchPage page, int deviceId, ISearchRows& rows);
  // Prepare, then Read.
  TSearchResult Run(TSearchPage page, int deviceId, ISearchRows& rows);

 private:
  // Calls `readOne(id, row)` for each id; readOne returns the command's result and fills the
  // row only when it is 0.
  template <class ReadOne>
  TSearchResult ReadEach(int firstId, int lastId, ISearchRows& rows, ReadOne readOne);

  IDeviceLoopHost& host;
};
