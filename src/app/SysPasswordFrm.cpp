#include "app/SysPasswordFrm.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/bll_Login.h"
#include "app/u_Function.h"
#include "platform/FormTranslation.h"
#include "platform/Translation.h"

TfrmSysPassword::TfrmSysPassword(QWidget* parent) : TfrmBaseEdit(parent) {
  setObjectName(QStringLiteral("frmSysPassword"));
  setWindowTitle(N_("System Password"));
  lblHint->setText(N_("System Password Setting"));

  auto* form = new QFormLayout(pnlInfo);
  form->setContentsMargins(40, 24, 40, 16);
  form->setVerticalSpacing(14);
  auto addEdit = [&](const QString& caption, const char* labelName, const char* editName,
                     QLabel*& label, QLineEdit*& edit) {
    label = new QLabel(caption, pnlInfo);
    label->setObjectName(QLatin1String(labelName));
    edit = new QLineEdit(pnlInfo);
    edit->setObjectName(QLatin1String(editName));
    edit->setEchoMode(QLineEdit::Password);
    edit->setMinimumWidth(180);
    form->addRow(label, edit);
  };
  addEdit(N_("Old Password"), "lblOldPwd", "edtOldPwd", lblOldPwd, edtOldPwd);
  addEdit(N_("New Password"), "lblNewPwd", "edtNewPwd", lblNewPwd, edtNewPwd);
  addEdit(N_("Confirm Password"), "lblConfirmPwd", "edtConfirmPwd", lblConfirmPwd, edtConfirmPwd);

  FormCreate();
  SetClientSize(420, 280);
}

void TfrmSysPassword::btnOKClick() {
  TfrmBaseEdit::btnOKClick();
  try {
    TLoginOperater login;
    if (!login.CheckPassword(edtOldPwd->text())) {
      HintBox(_("Old password is not correct."));
      edtOldPwd->setFocus();
      return;
    }
    if (edtNewPwd->text() != edtConfirmPwd->text()) {
      HintBox(_("The new passord and the confirm password are different"));
      edtConfirmPwd->setFocus();
      return;
    }
    login.SetPassword(edtNewPwd->text());
    accept();
  } catch (const std::exception&) {
    HintBox(_("Setting password error."));
  }
}
