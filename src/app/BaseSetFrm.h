// The frame most dialogs share: a picture band with a one-line hint on top, the information
// panel for the dialog's own controls, and a bottom band with OK and Cancel.
// Descendants build their controls in pnlInfo, then call FormCreate (which translates every
// caption) before their own creation steps; their OK handlers call btnOKClick first.
#pragma once

#include <QDialog>

class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;

class TfrmBaseEdit : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmBaseEdit(QWidget* parent = nullptr);

  QLabel* imgTop;
  QLabel* lblHint;
  QFrame* pnlInfo;
  QLabel* imgLine;
  QFrame* Panel1;
  QLabel* imgBottom;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  QPushButton* bbtnCancel;  // outside the visible area; Escape acts through it

 public slots:
  // Does nothing: closing on OK is the descendant's decision.
  virtual void btnOKClick();
  virtual void btnCancelClick();
  void bbtnCancelClick();

 protected:
  void FormCreate();
  // Fixes the dialog's size; never smaller than its contents need in the current language.
  void SetClientSize(int width, int height);
  // The row of buttons in the bottom band: descendants may insert buttons before OK.
  QHBoxLayout* ButtonRow() const { return buttonRow; }

  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QHBoxLayout* buttonRow;
};
