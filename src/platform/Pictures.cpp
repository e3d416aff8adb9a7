#include "platform/Pictures.h"

#include <QLabel>

QPixmap Picture(const QString& file) {
  return QPixmap(QStringLiteral(":/pictures/") + file);
}

QLabel* StretchedPicture(const QString& file, QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setPixmap(Picture(file));
  label->setScaledContents(true);
  label->setMinimumSize(1, 1);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  return label;
}
