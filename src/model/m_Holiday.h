// A holiday: a range of days with the time segment that applies on them. Only the dates are
// stored ("yyyy-mm-dd").
#pragma once

#include <QDateTime>

#include "model/m_ControlParam.h"

class THoliday : public TControlParam {
 public:
  THoliday() : TControlParam(pkHoliday) {}

  bool IsValid() const override {
    return InRange(HolidayId, 0, 99) && InRange(ZoneId, 0, 99) && IsValidParamName(HolidayName) &&
           !(HolidayEnd < HolidayBgn);
  }
  std::unique_ptr<TControlParam> Create() const override { return std::make_unique<THoliday>(); }

  int HolidayId = 0;
  QString HolidayName;
  QDateTime HolidayBgn;
  QDateTime HolidayEnd;
  int ZoneId = 0;
};
