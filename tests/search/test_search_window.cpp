// The read-back window, offscreen: its door list and pages, "&Search" on the page shown, and
// what a failing read leaves in it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "comm/u_MjComm.h"
#include "data/bll_SerialPort.h"
#include "device/CommSearchFrm.h"
#include "model/bll_IOPort.h"
#include "screens/ToolFram.h"
#include "search/SearchFixture.h"

namespace {

class SearchWindow : public SearchFixture {
 protected:
  void SetUp() override {
    SearchFixture::SetUp();
    AddDoor(2, 7, "Back door");  // the second entry of the list, device 7
    back = &sim->Add(7);
  }

  // The texts of a list, row by row.
  static std::vector<QStringList> Rows(const QTreeWidget* list) {
    std::vector<QStringList> rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(r)->text(c);
      rows.push_back(cells);
    }
    return rows;
  }

  kv60sim::Controller* back = nullptr;
};

TEST_F(SearchWindow, ShowsTheDoorsThePortAndSixPages) {
  TfrmCommSearch window;
  window.show();

  EXPECT_EQ(window.windowTitle(), "Search");
  EXPECT_EQ(window.lblSerialPort->text(), "COM1");
  EXPECT_EQ(window.btnOK->text(), "&Search");
  ASSERT_EQ(window.cmbDoor->count(), 2);
  EXPECT_EQ(window.cmbDoor->itemText(0), "Front door");
  EXPECT_EQ(window.cmbDoor->itemText(1), "Back door");
  EXPECT_EQ(window.cmbDoor->currentIndex(), 0);
  EXPECT_EQ(window.Doors()[1].DeviceId, 7);
  EXPECT_EQ(window.StartId(), 1);

  QStringList pages;
  for (int i = 0; i < window.pcCtrlParam->count(); ++i) pages << window.pcCtrlParam->tabText(i);
  EXPECT_EQ(pages, QStringList({"Time Zone", "Week Plan", "Holiday", "Control Group",
                                "Input Information", "Output Information"}));
  EXPECT_EQ(window.pcCtrlParam->currentWidget(), window.tbsZone);
  EXPECT_EQ(window.tbsHolidayPlan, nullptr);
  EXPECT_EQ(window.findChild<QTreeWidget*>("lvHolidayPlan"), nullptr);
  EXPECT_EQ(window.ListOfPage(3), window.lvGroup);
  EXPECT_TRUE(window.lvGroup->isColumnHidden(3));
  EXPECT_EQ(window.lvGroup->headerItem()->text(4), "Holiday Avail");
  EXPECT_EQ(window.lvZone->columnCount(), 17);
  EXPECT_TRUE(messages.all.isEmpty());
}

TEST_F(SearchWindow, SearchReadsThePageShownFromTheChosenDoor) {
  back->SetOutPort(1, {1, 255});
  back->SetOutPort(3, {33, 5});
  controller->SetOutPort(1, {1, 0});  // the first door: not read
  TfrmCommSearch window;
  window.show();
  window.cmbDoor->setCurrentIndex(1);
  window.pcCtrlParam->setCurrentWidget(window.tbsOutport);

  window.btnOKClick();

  EXPECT_EQ(Rows(window.lvOutport),
            std::vector<QStringList>(
                {{"Output 1", "Door lock", "Normal Open"}, {"Output 3", "Alarm output", "5"}}));
  EXPECT_EQ(window.pbSearch->value(), 2);
  EXPECT_TRUE(window.isEnabled());
  EXPECT_TRUE(messages.all.isEmpty());

  // Another page: the bar starts again, the list read stays.
  window.pcCtrlParam->setCurrentWidget(window.tbsInport);
  EXPECT_EQ(window.pbSearch->value(), 0);
  EXPECT_EQ(window.lvOutport->topLevelItemCount(), 2);
  window.btnOKClick();
  EXPECT_EQ(window.lvInport->topLevelItemCount(), 0);  // the back door holds no input port
  EXPECT_EQ(window.lvOutport->topLevelItemCount(), 2);
}

TEST_F(SearchWindow, AFailingReadKeepsItsRowsAndLeavesTheWindowUsable) {
  controller->SetHoliday(1, {2024, 12, 24, 2024, 12, 26, 0});
  controller->SetHoliday(2, {2025, 13, 1, 2025, 13, 2, 0});
  NameHoliday(2, "Broken");
  TfrmCommSearch window;
  window.show();
  window.pcCtrlParam->setCurrentWidget(window.tbsHoliday);

  window.btnOKClick();

  EXPECT_EQ(messages.hints, QStringList({"Search control parameters error."}));
  EXPECT_EQ(Rows(window.lvHoliday),
            std::vector<QStringList>({{"No Setting", "1", "2024-12-24", "2024-12-26", "No Setting"},
                                      {"Broken", "2", "", "", ""}}));
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SearchWindow, OffLineDoorAndMissingDoorAreReported) {
  TfrmCommSearch window;
  window.show();
  back->SetOutPort(1, {1, 5});
  sim->line.ClearRequests();
  window.pcCtrlParam->setCurrentWidget(window.tbsOutport);
  window.cmbDoor->setCurrentIndex(1);
  sim->line.AddFault(kv60sim::Fault::NoAnswer().For(7).On("001"));

  window.btnOKClick();
  EXPECT_EQ(messages.hints, QStringList({"The current door is off-line."}));
  EXPECT_EQ(window.lvOutport->topLevelItemCount(), 0);

  messages.Clear();
  window.cmbDoor->setCurrentIndex(-1);
  window.btnOKClick();
  EXPECT_EQ(messages.hints, QStringList({"Choose a door first."}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SearchWindow, ClosingClosesThePortAndReleasesThePortTexts) {
  {
    TfrmCommSearch window;
    window.show();
    window.btnOKClick();
    EXPECT_TRUE(IsPortOpen(1));
    EXPECT_NE(PortTexts(), nullptr);
    window.btnCancel->click();
    EXPECT_FALSE(IsPortOpen(1));
    EXPECT_EQ(PortTexts(), nullptr);
  }
  // Without a serial port setting the label stays empty.
  TComOperater().SetComPort("");
  TfrmCommSearch window;
  EXPECT_EQ(window.lblSerialPort->text(), "");
  EXPECT_EQ(CurrentComPort, 0);
}

TEST_F(SearchWindow, TheToolsPageOpensIt) {
  TframTool tools;
  QString opened;
  QTimer::singleShot(0, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      opened = modal->metaObject()->className();
      modal->close();
    }
  });
  tools.btn_CommQuery->click();
  EXPECT_EQ(opened, "TfrmCommSearch");
}

}  // namespace
