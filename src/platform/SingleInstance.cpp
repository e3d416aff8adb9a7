#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString UserName() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
  return user;
}

bool SharedFolder(const QString& folder) {
  return QDir(folder) == QDir(QDir::tempPath()) && !UserName().isEmpty();
}

}  // namespace

TSingleInstance::TSingleInstance(const QString& name, const QString& folder) {
  QString base = name;
  if (SharedFolder(folder)) base += QLatin1Char('-') + UserName();
  fileName = QDir(folder).filePath(base + QStringLiteral(".lock"));
}

bool TSingleInstance::TryAcquire() {
  if (held) return true;
  QDir().mkpath(QFileInfo(fileName).absolutePath());
  lock = std::make_unique<QLockFile>(fileName);
  // Only a dead holder makes a lock stale. With a stale time, a lock older than that time
  // would count as stale even while its holder runs, and a second instance would start.
  lock->setStaleLockTime(0);
  held = lock->tryLock(0);
  return held;
}

QString TSingleInstance::DefaultFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime;
  return QDir::tempPath();
}
