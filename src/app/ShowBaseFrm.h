// The floating information windows of the pages: a borderless window with a title band, a
// small picture beside the title and a close button. Descendants put their controls into
// pnlBody (over the background picture), set lbl_title, then call FormCreate.
#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QToolButton;

class TfrmShowBase : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmShowBase(QWidget* parent = nullptr);

  QFrame* Panel1;
  QLabel* imgHitTop;
  QLabel* imgHitMain;
  QLabel* lbl_title;
  QLabel* imgUser;
  QToolButton* sbClose;
  QWidget* pnlBody;

 public slots:
  void sbCloseClick();

 protected:
  void FormCreate();
};
