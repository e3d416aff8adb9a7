#include "search/SearchFixture.h"

#include "app/u_Function.h"
#include "data/db_Exec.h"
#include "kv60sim/Protocol.h"

void SearchFixture::SetUp() {
  FreshInstall::SetUp();
  sim = std::make_unique<SimLine>(1);
  controller = &sim->Add(1);
  AddDoor(1, 1, "Front door");
}

void SearchFixture::TearDown() {
  sim.reset();
  FreshInstall::TearDown();
}

void SearchFixture::Exec(const QString& statement) {
  ExecSQL(statement);
}

void SearchFixture::NameZone(int id, const QString& name) {
  Exec(QStringLiteral("insert into TimeZone (ZoneId, ZoneName) values (%1, '%2')")
           .arg(id)
           .arg(QuotedSql(name)));
}

void SearchFixture::NameWeekPlan(int id, const QString& name) {
  Exec(QStringLiteral("insert into WeekScheme (WkSchemeId, WkSchemeName) values (%1, '%2')")
           .arg(id)
           .arg(QuotedSql(name)));
}

void SearchFixture::NameHoliday(int id, const QString& name) {
  Exec(QStringLiteral("insert into Holiday (HolidayId, HolidayName) values (%1, '%2')")
           .arg(id)
           .arg(QuotedSql(name)));
}

void SearchFixture::NameHolidayPlan(int id, const QString& name) {
  Exec(QStringLiteral("insert into HolidayPlan (HolidayPlanId, HolidayPlanName) values (%1, '%2')")
           .arg(id)
           .arg(QuotedSql(name)));
}

void SearchFixture::NameGroup(int id, const QString& name) {
  Exec(QStringLiteral("insert into ControlGroup (CGrpId, CGroupName) values (%1, '%2')")
           .arg(id)
           .arg(QuotedSql(name)));
}

void SearchFixture::AddDoor(int did, int deviceId, const QString& name) {
  Exec(QStringLiteral("insert into Door (Did, DeviceId, DName, DGrpId, SNR, Version) "
                      "values (%1, %2, '%3', 0, '%4', 'KV60')")
           .arg(did)
           .arg(deviceId)
           .arg(QuotedSql(name))
           .arg(deviceId, 9, 10, QLatin1Char('0')));
  Exec(QStringLiteral("insert into DoorInfo (Did) values (%1)").arg(did));
}

QStringList SearchFixture::RequestCodes() {
  sim->line.WaitIdle();
  QStringList codes;
  for (const QString& frame : sim->line.Requests()) {
    kv60sim::protocol::Request request;
    if (kv60sim::protocol::ParseRequest(frame, request)) codes << request.code;
  }
  return codes;
}
