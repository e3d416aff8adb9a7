// The configuration dialog: serial port, language and the default validity of new users.
// The skin setting is carried through unchanged (its field stays hidden).
#pragma once

#include "app/BaseSetFrm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QToolButton;

class TfrmConfig : public TfrmBaseEdit {
  Q_OBJECT

 public:
  explicit TfrmConfig(QWidget* parent = nullptr);

  QLabel* lblCom;
  QComboBox* cmbCom;  // item i stands for port i + 1
  QLabel* lblLang;
  QComboBox* cmb_lang;    // display names, in the order of lst_lang
  QListWidget* lst_lang;  // hidden: the language codes
  QLabel* lblInvalidate;
  QSpinBox* sp_invalidate;
  QLineEdit* edt_skin;     // hidden
  QToolButton* btnSkin;    // hidden
  QPushButton* btnIOPort;  // hidden

  // Shows the stored language, validity and skin; runs each time the dialog is shown.
  void FormActivate();

 public slots:
  void btnOKClick() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
};
