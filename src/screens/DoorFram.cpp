#include "screens/DoorFram.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/HelpView.h"
#include "platform/Translation.h"
#include "screens/PageFrame.h"

TframDoor::TframDoor(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("framDoor"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  auto* left = new QVBoxLayout;
  left->setSpacing(0);

  plM = new QFrame(this);
  plM->setObjectName(QStringLiteral("plM"));
  plM->setFixedHeight(35);
  auto* band = new QGridLayout(plM);
  band->setContentsMargins(0, 0, 0, 0);
  imgBand = new QLabel(plM);
  imgBand->setObjectName(QStringLiteral("imgBand"));
  imgBand->setPixmap(QPixmap(QStringLiteral(":/pictures/band_bottom.png")));
  imgBand->setScaledContents(true);
  imgBand->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  band->addWidget(imgBand, 0, 0);
  auto* tools = new QWidget(plM);
  auto* toolRow = new QHBoxLayout(tools);
  toolRow->setContentsMargins(4, 4, 4, 4);
  edtSearch = new QLineEdit(_("Search ..."), tools);
  edtSearch->setObjectName(QStringLiteral("edtSearch"));
  edtSearch->setFrame(false);
  edtSearch->setMaximumWidth(350);
  toolRow->addWidget(edtSearch, 1);
  band->addWidget(tools, 0, 0);
  left->addWidget(plM);

  tvDoor = new QTreeWidget(this);
  tvDoor->setObjectName(QStringLiteral("tvDoor"));
  SetupPageTree(tvDoor);
  left->addWidget(tvDoor, 1);
  row->addLayout(left, 1);

  wbDoor = new THelpView(this);
  wbDoor->setObjectName(QStringLiteral("wbDoor"));
  wbDoor->setFixedWidth(320);
  row->addWidget(wbDoor);
}

// The groups and doors come with the door store.
void TframDoor::LoadDoorTree() {
  tvDoor->clear();
}
