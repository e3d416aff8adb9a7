#include "platform/Skin.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include "app/u_Function.h"

namespace gw {

bool StartSkin(const QString& fileName) {
  const QString path = QDir::isRelativePath(fileName) ? AppPath + fileName : fileName;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
  return true;
}

}  // namespace gw
