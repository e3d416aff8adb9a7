// Each test runs in a fresh temporary installation folder holding copies of the delivered
// files; the working directory, AppPath, the database connection, the clock, the language and
// the message sink are set up for it and restored afterwards.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "support/MessageRecorder.h"

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// Copies the delivered files of the build tree into `folder`.
void CopyDeliveredFiles(const QString& folder);
// The build tree's installation layout (delivered files beside the programs).
QString BuildRoot();
QString SourceRoot();

class FreshInstall : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A path inside the installation folder.
  QString Path(const QString& relative) const;
  // Runs a statement on the main database and returns the first column of the first row.
  QString Scalar(const QString& statement) const;

  MessageRecorder messages;
  std::unique_ptr<QTemporaryDir> installDir;
  QString previousDir;
};
