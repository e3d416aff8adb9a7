// The Synchronize and Search windows, offscreen, against a simulated controller.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "data/db_Exec.h"
#include "device/CommSearchFrm.h"
#include "device/CommSyncFrm.h"
#include "support/SimLine.h"
#include "support/TestInstall.h"

class DeviceWindows : public FreshInstall {
 protected:
  void SetUp() override {
    FreshInstall::SetUp();
    ExecSQL(
        "insert into Door(Did, DeviceId, DName, DGrpId) values(1, 1, 'Front', 0), "
        "(2, 2, 'Back', 0)");
    sim = std::make_unique<SimLine>();
    sim->Add(1);
  }
  void TearDown() override {
    sim.reset();
    FreshInstall::TearDown();
  }
  static void Click(QWidget* w) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
  }
  std::unique_ptr<SimLine> sim;
};

TEST_F(DeviceWindows, SynchronizeListsDoorsTogglesBoxesAndShowsStatuses) {
  TfrmCommSync form;
  EXPECT_EQ(form.windowTitle(), "Synchronize");
  EXPECT_EQ(form.lblSerialPort->text(), "COM1");
  ASSERT_EQ(form.lvDoor->topLevelItemCount(), 2);
  EXPECT_EQ(form.lvDoor->topLevelItem(1)->text(1), "Back");
  EXPECT_TRUE(form.chkCollect->isChecked() && form.chkUserSync->isChecked() &&
              form.chkParamSync->isChecked());

  Click(form.Label4);  // the label toggles its box
  EXPECT_FALSE(form.chkUserSync->isChecked());
  Click(form.Label4);
  EXPECT_TRUE(form.chkUserSync->isChecked());

  form.sbAllClick();
  EXPECT_EQ(form.lvDoor->topLevelItem(0)->checkState(0), Qt::Checked);
  EXPECT_EQ(form.lvDoor->topLevelItem(1)->checkState(0), Qt::Checked);
  form.sbClearAllClick();
  EXPECT_EQ(form.lvDoor->topLevelItem(1)->checkState(0), Qt::Unchecked);

  form.lvDoor->topLevelItem(0)->setCheckState(0, Qt::Checked);
  form.lvDoor->topLevelItem(1)->setCheckState(0, Qt::Checked);
  form.sbCheckOnClick();
  EXPECT_EQ(form.lvDoor->topLevelItem(0)->text(2), "On-Line");
  EXPECT_EQ(form.lvDoor->topLevelItem(1)->text(2), "Off-Line");

  form.btnOKClick();
  EXPECT_EQ(form.lvDoor->topLevelItem(0)->text(2), "Sync operation Finish");
  EXPECT_EQ(form.lvDoor->topLevelItem(1)->text(2), "Off-Line");
  EXPECT_EQ(messages.hints, QStringList({"Sync operation Finish"}));
  EXPECT_TRUE(form.Panel1->isEnabled());
  EXPECT_TRUE(form.lvDoor->isEnabled());
}

TEST_F(DeviceWindows, SearchDropsTheHolidayPlanPageAndReadsThePageShown) {
  sim->line.FindController(1)->SetOutPort(1, {1, 0});
  TfrmCommSearch form;
  form.show();
  EXPECT_EQ(form.pcCtrlParam->count(), 6);
  EXPECT_EQ(form.lvHolidayPlan, nullptr);
  EXPECT_EQ(form.cmbDoor->currentText(), "Front");
  form.pcCtrlParam->setCurrentIndex(5);
  form.btnOKClick();
  ASSERT_EQ(form.lvOutport->topLevelItemCount(), 1);
  EXPECT_EQ(form.lvOutport->topLevelItem(0)->text(2), "Close");
  form.pcCtrlParam->setCurrentIndex(0);
  EXPECT_EQ(form.pbSearch->value(), 0);
  EXPECT_EQ(form.lvOutport->topLevelItemCount(), 1);  // switching keeps the lists
  form.close();
}
