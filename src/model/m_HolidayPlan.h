// A holiday plan: up to thirty holidays, -1 marking an empty place. A control group owns the
// plan with its own id and name.
#pragma once

#include <algorithm>
#include <array>

#include "model/m_ControlParam.h"

using THolidayIds = std::array<int, 30>;

inline THolidayIds NoHolidays() {
  THolidayIds ids;
  ids.fill(-1);
  return ids;
}

class THolidayPlan : public TControlParam {
 public:
  THolidayPlan() : TControlParam(pkHolidayPlan) {}

  bool IsValid() const override {
    if (!InRange(HolidayPlanId, -1, 99) || !IsValidParamName(HolidayPlanName)) return false;
    return std::all_of(HolidayId.begin(), HolidayId.end(),
                       [](int id) { return InRange(id, -1, 99); });
  }
  std::unique_ptr<TControlParam> Create() const override {
    return std::make_unique<THolidayPlan>();
  }

  // Every place is empty. (Tested place by place rather than by the sum of the ids, so that
  // out-of-range ids that happen to add up to -30 are not taken for an empty plan.)
  bool IsEmpty() const {
    return std::all_of(HolidayId.begin(), HolidayId.end(), [](int id) { return id == -1; });
  }

  int HolidayPlanId = 0;
  QString HolidayPlanName;
  THolidayIds HolidayId = NoHolidays();  // columns HolidayId0 .. HolidayId29
};
