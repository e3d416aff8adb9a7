// The About box: product name, version and icon, and the credits. A click anywhere closes it.
#pragma once

#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* DatabaseCredit;
  QLabel* TranslationCredit;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};
