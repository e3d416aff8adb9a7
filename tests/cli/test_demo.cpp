// The demo line of `make run`, end to end: scripts/run.sh starts kv60sim --demo and seeds a
// database without doors; in place of the desktop program a stand-in runs what a newcomer
// would do (synchronise, read back) with gatewarden-cli and dumps the controllers' state.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "data/db_Connect.h"
#include "data/db_Exec.h"
#include "support/TestInstall.h"

namespace {

class DemoLine : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    build = Path("build");
    CopyDeliveredFiles(build);
    ASSERT_TRUE(QFile::link(BuildRoot() + "/kv60sim", build + "/kv60sim"));
    // The stand-in for the desktop program.
    QFile program(build + "/gatewarden");
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write(QStringLiteral(R"sh(#!/bin/sh
here=$(cd "$(dirname "$0")" && pwd)
cli=%1/gatewarden-cli
export GATEWARDEN_HOME="$here"
"$cli" sync >"$here/sync.out" 2>/dev/null
echo $? >"$here/sync.code"
"$cli" search --device 1 --what zones >"$here/search.out" 2>/dev/null
for dev in 1 2; do
  echo "dump $dev $here/dump$dev.json" >"$GATEWARDEN_PORTS/control"
  for i in $(seq 50); do [ -s "$here/dump$dev.json" ] && break; sleep 0.1; done
done
)sh")
                      .arg(BuildRoot())
                      .toUtf8());
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
  }

  // scripts/run.sh with the folder `build`, as `make run` starts it.
  int Run(QString& out) {
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"GATEWARDEN_HOME", "GATEWARDEN_PORTS", "KV60SIM"}) env.remove(name);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start("bash", {SourceRoot() + "/scripts/run.sh", build});
    EXPECT_TRUE(run.waitForFinished(60000));
    out = QString::fromUtf8(run.readAll());
    return run.exitCode();
  }

  QString Read(const QString& name) {
    QFile f(build + "/" + name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }

  // Rows of the month file of `day` in the demo installation.
  int RecordsOfMonth(const QDate& day) {
    const QString file = "build/database/" + day.toString("yyyyMM") + ".sqb";
    if (!QFile::exists(file)) return 0;
    ExecSQL("attach '" + file + "' as month");
    const int rows = Scalar("select count(*) from month.IoData").toInt();
    ExecSQL("detach month");
    return rows;
  }

  QString build;
};

TEST_F(DemoLine, ANewcomerSynchronisesReadsBackAndFindsTheRecords) {
  QString out;
  ASSERT_EQ(Run(out), 0) << out.toStdString();

  EXPECT_TRUE(out.contains("adding the demo doors and users")) << out.toStdString();
  EXPECT_EQ(Read("sync.code").trimmed(), "0") << Read("sync.out").toStdString();
  const QString sync = Read("sync.out");
  EXPECT_TRUE(sync.contains("1\tMain entrance\tComplete collecting")) << sync.toStdString();
  EXPECT_TRUE(sync.contains("2\tStore room\tComplete collecting"));
  EXPECT_TRUE(sync.contains("2\tStore room\tSync operation Finish"));
  EXPECT_TRUE(Read("search.out").contains("\nOffice hours\t1\t07:00:00\t19:00:00\t"))
      << Read("search.out").toStdString();

  // The records of both months are collected.
  const QDate today = QDate::currentDate();
  EXPECT_GT(RecordsOfMonth(today.addMonths(-1)), 0);
  EXPECT_GT(RecordsOfMonth(today), 0);
  // The users of the database are on the controllers: Dirk Vos (no card) by his UID twice.
  const QJsonArray users =
      QJsonDocument::fromJson(Read("dump1.json").toUtf8()).object()["users"].toArray();
  QStringList cards;
  for (const auto& u : users) cards << u.toObject()["cardNo"].toString();
  cards.sort();
  EXPECT_EQ(cards, QStringList({"00030003", "10000001", "10000002"}));

  // The simulator stopped with the program.
  EXPECT_FALSE(QFileInfo(build + "/ports/COM1").isSymLink());

  // A second start leaves the database alone.
  ASSERT_EQ(Run(out), 0) << out.toStdString();
  EXPECT_FALSE(out.contains("adding the demo doors"));
  ExecSQL("attach 'build/Gatewarden.sqb' as demo");
  EXPECT_EQ(Scalar("select count(*) from demo.Door"), "2");
}

TEST_F(DemoLine, ADatabaseWithDoorsIsNeverSeededAndTheLineFollowsTheSetting) {
  ExecSQL("attach 'build/Gatewarden.sqb' as demo");
  ExecSQL("insert into demo.Door (Did, DeviceId, DName, DGrpId) values (1, 2, 'Own door', 0)");
  ExecSQL("update demo.PublicInfo set value='4' where id=6");
  ExecSQL("detach demo");
  TdbConnect::Instance().Close();

  QString out;
  ASSERT_EQ(Run(out), 0) << out.toStdString();

  EXPECT_FALSE(out.contains("adding the demo doors"));
  // The simulated controller 2 answered behind COM4.
  EXPECT_TRUE(Read("sync.out").contains("2\tOwn door\tSync operation Finish"))
      << Read("sync.out").toStdString();
  ExecSQL("attach 'build/Gatewarden.sqb' as demo");
  EXPECT_EQ(Scalar("select count(*) from demo.Door"), "1");
  EXPECT_EQ(Scalar("select count(*) from demo.UserInfo"), "0");
}

}  // namespace
