#include "screens/PageFrame.h"

#include <QPalette>
#include <QTreeWidget>

QColor PageColour() {
  return QColor(193, 217, 229);
}

void PaintPageColour(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, PageColour());
  palette.setColor(QPalette::Base, PageColour());
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void SetupPageTree(QTreeWidget* tree) {
  tree->setHeaderHidden(true);
  tree->setColumnCount(1);
  tree->setFrameShape(QFrame::NoFrame);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree->setAllColumnsShowFocus(true);
  tree->setMouseTracking(true);  // hot tracking
  tree->setIndentation(23);
  tree->setIconSize(QSize(20, 20));
  tree->setContextMenuPolicy(Qt::CustomContextMenu);  // right click selects, the page pops up
  QPalette palette = tree->palette();
  palette.setColor(QPalette::Base, PageColour());
  // The selection stays visible while the tree has no focus.
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  tree->setPalette(palette);
}
