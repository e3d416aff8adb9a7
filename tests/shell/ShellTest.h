// Fixture of the application shell's tests: a fresh installation with its own runtime folder
// (so that the single-instance guard of one test meets no other), the plain look, and no
// window left open afterwards.
#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "support/TestInstall.h"

class ShellTest : public FreshInstall {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs a statement on the main database.
  void Exec(const QString& statement);
  // Makes every update of the settings row `id` fail.
  void RefuseUpdatesOfSetting(int id);

  std::unique_ptr<QTemporaryDir> runtimeDir;

 private:
  QByteArray previousRuntimeDir;
};
