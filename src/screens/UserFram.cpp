#include "screens/UserFram.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/FormTranslation.h"
#include "platform/HelpView.h"
#include "platform/Translation.h"
#include "screens/PageFrame.h"

namespace {

QToolButton* ToolbarButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setText(caption);
  button->setAutoRaise(true);
  button->setCursor(Qt::PointingHandCursor);
  QPalette teal = button->palette();
  teal.setColor(QPalette::ButtonText, QColor(0, 128, 128));
  button->setPalette(teal);
  return button;
}

}  // namespace

TframUser::TframUser(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("framUser"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  auto* left = new QVBoxLayout;
  left->setSpacing(0);

  const TSearchBand band = MakeSearchBand(this);
  plM = band.plM;
  imgBand = band.imgBand;
  edtSearch = band.edtSearch;
  tlbbIssueCard = ToolbarButton(N_("IssueCard"), "tlbbIssueCard", plM);
  band.row->addWidget(tlbbIssueCard);
  tlbbAuthorization = ToolbarButton(N_("Authorize"), "tlbbAuthorization", plM);
  band.row->addWidget(tlbbAuthorization);
  left->addWidget(plM);

  tvUser = new QTreeWidget(this);
  tvUser->setObjectName(QStringLiteral("tvUser"));
  SetupPageTree(tvUser);
  tvUser->setProperty("Tag", 0);
  left->addWidget(tvUser, 1);
  row->addLayout(left, 1);

  wbUser = new THelpView(this);
  wbUser->setObjectName(QStringLiteral("wbUser"));
  wbUser->setFixedWidth(320);
  row->addWidget(wbUser);

  connect(tlbbIssueCard, &QToolButton::clicked, this, &TframUser::tlbbIssueCardClick);
}

// The groups and users come with the user store.
void TframUser::LoadTree(QLineEdit*) {
  tvUser->clear();
}

void TframUser::pmmSetUserClick() {}

void TframUser::tlbbIssueCardClick() {}
