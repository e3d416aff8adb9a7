// The time-rule page: a tree of time segments, week plans, holidays and control groups, and
// the page's help view.
#pragma once

#include <QFrame>

class QTreeWidget;
class THelpView;

class TframLimit : public QFrame {
  Q_OBJECT

 public:
  explicit TframLimit(QWidget* parent = nullptr);

  QTreeWidget* tvLimit;
  THelpView* wbLimit;

  // Rebuilds the four branches.
  void LoadLimitTree();
};
