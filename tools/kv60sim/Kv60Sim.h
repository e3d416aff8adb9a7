// kv60sim: a line of simulated KV60 door controllers behind a pseudo-terminal.
//
// A Line opens a pseudo-terminal, links its slave as <ports folder>/COMn (the name the program
// resolves through GATEWARDEN_PORTS) and answers on its own thread for every controller added
// to it, in the controller's reply layout, each reply ending with a carriage return. Each
// controller keeps its state in memory and can be inspected and changed from any thread while
// the line runs; every accessor returns a copy taken under the line's lock.
//
//   kv60sim::Line line;
//   line.Start(portsFolder, 1);                          // COM1
//   kv60sim::Controller& c = line.AddController(1, "000000001", "KV60 V2.01");
//   c.PresentCard("12345678");                           // a type-1 record, also for "065"
//   line.AddFault(kv60sim::Fault::NoAnswer().On("045")); // the next "045" goes unanswered
//   ... run commands against COM1 ...
//   line.WaitIdle();                                     // every request has been dealt with
//   EXPECT_EQ(c.Users().count("12345678"), 1u);
//   qDebug() << line.Dump(1);                            // the controller's state as JSON
//
// What the controllers do:
// - a request to a device number no controller has goes unanswered; "062" is answered by the
//   controller whose serial number the payload names, whatever the frame's device number;
// - a request with a wrong checksum gets the error reply "F2", an unknown command "F1", a
//   payload of the wrong length or with unreadable fields "F7";
// - a read of a time rule or port the controller does not hold, and "011" for a card it does
//   not hold, answer with the status kStatusNotFound;
// - "066" moves the read position on by one (at most to the end) and reads there, "067" reads
//   at the read position, "045" counts the records from the read position to the end; past the
//   end a read gives the empty record (38 "F"). "065" gives the current record once (the last
//   presented card), afterwards the empty record until the next card.
// - "010" deletes the entry of the given card only when it belongs to the given UID (payload:
//   UID, then card); every other entry stays.
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QTime>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kv60sim {

namespace protocol {
struct Request;
}

// Status byte of a read for something the controller does not hold.
constexpr int kStatusNotFound = 0x10;
// Seconds per character at 9600 baud, 8N1 (10 bits).
constexpr double kCharacterSeconds = 10.0 / 9600.0;

extern const char* const kDefaultVersion;

// One user entry as "009" sends it (28 characters when each field has its usual width).
struct UserEntry {
  QString kind;        // 2
  QString groupField;  // 8: control group (2 hex) + "FFFFFF"
  QString password;    // 6
  QString cardNo;      // 8, the key
  QString userId;      // 4
};

struct TimeZone {
  std::array<QTime, 5> begin;
  std::array<QTime, 5> end;
  std::array<int, 5> mode{};  // 0..3
};
struct WeekPlan {
  std::array<int, 7> zones{};  // Monday .. Sunday
};
struct Holiday {
  int beginYear = 0, beginMonth = 0, beginDay = 0;
  int endYear = 0, endMonth = 0, endDay = 0;
  int zoneId = 0;
};
struct HolidayPlan {
  std::array<int, 30> holidays{};
};
struct ControlGroup {
  int weekPlanId = 0;
  bool holidayPlanEnabled = false;
  int holidayPlanId = 0;
};
struct InPort {
  int funcId = 0;
  bool enabled = false;
  bool highLevel = false;
  QTime begin;
  QTime end;
};
struct OutPort {
  int funcId = 0;
  int delay = 0;
};
struct DoorOptions {
  int keyEnabled = 0;
  int keySensitivity = 10;
  int needWg1 = 0;
  int needWg2 = 0;
  int sensorDelay = 3;
  int passwordAttempts = 3;
  int passwordLockTime = 5;
  int antiPassbackEnabled = 0;
  int antiPassbackTime = 10000;
};

// One stored event record; Text() is its 38 characters in the controller's layout (type, door,
// direction, UID, card, pass/card/warn type or event source by type, yyyyMMddHHmmss).
struct Record {
  int type = 1;
  int door = 1;
  bool in = true;
  QString userId = QStringLiteral("0000");
  QString cardNo = QStringLiteral("00000000");
  int passType = 0;
  int cardType = 0;
  int warnType = 0;
  int eventSrc = 0;
  QDateTime time;  // invalid: the controller's clock when added
  QString Text() const;
};
// The record the controller sends when it has none: 38 "F".
QString EmptyRecordText();

enum class FaultKind {
  NoAnswer,          // the request is read, nothing is sent
  LateAnswer,        // the reply is sent `value` ms late
  NoCarriageReturn,  // the reply lacks its carriage return
  BadChecksum,       // the reply's checksum is wrong
  Noise,             // `text` (no "z") is sent in front of the reply
  ZInData,           // a "z" is inserted at reply data position `value` (1 = first)
  ErrorReply,        // an error reply: `text` ("F2", "F8", "F1", "D9") in the length field
  Status,            // the reply carries status byte `value`
  WrongLetter,       // the reply's frame letter is another one
  ReplyData,         // the reply carries `text` as its data
  StopAfter,         // `value` more replies are sent, then none until the fault is cleared
  HangUp,            // instead of answering, the line hangs up (see Line::HangUp)
};

// A fault spoils the next `times` replies (0: every reply until ClearFaults) of the requests
// it matches: device number `devNo` (0: any) and command code `command` (empty: any). Several
// matching faults apply together.
struct Fault {
  FaultKind kind = FaultKind::NoAnswer;
  int devNo = 0;
  QString command;
  int times = 1;
  int value = 0;
  QString text;

  static Fault NoAnswer();
  static Fault Late(int ms);
  static Fault NoCarriageReturn();
  static Fault BadChecksum();
  static Fault Noise(const QString& text = QStringLiteral("#noise#"));
  static Fault ZInData(int position = 1);
  static Fault Error(const QString& code);  // "F2", "F8", "F1", "D9", ...
  static Fault Status(int status);
  static Fault WrongLetter();
  static Fault Data(const QString& data);
  static Fault StopAfter(int replies);
  static Fault HangUp();

  Fault For(int device) const;          // only this device number
  Fault On(const QString& code) const;  // only this command code
  Fault Times(int count) const;         // 0: until cleared
};

class Line;

class Controller {
 public:
  ~Controller();
  Controller(const Controller&) = delete;
  Controller& operator=(const Controller&) = delete;

  int DevNo() const;
  QString Serial() const;
  QString Version() const;
  void SetVersion(const QString& version);

  // The controller's clock runs on from what "003" or SetClock set.
  QDateTime Clock() const;
  int WeekDay() const;  // as "003" sent it, 0 before
  void SetClock(const QDateTime& at, int weekDay = 0);

  std::map<QString, UserEntry> Users() const;  // keyed by card
  void SetUser(const UserEntry& entry);
  void RemoveUser(const QString& cardNo);

  std::map<int, TimeZone> TimeZones() const;
  void SetTimeZone(int id, const TimeZone& zone);
  std::map<int, WeekPlan> WeekPlans() const;
  void SetWeekPlan(int id, const WeekPlan& plan);
  std::map<int, Holiday> Holidays() const;
  void SetHoliday(int id, const Holiday& holiday);
  std::map<int, HolidayPlan> HolidayPlans() const;
  void SetHolidayPlan(int id, const HolidayPlan& plan);
  std::map<int, ControlGroup> ControlGroups() const;
  void SetControlGroup(int id, const ControlGroup& group);
  std::map<int, InPort> InPorts() const;  // ports 1..3
  void SetInPort(int port, const InPort& value);
  std::map<int, OutPort> OutPorts() const;
  void SetOutPort(int port, const OutPort& value);
  DoorOptions Options() const;
  void SetOptions(const DoorOptions& options);

  // Stored records (38-character texts), oldest first, and the read position of "066"/"067".
  std::vector<QString> Records() const;
  int ReadPosition() const;
  void SetReadPosition(int position);
  void AddRecord(const Record& record);
  void AddRecordText(const QString& text);  // stored as given
  // A card at the reader of `door`: stores a type-1 record (the UID of the card's entry, or
  // "FFFF") timed by the controller's clock and makes it the current record for "065".
  Record PresentCard(const QString& cardNo, int door = 1, bool in = true);
  QString CurrentRecord() const;  // empty when "065" has already reported it

  QJsonObject ToJson() const;

 private:
  friend class Line;
  struct State;
  struct Answer;
  Controller(std::mutex& lock, int devNo, const QString& serial, const QString& version);
  Answer Handle(const QString& code, const QString& payload);  // the line's lock is held
  QJsonObject ToJsonLocked() const;

  std::mutex& FLock;
  std::unique_ptr<State> FState;
};

class Line {
 public:
  Line();
  ~Line();  // Stop()
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  // Opens a pseudo-terminal, links it as <portsFolder>/COM<comNo> (replacing an earlier link
  // of that name) and starts answering. False, with ErrorString(), when that fails.
  bool Start(const QString& portsFolder, int comNo);
  // Stops answering, closes the pseudo-terminal and removes the link.
  void Stop();
  bool IsRunning() const;
  QString ErrorString() const;
  int ComNo() const;
  QString LinkPath() const;    // <portsFolder>/COMn
  QString DevicePath() const;  // the pseudo-terminal's slave; empty while hung up

  // Controllers keep their address for the line's life.
  Controller& AddController(int devNo, const QString& serial,
                            const QString& version = QString::fromLatin1(kDefaultVersion));
  Controller* FindController(int devNo);
  std::vector<Controller*> Controllers();

  // Pacing: the request takes its time on the wire at 9600 baud before the reply starts, and
  // the reply goes out one character every kCharacterSeconds.
  void SetPacing(bool on);
  bool Pacing() const;

  void AddFault(const Fault& fault);
  void ClearFaults();
  int FaultCount() const;

  // Hang-up: the pseudo-terminal is closed (an open port on it fails from now on) and the link
  // points nowhere, so opening COMn fails. Reconnect opens a new pseudo-terminal behind the
  // same link.
  void HangUp();
  bool Reconnect();
  bool IsHungUp() const;

  // Every request frame received ("zzz" .. "jjj"), in order.
  std::vector<QString> Requests() const;
  void ClearRequests();
  int ReplyCount() const;
  // Waits until everything received has been answered (or dropped); false on timeout.
  bool WaitIdle(int timeoutMs = 3000);

  // A controller's state as indented JSON; empty when there is no such controller.
  QString Dump(int devNo) const;

 private:
  enum class Action { None, HangUp, Reconnect };
  struct Reply;

  void Run();
  void HandleAction();
  bool HangUpNow();
  void Answer(const QByteArray& request, std::chrono::steady_clock::time_point arrival);
  Controller* Addressed(const protocol::Request& request);  // the line's lock is held
  Reply PlanFaults(int devNo, const QString& code);         // the line's lock is held
  static QByteArray Compose(const protocol::Request& request, const Controller::Answer& answer,
                            const Reply& plan);
  void Send(const QByteArray& bytes, std::chrono::steady_clock::time_point start);
  bool WaitInterruptible(int ms);  // false when stopping or an action came in
  bool OpenTerminal();
  void CloseTerminal();
  bool Link(const QString& target);
  bool PerformAction(Action action);
  int PendingInput() const;

  mutable std::mutex FLock;  // controllers, faults, requests, options
  std::deque<std::unique_ptr<Controller>> FControllers;
  std::vector<Fault> FFaults;
  std::vector<QString> FRequests;
  bool FPacing = false;
  int FReplies = 0;
  QString FError;
  QString FFolder;
  QString FLinkPath;
  QString FDevicePath;
  int FComNo = 0;

  mutable std::mutex FTerminalLock;  // the descriptors below change only under this lock
  int FMaster = -1;
  int FSlaveKeep = -1;
  int FWake[2] = {-1, -1};

  std::thread FThread;
  std::atomic<bool> FStopping{false};
  std::atomic<bool> FBusy{false};
  std::atomic<bool> FHungUp{false};
  std::mutex FActionLock;
  std::condition_variable FActionDone;
  Action FAction = Action::None;
  bool FActionResult = false;
};

}  // namespace kv60sim
