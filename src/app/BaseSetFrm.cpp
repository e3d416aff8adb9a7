#include "app/BaseSetFrm.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/FormTranslation.h"
#include "platform/Pictures.h"

TfrmBaseEdit::TfrmBaseEdit(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  imgTop = StretchedPicture(QStringLiteral("band_top.png"), this, "imgTop", 56);
  lblHint = new QLabel(imgTop);
  lblHint->setObjectName(QStringLiteral("lblHint"));
  lblHint->setAttribute(Qt::WA_TranslucentBackground);
  QFont hintFont = lblHint->font();
  hintFont.setBold(true);
  lblHint->setFont(hintFont);
  auto* hintRow = new QHBoxLayout(imgTop);
  hintRow->setContentsMargins(27, 0, 96, 0);
  hintRow->addWidget(lblHint);
  layout->addWidget(imgTop);

  pnlInfo = new QFrame(this);
  pnlInfo->setObjectName(QStringLiteral("pnlInfo"));
  pnlInfo->setAutoFillBackground(true);
  QPalette info = pnlInfo->palette();
  info.setColor(QPalette::Window, info.color(QPalette::Base));
  pnlInfo->setPalette(info);
  layout->addWidget(pnlInfo, 1);

  imgLine = StretchedPicture(QStringLiteral("band_line.png"), this, "imgLine", 4);
  layout->addWidget(imgLine);

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(67);
  auto* band = new QGridLayout(Panel1);
  band->setContentsMargins(0, 0, 0, 0);
  imgBottom = StretchedPicture(QStringLiteral("band_bottom.png"), Panel1, "imgBottom");
  band->addWidget(imgBottom, 0, 0);
  auto* buttons = new QWidget(Panel1);
  buttonRow = new QHBoxLayout(buttons);
  buttonRow->setContentsMargins(16, 0, 24, 0);
  buttonRow->setSpacing(21);
  buttonRow->addStretch(1);
  btnOK = new QPushButton(N_("&OK"), buttons);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnOK->setMinimumSize(75, 25);
  buttonRow->addWidget(btnOK);
  btnCancel = new QPushButton(N_("&Cancel"), buttons);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setMinimumSize(75, 25);
  buttonRow->addWidget(btnCancel);
  band->addWidget(buttons, 0, 0);
  bbtnCancel = new QPushButton(N_("&Cancel"), Panel1);
  bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
  bbtnCancel->setGeometry(-112, 16, 75, 25);
  bbtnCancel->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(Panel1);

  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
  connect(bbtnCancel, &QPushButton::clicked, this, &TfrmBaseEdit::bbtnCancelClick);

  resize(514, 348);
}

void TfrmBaseEdit::FormCreate() {
  gw::TranslateForm(this);
}

void TfrmBaseEdit::btnOKClick() {}

void TfrmBaseEdit::btnCancelClick() {
  reject();
}

void TfrmBaseEdit::bbtnCancelClick() {
  btnCancelClick();
}

void TfrmBaseEdit::SetClientSize(int width, int height) {
  const QSize needed = minimumSizeHint();
  setFixedSize(qMax(width, needed.width()), qMax(height, needed.height()));
}

void TfrmBaseEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    bbtnCancelClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfrmBaseEdit::showEvent(QShowEvent* event) {
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - frameGeometry().center() + pos());
  QDialog::showEvent(event);
}
