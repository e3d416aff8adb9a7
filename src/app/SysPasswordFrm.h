// The system password dialog: the old password, then the new one twice.
#pragma once

#include "app/BaseSetFrm.h"

class QLabel;
class QLineEdit;

class TfrmSysPassword : public TfrmBaseEdit {
  Q_OBJECT

 public:
  explicit TfrmSysPassword(QWidget* parent = nullptr);

  QLabel* lblOldPwd;
  QLineEdit* edtOldPwd;
  QLabel* lblNewPwd;
  QLineEdit* edtNewPwd;
  QLabel* lblConfirmPwd;
  QLineEdit* edtConfirmPwd;

 public slots:
  void btnOKClick() override;
};
