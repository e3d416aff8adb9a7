#include "device/CommSync.h"

#include <QThread>
#include <functional>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "data/bll_Tool.h"
#include "model/bll_IOPort.h"
#include "model/bll_RegUser.h"
#include "model/bll_limit.h"
#include "platform/Translation.h"

namespace {

// Collection loop: a record whose retries are used up is given up after this many reads.
constexpr int kLastAttempt = 6;
// More unanswered commands than this end a phase.
constexpr int kUnansweredLimit = 3;

QString Hex2(int value) {
  return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QTime TimeOfDay(const QString& text) {
  QTime t = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
  if (!t.isValid()) t = QTime::fromString(text, QStringLiteral("HH:mm"));
  return t;
}

// One command of a parameter phase: the record's id (ports: 0) and how to send it.
struct TPhaseCommand {
  int id = 0;
  std::function<int()> send;
};

class TSyncRun {
 public:
  TSyncRun(IDeviceLoopHost& host, const TSyncOptions& options, TSyncOutcome& outcome)
      : host(host), options(options), outcome(outcome), port(CurrentComPort) {}

  // The steps for one ticked row.
  void SyncDoor(int row, const TSyncRow& door);

 private:
  void Status(const QString& text) { host.DoorStatus(currentRow, text); }
  void Collect(const TSyncRow& door);
  int CollectionLoop(const TSyncRow& door);
  bool StoreRecord(const QString& record, int doorKey);
  bool SetClock(int device);
  bool UserPhase(const TSyncRow& door);
  bool ParameterPhase(const QString& cleanText, const QString& setText,
                      const std::function<void()>& clear,
                      const std::function<std::vector<TPhaseCommand>()>& load, bool idLimited);
  void ParameterPhases(const TSyncRow& door);

  IDeviceLoopHost& host;
  const TSyncOptions& options;
  TSyncOutcome& outcome;
  const int port;
  int currentRow = 0;
  TToolOp archive;
};

void TSyncRun::SyncDoor(int row, const TSyncRow& door) {
  currentRow = row;
  if (MjTestOnline(port, door.DeviceId) != 0) {
    Status(_("Off-Line"));
    outcome.AnyOffline = true;
    return;
  }
  Status(_("On-Line"));
  outcome.SomeOnline = true;

  if (options.Collect) Collect(door);

  Status(_("Setting datetime..."));
  Status(SetClock(door.DeviceId) ? _("Set datetime success.") : _("Set datetime failure."));

  if (options.Users) {
    const bool ok = UserPhase(door);
    if (!ok) outcome.AnyFailure = true;
    Status(ok ? _("Regist user success") : _("Regist user failure"));
  }
  if (options.Params) ParameterPhases(door);
  Status(_("Sync operation Finish"));
}

void TSyncRun::Collect(const TSyncRow& door) {
  int count = 0;
  if (MjGetRecordCount(port, door.DeviceId, count) != 0) return;  // no collection, silently
  archive.OpenSnapshot();
  host.Progress().SetPosition(0);
  if (count > 0) {
    host.Progress().SetRange(0, count - 1);
    Status(_("Collecting record ..."));
    const int result = CollectionLoop(door);
    if (result == 8 || result == 105) {
      Status(_("Complete collecting"));
    } else if (result == 100) {
      Status(_("Collection has been interrupted"));
    } else {
      Status(_("Collection error,please check the device"));
      outcome.AnyFailure = true;
    }
    Status(_("Collection is complete."));
  } else {
    Status(_("On-line,but no record."));
  }
  archive.CloseSnapshot();
}

// The first read of a run and every retry read the current record again ("067"); the first
// read of every later pass moves on ("066"). Only a "066" answered with "no more records" ends
// the run normally: the first "067" of a run is not trusted with that answer. Each record is
// durable once stored, before the next "066" moves the controller past it.
int TSyncRun::CollectionLoop(const TSyncRow& door) {
  QString record;
  int passes = 0;
  int result = 0;
  int attempt = 1;
  for (;;) {
    if (host.StopRequested() && host.Ask(_("Collecting record. Do you stop collecting?"))) {
      return 100;
    }
    ++passes;
    host.Progress().SetPosition(passes);
    bool stored = true;
    for (;;) {
      host.ProcessMessages();
      if (attempt > 0) QThread::msleep(static_cast<unsigned long>(attempt) * 50);
      result = MjReadRecord(port, door.DeviceId, attempt > 0, record);
      if (result == 0) {
        stored = StoreRecord(record, door.DoorKey);
      } else if ((result == 8 || result == 105) && attempt > 0) {
        result = 0;  // nothing to store; the next pass asks for the next record
        stored = true;
      }
      ++attempt;
      if (result == 0 || result == 8 || result == 105 || attempt > kLastAttempt) break;
    }
    if (!stored) return result;
    if (attempt > kLastAttempt && result == 3) return result;
    if (attempt > kLastAttempt && result != 0) {
      WriteErrorLog(QStringLiteral("Operation error, retry too much:") + record);
      result = 0;  // the record is given up; the run moves on
    }
    attempt = 0;
    if (result != 0) return result;
  }
}

bool TSyncRun::StoreRecord(const QString& record, int doorKey) {
  TMjRecord f;
  const int parsed = MjParseRecord(record, f);
  if (parsed != 0 && parsed != 14) return false;
  const bool stored =
      archive.AddRecord(f.RecordType, f.UserId, f.CardNo, FormatDateTimeText(f.Time), doorKey,
                        f.InFlag ? 0 : 1, f.CardType, f.PassType, f.WarnType, f.EventSrc);
  if (stored) ++outcome.RecordsStored;
  return stored;
}

bool TSyncRun::SetClock(int device) {
  const QDateTime now = Now();
  const QDate d = now.date();
  const QTime t = now.time();
  return MjSetDateTime(port, device, d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(),
                       d.dayOfWeek()) == 0;  // Monday 1 .. Sunday 7
}

bool TSyncRun::UserPhase(const TSyncRow& door) {
  try {
    TRegUserOperater regs;
    regs.QueueExpiredDeletes(door.DoorKey);
    Status(_("Clean invalid user data..."));
    regs.SendWaitingDeletes(port, door.DeviceId, host.Progress());
    Status(_("Registing user..."));
    const std::vector<TRegUser> users = regs.GetValidDoorRegs(door.DoorKey);
    if (users.empty()) return true;
    host.Progress().SetRange(0, static_cast<int>(users.size()) - 1);
    host.Progress().SetPosition(0);
    const QString today = FormatDate(Today());
    int unanswered = 0;
    for (size_t k = 0; k < users.size(); ++k) {
      host.Progress().Repaint();
      host.ProcessMessages();
      if (unanswered > kUnansweredLimit) return false;
      if (host.StopRequested() && host.Ask(_("Registing user. Do you stop Registing?"))) {
        return false;
      }
      host.Progress().SetPosition(static_cast<int>(k));
      const TRegUser& user = users[k];
      const QString groupField = Hex2(user.CGrpId) + QStringLiteral("FFFFFF");
      const QString userId = user.UID.isEmpty() ? QStringLiteral("FFFF") : user.UID;
      const QString cardNo = EntryCard(user.UCard, userId);
      const QString password = user.UPSW.isEmpty() ? QStringLiteral("FFFFFF") : user.UPSW;
      const int result = today > user.UInvalidate
                             ? MjDeleteUser(port, door.DeviceId, cardNo, userId)
                             : MjAddUser(port, door.DeviceId, QStringLiteral("01"), groupField,
                                         password, cardNo, userId);
      if (result == 3) ++unanswered;
    }
    return true;
  } catch (const std::exception& e) {
    HintBox(_("Exception: ") + QString::fromUtf8(e.what()));
    return false;
  }
}

bool TSyncRun::ParameterPhase(const QString& cleanText, const QString& setText,
                              const std::function<void()>& clear,
                              const std::function<std::vector<TPhaseCommand>()>& load,
                              bool idLimited) {
  try {
    Status(cleanText);
    clear();
    Status(setText);
    const std::vector<TPhaseCommand> commands = load();
    if (commands.empty()) return true;
    host.Progress().SetRange(0, static_cast<int>(commands.size()) - 1);
    host.Progress().SetPosition(0);
    int unanswered = 0;
    for (size_t k = 0; k < commands.size(); ++k) {
      host.ProcessMessages();
      if (unanswered > kUnansweredLimit) return false;
      host.Progress().SetPosition(static_cast<int>(k));
      if (idLimited && commands[k].id >= 100) continue;  // the controller holds ids 1..99
      if (commands[k].send() == 3) ++unanswered;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TSyncRun::ParameterPhases(const TSyncRow& door) {
  const int dev = door.DeviceId;
  const QString devText = QString::number(dev);
  IProgress& progress = host.Progress();
  auto report = [&](bool ok, const QString& success, const QString& failure) {
    if (!ok) outcome.AnyFailure = true;
    Status(ok ? success : failure);
  };

  TTimeZoneOp zones;
  report(ParameterPhase(
             _("Clean invalid time zone data..."), _("Setting time zone..."),
             [&] { zones.ClearDevice(port, devText, progress); },
             [&] {
               std::vector<TTimeZone> records;
               zones.GetAll(records);
               std::vector<TPhaseCommand> commands;
               for (const TTimeZone& z : records) {
                 std::array<QTime, 5> begin;
                 std::array<int, 5> mode;
                 for (int k = 0; k < 5; ++k) {
                   begin[k] = TimeOfDay(z.Slots[k].Bgn);
                   mode[k] = z.Slots[k].Flow - 1;
                 }
                 commands.push_back(
                     {z.ZoneId, [=] { return MjSetTimeZone(port, dev, z.ZoneId, begin, mode); }});
               }
               return commands;
             },
             true),
         _("Set time zone success"), _("Set time zone failure"));

  TWeekSchemeOp weeks;
  report(ParameterPhase(
             _("Clean invalid week plan data..."), _("Setting week plan..."),
             [&] { weeks.ClearDevice(port, devText, progress); },
             [&] {
               std::vector<TWeekScheme> records;
               weeks.GetAll(records);
               std::vector<TPhaseCommand> commands;
               for (const TWeekScheme& w : records) {
                 commands.push_back({w.WkSchemeId, [=] {
                                       return MjSetWeekScheme(port, dev, w.WkSchemeId, w.Wk);
                                     }});
               }
               return commands;
             },
             true),
         _("Set week plan success"), _("Set week plan failure"));

  THolidayOp holidays;
  report(ParameterPhase(
             _("Clean invalid holiday data..."), _("Setting holiday..."),
             [&] { holidays.ClearDevice(port, devText, progress); },
             [&] {
               std::vector<THoliday> records;
               holidays.GetAll(records);
               std::vector<TPhaseCommand> commands;
               for (const THoliday& h : records) {
                 const QDate b = h.HolidayBgn.date();
                 const QDate e = h.HolidayEnd.date();
                 commands.push_back({h.HolidayId, [=] {
                                       return MjSetHoliday(port, dev, h.HolidayId, h.ZoneId,
                                                           b.year(), b.month(), b.day(), e.year(),
                                                           e.month(), e.day());
                                     }});
               }
               return commands;
             },
             true),
         _("Setting holiday success"), _("Setting holiday failure"));

  Status(_("Setting holiday plan..."));
  THolidayPlanOp plans;
  report(ParameterPhase(
             _("Clean invalid holiday plan data..."), _("Setting holiday plan..."),
             [&] { plans.ClearDevice(port, devText, progress); },
             [&] {
               std::vector<THolidayPlan> records;
               plans.GetAll(records);
               std::vector<TPhaseCommand> commands;
               for (const THolidayPlan& p : records) {
                 commands.push_back(
                     {p.HolidayPlanId,
                      [=] { return MjSetHolidayPlan(port, dev, p.HolidayPlanId, p.HolidayId); }});
               }
               return commands;
             },
             true),
         _("Set holiday plan success"), _("Set holiday plan failure"));

  Status(_("Setting group..."));
  TControlGroupOp groups;
  report(ParameterPhase(
             _("Clean invalid group data..."), _("Setting group data..."),
             [&] { groups.ClearDevice(port, devText, progress); },
             [&] {
               std::vector<TControlGroup> records;
               groups.GetAll(records);
               std::vector<TPhaseCommand> commands;
               for (const TControlGroup& g : records) {
                 const bool enabled = g.HldPlanEnabled.startsWith(QLatin1Char('1'));
                 const int plan = (!enabled && g.HolidayPlanId > 99) ? 1 : g.HolidayPlanId;
                 commands.push_back({g.CGrpId, [=] {
                                       return MjSetControlGroup(port, dev, g.CGrpId, g.WkSchemeId,
                                                                enabled, plan);
                                     }});
               }
               return commands;
             },
             true),
         _("Set group success"), _("Set group failure"));

  Status(_("Setting input port..."));
  TInPortOperater inPorts;
  report(ParameterPhase(
             _("Clean invalid input port data..."), _("Setting input port..."),
             [&] { inPorts.ClearDeviceInPorts(port, devText, progress); },
             [&] {
               std::vector<TPhaseCommand> commands;
               for (const TInPort& p : inPorts.LoadInPorts(door.DoorKey)) {
                 const QTime begin = TimeOfDay(p.Bgntime);
                 const QTime end = TimeOfDay(p.Endtime);
                 commands.push_back({0, [=] {
                                       return MjSetInPort(port, dev, p.Portnum, p.Fncid,
                                                          p.Isenable == QLatin1String("1"),
                                                          p.Ishigh == QLatin1String("1"), begin,
                                                          end);
                                     }});
               }
               return commands;
             },
             false),
         _("Set input port success"), _("Set input port failure"));

  Status(_("Setting output port..."));
  TOutPortOperater outPorts;
  report(ParameterPhase(
             _("Clean invalid output port data..."), _("Setting output port..."),
             [&] { outPorts.ClearDeviceOutPorts(port, devText, progress); },
             [&] {
               std::vector<TPhaseCommand> commands;
               for (const TOutPort& p : outPorts.LoadOutPorts(door.DoorKey)) {
                 commands.push_back(
                     {0, [=] { return MjSetOutPort(port, dev, p.Portnum, p.Fncid, p.delaytime); }});
               }
               return commands;
             },
             false),
         _("Set output port success"), _("Set output port failure"));
}

}  // namespace

TSyncOutcome TCommSyncEngine::Run(const std::vector<TSyncRow>& rows, const TSyncOptions& options) {
  TSyncOutcome outcome;
  try {
    if (!IsPortOpen(CurrentComPort)) OpenPort(CurrentComPort);
    if (!IsPortOpen(CurrentComPort)) {
      HintBox(_("The current serial port (COM") + QString::number(CurrentComPort) +
              _(") can not be opened."));
      return outcome;
    }
    outcome.PortOpened = true;
    TSyncRun run(host, options, outcome);
    host.StopRequested();  // an earlier press does not count
    for (size_t row = 0; row < rows.size(); ++row) {
      const TSyncRow& door = rows[row];
      if (host.StopRequested() &&
          host.Ask(_("Setting ") + door.DoorName + _(". Do you stop Setting?"))) {
        outcome.Stopped = true;
        return outcome;
      }
      host.DoorStatus(static_cast<int>(row), QString());
      if (!door.Ticked) continue;
      run.SyncDoor(static_cast<int>(row), door);
    }
    TRegUserOperater().PurgeWaitingDeletes();
    if (outcome.SomeOnline) HintBox(_("Sync operation Finish"));
  } catch (const std::exception& e) {
    outcome.Failed = true;
    HintBox(_("Sync operation failure.") + QString::fromUtf8(e.what()));
  }
  return outcome;
}
