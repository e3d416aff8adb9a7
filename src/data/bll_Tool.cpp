#include "data/bll_Tool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/u_Function.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const QString kMemSchema = QStringLiteral("mem");
const QString kTemplate = QStringLiteral("database/dbRecord.sqb");
constexpr int kMaxAttachedMonths = 8;

// The record time "yyyy-mm-dd HH:MM:SS", read without any time zone (no daylight-saving gaps).
bool ReadRecordTime(const QString& text, QDate& date, QTime& time) {
  if (text.size() != 19 || text[10] != QLatin1Char(' ')) return false;
  date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
  time = QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss"));
  return date.isValid() && time.isValid();
}

#ifdef Q_OS_UNIX
void SyncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}
#endif

// Copies `source` to `target` so that `target` either does not exist or is complete, even when
// the process dies or the power fails half-way: the copy is written beside it, flushed to disk
// and then renamed into place. False when anything fails (the target is then not created).
bool CopyFileDurably(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) return false;
  const QByteArray content = in.readAll();
  const QString partial = target + QStringLiteral(".part");
  QFile out(partial);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  bool ok = out.write(content) == content.size() && out.flush();
#ifdef Q_OS_UNIX
  ok = ok && ::fsync(out.handle()) == 0;
#endif
  out.close();
  if (ok) {
    QFile::remove(target);
    ok = QFile::rename(partial, target);
  }
  if (!ok) {
    QFile::remove(partial);
    return false;
  }
#ifdef Q_OS_UNIX
  SyncFolder(QFileInfo(target).absolutePath());
#endif
  return true;
}

}  // namespace

TToolOp::~TToolOp() {
  try {
    CloseSnapshot();
  } catch (...) {
    // Destruction must not throw; the next OpenSnapshot detaches what is left.
  }
}

QString TToolOp::MonthSchema(const QDate& day) {
  return QStringLiteral("db") + day.toString(QStringLiteral("yyyyMM"));
}

QString TToolOp::MonthFileName(const QString& schema) {
  return GetAppPath() + QStringLiteral("database") + QDir::separator() + schema.mid(2, 6) +
         QStringLiteral(".sqb");
}

// ---- snapshot -----------------------------------------------------------------------------

void TToolOp::OpenSnapshot() {
  CloseSnapshot();
  CommitTrans();
  ExecSQL(QStringLiteral("attach ':memory:' as mem"));
  FSchemas = QStringList{kMemSchema};
  try {
    BeginTrans();
    for (const QString& table : {QStringLiteral("Door"), QStringLiteral("DoorGrp"),
                                 QStringLiteral("UserInfo"), QStringLiteral("UserGrp")}) {
      CopyToSnapshot(table);
    }
    // The lookups of AddRecord find users by number or card; without these indexes each
    // record would scan every user.
    ExecSQL(QStringLiteral("create index mem.ix_UserInfo_UID on UserInfo(UID)"));
    ExecSQL(QStringLiteral("create index mem.ix_UserInfo_UCard on UserInfo(UCard)"));
    CommitTrans();
  } catch (const std::exception&) {
    // An incomplete copy only leaves names empty; keep what was copied.
    try {
      CommitTrans();
    } catch (const std::exception&) {
    }
  }
}

void TToolOp::CopyToSnapshot(const QString& table) {
  OpenQuery(QStringLiteral("select sql from sqlite_master where type='table' and "
                           "Upper(tbl_name)='") +
                table.toUpper() + QStringLiteral("'"),
            FQuery);
  QString create = FQuery.FieldByName(QStringLiteral("sql")).AsString();
  const int at = create.indexOf(table, 0, Qt::CaseInsensitive);
  if (at >= 0) create.replace(at, table.size(), QStringLiteral("mem.") + table);
  ExecSQL(create);
  ExecSQL(QStringLiteral("insert into mem.") + table + QStringLiteral(" select * from main.") +
          table);
}

void TToolOp::CloseSnapshot() {
  CommitTrans();
  if (FSchemas.isEmpty()) return;
  const QStringList schemas = FSchemas;
  FSchemas.clear();
  // Detach everything even when one detach fails, then report the first failure.
  QString firstError;
  for (const QString& schema : schemas) {
    try {
      ExecSQL(QStringLiteral("detach ") + schema);
    } catch (const EDatabaseError& e) {
      if (firstError.isEmpty()) firstError = e.Message();
    }
  }
  if (!firstError.isEmpty()) throw EDatabaseError(firstError);
}

bool TToolOp::IsMonthAttached(const QString& schema) const {
  return FSchemas.contains(schema);
}

void TToolOp::AttachMonth(const QString& schema) {
  const QString fileName = MonthFileName(schema);
  if (!QFileInfo::exists(fileName)) {
    // A failed copy is not reported here: the first insert then fails on the missing table.
    CopyFileDurably(kTemplate, fileName);
  }
  CommitTrans();  // SQLite does not attach inside a transaction
  if (FSchemas.size() > kMaxAttachedMonths) {
    ExecSQL(QStringLiteral("detach ") + FSchemas.at(1));
    FSchemas.removeAt(1);
  }
  ExecSQL(QStringLiteral("attach '") + QuotedSql(fileName) + QStringLiteral("' as ") + schema);
  FSchemas.append(schema);
}

// ---- records ------------------------------------------------------------------------------

bool TToolOp::AddRecord(int EventType, const QString& UserId, const QString& Card,
                        const QString& IoDate, int Did, int IsIn, int CardType, int PassType,
                        int WarnType, int EventSrc) {
  if (FSchemas.isEmpty()) {
    throw EDatabaseError(QStringLiteral("No record snapshot is open (OpenSnapshot)."));
  }
  QDate date;
  QTime time;
  if (!ReadRecordTime(IoDate, date, time)) {
    throw EDatabaseError(
        QStringLiteral("'%1' is not a record time (yyyy-mm-dd HH:MM:SS).").arg(IoDate));
  }
  const QString stamp = FormatDate(date) + QLatin1Char(' ') + FormatTime(time);
  const QString schema = MonthSchema(date);
  if (!IsMonthAttached(schema)) AttachMonth(schema);

  QString userKey, userName, userGroupName;
  int userGroup = 0;
  QString userNo = UserId;
  QString card = Card;
  if (EventType == 1) {
    OpenQuery(QStringLiteral("select user.UKey,user.UCard,user.UID,user.UName,user.UGrpId,"
                             "grp.UGrpName from mem.userinfo user left join mem.usergrp grp on "
                             "user.ugrpid=grp.ugrpid where user.uId='") +
                  QuotedSql(UserId) + QStringLiteral("' or user.UCard='") + QuotedSql(Card) +
                  QStringLiteral("'"),
              FQuery);
    if (!FQuery.IsEmpty()) {
      FQuery.First();
      userKey = FQuery.FieldByName(QStringLiteral("UKey")).AsString();
      card = FQuery.FieldByName(QStringLiteral("UCard")).AsString();
      userNo = FQuery.FieldByName(QStringLiteral("UID")).AsString();
      userName = FQuery.FieldByName(QStringLiteral("UName")).AsString();
      userGroup = FQuery.FieldByName(QStringLiteral("UGrpId")).AsInteger();
      userGroupName = FQuery.FieldByName(QStringLiteral("UGrpName")).AsString();
    } else {
      userNo.clear();
    }
    if (card.isEmpty()) card = Card;
    if (userNo.isEmpty() && UserId != QLatin1String("000000")) userNo = UserId;
  }

  OpenQuery(QStringLiteral("select door.DName,door.DGrpId,grp.DGrpname from mem.Door left outer "
                           "join mem.DoorGrp grp on door.DGrpid=Grp.DGrpid where door.Did=") +
                QString::number(Did),
            FQuery);
  QString doorName, doorGroupName;
  int doorGroup = 0;
  if (!FQuery.IsEmpty()) {
    FQuery.First();
    doorName = FQuery.FieldByName(QStringLiteral("DName")).AsString();
    doorGroup = FQuery.FieldByName(QStringLiteral("DGrpId")).AsInteger();
    doorGroupName = FQuery.FieldByName(QStringLiteral("DGrpname")).AsString();
  }

  const int direction = EventType == 4 && EventSrc == 1 ? 1 : IsIn;  // exit button: outward

  // One record, one transaction: committed before the caller reads the next record.
  CommitTrans();
  TTransactionGuard transaction;
  const QString q = QStringLiteral("'");
  const QString qcq = QStringLiteral("','");
  const QString qc = QStringLiteral("',");
  const QString cq = QStringLiteral(",'");
  const QString c = QStringLiteral(",");
  FSql = QStringLiteral("insert into ") + schema +
         QStringLiteral(
             ".IoData(UKey,UID,UName,UCard,UGrpId,UGrpName,Did,DName,DGrpId,DGrpname,"
             "IoDate,Isin,CardType,PassType,WarnType,EventSrc,EventType) values(") +
         q + QuotedSql(userKey) + qcq + QuotedSql(userNo) + qcq + QuotedSql(userName) + qcq +
         QuotedSql(card) + qc + QString::number(userGroup) + cq + QuotedSql(userGroupName) + qc +
         QString::number(Did) + cq + QuotedSql(doorName) + qc + QString::number(doorGroup) + cq +
         QuotedSql(doorGroupName) + qcq + stamp + qc + QString::number(direction) + c +
         QString::number(CardType) + c + QString::number(PassType) + c + QString::number(WarnType) +
         c + QString::number(EventSrc) + c + QString::number(EventType) + QStringLiteral(")");
  ExecSQL(FSql);
  if (EventType == 6 && !CardIsKnown(Card)) {
    FSql = QStringLiteral("insert into Waitingcard(CardNo,issueTime) values('") + QuotedSql(Card) +
           qcq + stamp + QStringLiteral("')");
    ExecSQL(FSql);
  }
  transaction.Commit();
  return true;
}

bool TToolOp::CardIsKnown(const QString& card) {
  OpenQuery(
      QStringLiteral("select 1 from cards where card='") + QuotedSql(card) + QStringLiteral("'"),
      FQuery);
  return !FQuery.IsEmpty();
}

// ---- settings -----------------------------------------------------------------------------

void TToolOp::SaveDefault(int id, int value, const QString& description) {
  const QString key = QString::number(id);
  OpenQuery(QStringLiteral("select 1 from publicinfo where id=") + key, FQuery);
  if (!FQuery.IsEmpty()) {
    ExecSQL(QStringLiteral("update publicinfo set value=") + QString::number(value) +
            QStringLiteral(" where id=") + key);
  } else {
    ExecSQL(QStringLiteral("insert into publicinfo(id,value,desc) values(") + key +
            QLatin1Char(',') + QString::number(value) + QStringLiteral(",'") + description +
            QStringLiteral("')"));
  }
}

void TToolOp::SaveKeyDefaults(int enabled, int sensitivity) {
  SaveDefault(12, (enabled * 256 + sensitivity) & 0xFFFF, QStringLiteral("key sensitivity"));
}

void TToolOp::SaveOpenPasswordDefaults(int first, int second) {
  SaveDefault(11, (first * 256 + second) & 0xFFFF, QStringLiteral("open password"));
}

bool TToolOp::ReadWindowPosition(int& left, int& top) {
  OpenQuery(QStringLiteral("select id, value from PublicInfo where id=4 or id=5 order by id"),
            FQuery);
  int storedLeft = -1;
  int storedTop = -1;
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    const int id = FQuery.FieldByName(QStringLiteral("id")).AsInteger();
    const TField value = FQuery.FieldByName(QStringLiteral("value"));
    const bool empty = value.AsString().isEmpty();
    if (id == 4) {
      storedLeft = empty ? -1 : value.AsInteger();
    } else if (id == 5) {
      if (empty)
        storedLeft = -1;
      else
        storedTop = value.AsInteger();
    }
  }
  if (storedLeft == -1 || storedTop == -1) return false;
  left = storedLeft;
  top = storedTop;
  return true;
}

void TToolOp::SaveWindowPosition(int left, int top) {
  try {
    BeginTrans();
    ExecSQL(QStringLiteral("update PublicInfo set value=") + QString::number(left) +
            QStringLiteral(" where id = 4"));
    ExecSQL(QStringLiteral("update PublicInfo set value=") + QString::number(top) +
            QStringLiteral(" where id = 5"));
    CommitTrans();
  } catch (const std::exception&) {
    try {
      RollbackTrans();
    } catch (const std::exception&) {
    }
  }
}
