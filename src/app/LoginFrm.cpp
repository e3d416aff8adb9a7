#include "app/LoginFrm.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/bll_Login.h"
#include "app/u_Function.h"
#include "platform/FormTranslation.h"
#include "platform/Pictures.h"
#include "platform/Translation.h"

TfrmLogin::TfrmLogin(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmLogin"));
  setWindowTitle(N_("Login"));

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  imgBackground = StretchedPicture(QStringLiteral("login_background.png"), this, "imgBackground");
  grid->addWidget(imgBackground, 0, 0);

  auto* controls = new QWidget(this);
  auto* column = new QVBoxLayout(controls);
  column->setContentsMargins(28, 0, 28, 16);
  column->setSpacing(14);
  lblProduct = new QLabel(N_("Gatewarden -KV60"), controls);
  lblProduct->setObjectName(QStringLiteral("lblProduct"));
  lblProduct->setFixedHeight(46);
  QFont productFont = lblProduct->font();
  productFont.setBold(true);
  productFont.setPointSizeF(productFont.pointSizeF() * 1.3);
  lblProduct->setFont(productFont);
  QPalette white = lblProduct->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  lblProduct->setPalette(white);
  auto* productRow = new QHBoxLayout;
  productRow->addSpacing(30);  // beside the icon of the band
  productRow->addWidget(lblProduct, 1);
  column->addLayout(productRow);
  auto* passwordRow = new QHBoxLayout;
  lblPassword = new QLabel(N_("Password "), controls);
  lblPassword->setObjectName(QStringLiteral("lblPassword"));
  passwordRow->addWidget(lblPassword);
  edtPassword = new QLineEdit(controls);
  edtPassword->setObjectName(QStringLiteral("edtPassword"));
  edtPassword->setEchoMode(QLineEdit::Password);
  lblPassword->setBuddy(edtPassword);
  passwordRow->addWidget(edtPassword, 1);
  column->addLayout(passwordRow);
  column->addStretch(1);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  btnOK = new QPushButton(N_("&OK"), controls);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnOK->setMinimumSize(75, 25);
  buttonRow->addWidget(btnOK);
  btnCancel = new QPushButton(N_("&Cancel"), controls);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setMinimumSize(75, 25);
  buttonRow->addWidget(btnCancel);
  column->addLayout(buttonRow);
  grid->addWidget(controls, 0, 0);

  connect(btnOK, &QPushButton::clicked, this, &TfrmLogin::btnOKClick);
  connect(btnCancel, &QPushButton::clicked, this, &TfrmLogin::btnCancelClick);
  edtPassword->installEventFilter(this);

  gw::TranslateForm(this);
  setFixedSize(qMax(310, minimumSizeHint().width()), qMax(168, minimumSizeHint().height()));
}

void TfrmLogin::btnOKClick() {
  try {
    TLoginOperater login;
    if (edtPassword->text() != login.GetPassword()) {
      HintBox(_("Password error."));
      edtPassword->setFocus();
      edtPassword->selectAll();
      return;
    }
    LoggedIn = true;
    accept();
  } catch (const std::exception&) {
    // A database that cannot be read keeps the door shut; the operator may try again.
  }
}

void TfrmLogin::btnCancelClick() {
  reject();
}

// Enter and Escape in the password box act as OK and Cancel.
bool TfrmLogin::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtPassword && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      btnOKClick();
      return true;
    }
    if (key == Qt::Key_Escape) {
      btnCancelClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmLogin::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    btnCancelClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfrmLogin::showEvent(QShowEvent* event) {
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  edtPassword->setFocus();
  QDialog::showEvent(event);
}
