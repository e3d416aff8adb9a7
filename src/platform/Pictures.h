// The program's pictures (icon, dialog bands, buttons), built into the program as resources
// under ":/pictures/".
#pragma once

#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

QPixmap Picture(const QString& file);
// A label that shows the picture stretched over whatever size its layout gives it; with a
// height, a band of that fixed height and any width.
QLabel* StretchedPicture(const QString& file, QWidget* parent, const char* name, int height = 0);
