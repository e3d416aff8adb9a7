// A fresh installation with small builders for doors, users, control groups and
// authorisations, written through the stores themselves where a store owns the table.
#pragma once

#include <QString>
#include <QStringList>

#include "data/db_Exec.h"
#include "model/bll_RegUser.h"
#include "model/bll_User.h"
#include "model/bll_door.h"
#include "support/TestInstall.h"

class StoreFixture : public FreshInstall {
 protected:
  // A door with the given key and device number (options as the door wizard starts them).
  TDoor MakeDoor(int did, int deviceId, const QString& name = QString(), int group = 0) {
    TDoor door;
    door.Did = did;
    door.DeviceId = deviceId;
    door.DName = name.isEmpty() ? QStringLiteral("Door %1").arg(did) : name;
    door.DGrpId = group;
    door.SNR = QStringLiteral("SN%1").arg(did);
    door.Version = QStringLiteral("KV60 V1.%1").arg(did);
    door.KeySensitive = 10;
    door.OvertimeDelay = 3;
    door.MaxPassAttempt = 3;
    door.PassErrorLock = 5;
    door.AntipassbackCards = 10000;
    return door;
  }
  int AddDoor(int did, int deviceId, const QString& name = QString(), int group = 0) {
    TDoorOp().AddDoor(MakeDoor(did, deviceId, name, group));
    return did;
  }

  TUserInfo MakeUser(const QString& uid, const QString& card = QString(),
                     const QString& validUntil = QStringLiteral("2099-12-31"), int group = 0) {
    TUserInfo user;
    user.UGrpId = group;
    user.UID = uid;
    user.UFName = QStringLiteral("First") + uid;
    user.ULName = QStringLiteral("Last");
    user.UName = user.UFName + QStringLiteral(" ") + user.ULName;
    user.UCard = card;
    user.UPSW = QStringLiteral("472274");
    user.USex = QStringLiteral("0");
    user.UInvalidate = validUntil;
    return user;
  }
  // Returns the new user's key.
  int AddUser(const QString& uid, const QString& card = QString(),
              const QString& validUntil = QStringLiteral("2099-12-31"), int group = 0) {
    TUserOperater().AddUser(MakeUser(uid, card, validUntil, group));
    return MaxId(QStringLiteral("UserInfo"), QStringLiteral("UKey"));
  }

  void AddControlGroup(int id, const QString& name) {
    ExecSQL(QStringLiteral("insert into ControlGroup (CGrpId, CGroupName, WkSchemeId, "
                           "HolidayPlanId, HldPlanEnabled) values (%1, '%2', 1, %1, '0')")
                .arg(id)
                .arg(QuotedSql(name)));
  }

  int AddReg(int userKey, int doorId, int controlGroup = 1) {
    TRegUser reg;
    reg.UKey = userKey;
    reg.DId = doorId;
    reg.CGrpId = controlGroup;
    TRegUserOperater().AddReg(reg);
    return MaxId(QStringLiteral("RegUser"), QStringLiteral("RecordId"));
  }

  // The rows of a statement, each row's columns joined by "|", in the order returned.
  QStringList Rows(const QString& statement) const {
    TQuery query;
    OpenQuery(statement, query);
    QStringList rows;
    for (query.First(); !query.Eof(); query.Next()) {
      QStringList columns;
      for (int i = 0; i < query.FieldCount(); ++i) columns << query.Field(i).AsString();
      rows << columns.join(QLatin1Char('|'));
    }
    return rows;
  }
  // The deletion queue as "UID|UCard|DeviceId", sorted.
  QStringList Queue() const {
    QStringList rows = Rows(QStringLiteral("select UID, UCard, DeviceId from WaitingDelete"));
    rows.sort();
    return rows;
  }
  int Count(const QString& table) const {
    return Scalar(QStringLiteral("select count(*) from ") + table).toInt();
  }

  // Makes every statement of `event` ("insert", "update", "delete") on `table` fail, as a
  // full disk or a damaged file would; `when` narrows it to some rows.
  void RefuseOn(const QString& event, const QString& table, const QString& when = QString()) {
    ExecSQL(QStringLiteral("create trigger refuse_%1_%2 before %1 on %2 %3 begin select "
                           "raise(abort, 'refused'); end")
                .arg(event, table, when.isEmpty() ? QString() : QStringLiteral("when ") + when));
  }
};

// Printable lists in failures.
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
