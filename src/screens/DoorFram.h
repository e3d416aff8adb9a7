// The door page: a tree of door groups and doors with a search box, and the page's help view.
#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QTreeWidget;
class THelpView;

class TframDoor : public QFrame {
  Q_OBJECT

 public:
  explicit TframDoor(QWidget* parent = nullptr);

  QFrame* plM;
  QLabel* imgBand;
  QLineEdit* edtSearch;
  QTreeWidget* tvDoor;
  THelpView* wbDoor;

  // Rebuilds the groups and their doors.
  void LoadDoorTree();
};
