#include "model/bll_limit.h"

#include <QLocale>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"

namespace {

QString Num(int value) {
  return QString::number(value);
}

// Ids arrive as text; only a whole number is spliced into a statement.
bool ParseId(const QString& text, int& id) {
  bool ok = false;
  id = text.trimmed().toInt(&ok);
  return ok;
}

QString HolidayColumns() {
  QStringList columns;
  for (int i = 0; i < 30; ++i) columns << QStringLiteral("HolidayId") + Num(i);
  return columns.join(QLatin1Char(','));
}

}  // namespace

// ---- TControlParamOp ----------------------------------------------------------------------

void TControlParamOp::Open(const QString& statement) {
  FSql = statement;
  OpenQuery(statement, FQuery);
}

bool TControlParamOp::Exists(const QString& statement) {
  Open(statement);
  return !FQuery.IsEmpty();
}

bool TControlParamOp::Execute(const QString& statement) {
  FSql = statement;
  return ExecSQL(statement);
}

int TControlParamOp::NextFreeId(const QString& table, const QString& column) {
  Open(QStringLiteral("select max(") + column + QStringLiteral(") as maxid from ") + table);
  const TField maxId = FQuery.FieldByName(QStringLiteral("maxid"));
  const int next = maxId.IsNull() ? 1 : maxId.AsInteger() + 1;
  if (next < 98) return next;

  Open(QStringLiteral("select ") + column + QStringLiteral(" as id from ") + table +
       QStringLiteral(" order by ") + column);
  if (FQuery.RecordCount() > 98) return -1;
  // The lowest id from 1 on that no row holds. Ids below 1 (never handed out) are passed over
  // rather than taken for a gap, so that an id in use is never returned.
  int candidate = 1;
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    const int id = FQuery.FieldByName(QStringLiteral("id")).AsInteger();
    if (id < candidate) continue;
    if (id != candidate) return candidate;
    ++candidate;
  }
  return candidate;
}

// ---- TControlParamStore -----------------------------------------------------------------

template <class TRecord>
void TControlParamStore<TRecord>::GetAll(TControlParamList& records) {
  std::vector<TRecord> typed;
  GetAll(typed);
  records.clear();
  for (TRecord& record : typed) records.push_back(std::make_unique<TRecord>(std::move(record)));
}

template <class TRecord>
void TControlParamStore<TRecord>::GetAll(std::vector<TRecord>& records) {
  const TTable& t = Table();
  Open(QStringLiteral("select ") + t.columns + QStringLiteral(" from ") + t.table +
       QStringLiteral(" order by ") + t.idColumn);
  records.clear();
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) records.push_back(Read(FQuery));
}

template <class TRecord>
std::unique_ptr<TControlParam> TControlParamStore<TRecord>::GetById(const QString& id) {
  TRecord record;
  if (!GetById(id, record)) return nullptr;
  return std::make_unique<TRecord>(std::move(record));
}

template <class TRecord>
bool TControlParamStore<TRecord>::GetById(const QString& id, TRecord& record) {
  int key = 0;
  if (!ParseId(id, key)) return false;
  const TTable& t = Table();
  Open(QStringLiteral("select ") + t.columns + QStringLiteral(" from ") + t.table +
       QStringLiteral(" where ") + t.idColumn + QLatin1Char('=') + Num(key));
  if (FQuery.IsEmpty()) return false;
  FQuery.First();
  record = Read(FQuery);
  return true;
}

template <class TRecord>
QString TControlParamStore<TRecord>::GetName(int id) {
  const TTable& t = Table();
  Open(QStringLiteral("select ") + t.nameColumn + QStringLiteral(" from ") + t.table +
       QStringLiteral(" where ") + t.idColumn + QLatin1Char('=') + Num(id));
  return FQuery.IsEmpty() ? QString() : FQuery.Field(0).AsString();
}

template <class TRecord>
bool TControlParamStore<TRecord>::Delete(const QString& id) {
  int key = 0;
  if (!ParseId(id, key)) return false;
  const TTable& t = Table();
  return Execute(QStringLiteral("delete from ") + t.table + QStringLiteral(" where ") + t.idColumn +
                 QLatin1Char('=') + Num(key));
}

template <class TRecord>
bool TControlParamStore<TRecord>::NameExists(const QString& name, int exceptId) {
  const TTable& t = Table();
  return Exists(QStringLiteral("select 1 from ") + t.table + QStringLiteral(" where ") +
                t.nameColumn + QStringLiteral("='") + QuotedSql(name) + QStringLiteral("' and ") +
                t.idColumn + QStringLiteral("<>") + Num(exceptId));
}

template <class TRecord>
void TControlParamStore<TRecord>::ClearDevice(int ComNo, const QString& DevNo,
                                              IProgress& progress) {
  try {
    progress.Repaint();
    progress.ProcessMessages();
    bool ok = false;
    const int device = DevNo.trimmed().toInt(&ok);
    if (ok) Table().deleteCommand(ComNo, device, 255);
  } catch (...) {
    // Clearing is best effort: the records are written right after it anyway.
  }
}

template <class TRecord>
const TRecord* TControlParamStore<TRecord>::Writable(const TControlParam& record) const {
  const auto* typed = dynamic_cast<const TRecord*>(&record);
  if (!typed || record.ParamKind != TRecord().ParamKind || !record.IsValid()) return nullptr;
  return typed;
}

template class TControlParamStore<TTimeZone>;
template class TControlParamStore<TWeekScheme>;
template class TControlParamStore<THoliday>;
template class TControlParamStore<THolidayPlan>;
template class TControlParamStore<TControlGroup>;

// ---- TTimeZoneOp --------------------------------------------------------------------------

const TTimeZoneOp::TTable& TTimeZoneOp::Table() const {
  static const TTable table{
      "TimeZone", "ZoneId", "ZoneName",
      QStringLiteral("ZoneId,ZoneName,Bgn1,End1,Flow1,Bgn2,End2,Flow2,Bgn3,End3,Flow3,Bgn4,End4,"
                     "Flow4,Bgn5,End5,Flow5"),
      MjDeleteTimeZone};
  return table;
}

TTimeZone TTimeZoneOp::Read(const TQuery& row) const {
  TTimeZone zone;
  zone.ZoneId = row.FieldByName(QStringLiteral("ZoneId")).AsInteger();
  zone.ZoneName = row.FieldByName(QStringLiteral("ZoneName")).AsString();
  for (int i = 0; i < 5; ++i) {
    const QString n = Num(i + 1);
    zone.Slots[i].Bgn = row.FieldByName(QStringLiteral("Bgn") + n).AsString();
    zone.Slots[i].End = row.FieldByName(QStringLiteral("End") + n).AsString();
    zone.Slots[i].Flow = row.FieldByName(QStringLiteral("Flow") + n).AsInteger();
  }
  return zone;
}

int TTimeZoneOp::NewId() {
  return NextFreeId(QStringLiteral("TimeZone"), QStringLiteral("ZoneId"));
}

bool TTimeZoneOp::Add(const TControlParam& record) {
  const TTimeZone* zone = Writable(record);
  if (!zone) return false;
  QStringList segments;
  for (const TTimeSlot& slot : zone->Slots) {
    segments << QStringLiteral("'") + QuotedSql(slot.Bgn) + QStringLiteral("','") +
                    QuotedSql(slot.End) + QStringLiteral("',") + Num(slot.Flow);
  }
  return Execute(
      QStringLiteral("insert into TimeZone(ZoneId,ZoneName,Bgn1,End1,Flow1,Bgn2,End2,Flow2,Bgn3,"
                     "End3,Flow3,Bgn4,end4,Flow4,Bgn5,End5,Flow5) values(") +
      Num(zone->ZoneId) + QStringLiteral(",'") + QuotedSql(zone->ZoneName) + QStringLiteral("',") +
      segments.join(QLatin1Char(',')) + QLatin1Char(')'));
}

bool TTimeZoneOp::Update(const TControlParam& record) {
  const TTimeZone* zone = Writable(record);
  if (!zone) return false;
  QStringList segments;
  for (int i = 0; i < 5; ++i) {
    const QString n = Num(i + 1);
    const TTimeSlot& slot = zone->Slots[i];
    segments << QStringLiteral("Bgn") + n + QStringLiteral("='") + QuotedSql(slot.Bgn) +
                    QStringLiteral("',End") + n + QStringLiteral("='") + QuotedSql(slot.End) +
                    QStringLiteral("',Flow") + n + QLatin1Char('=') + Num(slot.Flow);
  }
  return Execute(QStringLiteral("update TimeZone set ZoneName='") + QuotedSql(zone->ZoneName) +
                 QStringLiteral("',") + segments.join(QLatin1Char(',')) +
                 QStringLiteral(" where ZoneId=") + Num(zone->ZoneId));
}

bool TTimeZoneOp::IsInUse(int id) {
  const QString n = Num(id);
  return Exists(QStringLiteral("select 1 from WeekScheme where Wk0=") + n +
                QStringLiteral(" or wk1=") + n + QStringLiteral(" or wk2=") + n +
                QStringLiteral(" or wk3=") + n + QStringLiteral(" or wk4=") + n +
                QStringLiteral(" or wk5=") + n + QStringLiteral(" or wk6=") + n +
                QStringLiteral(" union select 1 from Holiday where ZoneId=") + n);
}

// ---- TWeekSchemeOp ------------------------------------------------------------------------

const TWeekSchemeOp::TTable& TWeekSchemeOp::Table() const {
  static const TTable table{"WeekScheme", "WkSchemeId", "WkSchemeName",
                            QStringLiteral("WKSchemeId,WKSchemeName,Wk0,Wk1,Wk2,Wk3,Wk4,Wk5,Wk6"),
                            MjDeleteWeekScheme};
  return table;
}

TWeekScheme TWeekSchemeOp::Read(const TQuery& row) const {
  TWeekScheme week;
  week.WkSchemeId = row.FieldByName(QStringLiteral("WkSchemeId")).AsInteger();
  week.WkSchemeName = row.FieldByName(QStringLiteral("WkSchemeName")).AsString();
  for (int i = 0; i < 7; ++i)
    week.Wk[i] = row.FieldByName(QStringLiteral("Wk") + Num(i)).AsInteger();
  return week;
}

int TWeekSchemeOp::NewId() {
  return NextFreeId(QStringLiteral("WeekScheme"), QStringLiteral("WkSchemeId"));
}

bool TWeekSchemeOp::Add(const TControlParam& record) {
  const TWeekScheme* week = Writable(record);
  if (!week) return false;
  QStringList days;
  for (int zone : week->Wk) days << Num(zone);
  return Execute(
      QStringLiteral("insert into WeekScheme(WkSchemeId,WkSchemeName,Wk0,Wk1,Wk2,Wk3,Wk4,Wk5,Wk6) "
                     "values(") +
      Num(week->WkSchemeId) + QStringLiteral(",'") + QuotedSql(week->WkSchemeName) +
      QStringLiteral("',") + days.join(QLatin1Char(',')) + QLatin1Char(')'));
}

bool TWeekSchemeOp::Update(const TControlParam& record) {
  const TWeekScheme* week = Writable(record);
  if (!week) return false;
  QStringList days;
  for (int i = 0; i < 7; ++i)
    days << QStringLiteral("Wk") + Num(i) + QLatin1Char('=') + Num(week->Wk[i]);
  return Execute(QStringLiteral("update WeekScheme set WkSchemeName='") +
                 QuotedSql(week->WkSchemeName) + QStringLiteral("',") +
                 days.join(QLatin1Char(',')) + QStringLiteral(" where WkSchemeId=") +
                 Num(week->WkSchemeId));
}

bool TWeekSchemeOp::IsInUse(int id) {
  return Exists(QStringLiteral("select 1 from ControlGroup where WkSchemeId=") + Num(id));
}

// ---- THolidayOp ---------------------------------------------------------------------------

const THolidayOp::TTable& THolidayOp::Table() const {
  static const TTable table{"Holiday", "HolidayId", "HolidayName",
                            QStringLiteral("HolidayId,HolidayName,HolidayBgn,HolidayEnd,ZoneId"),
                            MjDeleteHoliday};
  return table;
}

THoliday THolidayOp::Read(const TQuery& row) const {
  THoliday holiday;
  holiday.HolidayId = row.FieldByName(QStringLiteral("HolidayId")).AsInteger();
  holiday.HolidayName = row.FieldByName(QStringLiteral("HolidayName")).AsString();
  holiday.HolidayBgn = row.FieldByName(QStringLiteral("HolidayBgn")).AsDateTime();
  holiday.HolidayEnd = row.FieldByName(QStringLiteral("HolidayEnd")).AsDateTime();
  holiday.ZoneId = row.FieldByName(QStringLiteral("ZoneId")).AsInteger();
  return holiday;
}

int THolidayOp::NewId() {
  return NextFreeId(QStringLiteral("Holiday"), QStringLiteral("HolidayId"));
}

bool THolidayOp::Add(const TControlParam& record) {
  const THoliday* holiday = Writable(record);
  if (!holiday) return false;
  return Execute(
      QStringLiteral("insert into Holiday(HolidayId,HolidayName,HolidayBgn,HolidayEnd,ZoneId) "
                     "values(") +
      Num(holiday->HolidayId) + QStringLiteral(",'") + QuotedSql(holiday->HolidayName) +
      QStringLiteral("','") + FormatDate(holiday->HolidayBgn.date()) + QStringLiteral("','") +
      FormatDate(holiday->HolidayEnd.date()) + QStringLiteral("',") + Num(holiday->ZoneId) +
      QLatin1Char(')'));
}

bool THolidayOp::Update(const TControlParam& record) {
  const THoliday* holiday = Writable(record);
  if (!holiday) return false;
  return Execute(QStringLiteral("update Holiday set HolidayName='") +
                 QuotedSql(holiday->HolidayName) + QStringLiteral("',HolidayBgn='") +
                 FormatDate(holiday->HolidayBgn.date()) + QStringLiteral("',HolidayEnd='") +
                 FormatDate(holiday->HolidayEnd.date()) + QStringLiteral("',ZoneId=") +
                 Num(holiday->ZoneId) + QStringLiteral(" where HolidayId=") +
                 Num(holiday->HolidayId));
}

bool THolidayOp::IsInUse(int id) {
  const QString n = Num(id);
  QString statement = QStringLiteral("select 1 from HolidayPlan where HolidayId0=") + n;
  for (int i = 1; i < 30; ++i)
    statement += QStringLiteral(" or HolidayId") + Num(i) + QLatin1Char('=') + n;
  return Exists(statement);
}

bool THolidayOp::AddHolidayRow(bool withName, int holidayId, QStringList& cells, int& row) {
  THoliday holiday;
  if (!GetById(Num(holidayId), holiday)) return false;
  ++row;
  const QLocale locale = QLocale::system();
  cells.clear();
  if (withName) cells << holiday.HolidayName;
  cells << locale.toString(holiday.HolidayBgn.date(), QLocale::ShortFormat)
        << locale.toString(holiday.HolidayEnd.date(), QLocale::ShortFormat)
        << TTimeZoneOp().GetName(holiday.ZoneId) << Num(holiday.HolidayId);
  return true;
}

// ---- THolidayPlanOp -----------------------------------------------------------------------

const THolidayPlanOp::TTable& THolidayPlanOp::Table() const {
  static const TTable table{"HolidayPlan", "HolidayPlanId", "HolidayPlanName",
                            QStringLiteral("HolidayPlanId,HolidayPlanName,") + HolidayColumns(),
                            MjDeleteHolidayPlan};
  return table;
}

THolidayPlan THolidayPlanOp::Read(const TQuery& row) const {
  THolidayPlan plan;
  plan.HolidayPlanId = row.FieldByName(QStringLiteral("HolidayPlanId")).AsInteger();
  plan.HolidayPlanName = row.FieldByName(QStringLiteral("HolidayPlanName")).AsString();
  for (int i = 0; i < 30; ++i) {
    plan.HolidayId[i] = row.FieldByName(QStringLiteral("HolidayId") + Num(i)).AsInteger();
  }
  return plan;
}

int THolidayPlanOp::NewId() {
  return NextFreeId(QStringLiteral("HolidayPlan"), QStringLiteral("HolidayPlanId"));
}

bool THolidayPlanOp::Add(const TControlParam& record) {
  const auto* candidate = dynamic_cast<const THolidayPlan*>(&record);
  if (candidate && record.ParamKind == pkHolidayPlan && candidate->IsEmpty()) return true;
  const THolidayPlan* plan = Writable(record);
  if (!plan) return false;
  QStringList ids;
  for (int id : plan->HolidayId) ids << Num(id);
  return Execute(QStringLiteral("insert into HolidayPlan(HolidayPlanId,HolidayPlanName,") +
                 HolidayColumns() + QStringLiteral(") values(") + Num(plan->HolidayPlanId) +
                 QStringLiteral(",'") + QuotedSql(plan->HolidayPlanName) + QStringLiteral("',") +
                 ids.join(QLatin1Char(',')) + QLatin1Char(')'));
}

bool THolidayPlanOp::Update(const TControlParam& record) {
  const auto* candidate = dynamic_cast<const THolidayPlan*>(&record);
  if (candidate && record.ParamKind == pkHolidayPlan && candidate->IsEmpty()) {
    return Execute(QStringLiteral("delete from HolidayPlan ") +
                   QStringLiteral(" where HolidayPlanId=") + Num(candidate->HolidayPlanId));
  }
  const THolidayPlan* plan = Writable(record);
  if (!plan) return false;
  QStringList pairs;
  for (int i = 0; i < 30; ++i) {
    pairs << QStringLiteral("HolidayId") + Num(i) + QLatin1Char('=') + Num(plan->HolidayId[i]);
  }
  return Execute(QStringLiteral("update HolidayPlan set HolidayPlanName='") +
                 QuotedSql(plan->HolidayPlanName) + QStringLiteral("',") +
                 pairs.join(QLatin1Char(',')) + QStringLiteral(" where HolidayPlanId=") +
                 Num(plan->HolidayPlanId));
}

bool THolidayPlanOp::IsInUse(int id) {
  return Exists(QStringLiteral("select 1 from ControlGroup where HolidayPlanId=") + Num(id));
}

// ---- TControlGroupOp ----------------------------------------------------------------------

const TControlGroupOp::TTable& TControlGroupOp::Table() const {
  static const TTable table{
      "ControlGroup", "CGrpId", "CGroupName",
      QStringLiteral("CGrpId,CGroupName,WkSchemeId,HolidayPlanId,HldPlanEnabled"),
      MjDeleteControlGroup};
  return table;
}

TControlGroup TControlGroupOp::Read(const TQuery& row) const {
  TControlGroup group;
  group.CGrpId = row.FieldByName(QStringLiteral("CGrpId")).AsInteger();
  group.CGroupName = row.FieldByName(QStringLiteral("CGroupName")).AsString();
  group.WkSchemeId = row.FieldByName(QStringLiteral("WkSchemeId")).AsInteger();
  group.HolidayPlanId = row.FieldByName(QStringLiteral("HolidayPlanId")).AsInteger();
  group.HldPlanEnabled = row.FieldByName(QStringLiteral("HldPlanEnabled")).AsString().left(1);
  return group;
}

int TControlGroupOp::NewId() {
  return NextFreeId(QStringLiteral("ControlGroup"), QStringLiteral("CGrpId"));
}

bool TControlGroupOp::Add(const TControlParam&) {
  return false;
}

bool TControlGroupOp::Update(const TControlParam&) {
  return false;
}

bool TControlGroupOp::SavePlan(const TControlGroup& group, const THolidayIds& holidays) {
  THolidayPlan plan;
  plan.HolidayPlanId = group.CGrpId;
  plan.HolidayPlanName = group.CGroupName;
  plan.HolidayId = holidays;
  THolidayPlanOp plans;
  THolidayPlan stored;
  if (plans.GetById(Num(plan.HolidayPlanId), stored)) return plans.Update(plan);
  return plans.Add(plan);
}

bool TControlGroupOp::AddWithHolidays(const TControlGroup& group, const THolidayIds& holidays) {
  if (!Writable(group)) return false;
  TTransactionGuard transaction;
  if (group.HldPlanEnabled == QLatin1String("1") && !SavePlan(group, holidays)) return false;
  Execute(QStringLiteral("insert into ControlGroup(CGrpId,CGroupName,WkSchemeId,HolidayPlanId,"
                         "HldPlanEnabled) values(") +
          Num(group.CGrpId) + QStringLiteral(",'") + QuotedSql(group.CGroupName) +
          QStringLiteral("',") + Num(group.WkSchemeId) + QLatin1Char(',') +
          Num(group.HolidayPlanId) + QStringLiteral(",'") + group.HldPlanEnabled +
          QStringLiteral("')"));
  transaction.Commit();
  return true;
}

bool TControlGroupOp::UpdateWithHolidays(const TControlGroup& group, const THolidayIds& holidays) {
  if (!Writable(group)) return false;
  TTransactionGuard transaction;
  if (!SavePlan(group, holidays)) return false;
  Execute(QStringLiteral("update ControlGroup set CGroupName='") + QuotedSql(group.CGroupName) +
          QStringLiteral("',WkSchemeId=") + Num(group.WkSchemeId) +
          QStringLiteral(",HolidayPlanId=") + Num(group.HolidayPlanId) +
          QStringLiteral(",HldPlanEnabled='") + group.HldPlanEnabled +
          QStringLiteral("' where CGrpId=") + Num(group.CGrpId));
  transaction.Commit();
  return true;
}

bool TControlGroupOp::Delete(const QString& id) {
  int key = 0;
  if (!ParseId(id, key)) return false;
  TTransactionGuard transaction;
  if (!THolidayPlanOp().Delete(Num(key))) return false;
  Execute(QStringLiteral("delete from ControlGroup where CGrpId=") + Num(key));
  transaction.Commit();
  return true;
}

bool TControlGroupOp::IsInUse(int id) {
  return Exists(QStringLiteral("select 1 from RegUser where CGrpId=") + Num(id));
}
