// The Synchronize window while a run is active, offscreen against a simulated controller: a
// stop request between two commands, and the port released when the window closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>

#include "comm/u_MjComm.h"
#include "data/db_Exec.h"
#include "device/CommSyncFrm.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

class SyncWindow : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    ExecSQL("insert into Door(Did, DeviceId, DName, DGrpId) values(1, 1, 'Front', 0)");
    sim = std::make_unique<SimLine>();
    kv60sim::Controller& c = sim->Add(1);
    for (int i = 0; i < 5; ++i) {
      kv60sim::Record r;
      r.time = QDateTime(QDate::currentDate(), QTime(8, i));
      c.AddRecord(r);
    }
  }
  void TearDown() override {
    sim.reset();
    FreshInstall::TearDown();
  }
  std::unique_ptr<SimLine> sim;
};

TEST_F(SyncWindow, EscOrClosingDuringARunIsAStopRequestBetweenTwoCommands) {
  struct Case {
    const char* name;
    std::function<void(TfrmCommSync&)> request;
  };
  const Case cases[] = {
      {"Esc",
       [](TfrmCommSync& form) {
         QCoreApplication::postEvent(
             &form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
       }},
      {"closing the window", [](TfrmCommSync& form) { form.reject(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    messages.Clear();
    TfrmCommSync form;
    form.setWindowModality(Qt::ApplicationModal);
    form.show();
    form.lvDoor->topLevelItem(0)->setCheckState(0, Qt::Checked);
    form.chkUserSync->setChecked(false);
    form.chkParamSync->setChecked(false);
    QStringList statuses;
    QObject::connect(form.lvDoor->model(), &QAbstractItemModel::dataChanged, &form, [&] {
      const QString status = form.lvDoor->topLevelItem(0)->text(2);
      if (statuses.isEmpty() || statuses.last() != status) {
        statuses << status;
        if (status == QLatin1String("Collecting record ...")) c.request(form);
      }
    });
    messages.Answer(true);  // "Collecting record. Do you stop collecting?"
    form.btnOKClick();
    EXPECT_EQ(messages.questions, QStringList({"Collecting record. Do you stop collecting?"}));
    EXPECT_TRUE(statuses.contains("Collection has been interrupted"));
    EXPECT_EQ(statuses.last(), "Sync operation Finish");  // the door's run went on
    EXPECT_TRUE(form.isVisible());
    EXPECT_LT(sim->line.FindController(1)->ReadPosition(), 4);
    // After the run Esc is the dialog's cancel again.
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&form, &esc);
    EXPECT_FALSE(form.isVisible());
  }
}

TEST_F(SyncWindow, ClosingTheWindowClosesThePort) {
  TfrmCommSync form;
  form.show();
  form.lvDoor->topLevelItem(0)->setCheckState(0, Qt::Checked);
  form.sbCheckOnClick();
  EXPECT_EQ(form.lvDoor->topLevelItem(0)->text(2), "On-Line");
  EXPECT_TRUE(IsPortOpen(CurrentComPort));
  form.btnCancel->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(IsPortOpen(CurrentComPort));
}
