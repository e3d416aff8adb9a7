// The single-instance guard: a name that one process of the desktop login holds at a time.
// It is a lock file in the user's runtime folder; the lock of a process that died (crashed,
// killed) is taken over, so it never keeps the program from starting.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

class TSingleInstance {
 public:
  explicit TSingleInstance(const QString& name, const QString& folder = DefaultFolder());

  // Takes the name for this process. False when another living process (or another guard in
  // this one) holds it. The name is held until the guard is destroyed.
  bool TryAcquire();
  bool IsHeld() const { return held; }
  QString LockFileName() const { return fileName; }

  // XDG_RUNTIME_DIR when set, otherwise the temporary folder (the file name then carries the
  // user's name, since that folder may be shared).
  static QString DefaultFolder();

 private:
  QString fileName;
  std::unique_ptr<QLockFile> lock;
  bool held = false;
};
