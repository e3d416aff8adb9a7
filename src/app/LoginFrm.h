// The login dialog: the system password guards the start of the program.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfrmLogin : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmLogin(QWidget* parent = nullptr);

  QLabel* imgBackground;
  QLabel* lblProduct;
  QLabel* lblPassword;
  QLineEdit* edtPassword;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  bool LoggedIn = false;

 public slots:
  // Compares the box with the stored password; a wrong one says so and the dialog stays open.
  void btnOKClick();
  void btnCancelClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
};
