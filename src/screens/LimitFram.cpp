#include "screens/LimitFram.h"

#include <QHBoxLayout>
#include <QTreeWidget>

#include "platform/HelpView.h"
#include "screens/PageFrame.h"

TframLimit::TframLimit(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("framLimit"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  tvLimit = new QTreeWidget(this);
  tvLimit->setObjectName(QStringLiteral("tvLimit"));
  SetupPageTree(tvLimit);
  row->addWidget(tvLimit, 1);
  wbLimit = new THelpView(this);
  wbLimit->setObjectName(QStringLiteral("wbLimit"));
  wbLimit->setFixedWidth(320);
  row->addWidget(wbLimit);
}

// The time rules come with the time-rule store.
void TframLimit::LoadLimitTree() {
  tvLimit->clear();
}
