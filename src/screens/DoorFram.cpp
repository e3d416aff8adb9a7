#include "screens/DoorFram.h"

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

  const TSearchBand band = MakeSearchBand(this);
  plM = band.plM;
  imgBand = band.imgBand;
  edtSearch = band.edtSearch;
  edtSearch->setMaximumWidth(350);
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
