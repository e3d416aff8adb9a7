#include "app/ShowBaseFrm.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/FormTranslation.h"
#include "platform/Pictures.h"

TfrmShowBase::TfrmShowBase(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  QPalette sky = palette();
  sky.setColor(QPalette::Window, QColor(166, 202, 240));
  setPalette(sky);
  setAutoFillBackground(true);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(1, 1, 1, 1);
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAutoFillBackground(true);
  QPalette window = Panel1->palette();
  window.setColor(QPalette::Window, window.color(QPalette::Base));
  Panel1->setPalette(window);
  outer->addWidget(Panel1);

  auto* grid = new QGridLayout(Panel1);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  imgHitTop = StretchedPicture(QStringLiteral("show_top.png"), Panel1, "imgHitTop", 28);
  grid->addWidget(imgHitTop, 0, 0);
  imgHitMain = StretchedPicture(QStringLiteral("show_main.png"), Panel1, "imgHitMain");
  grid->addWidget(imgHitMain, 1, 0);
  grid->setRowStretch(1, 1);

  auto* title = new QWidget(Panel1);
  auto* titleRow = new QHBoxLayout(title);
  titleRow->setContentsMargins(6, 0, 2, 0);
  titleRow->setSpacing(6);
  imgUser = new QLabel(title);
  imgUser->setObjectName(QStringLiteral("imgUser"));
  imgUser->setPixmap(Picture(QStringLiteral("show_user.png")));
  titleRow->addWidget(imgUser);
  lbl_title = new QLabel(title);
  lbl_title->setObjectName(QStringLiteral("lbl_title"));
  QFont titleFont = lbl_title->font();
  titleFont.setPixelSize(17);
  titleFont.setBold(true);
  lbl_title->setFont(titleFont);
  QPalette white = lbl_title->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  lbl_title->setPalette(white);
  titleRow->addWidget(lbl_title, 1);
  sbClose = new QToolButton(title);
  sbClose->setObjectName(QStringLiteral("sbClose"));
  sbClose->setAutoRaise(true);
  sbClose->setFixedSize(23, 23);
  sbClose->setIcon(QIcon(Picture(QStringLiteral("close.png"))));
  sbClose->setFocusPolicy(Qt::NoFocus);
  titleRow->addWidget(sbClose);
  grid->addWidget(title, 0, 0);

  pnlBody = new QWidget(Panel1);
  pnlBody->setObjectName(QStringLiteral("pnlBody"));
  grid->addWidget(pnlBody, 1, 0);

  connect(sbClose, &QToolButton::clicked, this, &TfrmShowBase::sbCloseClick);
  resize(295, 398);
}

void TfrmShowBase::FormCreate() {
  gw::TranslateForm(this);
}

void TfrmShowBase::sbCloseClick() {
  close();
}
