#include "model/bll_RegUser.h"

#include <set>
#include <tuple>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "model/bll_Rows.h"
#include "platform/Translation.h"

namespace {

QString Num(int value) {
  return QString::number(value);
}

const char* const kDoorRegs =
    "SELECT RegUser.RecordId, RegUser.UKey, RegUser.DId, RegUser.CGrpId, UserInfo.UID, "
    "UserInfo.UName, UserInfo.UCard, UserInfo.UPSW, Door.DName, Door.DeviceId, "
    "ControlGroup.CGroupName, UserInfo.UInvalidate FROM RegUser left outer join UserInfo on "
    "RegUser.UKey = UserInfo.UKey left outer join Door on RegUser.DId = Door.DId left outer join "
    "ControlGroup on RegUser.CGrpId = ControlGroup.CGrpId where reguser.Did=";

const char* const kQueuedEntries =
    "SELECT UserInfo.UID, UserInfo.UCard, Door.DeviceId FROM RegUser left outer join UserInfo on "
    "RegUser.UKey = UserInfo.UKey left outer join Door on RegUser.DId = Door.DId where ";

}  // namespace

QString EntryCard(const QString& card, const QString& uid) {
  return card.isEmpty() ? uid + uid : card;
}

// Fills the fields the open statement selects; `dateAsRead` keeps UInvalidate as stored,
// otherwise it is read as a date and written back in the fixed date format.
std::vector<TRegUser> TRegUserOperater::ReadRegs(bool dateAsRead) {
  auto has = [this](const char* name) { return FQuery.HasField(QLatin1String(name)); };
  const bool detailed = has("UID");
  const bool withUser = has("UPSW");
  std::vector<TRegUser> regs;
  regs.reserve(FQuery.RecordCount());
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    auto field = [this](const char* name) { return FQuery.FieldByName(QLatin1String(name)); };
    TRegUser reg;
    reg.RecordId = field("RecordId").AsInteger();
    reg.UKey = field("UKey").AsInteger();
    reg.DId = field("DId").AsInteger();
    reg.CGrpId = field("CGrpId").AsInteger();
    if (detailed) {
      reg.UID = field("UID").AsString();
      reg.UName = field("UName").AsString();
      reg.UCard = field("UCard").AsString();
      reg.DName = field("DName").AsString();
      reg.DeviceId = field("DeviceId").AsInteger();
      reg.CGroupName = field("CGroupName").AsString();
    }
    if (withUser) {
      reg.UPSW = field("UPSW").AsString();
      reg.UInvalidate = dateAsRead ? field("UInvalidate").AsString()
                                   : FormatDate(field("UInvalidate").AsDateTime().date());
    }
    regs.push_back(reg);
  }
  return regs;
}

std::vector<TRegUser> TRegUserOperater::GetUserRegs(int userKey) {
  OpenQuery(
      QStringLiteral("SELECT RecordId, UKey, DId, CGrpId FROM RegUser where UKey=") + Num(userKey),
      FQuery);
  return ReadRegs(true);
}

std::vector<TRegUser> TRegUserOperater::GetUserRegsDetailed(int userKey) {
  OpenQuery(QStringLiteral("SELECT RegUser.RecordId, RegUser.UKey, RegUser.DId, RegUser.CGrpId, "
                           "UserInfo.UID, UserInfo.UName, UserInfo.UCard, Door.DName, "
                           "Door.DeviceId, ControlGroup.CGroupName  FROM RegUser left outer join "
                           "UserInfo on  RegUser.UKey = UserInfo.UKey left outer join Door on  "
                           "RegUser.DId = Door.DId left outer join ControlGroup on RegUser.CGrpId "
                           "= ControlGroup.CGrpId where RegUser.UKey=") +
                Num(userKey) + QStringLiteral(" "),
            FQuery);
  return ReadRegs(true);
}

std::vector<TRegUser> TRegUserOperater::GetDoorRegs(int doorId) {
  OpenQuery(QLatin1String(kDoorRegs) + Num(doorId), FQuery);
  return ReadRegs(true);
}

std::vector<TRegUser> TRegUserOperater::GetValidDoorRegs(int doorId) {
  OpenQuery(QLatin1String(kDoorRegs) + Num(doorId) +
                QStringLiteral(" and UserInfo.UInvalidate>='") + FormatDate(Today()) +
                QStringLiteral("' "),
            FQuery);
  return ReadRegs(false);
}

int TRegUserOperater::FindRegRecordId(const TRegUser& reg) {
  OpenQuery(QStringLiteral("SELECT Recordid FROM RegUser where UKey=") + Num(reg.UKey) +
                QStringLiteral(" and DId=") + Num(reg.DId),
            FQuery);
  if (FQuery.IsEmpty()) return -1;
  return FQuery.FieldByName(QStringLiteral("Recordid")).AsInteger();
}

void TRegUserOperater::AddReg(const TRegUser& reg) {
  ExecSQL(QStringLiteral("insert into RegUser (UKey, DId, CGrpId) values(") + Num(reg.UKey) +
          QStringLiteral(",") + Num(reg.DId) + QStringLiteral(",") + Num(reg.CGrpId) +
          QStringLiteral(")"));
}

void TRegUserOperater::UpdateReg(const TRegUser& reg) {
  ExecSQL(QStringLiteral("update RegUser set UKey=") + Num(reg.UKey) + QStringLiteral(",") +
          QStringLiteral("DId=") + Num(reg.DId) + QStringLiteral(",") + QStringLiteral("CGrpId=") +
          Num(reg.CGrpId) + QStringLiteral(" where RecordId=") + Num(reg.RecordId));
}

void TRegUserOperater::DeleteReg(int recordId) {
  ExecSQL(QStringLiteral("delete from RegUser where RecordId=") + Num(recordId));
}

void TRegUserOperater::DeleteUserRegs(int userKey) {
  ExecSQL(QStringLiteral("delete from RegUser where Ukey=") + Num(userKey));
}

void TRegUserOperater::DeleteDoorRegs(int doorId) {
  ExecSQL(QStringLiteral("delete from RegUser where DID=") + Num(doorId));
}

void TRegUserOperater::AddWaitingDelete(const QString& uid, const QString& card, int deviceId) {
  ExecSQL(QStringLiteral("Insert into WaitingDelete (UID, UCard, DeviceId) Values('") +
          QuotedSql(uid) + QStringLiteral("','") + QuotedSql(card) + QStringLiteral("',") +
          Num(deviceId) + QStringLiteral(")"));
}

void TRegUserOperater::PurgeWaitingDeletes() {
  ExecSQL(
      QStringLiteral("Delete from WaitingDelete where DeviceId not in(select DeviceId from Door)"));
}

void TRegUserOperater::SendWaitingDeletes(int comNo, int deviceId, IProgress& progress) {
  OpenQuery(QStringLiteral("SELECT * from WaitingDelete where DeviceId=") + Num(deviceId), FQuery);
  const int count = FQuery.RecordCount();
  progress.SetRange(0, count > 0 ? count - 1 : 0);
  // Rows already removed with an earlier confirmed duplicate need no second command.
  std::set<std::tuple<QString, QString, int>> confirmed;
  int unanswered = 0;
  for (int i = 0; i < count; ++i) {
    FQuery.MoveTo(i);
    progress.SetPosition(i);
    progress.Repaint();
    if (unanswered > 3) {
      progress.SetPosition(0);
      return;
    }
    const QString uid = FQuery.FieldByName(QStringLiteral("UID")).AsString();
    const QString queuedCard = FQuery.FieldByName(QStringLiteral("UCard")).AsString();
    const int rowDevice = FQuery.FieldByName(QStringLiteral("DeviceId")).AsInteger();
    const auto row = std::make_tuple(uid, queuedCard, rowDevice);
    if (confirmed.count(row)) continue;
    // The command sends its UserId before its CardNo, as the synchronisation's own deletion.
    const int result = MjDeleteUser(comNo, rowDevice, EntryCard(queuedCard, uid), uid);
    if (result == 0) {
      ExecSQL(QStringLiteral("Delete from WaitingDelete where UID='") + QuotedSql(uid) +
              QStringLiteral("' and UCard='") + QuotedSql(queuedCard) +
              QStringLiteral("' and DeviceId=") + Num(rowDevice));
      confirmed.insert(row);
    } else if (result == 3) {
      ++unanswered;
    }
  }
}

// Queues one entry per row the statement selects: the card as stored, or (cardless) the UID
// written twice. Any database error is rolled back and swallowed: the caller carries on, and
// the entries are queued again next time.
void TRegUserOperater::QueueSelectedEntries(const QString& statement, bool cardless) {
  try {
    OpenQuery(statement, FQuery);
    TTransactionGuard transaction;
    for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
      const QString uid = FQuery.FieldByName(QStringLiteral("UID")).AsString();
      const QString card =
          cardless ? uid + uid : FQuery.FieldByName(QStringLiteral("UCard")).AsString();
      AddWaitingDelete(uid, card, FQuery.FieldByName(QStringLiteral("DeviceId")).AsInteger());
    }
    transaction.Commit();
  } catch (const std::exception&) {
  }
}

void TRegUserOperater::QueueExpiredDeletes(int doorId) {
  QueueSelectedEntries(QLatin1String(kQueuedEntries) + QStringLiteral("reguser.Did=") +
                           Num(doorId) + QStringLiteral(" and UserInfo.UInvalidate<'") +
                           FormatDate(Today()) + QStringLiteral("' "),
                       false);
}

void TRegUserOperater::QueueCardlessDeletes(int userKey) {
  QueueSelectedEntries(
      QLatin1String(kQueuedEntries) + QStringLiteral("RegUser.UKey=") + Num(userKey), true);
}

void TRegUserOperater::QueueCardDeletes(int userKey) {
  for (const TRegUser& reg : GetUserRegsDetailed(userKey)) {
    if (!reg.UID.isEmpty() && !reg.UCard.isEmpty())
      AddWaitingDelete(reg.UID, reg.UCard, reg.DeviceId);
  }
}

bool TRegUserOperater::RemoveAuthorization(const std::vector<TRegUser>& regs) {
  if (!HintYesNo(_("Are you sure delete?"))) return false;
  try {
    TTransactionGuard transaction;
    for (const TRegUser& reg : regs) {
      DeleteReg(reg.RecordId);
      if (!reg.UID.isEmpty())
        AddWaitingDelete(reg.UID, EntryCard(reg.UCard, reg.UID), reg.DeviceId);
    }
    transaction.Commit();
  } catch (const std::exception&) {
    HintBox(_("Delete authority information error."));
    return false;
  }
  return true;
}

void TRegUserOperater::BeginTrans() {
  ::BeginTrans();
}
void TRegUserOperater::CommitTrans() {
  ::CommitTrans();
}
void TRegUserOperater::RollbackTrans() {
  ::RollbackTrans();
}
