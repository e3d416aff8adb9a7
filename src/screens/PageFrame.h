// What the four pages of the main window share: their light-blue colour and the look of their
// trees.
#pragma once

#include <QColor>

class QTreeWidget;
class QWidget;

// The page colour (red 193, green 217, blue 229).
QColor PageColour();
void PaintPageColour(QWidget* widget);
// Read-only, whole-row selection kept visible without focus, hot tracking, indent 23,
// 20-pixel images, no border, no header, page colour.
void SetupPageTree(QTreeWidget* tree);
