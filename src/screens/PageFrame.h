// What the four pages of the main window share: their light-blue colour and the look of their
// trees.
#pragma once

#include <QColor>

class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QWidget;

// The page colour (red 193, green 217, blue 229).
QColor PageColour();
void PaintPageColour(QWidget* widget);
// Read-only, whole-row selection kept visible without focus, hot tracking, indent 23,
// 20-pixel images, no border, no header, page colour.
void SetupPageTree(QTreeWidget* tree);

// The band above the tree of the user and door pages: 35 pixels high, a picture behind a row
// holding the search box (showing "Search ...") and whatever the page adds after it.
struct TSearchBand {
  QFrame* plM;
  QLabel* imgBand;
  QLineEdit* edtSearch;
  QHBoxLayout* row;
};
TSearchBand MakeSearchBand(QWidget* parent);
