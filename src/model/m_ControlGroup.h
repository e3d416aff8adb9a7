// A control group: a week plan and, optionally, the group's own holiday plan (same id as the
// group; HolidayPlanId is 0 when the group uses no holidays).
#pragma once

#include "model/m_ControlParam.h"

class TControlGroup : public TControlParam {
 public:
  TControlGroup() : TControlParam(pkControlGroup) {}

  bool IsValid() const override {
    return InRange(CGrpId, 0, 99) && InRange(WkSchemeId, 0, 99) && InRange(HolidayPlanId, 0, 99) &&
           IsValidParamName(CGroupName) &&
           (HldPlanEnabled == QLatin1String("0") || HldPlanEnabled == QLatin1String("1"));
  }
  std::unique_ptr<TControlParam> Create() const override {
    return std::make_unique<TControlGroup>();
  }

  int CGrpId = 0;
  QString CGroupName;
  int WkSchemeId = 0;
  int HolidayPlanId = 0;
  QString HldPlanEnabled = QStringLiteral("0");  // "1": the holiday plan is used
};
