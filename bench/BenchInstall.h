// A throw-away installation folder for a benchmark: copies of the delivered files of the build
// tree, made the working directory, the installation folder and the database of the run.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

class TBenchInstall {
 public:
  TBenchInstall();
  ~TBenchInstall();
  QString Path(const QString& relative) const;

 private:
  QTemporaryDir folder;
};

// Durations in microseconds, summarised.
struct TTimings {
  std::vector<double> us;
  void Add(double value) { us.push_back(value); }
  double Mean() const;
  double Percentile(double p) const;  // p in 0..100
};

// Microseconds since `timer` was started, with sub-microsecond resolution.
inline double ElapsedUs(const QElapsedTimer& timer) {
  return timer.nsecsElapsed() / 1000.0;
}
