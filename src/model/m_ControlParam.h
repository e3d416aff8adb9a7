// The common base of the time-rule records (time segments, week plans, holidays, holiday plans
// and control groups). Each kind holds at most 99 records with the ids 1 to 99.
#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

// Which kind of time rule a record is.
enum TParamKind : quint8 {
  pkTimeZone = 0,
  pkWeekScheme = 1,
  pkHoliday = 2,
  pkHolidayPlan = 3,
  pkControlGroup = 4,
};

class TControlParam {
 public:
  virtual ~TControlParam() = default;

  // The record satisfies the rules of its kind (id ranges, name of 1 to 30 characters, ...).
  virtual bool IsValid() const = 0;
  // Virtual constructor: a new default record of the same class (with its own ParamKind).
  virtual std::unique_ptr<TControlParam> Create() const = 0;

  quint8 ParamKind = 0;

 protected:
  explicit TControlParam(quint8 kind) : ParamKind(kind) {}
  TControlParam(const TControlParam&) = default;
  TControlParam& operator=(const TControlParam&) = default;
};

// Rule shared by every kind: a name of 1 to 30 characters (characters, not UTF-16 units).
inline bool IsValidParamName(const QString& name) {
  const qsizetype length = name.toUcs4().size();
  return length >= 1 && length <= 30;
}

inline bool InRange(int value, int low, int high) {
  return value >= low && value <= high;
}
