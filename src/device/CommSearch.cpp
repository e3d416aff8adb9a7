#include "device/CommSearch.h"

#include <functional>
#include <stdexcept>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "model/bll_IOPort.h"
#include "model/bll_limit.h"
#include "platform/Translation.h"

namespace {

// More unanswered reads than this end a read.
constexpr int kUnansweredLimit = 3;

QString NameOrNoSetting(const QString& name) {
  return name.isEmpty() ? _("No Setting") : name;
}

QString ModeText(int mode) {
  QString text;
  DoorModeText(mode, text);
  return text;
}

// A date read back from the controller; one that is no calendar date ends the read.
QString DateText(int year, int month, int day) {
  const QDate date(year, month, day);
  if (!date.isValid()) throw std::runtime_error("not a calendar date");
  return FormatDate(date);
}

QString FunctionText(const QStringList& numbers, const QStringList& texts, int funcId) {
  const int at = numbers.indexOf(QString::number(funcId));
  return at >= 0 && at < texts.size() ? texts[at] : _("No Setting");
}

}  // namespace

QStringList TCommSearchEngine::Columns(TSearchPage page) {
  switch (page) {
    case TSearchPage::TimeZones: {
      QStringList c = {_("Zone Name"), _("ID")};
      for (int k = 1; k <= 5; ++k) {
        c << _("Begin") + QString::number(k) << _("End") + QString::number(k)
          << _("Flow") + QString::number(k);
      }
      return c;
    }
    case TSearchPage::WeekPlans:
      return {_("Plan Name"),     _("ID"),           _("Sunday Zone"),
              _("Monday Zone"),   _("Tuesday Zone"), _("Wednesday Zone"),
              _("Thursday Zone"), _("Friday Zone"),  _("Saturday Zone")};
    case TSearchPage::Holidays:
      return {_("Holiday Name"), _("ID"), _("Begin Date"), _("End Date"), _("Control Zone")};
    case TSearchPage::ControlGroups:
      return {_("Group Name"), _("ID"), _("Week Plan"), _("Holiday Plan"), _("Holiday Avail")};
    case TSearchPage::InPorts:
      return {_("Input"),         _("Description"), _("Enabled"),
              _("Trigger Level"), _("Valid Begin"), _("Valid End")};
    case TSearchPage::OutPorts:
      return {_("Output"), _("Description"), _("Delay Time (Sec.)")};
  }
  return {};
}

bool TCommSearchEngine::Search(int deviceId, TSearchPage page, std::vector<QStringList>& rows) {
  rows.clear();
  if (!IsPortOpen(CurrentComPort)) OpenPort(CurrentComPort);
  if (!IsPortOpen(CurrentComPort)) {
    HintBox(_("The current serial port can not be opened."));
    return false;
  }
  if (MjTestOnline(CurrentComPort, deviceId) != 0) {
    HintBox(_("The current door is off-line."));
    return false;
  }
  try {
    Read(deviceId, page, rows);
    return true;
  } catch (const std::exception&) {
    HintBox(_("Search control parameters error."));
    return false;
  }
}

void TCommSearchEngine::Read(int deviceId, TSearchPage page, std::vector<QStringList>& rows) {
  const int port = CurrentComPort;
  // Runs read(step) for each step, as long as no more than three reads went unanswered; a read
  // that answers adds its row (read fills it, possibly in part before an error).
  auto readSteps = [&](int first, int last, const std::function<int(int, QStringList&)>& read) {
    host.Progress().SetRange(0, last - first);
    int unanswered = 0;
    for (int step = first; step <= last; ++step) {
      host.Progress().SetPosition(step - first);
      host.Progress().Repaint();
      host.ProcessMessages();
      if (unanswered > kUnansweredLimit) return;
      QStringList row;
      int result = 0;
      try {
        result = read(step, row);
      } catch (...) {
        rows.push_back(row);  // the row keeps what was filled before the error
        throw;
      }
      if (result == 0)
        rows.push_back(row);
      else if (result == 3)
        ++unanswered;
    }
  };

  switch (page) {
    case TSearchPage::TimeZones: {
      TTimeZoneOp zones;
      readSteps(1, 99, [&](int id, QStringList& row) {
        std::array<QTime, 5> begin;
        std::array<int, 5> mode{};
        const int result = MjGetTimeZone(port, deviceId, id, begin, mode);
        if (result != 0) return result;
        row << NameOrNoSetting(zones.GetName(id)) << QString::number(id);
        for (int k = 0; k < 5; ++k) {
          row << FormatTime(begin[k])
              << (k < 4 ? FormatTime(begin[k + 1]) : QStringLiteral("23:59:59"))
              << ModeText(mode[k] + 1);
        }
        return 0;
      });
      break;
    }
    case TSearchPage::WeekPlans: {
      TWeekSchemeOp weeks;
      TTimeZoneOp zones;
      readSteps(1, 99, [&](int id, QStringList& row) {
        std::array<int, 7> zone{};
        const int result = MjGetWeekScheme(port, deviceId, id, zone);
        if (result != 0) return result;
        row << NameOrNoSetting(weeks.GetName(id)) << QString::number(id);
        row << NameOrNoSetting(zones.GetName(zone[6]));  // Sunday comes first in the list
        for (int day = 0; day < 6; ++day) row << NameOrNoSetting(zones.GetName(zone[day]));
        return 0;
      });
      break;
    }
    case TSearchPage::Holidays: {
      THolidayOp holidays;
      TTimeZoneOp zones;
      readSteps(1, 99, [&](int id, QStringList& row) {
        int by = 0, bm = 0, bd = 0, ey = 0, em = 0, ed = 0, zone = 0;
        const int result = MjGetHoliday(port, deviceId, id, by, bm, bd, ey, em, ed, zone);
        if (result != 0) return result;
        row << NameOrNoSetting(holidays.GetName(id)) << QString::number(id);
        row << DateText(by, bm, bd);
        row << DateText(ey, em, ed);
        row << NameOrNoSetting(zones.GetName(zone));
        return 0;
      });
      break;
    }
    case TSearchPage::ControlGroups: {
      TControlGroupOp groups;
      TWeekSchemeOp weeks;
      THolidayPlanOp plans;
      readSteps(1, 99, [&](int id, QStringList& row) {
        int week = 0, plan = 0;
        bool enabled = false;
        const int result = MjGetControlGroup(port, deviceId, id, week, enabled, plan);
        if (result != 0) return result;
        row << NameOrNoSetting(groups.GetName(id)) << QString::number(id)
            << NameOrNoSetting(weeks.GetName(week)) << NameOrNoSetting(plans.GetName(plan))
            << (enabled ? _("Use Holiday") : _("No Holiday"));
        return 0;
      });
      break;
    }
    case TSearchPage::InPorts: {
      if (!PortTexts()) LoadPortTexts();
      const TPortTexts& texts = *PortTexts();
      readSteps(1, 3, [&](int portNum, QStringList& row) {
        int func = 0;
        bool enabled = false, high = false;
        QTime begin, end;
        const int result = MjGetInPort(port, deviceId, portNum, func, enabled, high, begin, end);
        if (result != 0) return result;
        row << texts.InPortNames.value(portNum - 1)
            << FunctionText(texts.InFuncNumbers, texts.InFuncTexts, func)
            << (enabled ? _("Yes") : _("No")) << (high ? _("High") : _("Low")) << FormatTime(begin)
            << FormatTime(end);
        return 0;
      });
      break;
    }
    case TSearchPage::OutPorts: {
      if (!PortTexts()) LoadPortTexts();
      const TPortTexts& texts = *PortTexts();
      readSteps(1, 3, [&](int portNum, QStringList& row) {
        int func = 0, delay = 0;
        const int result = MjGetOutPort(port, deviceId, portNum, func, delay);
        if (result != 0) return result;
        row << texts.OutPortNames.value(portNum - 1)
            << FunctionText(texts.OutFuncNumbers, texts.OutFuncTexts, func)
            << (delay == 0     ? _("Close")
                : delay == 255 ? _("Normal Open")
                               : QString::number(delay));
        return 0;
      });
      break;
    }
  }
}
