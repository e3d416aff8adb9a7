#include "platform/Pictures.h"

#include <QLabel>

QPixmap Picture(const QString& file) {
  return QPixmap(QStringLiteral(":/pictures/") + file);
}

QLabel* StretchedPicture(const QString& file, QWidget* parent, const char* name, int height) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setPixmap(Picture(file));
  label->setScaledContents(true);
  label->setMinimumSize(1, 1);
  if (height > 0) {
    // The height must be fixed through the policy: an ignored size hint lets a box layout
    // squeeze the band to nothing and lay the next part over it.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setFixedHeight(height);
  } else {
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  }
  return label;
}
