#include "model/bll_door.h"

#include "app/u_Function.h"
#include "model/bll_RegUser.h"
#include "model/bll_Rows.h"
#include "platform/Translation.h"

namespace {

QString Num(int value) {
  return QString::number(value);
}

}  // namespace

// ---- TDoorGroupOp -------------------------------------------------------------------------

std::vector<TDoorGrp> TDoorGroupOp::GetGroups() {
  OpenQuery(QStringLiteral("SELECT DGrpId, DGrpName FROM DoorGrp"), FQuery);
  std::vector<TDoorGrp> groups;
  groups.reserve(FQuery.RecordCount() + 1);
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    TDoorGrp group;
    group.DGrpId = FQuery.FieldByName(QStringLiteral("DGrpId")).AsInteger();
    group.DGrpName = FQuery.FieldByName(QStringLiteral("DGrpName")).AsString();
    groups.push_back(group);
  }
  groups.push_back(TDoorGrp{0, _("Ungrouped doors")});
  return groups;
}

int TDoorGroupOp::NextGroupId() {
  return NextId(QStringLiteral("doorgrp"), QStringLiteral("dgrpid"));
}

bool TDoorGroupOp::GroupNameExists(const QString& name, int exceptId) {
  return RowsExist(QStringLiteral("select 1 from doorgrp where DGrpName='") + QuotedSql(name) +
                       QStringLiteral("' and DGrpId<>") + Num(exceptId),
                   FQuery);
}

bool TDoorGroupOp::GroupHasDoors(int groupId) {
  return RowsExist(QStringLiteral("select 1 from door where dgrpid=") + Num(groupId), FQuery);
}

void TDoorGroupOp::AddGroup(const TDoorGrp& group) {
  ExecSQL(QStringLiteral("insert into DoorGrp (DGrpId, DGrpName)values(") + Num(group.DGrpId) +
          QStringLiteral(",'") + QuotedSql(group.DGrpName) + QStringLiteral("') "));
}

void TDoorGroupOp::RenameGroup(const TDoorGrp& group) {
  ExecSQL(QStringLiteral("update DoorGrp set DGrpName='") + QuotedSql(group.DGrpName) +
          QStringLiteral("' where DGrpId=") + Num(group.DGrpId));
}

void TDoorGroupOp::DeleteGroup(int groupId) {
  ExecSQL(QStringLiteral("delete from DoorGrp where DGrpId=") + Num(groupId));
}

// ---- TDoorOp ------------------------------------------------------------------------------

std::vector<TDoor> TDoorOp::LoadListedDoors() {
  std::vector<TDoor> doors;
  doors.reserve(FQuery.RecordCount());
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    if (std::optional<TDoor> door = LoadDoor(FQuery.FieldByName(QStringLiteral("Did")).AsInteger()))
      doors.push_back(*door);
  }
  return doors;
}

std::vector<TDoor> TDoorOp::GetDoors() {
  OpenQuery(QStringLiteral("SELECT Did from Door order by Did"), FQuery);
  return LoadListedDoors();
}

std::vector<TDoor> TDoorOp::GetDoorsOfGroup(int groupId) {
  OpenQuery(QStringLiteral("SELECT Did from Door where DGrpid=") + Num(groupId), FQuery);
  return LoadListedDoors();
}

std::vector<TDoor> TDoorOp::FindDoors(const QString& text) {
  const QString pattern = QuotedSql(text);
  OpenQuery(QStringLiteral("SELECT Did from Door where DName like '%") + pattern +
                QStringLiteral("%' or SNR like '%") + pattern + QStringLiteral("%'"),
            FQuery);
  return LoadListedDoors();
}

std::optional<TDoor> TDoorOp::LoadDoor(int doorId) {
  const QString id = Num(doorId);
  OpenQuery(QStringLiteral("SELECT Did,DeviceId,DName,DGrpId,SNR,Version from Door where Did='") +
                id + QStringLiteral("'"),
            FDoorQuery);
  if (FDoorQuery.IsEmpty()) return std::nullopt;
  auto field = [this](const char* name) { return FDoorQuery.FieldByName(QLatin1String(name)); };
  TDoor door;
  door.Did = field("Did").AsInteger();
  door.DeviceId = field("DeviceId").AsInteger();
  door.DName = field("DName").AsString();
  door.DGrpId = field("DGrpId").AsInteger();
  door.SNR = field("SNR").AsString();
  door.Version = field("Version").AsString();

  OpenQuery(QStringLiteral("SELECT KeyActive,KeySensitive,NeedPass1,NeedPass2,OvertimeDelay,"
                           "MaxPassAttempt,PassErrorLock,AntiPassback,AntipassbackCards from "
                           "DoorInfo where Did='") +
                id + QStringLiteral("'"),
            FDoorQuery);
  if (!FDoorQuery.IsEmpty()) {
    door.KeyActive = field("KeyActive").AsInteger();
    door.KeySensitive = field("KeySensitive").AsInteger();
    door.NeedPass1 = field("NeedPass1").AsInteger();
    door.NeedPass2 = field("NeedPass2").AsInteger();
    door.OvertimeDelay = field("OvertimeDelay").AsInteger();
    door.MaxPassAttempt = field("MaxPassAttempt").AsInteger();
    door.PassErrorLock = field("PassErrorLock").AsInteger();
    door.AntiPassback = field("AntiPassback").AsInteger();
    door.AntipassbackCards = field("AntipassbackCards").AsInteger();
  }
  return door;
}

int TDoorOp::NextDoorId() {
  return NextId(QStringLiteral("door"), QStringLiteral("did"));
}

void TDoorOp::AddDoor(const TDoor& door) {
  ExecSQL(QStringLiteral("INSERT INTO doorinfo(Did,KeyActive,KeySensitive, NeedPass1, NeedPass2, "
                         "OvertimeDelay, MaxPassAttempt, PassErrorLock, AntiPassback, "
                         "AntipassbackCards) values(") +
          Num(door.Did) + ',' + Num(door.KeyActive) + ',' + Num(door.KeySensitive) + ',' +
          Num(door.NeedPass1) + ',' + Num(door.NeedPass2) + ',' + Num(door.OvertimeDelay) + ',' +
          Num(door.MaxPassAttempt) + ',' + Num(door.PassErrorLock) + ',' + Num(door.AntiPassback) +
          ',' + Num(door.AntipassbackCards) + ')');
  ExecSQL(QStringLiteral("INSERT INTO Door (Did,DeviceId,DName,DGrpId,SNR,Version) values(") +
          Num(door.Did) + ',' + Num(door.DeviceId) + QStringLiteral(",'") + QuotedSql(door.DName) +
          QStringLiteral("',") + Num(door.DGrpId) + QStringLiteral(",'") + QuotedSql(door.SNR) +
          QStringLiteral("','") + QuotedSql(door.Version) + QStringLiteral("')"));
}

void TDoorOp::UpdateDoor(const TDoor& door) {
  TTransactionGuard transaction;
  ExecSQL(QStringLiteral("update doorinfo set keyactive=") + Num(door.KeyActive) +
          QStringLiteral(",KeySensitive=") + Num(door.KeySensitive) +
          QStringLiteral(",NeedPass1=") + Num(door.NeedPass1) + QStringLiteral(",NeedPass2=") +
          Num(door.NeedPass2) + QStringLiteral(",OvertimeDelay=") + Num(door.OvertimeDelay) +
          QStringLiteral(",MaxPassAttempt=") + Num(door.MaxPassAttempt) +
          QStringLiteral(",PassErrorLock=") + Num(door.PassErrorLock) +
          QStringLiteral(",AntiPassback=") + Num(door.AntiPassback) +
          QStringLiteral(",AntipassbackCards=") + Num(door.AntipassbackCards) +
          QStringLiteral(" where did=") + Num(door.Did));
  ExecSQL(QStringLiteral("update Door set DeviceId=") + Num(door.DeviceId) +
          QStringLiteral(",DName='") + QuotedSql(door.DName) + QStringLiteral("',SNR='") +
          QuotedSql(door.SNR) + QStringLiteral("',") + QStringLiteral("DGrpId=") +
          Num(door.DGrpId) + QStringLiteral(",Version='") + QuotedSql(door.Version) +
          QStringLiteral("'") + QStringLiteral(" where DId=") + Num(door.Did));
  ::CommitTrans();  // also a caller's transaction: the door wizard's save ends with this
  transaction.Commit();
}

void TDoorOp::DeleteDoor(int doorId) {
  const QString id = Num(doorId);
  TTransactionGuard transaction;
  ExecSQL(QStringLiteral("delete from doorinfo where DID='") + id + QStringLiteral("'"));
  ExecSQL(QStringLiteral("delete from Inportinfo where DID='") + id + QStringLiteral("'"));
  ExecSQL(QStringLiteral("delete from outportinfo where did='") + id + QStringLiteral("'"));
  ExecSQL(QStringLiteral("DELETE FROM Door where Did='") + id + QStringLiteral("'"));
  ::CommitTrans();  // as UpdateDoor
  transaction.Commit();
}

bool TDoorOp::DoorNameExists(const QString& name, int exceptDoorId) {
  return RowsExist(QStringLiteral("select 1 from door where did<>") + Num(exceptDoorId) +
                       QStringLiteral(" and (DName='") + QuotedSql(name) + QStringLiteral("')"),
                   FQuery);
}

bool TDoorOp::DeviceIdExists(int deviceId, int exceptDoorId) {
  return RowsExist(QStringLiteral("select 1 from door where did<>") + Num(exceptDoorId) +
                       QStringLiteral(" and DeviceId=") + Num(deviceId),
                   FQuery);
}

bool TDoorOp::DoorHasAuthorizations(int doorId) {
  return RowsExist(QStringLiteral("select 1 from reguser where did=") + Num(doorId), FQuery);
}

QString TDoorOp::CopyDoor(TDoor& door) {
  const int sourceId = door.Did;
  door.Did = NextDoorId();
  if (DeviceIdExists(door.DeviceId, door.Did)) return _("Current device number already existed.");
  // The door and its authorisations are one unit: a failure leaves no half-made copy.
  TTransactionGuard transaction;
  AddDoor(door);
  TRegUserOperater regs;
  for (TRegUser reg : regs.GetDoorRegs(sourceId)) {
    reg.DId = door.Did;
    regs.AddReg(reg);
  }
  transaction.Commit();
  return QStringLiteral("00");
}

void TDoorOp::BeginTrans() {
  ::BeginTrans();
}
void TDoorOp::CommitTrans() {
  ::CommitTrans();
}
void TDoorOp::RollbackTrans() {
  ::RollbackTrans();
}
