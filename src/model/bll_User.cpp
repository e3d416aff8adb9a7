#include "model/bll_User.h"

#include "app/u_Function.h"
#include "model/bll_RegUser.h"
#include "model/bll_Rows.h"
#include "platform/Translation.h"

namespace {

QString Num(int value) {
  return QString::number(value);
}

// SQLite's upper() changes only ASCII letters; the name compared with it must match that.
QString AsciiUpper(QString text) {
  for (QChar& c : text) {
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
  }
  return text;
}

const char* const kUserColumns =
    "SELECT UKey, UGrpId, UID, UName, UFName, ULName, UCard, UPSW, USex, UInvalidate, UTel, "
    "URemark,UserDefine1,UserDefine2 FROM UserInfo ";

}  // namespace

QString FormatUserId(int number) {
  return QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
}

// ---- TUGroupOperater ----------------------------------------------------------------------

TUserGrp UngroupedUserGroup() {
  return TUserGrp{0, _("Ungrouped Users")};
}

namespace {

std::vector<TUserGrp> ReadGroups(TQuery& query) {
  std::vector<TUserGrp> groups;
  groups.reserve(query.RecordCount());
  for (query.First(); !query.Eof(); query.Next()) {
    TUserGrp group;
    group.UGrpId = query.FieldByName(QStringLiteral("UGrpId")).AsInteger();
    group.UGrpName = query.FieldByName(QStringLiteral("UGrpName")).AsString();
    groups.push_back(group);
  }
  return groups;
}

}  // namespace

std::vector<TUserGrp> TUGroupOperater::GetGroups() {
  OpenQuery(QStringLiteral("SELECT UGrpId, UGrpName FROM UserGrp"), FQuery);
  return ReadGroups(FQuery);
}

std::vector<TUserGrp> TUGroupOperater::GetCardlessUserGroups() {
  OpenQuery(
      QStringLiteral("select distinct UserInfo.UGrpId as UGrpId, UserGrp.UGrpName as UGrpName from "
                     "UserInfo left outer join UserGrp on UserInfo.UGrpId = UserGrp.UGrpId where "
                     "(UserInfo.UCard='' or UserInfo.UCard is null) "),
      FQuery);
  return ReadGroups(FQuery);
}

void TUGroupOperater::AddGroup(const TUserGrp& group) {
  ExecSQL(QStringLiteral("insert into UserGrp (UGrpId, UGrpName)values(") + Num(group.UGrpId) +
          QStringLiteral(", '") + QuotedSql(group.UGrpName) + QStringLiteral("') "));
}

void TUGroupOperater::RenameGroup(const TUserGrp& group) {
  ExecSQL(QStringLiteral("update UserGrp set UGrpName='") + QuotedSql(group.UGrpName) +
          QStringLiteral("' where UGrpId=") + Num(group.UGrpId));
}

void TUGroupOperater::DeleteGroup(int groupId) {
  ExecSQL(QStringLiteral("delete from UserGrp where UGrpId=") + Num(groupId));
}

int TUGroupOperater::NextGroupId() {
  return NextId(QStringLiteral("UserGrp"), QStringLiteral("UGrpId"));
}

bool TUGroupOperater::GroupNameExists(const QString& name, int exceptId) {
  return RowsExist(QStringLiteral("SELECT UGrpId FROM UserGrp where upper(UGrpName)='") +
                       AsciiUpper(QuotedSql(name)) + QStringLiteral("' and UGrpId<>") +
                       Num(exceptId),
                   FQuery);
}

bool TUGroupOperater::GroupHasUsers(int groupId) {
  return RowsExist(QStringLiteral("SELECT UKey FROM UserInfo where UGrpId=") + Num(groupId),
                   FQuery);
}

// ---- TUserOperater ------------------------------------------------------------------------

// Reads every listed user. `dateAsRead` keeps UInvalidate as stored; otherwise it is read as
// a date and written back in the fixed date format.
std::vector<TUserInfo> TUserOperater::ReadUsers(bool dateAsRead) {
  const bool complete = FQuery.HasField(QStringLiteral("UPSW"));
  std::vector<TUserInfo> users;
  users.reserve(FQuery.RecordCount());
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    auto text = [this](const char* name) {
      return FQuery.FieldByName(QLatin1String(name)).AsString();
    };
    TUserInfo user;
    user.UKey = FQuery.FieldByName(QStringLiteral("UKey")).AsInteger();
    user.UGrpId = FQuery.FieldByName(QStringLiteral("UGrpId")).AsInteger();
    user.UID = text("UID");
    user.UName = text("UName");
    user.UFName = text("UFName");
    user.ULName = text("ULName");
    user.UCard = text("UCard");
    if (complete) {
      user.UPSW = text("UPSW");
      user.USex = text("USex");
      user.UInvalidate =
          dateAsRead
              ? text("UInvalidate")
              : FormatDate(FQuery.FieldByName(QStringLiteral("UInvalidate")).AsDateTime().date());
      user.UTel = text("UTel");
      user.URemark = text("URemark");
      user.UserDefine1 = text("UserDefine1");
      user.UserDefine2 = text("UserDefine2");
    }
    users.push_back(user);
  }
  return users;
}

std::vector<TUserInfo> TUserOperater::GetUsers() {
  OpenQuery(QStringLiteral("SELECT UKey, UGrpId, UID, UName, UFName, ULName, UCard, UPSW, USex, "
                           "UInvalidate, UTel, URemark, UserDefine1, UserDefine2 FROM UserInfo "
                           "order by UID"),
            FQuery);
  return ReadUsers(true);
}

std::vector<TUserInfo> TUserOperater::GetUsersOfGroup(int groupId) {
  OpenQuery(QLatin1String(kUserColumns) + QStringLiteral("where UGrpId=") + Num(groupId) +
                QStringLiteral(" order by UID"),
            FQuery);
  return ReadUsers(false);
}

std::vector<TUserInfo> TUserOperater::SearchUsers(const QString& text) {
  const QString pattern = QuotedSql(text);
  OpenQuery(QLatin1String(kUserColumns) + QStringLiteral("where (UName like '%") + pattern +
                QStringLiteral("%' ") + QStringLiteral(" or UID like '%") + pattern +
                QStringLiteral("%' ) order by UID"),
            FQuery);
  return ReadUsers(true);
}

std::vector<TUserInfo> TUserOperater::GetCardlessUsersOfGroup(int groupId) {
  OpenQuery(QStringLiteral("SELECT UKey, UGrpId, UID, UName, UFName, ULName, UCard FROM UserInfo "
                           "where UGrpId=") +
                Num(groupId) + QStringLiteral(" and (UCard = '' or UCard is null) "),
            FQuery);
  return ReadUsers(true);
}

void TUserOperater::AddUser(const TUserInfo& user) {
  QString sql = QStringLiteral(
                    "insert into UserInfo (UGrpId, UID, UName, UFName, ULName, UCard, UPSW, USex, "
                    "UInvalidate, UTel, UserDefine1, UserDefine2, URemark) values(") +
                Num(user.UGrpId) + QStringLiteral(",");
  for (const QString* value : {&user.UID, &user.UName, &user.UFName, &user.ULName, &user.UCard,
                               &user.UPSW, &user.USex, &user.UInvalidate, &user.UTel})
    sql += QStringLiteral(" '") + QuotedSql(*value) + QStringLiteral("',");
  sql += QStringLiteral(" '") + QuotedSql(user.UserDefine1) + QStringLiteral("', ");
  sql += QStringLiteral(" '") + QuotedSql(user.UserDefine2) + QStringLiteral("', ");
  sql += QStringLiteral(" '") + QuotedSql(user.URemark) + QStringLiteral("') ");
  ExecSQL(sql);
}

void TUserOperater::UpdateUser(const TUserInfo& user) {
  ExecSQL(QStringLiteral("update UserInfo set UGrpId=") + Num(user.UGrpId) + QStringLiteral(",") +
          QStringLiteral("UID='") + QuotedSql(user.UID) + QStringLiteral("',") +
          QStringLiteral("UName='") + QuotedSql(user.UName) + QStringLiteral("',") +
          QStringLiteral("UFName='") + QuotedSql(user.UFName) + QStringLiteral("',") +
          QStringLiteral("ULName='") + QuotedSql(user.ULName) + QStringLiteral("',") +
          QStringLiteral("UCard='") + QuotedSql(user.UCard) + QStringLiteral("',") +
          QStringLiteral("UPSW='") + QuotedSql(user.UPSW) + QStringLiteral("',") +
          QStringLiteral("USex='") + QuotedSql(user.USex) + QStringLiteral("',") +
          QStringLiteral("UInvalidate='") + QuotedSql(user.UInvalidate) + QStringLiteral("',") +
          QStringLiteral("UTel='") + QuotedSql(user.UTel) + QStringLiteral("',") +
          QStringLiteral("URemark='") + QuotedSql(user.URemark) + QStringLiteral("', ") +
          QStringLiteral("UserDefine1='") + QuotedSql(user.UserDefine1) + QStringLiteral("', ") +
          QStringLiteral("UserDefine2='") + QuotedSql(user.UserDefine2) + QStringLiteral("' ") +
          QStringLiteral("where UKey=") + Num(user.UKey));
}

void TUserOperater::DeleteUser(int userKey) {
  ExecSQL(QStringLiteral("delete from UserInfo where UKey=") + Num(userKey));
}

bool TUserOperater::UserIdExists(const QString& uid, int exceptKey) {
  return RowsExist(QStringLiteral("SELECT UKey FROM UserInfo where UID='") + QuotedSql(uid) +
                       QStringLiteral("' and UKey<>") + Num(exceptKey),
                   FQuery);
}

bool TUserOperater::UserHasAuthorizations(int userKey) {
  return RowsExist(QStringLiteral("SELECT Recordid FROM reguser where UKey=") + Num(userKey),
                   FQuery);
}

void TUserOperater::SetUserCard(int userKey, const QString& card) {
  ExecSQL(QStringLiteral("update UserInfo set UCard='") + QuotedSql(card) + QStringLiteral("' ") +
          QStringLiteral("where UKey=") + Num(userKey));
}

void TUserOperater::ClearUserCard(int userKey) {
  ExecSQL(QStringLiteral("update UserInfo set UCard='' where UKey=") + Num(userKey));
}

void TUserOperater::ReclaimUserCard(int userKey) {
  OpenQuery(QStringLiteral("SELECT UKey, UCard FROM UserInfo where UKey=") + Num(userKey), FQuery);
  if (FQuery.IsEmpty()) return;
  const QString card = FQuery.FieldByName(QStringLiteral("UCard")).AsString();
  TTransactionGuard transaction;
  ClearUserCard(userKey);
  ExecSQL(QStringLiteral("insert into WaitingCard (CardNo, IssueTime) values ('") +
          QuotedSql(card) + QStringLiteral("', ") + QStringLiteral(" '") +
          FormatDateTimeText(Now()) + QStringLiteral("')"));
  transaction.Commit();
}

int TUserOperater::NextUserKey() {
  return NextSequence(QStringLiteral("UserInfo"));
}

int TUserOperater::NextUserId() {
  return NextId(QStringLiteral("UserInfo"), QStringLiteral("UID"));
}

void TUserOperater::CopyUser(TUserInfo& user, bool withAuthorizations) {
  const int nextId = NextUserId();
  if (nextId > 9999) {
    throw EUserIdsExhausted(
        _("The user cannot be copied: every certificate ID up to 9999 is taken."));
  }
  const int sourceKey = user.UKey;
  TUserInfo copy = user;
  copy.UID = FormatUserId(nextId);
  // The user row and its authorisations are one unit: a failure leaves no half-made copy.
  TTransactionGuard transaction;
  AddUser(copy);
  copy.UKey = MaxId(QStringLiteral("UserInfo"), QStringLiteral("UKey"));
  if (withAuthorizations) {
    TRegUserOperater regs;
    for (TRegUser reg : regs.GetUserRegs(sourceKey)) {
      reg.UKey = copy.UKey;
      regs.AddReg(reg);
    }
  }
  transaction.Commit();
  user = copy;
}

QDate TUserOperater::DefaultValidity() {
  OpenQuery(QStringLiteral("SELECT value FROM publicinfo where id=2"), FQuery);
  const int years = FQuery.IsEmpty() ? 0 : FQuery.FieldByName(QStringLiteral("value")).AsInteger();
  return Today().addYears(years);  // QDate moves 29 February to 28 February when needed
}

bool TUserOperater::UserHasCard(int userKey) {
  return RowsExist(QStringLiteral("SELECT UKey FROM userinfo where UKey=") + Num(userKey) +
                       QStringLiteral(" and length(UCard)>1"),
                   FQuery);
}

void TUserOperater::BeginTrans() {
  ::BeginTrans();
}
void TUserOperater::CommitTrans() {
  ::CommitTrans();
}
void TUserOperater::RollbackTrans() {
  ::RollbackTrans();
}
