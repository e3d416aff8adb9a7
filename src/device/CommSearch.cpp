#include "device/CommSearch.h"

#include <QDate>
#include <array>
#include <stdexcept>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "model/bll_IOPort.h"
#include "model/bll_limit.h"
#include "platform/FormTranslation.h"
#include "platform/Translation.h"

namespace {

// Ids of the time rules a controller may hold.
constexpr int kFirstRuleId = 1;
constexpr int kLastRuleId = 99;
constexpr int kFirstPort = 1;
constexpr int kLastPort = 3;
// The read ends once more commands than this went unanswered.
constexpr int kUnansweredLimit = 3;
constexpr int kNoAnswer = 3;

struct TPageInfo {
  TSearchPage page;
  const char* name;
};
constexpr std::array<TPageInfo, kSearchPageCount> kPages = {{
    {TSearchPage::TimeZones, "zones"},
    {TSearchPage::WeekPlans, "weeks"},
    {TSearchPage::Holidays, "holidays"},
    {TSearchPage::ControlGroups, "groups"},
    {TSearchPage::InPorts, "inports"},
    {TSearchPage::OutPorts, "outports"},
}};

// A name looked up in the database, or "No Setting" when there is none.
QString NameOrNoSetting(const QString& name) {
  return name.isEmpty() ? _("No Setting") : name;
}

QString ModeText(int mode) {
  QString text;
  DoorModeText(mode, text);
  return text;
}

// A date read back from the controller; one that is no calendar date ends the read.
QDate CalendarDate(int year, int month, int day) {
  const QDate date(year, month, day);
  if (!date.isValid())
    throw std::runtime_error(QStringLiteral("%1-%2-%3 is not a calendar date")
                                 .arg(year)
                                 .arg(month)
                                 .arg(day)
                                 .toStdString());
  return date;
}

QString DelayText(int delay) {
  if (delay == 0) return _("Close");
  if (delay == 255) return _("Normal Open");
  return QString::number(delay);
}

QString PortName(const QStringList& names, int port) {
  return names.value(port - 1);
}

}  // namespace

QStringList SearchColumns(TSearchPage page) {
  switch (page) {
    case TSearchPage::TimeZones:
      return {N_("Zone Name"), N_("ID"),    N_("Begin1"), N_("End1"), N_("Flow1"), N_("Begin2"),
              N_("End2"),      N_("Flow2"), N_("Begin3"), N_("End3"), N_("Flow3"), N_("Begin4"),
              N_("End4"),      N_("Flow4"), N_("Begin5"), N_("End5"), N_("Flow5")};
    case TSearchPage::WeekPlans:
      return {N_("Plan Name"),     N_("ID"),           N_("Sunday Zone"),
              N_("Monday Zone"),   N_("Tuesday Zone"), N_("Wednesday Zone"),
              N_("Thursday Zone"), N_("Friday Zone"),  N_("Saturday Zone")};
    case TSearchPage::Holidays:
      return {N_("Holiday Name"), N_("ID"), N_("Begin Date"), N_("End Date"), N_("Control Zone")};
    case TSearchPage::ControlGroups:
      return {N_("Group Name"), N_("ID"), N_("Week Plan"), N_("Holiday Plan"), N_("Holiday Avail")};
    case TSearchPage::InPorts:
      return {N_("Input"),         N_("Description"), N_("Enabled"),
              N_("Trigger Level"), N_("Valid Begin"), N_("Valid End")};
    case TSearchPage::OutPorts:
      return {N_("Output"), N_("Description"), N_("Delay Time (Sec.)")};
  }
  return {};
}

QString SearchPageName(TSearchPage page) {
  return QString::fromLatin1(kPages[static_cast<int>(page)].name);
}

bool SearchPageFromName(const QString& name, TSearchPage& page) {
  for (const TPageInfo& info : kPages) {
    if (name == QLatin1String(info.name)) {
      page = info.page;
      return true;
    }
  }
  return false;
}

TSearchResult TCommSearchEngine::Prepare(int deviceId) {
  if (!IsPortOpen(CurrentComPort)) {
    OpenPort(CurrentComPort);
    if (!IsPortOpen(CurrentComPort)) {
      HintBox(_("The current serial port can not be opened."));
      return TSearchResult::PortNotOpen;
    }
  }
  if (MjTestOnline(CurrentComPort, deviceId) != 0) {
    HintBox(_("The current door is off-line."));
    return TSearchResult::Offline;
  }
  return TSearchResult::Done;
}

TSearchResult TCommSearchEngine::Run(TSearchPage page, int deviceId, ISearchRows& rows) {
  const TSearchResult prepared = Prepare(deviceId);
  if (prepared != TSearchResult::Done) return prepared;
  return Read(page, deviceId, rows);
}

template <class ReadOne>
TSearchResult TCommSearchEngine::ReadEach(int firstId, int lastId, ISearchRows& rows,
                                          ReadOne readOne) {
  IProgress& progress = host.Progress();
  progress.SetRange(0, lastId - firstId);
  int unanswered = 0;
  for (int id = firstId; id <= lastId; ++id) {
    progress.SetPosition(id - firstId);
    progress.Repaint();
    host.ProcessMessages();
    if (unanswered > kUnansweredLimit) return TSearchResult::Unanswered;
    if (host.StopRequested()) return TSearchResult::Stopped;
    QStringList row;
    int result = 0;
    try {
      result = readOne(id, row);
    } catch (...) {
      // The row being filled stays with the columns it has.
      if (!row.isEmpty()) rows.AddRow(row);
      throw;
    }
    if (result == kNoAnswer) ++unanswered;
    if (result == 0) rows.AddRow(row);
  }
  return unanswered > kUnansweredLimit ? TSearchResult::Unanswered : TSearchResult::Done;
}

TSearchResult TCommSearchEngine::Read(TSearchPage page, int deviceId, ISearchRows& rows) {
  const int port = CurrentComPort;
  rows.Clear();
  try {
    switch (page) {
      case TSearchPage::TimeZones: {
        TTimeZoneOp zones;
        return ReadEach(kFirstRuleId, kLastRuleId, rows, [&](int id, QStringList& row) {
          std::array<QTime, 5> begin;
          std::array<int, 5> mode{};
          const int result = MjGetTimeZone(port, deviceId, id, begin, mode);
          if (result != 0) return result;
          row << NameOrNoSetting(zones.GetName(id)) << QString::number(id);
          // Each segment ends where the next begins; the last one at the end of the day.
          for (int k = 0; k < 5; ++k)
            row << FormatTime(begin[k])
                << (k < 4 ? FormatTime(begin[k + 1]) : QStringLiteral("23:59:59"))
                << ModeText(mode[k] + 1);
          return 0;
        });
      }
      case TSearchPage::WeekPlans: {
        TWeekSchemeOp plans;
        TTimeZoneOp zones;
        return ReadEach(kFirstRuleId, kLastRuleId, rows, [&](int id, QStringList& row) {
          std::array<int, 7> zone{};  // Monday .. Sunday
          const int result = MjGetWeekScheme(port, deviceId, id, zone);
          if (result != 0) return result;
          row << NameOrNoSetting(plans.GetName(id)) << QString::number(id);
          // The list starts the week on Sunday.
          for (const int day : {6, 0, 1, 2, 3, 4, 5})
            row << NameOrNoSetting(zones.GetName(zone[day]));
          return 0;
        });
      }
      case TSearchPage::Holidays: {
        THolidayOp holidays;
        TTimeZoneOp zones;
        return ReadEach(kFirstRuleId, kLastRuleId, rows, [&](int id, QStringList& row) {
          int by = 0, bm = 0, bd = 0, ey = 0, em = 0, ed = 0, zone = 0;
          const int result = MjGetHoliday(port, deviceId, id, by, bm, bd, ey, em, ed, zone);
          if (result != 0) return result;
          row << NameOrNoSetting(holidays.GetName(id)) << QString::number(id);
          const QDate begin = CalendarDate(by, bm, bd);
          const QDate end = CalendarDate(ey, em, ed);
          row << FormatDate(begin) << FormatDate(end) << NameOrNoSetting(zones.GetName(zone));
          return 0;
        });
      }
      case TSearchPage::ControlGroups: {
        TControlGroupOp groups;
        TWeekSchemeOp plans;
        THolidayPlanOp holidayPlans;
        return ReadEach(kFirstRuleId, kLastRuleId, rows, [&](int id, QStringList& row) {
          int weekPlan = 0, holidayPlan = 0;
          bool holidaysUsed = false;
          const int result =
              MjGetControlGroup(port, deviceId, id, weekPlan, holidaysUsed, holidayPlan);
          if (result != 0) return result;
          row << NameOrNoSetting(groups.GetName(id)) << QString::number(id)
              << NameOrNoSetting(plans.GetName(weekPlan))
              << NameOrNoSetting(holidayPlans.GetName(holidayPlan))
              << (holidaysUsed ? _("Use Holiday") : _("No Holiday"));
          return 0;
        });
      }
      case TSearchPage::InPorts: {
        if (!PortTexts()) LoadPortTexts();
        const TPortTexts& texts = *PortTexts();
        return ReadEach(kFirstPort, kLastPort, rows, [&](int portNum, QStringList& row) {
          int func = 0;
          bool enabled = false, high = false;
          QTime begin, end;
          const int result = MjGetInPort(port, deviceId, portNum, func, enabled, high, begin, end);
          if (result != 0) return result;
          row << PortName(texts.InPortNames, portNum) << NameOrNoSetting(InFunctionText(func))
              << (enabled ? _("Yes") : _("No")) << (high ? _("High") : _("Low"))
              << FormatTime(begin) << FormatTime(end);
          return 0;
        });
      }
      case TSearchPage::OutPorts: {
        if (!PortTexts()) LoadPortTexts();
        const TPortTexts& texts = *PortTexts();
        return ReadEach(kFirstPort, kLastPort, rows, [&](int portNum, QStringList& row) {
          int func = 0, delay = 0;
          const int result = MjGetOutPort(port, deviceId, portNum, func, delay);
          if (result != 0) return result;
          row << PortName(texts.OutPortNames, portNum) << NameOrNoSetting(OutFunctionText(func))
              << DelayText(delay);
          return 0;
        });
      }
    }
  } catch (const std::exception&) {
    HintBox(_("Search control parameters error."));
    return TSearchResult::Error;
  }
  return TSearchResult::Done;
}
