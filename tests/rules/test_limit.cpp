// The time-rule stores on the delivered database.
#include <gtest/gtest.h>

#include <QLocale>
#include <functional>

#include "model/bll_limit.h"
#include "support/TestInstall.h"

namespace {

// One store per kind, with what a test needs to put rows into its table directly.
struct TKind {
  const char* name;
  std::function<std::unique_ptr<TControlParamOp>()> make;
  const char* table;
  const char* idColumn;
  const char* nameColumn;
};

const TKind kKinds[] = {
    {"TimeZone", [] { return std::make_unique<TTimeZoneOp>(); }, "TimeZone", "ZoneId", "ZoneName"},
    {"WeekScheme", [] { return std::make_unique<TWeekSchemeOp>(); }, "WeekScheme", "WkSchemeId",
     "WkSchemeName"},
    {"Holiday", [] { return std::make_unique<THolidayOp>(); }, "Holiday", "HolidayId",
     "HolidayName"},
    {"HolidayPlan", [] { return std::make_unique<THolidayPlanOp>(); }, "HolidayPlan",
     "HolidayPlanId", "HolidayPlanName"},
    {"ControlGroup", [] { return std::make_unique<TControlGroupOp>(); }, "ControlGroup", "CGrpId",
     "CGroupName"},
};

void InsertIds(const TKind& kind, const QList<int>& ids) {
  BeginTrans();
  for (int id : ids) {
    ExecSQL(QString("insert into %1(%2, %3) values(%4, 'r%4')")
                .arg(kind.table, kind.idColumn, kind.nameColumn)
                .arg(id));
  }
  CommitTrans();
}

QList<int> Range(int from, int to) {
  QList<int> ids;
  for (int i = from; i <= to; ++i) ids << i;
  return ids;
}

TTimeZone Zone(int id, const QString& name) {
  TTimeZone zone;
  zone.ZoneId = id;
  zone.ZoneName = name;
  const char* bounds[] = {"00:00:00", "08:00:00", "12:00:00", "13:30:00", "18:00:00", "23:59:59"};
  for (int i = 0; i < 5; ++i) zone.Slots[i] = {bounds[i], bounds[i + 1], i % 4 + 1};
  return zone;
}

THoliday Holiday(int id, const QString& name, QDate begin, QDate end, int zone) {
  THoliday holiday;
  holiday.HolidayId = id;
  holiday.HolidayName = name;
  holiday.HolidayBgn = QDateTime(begin, QTime(0, 0));
  holiday.HolidayEnd = QDateTime(end, QTime(0, 0));
  holiday.ZoneId = zone;
  return holiday;
}

TControlGroup Group(int id, const QString& name, int week, bool holidays) {
  TControlGroup group;
  group.CGrpId = id;
  group.CGroupName = name;
  group.WkSchemeId = week;
  group.HolidayPlanId = holidays ? id : 0;
  group.HldPlanEnabled = holidays ? "1" : "0";
  return group;
}

}  // namespace

class TimeRules : public FreshInstall {};

TEST_F(TimeRules, NewIdGrowsToNinetySevenThenFillsGapsAndReportsFull) {
  struct Case {
    const char* what;
    QList<int> ids;
    int expected;
  };
  const Case cases[] = {
      {"empty table", {}, 1},
      {"ids 1..5", Range(1, 5), 6},
      {"gaps below 97 are not filled", {3, 50}, 51},
      {"ids 1..96", Range(1, 96), 97},
      {"ids 1..97", Range(1, 97), 98},
      {"ids 1..98", Range(1, 98), 99},
      {"ids 1..99: full", Range(1, 99), -1},
      {"1..10 and 12..98", Range(1, 10) + Range(12, 98), 11},
      {"97 rows, largest 99", Range(1, 96) + QList<int>{99}, 97},
      {"a stray id 0 is not a gap", QList<int>{0} + Range(1, 97), 98},
  };
  for (const TKind& kind : kKinds) {
    for (const Case& c : cases) {
      ExecSQL(QString("delete from %1").arg(kind.table));
      InsertIds(kind, c.ids);
      EXPECT_EQ(kind.make()->NewId(), c.expected) << kind.name << ": " << c.what;
    }
  }
}

TEST_F(TimeRules, RecordsRoundTripWithQuotesInNames) {
  TTimeZoneOp zones;
  TWeekSchemeOp weeks;
  THolidayOp holidays;
  THolidayPlanOp plans;

  const TTimeZone zone = Zone(3, "Night's shift");
  ASSERT_TRUE(zones.Add(zone));
  EXPECT_EQ(zones.LastStatement(),
            "insert into TimeZone(ZoneId,ZoneName,Bgn1,End1,Flow1,Bgn2,End2,Flow2,Bgn3,End3,Flow3,"
            "Bgn4,end4,Flow4,Bgn5,End5,Flow5) values(3,'Night''s shift','00:00:00','08:00:00',1,"
            "'08:00:00','12:00:00',2,'12:00:00','13:30:00',3,'13:30:00','18:00:00',4,'18:00:00',"
            "'23:59:59',1)");
  TTimeZone read;
  ASSERT_TRUE(zones.GetById("3", read));
  EXPECT_EQ(read.ZoneName, "Night's shift");
  EXPECT_EQ(read.Slots[2].Bgn, "12:00:00");
  EXPECT_EQ(read.Slots[3].Flow, 4);
  EXPECT_EQ(read.ParamKind, pkTimeZone);

  TWeekScheme week;
  week.WkSchemeId = 2;
  week.WkSchemeName = QString::fromUtf8("工作周");
  week.Wk = {3, 3, 3, 3, 3, 0, 0};
  ASSERT_TRUE(weeks.Add(week));
  week.Wk[6] = 3;
  ASSERT_TRUE(weeks.Update(week));
  EXPECT_EQ(weeks.LastStatement(),
            QString::fromUtf8("update WeekScheme set WkSchemeName='工作周',Wk0=3,Wk1=3,Wk2=3,"
                              "Wk3=3,Wk4=3,Wk5=0,Wk6=3 where WkSchemeId=2"));
  std::vector<TWeekScheme> allWeeks;
  weeks.GetAll(allWeeks);
  ASSERT_EQ(allWeeks.size(), 1u);
  EXPECT_EQ(allWeeks[0].Wk, (std::array<int, 7>{3, 3, 3, 3, 3, 0, 3}));

  ASSERT_TRUE(holidays.Add(Holiday(5, "New Year's Day", {2025, 1, 1}, {2025, 1, 2}, 3)));
  EXPECT_EQ(Scalar("select HolidayBgn || '/' || HolidayEnd from Holiday where HolidayId=5"),
            "2025-01-01/2025-01-02");
  THoliday day;
  ASSERT_TRUE(holidays.GetById("5", day));
  EXPECT_EQ(day.HolidayEnd.date(), QDate(2025, 1, 2));

  THolidayPlan plan;
  plan.HolidayPlanId = 7;
  plan.HolidayPlanName = "Plan";
  plan.HolidayId[0] = 5;
  ASSERT_TRUE(plans.Add(plan));
  TControlParamList all;
  plans.GetAll(all);
  ASSERT_EQ(all.size(), 1u);
  const auto& storedPlan = dynamic_cast<const THolidayPlan&>(*all[0]);
  EXPECT_EQ(storedPlan.HolidayId[0], 5);
  EXPECT_EQ(storedPlan.HolidayId[29], -1);

  // Names are found unchanged, apostrophes and all; the record itself is left out.
  EXPECT_TRUE(zones.NameExists("Night's shift", 4));
  EXPECT_FALSE(zones.NameExists("Night's shift", 3));
  EXPECT_TRUE(holidays.NameExists("New Year's Day", 0));
  EXPECT_EQ(zones.GetName(3), "Night's shift");
  EXPECT_EQ(zones.GetName(42), "");
  EXPECT_EQ(zones.GetById("42"), nullptr);
  EXPECT_EQ(zones.GetById("3 or 1=1"), nullptr);  // not a number: nothing is run
  EXPECT_FALSE(zones.Delete("3; delete from TimeZone"));
  EXPECT_EQ(Scalar("select count(*) from TimeZone"), "1");
  EXPECT_TRUE(zones.Delete("3"));
  EXPECT_EQ(Scalar("select count(*) from TimeZone"), "0");
}

TEST_F(TimeRules, ValidityRulesOfEachKind) {
  struct Case {
    const char* what;
    std::function<std::unique_ptr<TControlParam>()> record;
    bool valid;
  };
  auto zone = [](std::function<void(TTimeZone&)> change) {
    return [change] {
      auto z = std::make_unique<TTimeZone>(Zone(1, "Day"));
      change(*z);
      return z;
    };
  };
  auto holiday = [](QDate begin, QDate end) {
    return [begin, end] { return std::make_unique<THoliday>(Holiday(1, "H", begin, end, 1)); };
  };
  auto group = [](std::function<void(TControlGroup&)> change) {
    return [change] {
      auto g = std::make_unique<TControlGroup>(Group(1, "G", 1, false));
      change(*g);
      return g;
    };
  };
  const Case cases[] = {
      {"time segment as made", zone([](TTimeZone&) {}), true},
      {"flow 0", zone([](TTimeZone& z) { z.Slots[2].Flow = 0; }), false},
      {"flow 5", zone([](TTimeZone& z) { z.Slots[4].Flow = 5; }), false},
      {"id 100", zone([](TTimeZone& z) { z.ZoneId = 100; }), false},
      {"empty name", zone([](TTimeZone& z) { z.ZoneName = ""; }), false},
      {"30 characters", zone([](TTimeZone& z) { z.ZoneName = QString(30, QChar(0x65e5)); }), true},
      {"31 characters", zone([](TTimeZone& z) { z.ZoneName = QString(31, 'x'); }), false},
      {"a time of 9 characters", zone([](TTimeZone& z) { z.Slots[0].End = "08:00:000"; }), false},
      {"holiday of one day", holiday({2024, 5, 1}, {2024, 5, 1}), true},
      {"holiday ending before it begins", holiday({2024, 5, 2}, {2024, 5, 1}), false},
      {"group without holidays", group([](TControlGroup&) {}), true},
      {"group flag 'x'", group([](TControlGroup& g) { g.HldPlanEnabled = "x"; }), false},
      {"group week plan 100", group([](TControlGroup& g) { g.WkSchemeId = 100; }), false},
      {"plan id -1",
       [] {
         auto p = std::make_unique<THolidayPlan>();
         p->HolidayPlanId = -1;
         p->HolidayPlanName = "P";
         return p;
       },
       true},
      {"plan place -2",
       [] {
         auto p = std::make_unique<THolidayPlan>();
         p->HolidayPlanName = "P";
         p->HolidayId[3] = -2;
         return p;
       },
       false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.record()->IsValid(), c.valid) << c.what;

  // The virtual constructor makes a record of the same kind.
  for (const Case& c : cases) {
    const auto original = c.record();
    EXPECT_EQ(original->Create()->ParamKind, original->ParamKind) << c.what;
  }
}

TEST_F(TimeRules, WrongKindOrInvalidRecordsAreNotWritten) {
  TTimeZoneOp zones;
  TWeekSchemeOp weeks;
  TTimeZone bad = Zone(1, "Bad");
  bad.Slots[0].Flow = 0;
  EXPECT_FALSE(zones.Add(bad));
  EXPECT_FALSE(zones.Update(bad));
  EXPECT_FALSE(weeks.Add(Zone(1, "Zone given to the week store")));
  TTimeZone relabelled = Zone(1, "Relabelled");
  relabelled.ParamKind = pkWeekScheme;
  EXPECT_FALSE(zones.Add(relabelled));
  // Control groups are saved with their holidays only.
  TControlGroupOp groups;
  EXPECT_FALSE(groups.Add(Group(1, "G", 1, false)));
  for (const char* table : {"TimeZone", "WeekScheme", "ControlGroup"}) {
    EXPECT_EQ(Scalar(QString("select count(*) from %1").arg(table)), "0") << table;
  }
}

TEST_F(TimeRules, EmptyHolidayPlansAreNotStored) {
  THolidayPlanOp plans;
  THolidayPlan plan;
  plan.HolidayPlanId = 4;
  plan.HolidayPlanName = "Empty";
  EXPECT_TRUE(plans.Add(plan));  // all thirty places -1: nothing written
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "0");

  plan.HolidayId[29] = 8;
  ASSERT_TRUE(plans.Add(plan));
  EXPECT_EQ(Scalar("select HolidayId29 from HolidayPlan where HolidayPlanId=4"), "8");

  plan.HolidayId[29] = -1;
  EXPECT_TRUE(plans.Update(plan));  // emptied: the row goes
  EXPECT_EQ(plans.LastStatement(), "delete from HolidayPlan  where HolidayPlanId=4");
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "0");

  // Ids that merely add up to -30 are no empty plan: they are invalid and nothing changes.
  plan.HolidayId[29] = 8;
  ASSERT_TRUE(plans.Add(plan));
  plan.HolidayId[0] = -2;
  plan.HolidayId[29] = 0;
  EXPECT_FALSE(plans.Update(plan));
  EXPECT_EQ(Scalar("select HolidayId29 from HolidayPlan where HolidayPlanId=4"), "8");
}

TEST_F(TimeRules, InUseRules) {
  ExecSQL(
      "insert into WeekScheme(WkSchemeId,WkSchemeName,Wk0,Wk1,Wk2,Wk3,Wk4,Wk5,Wk6) "
      "values(1,'W',0,0,0,7,0,0,0);"
      "insert into Holiday(HolidayId,HolidayName,HolidayBgn,HolidayEnd,ZoneId) "
      "values(1,'H','2024-01-01','2024-01-01',9);"
      "insert into HolidayPlan(HolidayPlanId,HolidayPlanName,HolidayId24) values(2,'P',11);"
      "insert into ControlGroup(CGrpId,CGroupName,WkSchemeId,HolidayPlanId,HldPlanEnabled) "
      "values(2,'G',1,2,'1');"
      "insert into RegUser(RecordId,UKey,DId,CGrpId) values(1,1,1,2);");
  struct Case {
    const char* what;
    std::function<bool()> inUse;
    bool expected;
  };
  TTimeZoneOp zones;
  TWeekSchemeOp weeks;
  THolidayOp holidays;
  THolidayPlanOp plans;
  TControlGroupOp groups;
  const Case cases[] = {
      {"segment of a week plan's Thursday", [&] { return zones.IsInUse(7); }, true},
      {"segment used only by a holiday", [&] { return zones.IsInUse(9); }, true},
      {"segment nobody uses", [&] { return zones.IsInUse(1); }, false},
      {"week plan of a control group", [&] { return weeks.IsInUse(1); }, true},
      {"week plan nobody uses", [&] { return weeks.IsInUse(2); }, false},
      {"holiday in the 25th place of a plan", [&] { return holidays.IsInUse(11); }, true},
      {"holiday in no plan", [&] { return holidays.IsInUse(1); }, false},
      {"plan of a control group", [&] { return plans.IsInUse(2); }, true},
      {"plan nobody uses", [&] { return plans.IsInUse(3); }, false},
      {"group of an authorisation", [&] { return groups.IsInUse(2); }, true},
      {"group nobody uses", [&] { return groups.IsInUse(3); }, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.inUse(), c.expected) << c.what;
}

TEST_F(TimeRules, ControlGroupWithAndWithoutHolidays) {
  TControlGroupOp groups;
  THolidayIds two = NoHolidays();
  two[0] = 3;
  two[1] = 6;
  ASSERT_TRUE(groups.AddWithHolidays(Group(5, "Staff's group", 1, true), two));
  QString ids;
  for (int i = 0; i < 30; ++i) ids += QString(",HolidayId%1").arg(i);
  EXPECT_EQ(Scalar("select HolidayPlanName" + ids.replace(",", "||','||") +
                   " from HolidayPlan where HolidayPlanId=5"),
            "Staff's group,3,6" + QString(",-1").repeated(28));
  EXPECT_EQ(Scalar("select HolidayPlanId||HldPlanEnabled from ControlGroup where CGrpId=5"), "51");

  // Renamed with holidays: the plan takes the new name.
  ASSERT_TRUE(groups.UpdateWithHolidays(Group(5, "Staff", 1, true), two));
  EXPECT_EQ(Scalar("select HolidayPlanName from HolidayPlan where HolidayPlanId=5"), "Staff");

  // Saved without holidays: the plan row goes, the group keeps plan 0 and flag "0".
  ASSERT_TRUE(groups.UpdateWithHolidays(Group(5, "Staff", 1, false), NoHolidays()));
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "0");
  TControlGroup stored;
  ASSERT_TRUE(groups.GetById("5", stored));
  EXPECT_EQ(stored.HolidayPlanId, 0);
  EXPECT_EQ(stored.HldPlanEnabled, "0");

  // A group added without holidays writes no plan even when ids are given.
  ASSERT_TRUE(groups.AddWithHolidays(Group(6, "Visitors", 1, false), two));
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "0");

  // Holidays again, then delete: both rows go.
  ASSERT_TRUE(groups.UpdateWithHolidays(Group(6, "Visitors", 1, true), two));
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan where HolidayPlanId=6"), "1");
  EXPECT_TRUE(groups.Delete("6"));
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "0");
  EXPECT_EQ(Scalar("select count(*) from ControlGroup"), "1");
  EXPECT_FALSE(InTrans());
}

TEST_F(TimeRules, ControlGroupOperationsRollBackWhatTheyBegan) {
  TControlGroupOp groups;
  THolidayIds one = NoHolidays();
  one[0] = 3;
  ASSERT_TRUE(groups.AddWithHolidays(Group(1, "One", 1, false), one));

  // The insert fails (the id exists): the plan written before it is rolled back.
  EXPECT_THROW(groups.AddWithHolidays(Group(1, "Again", 1, true), one), EDatabaseError);
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "0");

  ExecSQL(
      "create trigger refuse_update before update on ControlGroup "
      "begin select raise(abort, 'refused'); end;"
      "create trigger refuse_delete before delete on ControlGroup "
      "begin select raise(abort, 'refused'); end;");
  EXPECT_THROW(groups.UpdateWithHolidays(Group(1, "One", 1, true), one), EDatabaseError);
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "0");

  ExecSQL("drop trigger refuse_update");
  ASSERT_TRUE(groups.UpdateWithHolidays(Group(1, "One", 1, true), one));
  EXPECT_THROW(groups.Delete("1"), EDatabaseError);
  EXPECT_FALSE(InTrans());
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "1");  // the plan is back

  // Inside a transaction the caller holds, the caller decides.
  ExecSQL("drop trigger refuse_delete");
  BeginTrans();
  ASSERT_TRUE(groups.Delete("1"));
  EXPECT_TRUE(InTrans());
  RollbackTrans();
  EXPECT_EQ(Scalar("select count(*) from ControlGroup"), "1");
  EXPECT_EQ(Scalar("select count(*) from HolidayPlan"), "1");
}

TEST_F(TimeRules, HolidayRowsForThePage) {
  TTimeZoneOp zones;
  ASSERT_TRUE(zones.Add(Zone(4, "Late")));
  THolidayOp holidays;
  ASSERT_TRUE(holidays.Add(Holiday(9, "May Day", {2024, 5, 1}, {2024, 5, 2}, 4)));
  const QLocale locale = QLocale::system();
  const QString begin = locale.toString(QDate(2024, 5, 1), QLocale::ShortFormat);
  const QString end = locale.toString(QDate(2024, 5, 2), QLocale::ShortFormat);

  int row = 0;
  QStringList cells;
  ASSERT_TRUE(holidays.AddHolidayRow(true, 9, cells, row));
  EXPECT_EQ(row, 1);
  EXPECT_EQ(cells, QStringList({"May Day", begin, end, "Late", "9"}));
  ASSERT_TRUE(holidays.AddHolidayRow(false, 9, cells, row));
  EXPECT_EQ(row, 2);
  EXPECT_EQ(cells, QStringList({begin, end, "Late", "9"}));
  EXPECT_FALSE(holidays.AddHolidayRow(true, 10, cells, row));
  EXPECT_EQ(row, 2);
  EXPECT_EQ(cells, QStringList({begin, end, "Late", "9"}));
}
