// The user page: a tree of user groups and users with a search box and two toolbar buttons,
// and the page's help view. The tree's dynamic property "Tag" is 1 while the program itself
// writes the search box, so that the box's change handler leaves that change alone.
#pragma once

#include <QFrame>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeWidget;
class THelpView;

class TframUser : public QFrame {
  Q_OBJECT

 public:
  explicit TframUser(QWidget* parent = nullptr);

  QFrame* plM;
  QLabel* imgBand;
  QLineEdit* edtSearch;
  QToolButton* tlbbIssueCard;
  QToolButton* tlbbAuthorization;
  QTreeWidget* tvUser;
  THelpView* wbUser;

  // Fills the tree, filtered when the search box holds a search.
  void LoadTree(QLineEdit* search);

 public slots:
  void pmmSetUserClick();
  void tlbbIssueCardClick();
};
